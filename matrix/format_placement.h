// Where the format and version information stand in a symbol. Writing the
// symbol and scoring the masks both place the bits through these, so the
// positions are written down once.
#pragma once

namespace quirvane {

// Calls put(row, column, bit) for both copies of each of the 15 bits of a
// format word, F[0] (bit 14) first.
template <typename Put>
void PlaceFormatBits(int side, int word, Put&& put) {
    for (int k = 0; k < 15; ++k) {
        const int f = (word >> (14 - k)) & 1;  // F[k]
        // First copy, around the top-left finder, skipping the timing row and column.
        if (k <= 5) {
            put(8, k, f);
        } else if (k == 6) {
            put(8, 7, f);
        } else if (k == 7) {
            put(8, 8, f);
        } else if (k == 8) {
            put(7, 8, f);
        } else {
            put(14 - k, 8, f);
        }
        // Second copy, split between the bottom-left and top-right finders.
        if (k <= 6) {
            put(side - 1 - k, 8, f);
        } else {
            put(8, side - 15 + k, f);
        }
    }
}

// Calls put(row, column, bit) for both copies of each of the 18 bits of a
// version word, least significant first: above the top-right finder and,
// transposed, left of the bottom-left one.
template <typename Put>
void PlaceVersionBits(int side, int word, Put&& put) {
    for (int k = 0; k < 18; ++k) {
        const int b = (word >> k) & 1;
        put(k / 3, side - 11 + k % 3, b);
        put(side - 11 + k % 3, k / 3, b);
    }
}

}  // namespace quirvane
