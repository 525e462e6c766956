// The geometry is built from the alignment table and the placement rule, not
// taken from the encoder, so a wrong mark or a wrong step there shows up as a
// module read in the wrong place.
#include "fuzz/symbol_geometry.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace quirvane::fuzz {

std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

namespace {

// Alignment pattern row/column coordinates of every version, from the
// standard's table (index 0 unused).
const std::vector<int>& AlignmentCoordinates(int version) {
    // clang-format off
    static const std::vector<int> table[41] = {
        {}, {}, {6, 18}, {6, 22}, {6, 26}, {6, 30}, {6, 34}, {6, 22, 38}, {6, 24, 42}, {6, 26, 46},
        {6, 28, 50}, {6, 30, 54}, {6, 32, 58}, {6, 34, 62}, {6, 26, 46, 66}, {6, 26, 48, 70},
        {6, 26, 50, 74}, {6, 30, 54, 78}, {6, 30, 56, 82}, {6, 30, 58, 86}, {6, 34, 62, 90},
        {6, 28, 50, 72, 94}, {6, 26, 50, 74, 98}, {6, 30, 54, 78, 102}, {6, 28, 54, 80, 106},
        {6, 32, 58, 84, 110}, {6, 30, 58, 86, 114}, {6, 34, 62, 90, 118}, {6, 26, 50, 74, 98, 122},
        {6, 30, 54, 78, 102, 126}, {6, 26, 52, 78, 104, 130}, {6, 30, 56, 82, 108, 134},
        {6, 34, 60, 86, 112, 138}, {6, 30, 58, 86, 114, 142}, {6, 34, 62, 90, 118, 146},
        {6, 30, 54, 78, 102, 126, 150}, {6, 24, 50, 76, 102, 128, 154},
        {6, 28, 54, 80, 106, 132, 158}, {6, 32, 58, 84, 110, 136, 162},
        {6, 26, 54, 82, 110, 138, 166}, {6, 30, 58, 86, 114, 142, 170}};
    // clang-format on
    return table[version];
}

}  // namespace

Geometry::Geometry(int version) : n(4 * version + 17), function(n * n, 0) {
    auto mark = [&](int r0, int c0, int rows, int columns) {
        for (int r = r0; r < r0 + rows; ++r) {
            for (int c = c0; c < c0 + columns; ++c) {
                function[r * n + c] = 1;
            }
        }
    };
    mark(0, 0, 8, 8);  // finders with their separators
    mark(0, n - 8, 8, 8);
    mark(n - 8, 0, 8, 8);
    mark(6, 0, 1, n);  // timing
    mark(0, 6, n, 1);
    mark(8, 0, 1, 9);  // format information; (n - 8, 8) is the dark module
    mark(0, 8, 9, 1);
    mark(8, n - 8, 1, 8);
    mark(n - 8, 8, 8, 1);
    if (version >= 7) {
        mark(0, n - 11, 6, 3);
        mark(n - 11, 0, 3, 6);
    }
    // An alignment pattern never overlaps a finder's 8 x 8 corner.
    const auto inCorner = [&](int r, int c) {
        return (r < 8 && c < 8) || (r < 8 && c >= n - 8) || (r >= n - 8 && c < 8);
    };
    for (int r : AlignmentCoordinates(version)) {
        for (int c : AlignmentCoordinates(version)) {
            if (!inCorner(r - 2, c - 2) && !inCorner(r - 2, c + 2) && !inCorner(r + 2, c - 2)) {
                alignmentCentres.emplace_back(r, c);
                mark(r - 2, c - 2, 5, 5);
            }
        }
    }
    // Two-module columns from the right, alternately upward and downward,
    // stepping over the vertical timing column.
    bool upward = true;
    for (int right = n - 1; right > 0; right -= 2) {
        if (right == 6) {
            right = 5;
        }
        for (int i = 0; i < n; ++i) {
            const int r = upward ? n - 1 - i : i;
            for (int c = right; c >= right - 1; --c) {
                if (!function[r * n + c]) {
                    order.push_back(r * kStride + c);
                }
            }
        }
        upward = !upward;
    }
}

const Geometry& GeometryOf(int version) {
    static std::unique_ptr<Geometry> cache[41];
    if (!cache[version]) {
        cache[version] = std::make_unique<Geometry>(version);
    }
    return *cache[version];
}

int RemainderBits(int version) {
    return version >= 2 && version <= 6     ? 7
           : version >= 14 && version <= 20 ? 3
           : version >= 21 && version <= 27 ? 4
           : version >= 28 && version <= 34 ? 3
                                            : 0;
}

bool MaskHits(int mask, int i, int j) {
    const int p = i * j;
    switch (mask) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return p % 2 + p % 3 == 0;
        case 6:
            return (p % 2 + p % 3) % 2 == 0;
        default:
            return ((i + j) % 2 + p % 3) % 2 == 0;
    }
}

int BchRemainder(int word, int bits, int generator, int generatorBits) {
    for (int top = bits - 1; top >= generatorBits - 1; --top) {
        if (word & (1 << top)) {
            word ^= generator << (top - (generatorBits - 1));
        }
    }
    return word;
}

int FormatWord(int level, int mask) {
    static const int indicator[5] = {0, 1, 0, 3, 2};  // L 01, M 00, Q 11, H 10
    const int data = (indicator[level] << 3 | mask) << 10;
    return (data | BchRemainder(data, 15, 0x537, 11)) ^ 0x5412;
}

std::pair<int, int> FormatModule(int copy, int k, int n) {
    if (copy == 0) {
        return {k < 6 ? k : k < 8 ? k + 1 : 8, k < 8 ? 8 : k == 8 ? 7 : 14 - k};
    }
    return k < 8 ? std::pair{8, n - 1 - k} : std::pair{n - 15 + k, 8};
}

}  // namespace quirvane::fuzz
