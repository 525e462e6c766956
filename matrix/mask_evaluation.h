// Scoring a symbol by the mask penalty rules, and choosing the mask with the
// lowest score. Symbols are packed one bit per module, by rows and by
// columns, so each rule looks at 64 modules in one machine word; the
// fixed-size scratch record holds every packed copy, so nothing is allocated.
#pragma once

#include <cstdint>

#include "ecc/symbol_parameters.h"

namespace quirvane {

inline constexpr int kLineWords = 4;  // 256 bits: a whole row or column of any version
// Light lines kept before and after the symbol's lines, because the
// finder-like rule looks four modules past either end of a row or column.
inline constexpr int kLinePadding = 4;
inline constexpr int kPackedLines = kLinePadding + kLargestSide + kLinePadding;

// A symbol one bit per module, 1 where dark, as 256-bit lines by rows and by
// columns. Stored word by word: rows[w][kLinePadding + r] is word w of row r
// (modules 64w..64w+63), bit b module 64w + b; so the same word of
// neighbouring lines sits side by side, and a rule is a loop down an array.
// In a symbol being scored, the padding lines and every bit past the side
// are 0.
struct PackedSymbol {
    std::uint64_t rows[kLineWords][kPackedLines];
    std::uint64_t columns[kLineWords][kPackedLines];
};

// Everything EvaluateMasks works in, about 35 KB.
struct MaskEvaluation {
    PackedSymbol unmasked;  // function patterns, data and version information; format modules light
    PackedSymbol maskable;  // 1 on the data modules, the only ones a mask inverts
    PackedSymbol masked;    // the finished symbol under the mask being scored
    int penalties[kMaskCount];
};

// Scores the finished symbol each of the eight masks would give, format
// information for (level, mask) and version information included, into
// scratch.penalties, and returns the mask with the lowest penalty (the lowest
// reference on a tie). dataPlane is the placed, unmasked data with
// kFunctionMark on every function module, patternPlane the function patterns;
// neither is changed (their rows are read up to seven cells past the side).
int EvaluateMasks(const char* dataPlane, const char* patternPlane, int version, int level,
                  MaskEvaluation& scratch);

}  // namespace quirvane
