// The fewest bits a data stream can take for a short text, the slow way: the
// cheapest of every split into segments and every mode each segment may take,
// each segment's bits counted group by group from its header on. The
// encoder's segmentation and the fuzz checker's own judge are both held
// against it.
#pragma once

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

namespace quirvane::testing {

struct ReferenceCharacter {
    char32_t code;
    int bytes;   // of its UTF-8 form
    bool kanji;  // a JIS X 0208 character, which Kanji mode writes
};

// Modes 0-3: numeric, alphanumeric, byte, Kanji. Count indicator widths as
// QR Code tables them, for versions 1-9, 10-26 and 27-40.
inline int ReferenceCountBits(int mode, int version) {
    constexpr int kWidths[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    return kWidths[version < 10 ? 0 : version < 27 ? 1 : 2][mode];
}

// Whether a segment of `mode` may hold `c`, in the family with or without the ECI.
inline bool ReferenceHolds(int mode, const ReferenceCharacter& c, bool eci) {
    constexpr std::u32string_view kAlphanumerics = U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    switch (mode) {
        case 0:
            return c.code >= U'0' && c.code <= U'9';
        case 1:
            return kAlphanumerics.find(c.code) != std::u32string_view::npos;
        case 2:
            return eci || c.code < 0x80;
        default:
            return !eci && c.code >= 0x80 && c.kanji;
    }
}

// The bits of a segment of `mode` holding `length` characters from `run`.
inline int ReferenceSegmentBits(int mode, const ReferenceCharacter* run, int length, int version) {
    int bits = 4 + ReferenceCountBits(mode, version);
    int left = length;
    if (mode == 0) {
        for (; left >= 3; left -= 3) {
            bits += 10;
        }
        bits += left == 2 ? 7 : left == 1 ? 4 : 0;
    } else if (mode == 1) {
        for (; left >= 2; left -= 2) {
            bits += 11;
        }
        bits += left == 1 ? 6 : 0;
    } else if (mode == 2) {
        for (int i = 0; i < length; ++i) {
            bits += 8 * run[i].bytes;
        }
    } else {
        bits += 13 * length;
    }
    return bits;
}

// With the ECI (UTF-8, 12 bits of header) or without; INT_MAX when that family
// cannot hold the text: without the ECI only ASCII and Kanji-mode
// characters, and no \ or ~ once there is Kanji (a reader shows yen and
// overline there).
inline int ReferenceFewestBits(const std::vector<ReferenceCharacter>& text, int version, bool eci) {
    bool kanji = false, other = false, yenOrOverline = false;
    for (const ReferenceCharacter& c : text) {
        kanji = kanji || (c.code >= 0x80 && c.kanji);
        other = other || (c.code >= 0x80 && !c.kanji);
        yenOrOverline = yenOrOverline || c.code == U'\\' || c.code == U'~';
    }
    if (!eci && (other || (kanji && yenOrOverline))) {
        return INT_MAX;
    }
    // fewest[i]: the bits of characters i.. to the end, every first segment tried.
    const int n = static_cast<int>(text.size());
    std::vector<int> fewest(n + 1, INT_MAX);
    fewest[n] = 0;
    for (int i = n - 1; i >= 0; --i) {
        for (int mode = 0; mode < 4; ++mode) {
            for (int end = i + 1; end <= n && ReferenceHolds(mode, text[end - 1], eci); ++end) {
                if (fewest[end] != INT_MAX) {
                    const int bits = ReferenceSegmentBits(mode, &text[i], end - i, version);
                    fewest[i] = std::min(fewest[i], bits + fewest[end]);
                }
            }
        }
    }
    return fewest[0] == INT_MAX ? INT_MAX : fewest[0] + (eci ? 12 : 0);
}

}  // namespace quirvane::testing
