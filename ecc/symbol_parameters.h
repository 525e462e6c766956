// The per-(version, level) record every stage of the encoder works from:
// codeword counts, the Reed-Solomon block layout and the character
// capacities. The values are those of the QR Code error-correction and
// capacity tables for versions 1-40; they are fixed when the program is
// compiled.
#pragma once

#include <quirvane/encoder.h>

namespace quirvane {

// Error-correction levels, as the level list sets them.
inline constexpr int kLevelL = 1;
inline constexpr int kLevelM = 2;
inline constexpr int kLevelQ = 3;
inline constexpr int kLevelH = 4;

inline constexpr int kMaskCount = 8;
inline constexpr int kLargestSide = 4 * kLargestVersion + 17;  // 177

struct SymbolParameters {
    int totalCodewords;
    int dataCodewords;
    int errorCorrectionCodewords;
    int b1;  // blocks in group 1
    int b2;  // blocks in group 2, 0 for a one-group layout
    int c1;  // codewords per group-1 block
    int k1;  // data codewords per group-1 block
    int r1;  // error-correction codewords per group-1 block (C - K)
    int c2;  // as c1..r1 for group 2; all 0 when b2 is 0
    int k2;
    int r2;
    int byteCapacity;
    int alphanumericCapacity;
    int numericCapacity;
};

// Every version of the standard, 1 to 40. (The desktop program's list offers
// 1-20 and 40.)
constexpr bool IsSupportedVersion(int version) {
    return version >= 1 && version <= kLargestVersion;
}
constexpr bool IsSupportedLevel(int level) {
    return level >= kLevelL && level <= kLevelH;
}
constexpr bool IsSupportedMask(int mask) {
    return mask >= 0 && mask < kMaskCount;
}
constexpr int SideOf(int version) {
    return 4 * version + 17;
}

// The table row of (version, level), both supported.
const SymbolParameters& FindSymbolParameters(int version, int level);

// Total codewords of a version, the same for all four levels.
int TotalCodewordsOf(int version);

}  // namespace quirvane
