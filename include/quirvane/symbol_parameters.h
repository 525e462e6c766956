// The per-(version, level) record every stage of the encoder works from:
// codeword counts, the Reed-Solomon block layout and the character
// capacities. The values are those of the QR Code error-correction and
// capacity tables for versions 1-40; they are fixed when the program is
// compiled.
#pragma once

#include <array>

namespace quirvane {

// Character modes, as the mode radio buttons set them.
inline constexpr int kModeNone = 0;
inline constexpr int kModeByte = 1;
inline constexpr int kModeAlphanumeric = 2;
inline constexpr int kModeNumeric = 3;

// Error-correction levels, as the level list sets them.
inline constexpr int kLevelL = 1;
inline constexpr int kLevelM = 2;
inline constexpr int kLevelQ = 3;
inline constexpr int kLevelH = 4;

inline constexpr int kMaskCount = 8;
inline constexpr int kLargestVersion = 40;
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
constexpr bool IsSupportedMode(int mode) {
    return mode >= kModeByte && mode <= kModeNumeric;
}
constexpr bool IsSupportedMask(int mask) {
    return mask >= 0 && mask < kMaskCount;
}
constexpr int SideOf(int version) {
    return 4 * version + 17;
}

// The table row of (version, level), or nullptr when either is unsupported.
const SymbolParameters* FindSymbolParameters(int version, int level);

// Total codewords of a version, the same for all four levels.
int TotalCodewordsOf(int version);

// Width in bits of the character count indicator: numeric, alphanumeric and
// byte widths for versions 1-9, 10-26 and 27-40.
constexpr int CountIndicatorWidth(int mode, int version) {
    constexpr int kWidths[3][3] = {{10, 9, 8}, {12, 11, 16}, {14, 13, 16}};
    const int band = version <= 9 ? 0 : (version <= 26 ? 1 : 2);
    const int column = mode == kModeNumeric ? 0 : (mode == kModeAlphanumeric ? 1 : 2);
    return kWidths[band][column];
}

// The capacity of one character mode in a row of the table.
int CapacityOf(const SymbolParameters& parameters, int mode);

}  // namespace quirvane
