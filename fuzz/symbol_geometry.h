// Where things lie in a symbol of each version, worked out by the checker for
// itself: function modules, the order data modules are filled in, the mask
// conditions and the format information's modules. Both the reader and the
// mask scorer use it, so they agree on which modules are data.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quirvane::fuzz {

// The checker's messages, printf-style.
std::string Format(const char* format, ...);

// Row stride of the encoder's planes.
inline constexpr int kStride = 256;

struct Geometry {
    int n = 0;
    std::vector<std::uint8_t> function;  // n * n, 1 for a function module
    std::vector<std::pair<int, int>> alignmentCentres;
    std::vector<int> order;  // data modules as row * kStride + column, in placement order

    explicit Geometry(int version);
};

// Built on first use and kept; version 1-40.
const Geometry& GeometryOf(int version);

// Data modules left over after the last codeword of a version.
int RemainderBits(int version);

// True when data mask `mask` (0-7) inverts the module in row i, column j.
bool MaskHits(int mask, int i, int j);

// Remainder of a `bits`-bit word divided by a generator of `generatorBits` bits.
int BchRemainder(int word, int bits, int generator, int generatorBits);

// The 15-bit format word of (level 1-4, mask 0-7), masked as it is written.
int FormatWord(int level, int mask);

// The module holding bit k (0 least significant) of format copy 0 (around
// the top-left finder) or 1 (split between the other two), as (row, column).
std::pair<int, int> FormatModule(int copy, int k, int n);

}  // namespace quirvane::fuzz
