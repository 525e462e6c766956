// The parameter table. Each row is written as the standard writes it, as the
// block counts and per-block data and error-correction codewords; every other
// field (totals, C = K + R, capacities) follows from those by the rules the
// standard's tables obey, and is worked out by the compiler so that the
// program carries the finished table as constants.
#include <array>
#include <cassert>

#include "encode/encoder_settings.h"
#include "encode/encoder_state.h"
#include "encode/mode_table.h"

namespace quirvane {
namespace {

struct BlockLayout {
    int version;
    int level;
    int r;   // error-correction codewords per block
    int b1;  // group-1 blocks and their data codewords
    int k1;
    int b2;  // group-2 blocks and their data codewords (K1 + 1), or 0, 0
    int k2;
};

// clang-format off
constexpr BlockLayout kLayouts[] = {
    {1, kLevelL, 7, 1, 19, 0, 0},     {1, kLevelM, 10, 1, 16, 0, 0},
    {1, kLevelQ, 13, 1, 13, 0, 0},    {1, kLevelH, 17, 1, 9, 0, 0},
    {2, kLevelL, 10, 1, 34, 0, 0},    {2, kLevelM, 16, 1, 28, 0, 0},
    {2, kLevelQ, 22, 1, 22, 0, 0},    {2, kLevelH, 28, 1, 16, 0, 0},
    {3, kLevelL, 15, 1, 55, 0, 0},    {3, kLevelM, 26, 1, 44, 0, 0},
    {3, kLevelQ, 18, 2, 17, 0, 0},    {3, kLevelH, 22, 2, 13, 0, 0},
    {4, kLevelL, 20, 1, 80, 0, 0},    {4, kLevelM, 18, 2, 32, 0, 0},
    {4, kLevelQ, 26, 2, 24, 0, 0},    {4, kLevelH, 16, 4, 9, 0, 0},
    {5, kLevelL, 26, 1, 108, 0, 0},   {5, kLevelM, 24, 2, 43, 0, 0},
    {5, kLevelQ, 18, 2, 15, 2, 16},   {5, kLevelH, 22, 2, 11, 2, 12},
    {6, kLevelL, 18, 2, 68, 0, 0},    {6, kLevelM, 16, 4, 27, 0, 0},
    {6, kLevelQ, 24, 4, 19, 0, 0},    {6, kLevelH, 28, 4, 15, 0, 0},
    {7, kLevelL, 20, 2, 78, 0, 0},    {7, kLevelM, 18, 4, 31, 0, 0},
    {7, kLevelQ, 18, 2, 14, 4, 15},   {7, kLevelH, 26, 4, 13, 1, 14},
    {8, kLevelL, 24, 2, 97, 0, 0},    {8, kLevelM, 22, 2, 38, 2, 39},
    {8, kLevelQ, 22, 4, 18, 2, 19},   {8, kLevelH, 26, 4, 14, 2, 15},
    {9, kLevelL, 30, 2, 116, 0, 0},   {9, kLevelM, 22, 3, 36, 2, 37},
    {9, kLevelQ, 20, 4, 16, 4, 17},   {9, kLevelH, 24, 4, 12, 4, 13},
    {10, kLevelL, 18, 2, 68, 2, 69},  {10, kLevelM, 26, 4, 43, 1, 44},
    {10, kLevelQ, 24, 6, 19, 2, 20},  {10, kLevelH, 28, 6, 15, 2, 16},
    {11, kLevelL, 20, 4, 81, 0, 0},   {11, kLevelM, 30, 1, 50, 4, 51},
    {11, kLevelQ, 28, 4, 22, 4, 23},  {11, kLevelH, 24, 3, 12, 8, 13},
    {12, kLevelL, 24, 2, 92, 2, 93},  {12, kLevelM, 22, 6, 36, 2, 37},
    {12, kLevelQ, 26, 4, 20, 6, 21},  {12, kLevelH, 28, 7, 14, 4, 15},
    {13, kLevelL, 26, 4, 107, 0, 0},  {13, kLevelM, 22, 8, 37, 1, 38},
    {13, kLevelQ, 24, 8, 20, 4, 21},  {13, kLevelH, 22, 12, 11, 4, 12},
    {14, kLevelL, 30, 3, 115, 1, 116}, {14, kLevelM, 24, 4, 40, 5, 41},
    {14, kLevelQ, 20, 11, 16, 5, 17}, {14, kLevelH, 24, 11, 12, 5, 13},
    {15, kLevelL, 22, 5, 87, 1, 88},  {15, kLevelM, 24, 5, 41, 5, 42},
    {15, kLevelQ, 30, 5, 24, 7, 25},  {15, kLevelH, 24, 11, 12, 7, 13},
    {16, kLevelL, 24, 5, 98, 1, 99},  {16, kLevelM, 28, 7, 45, 3, 46},
    {16, kLevelQ, 24, 15, 19, 2, 20}, {16, kLevelH, 30, 3, 15, 13, 16},
    {17, kLevelL, 28, 1, 107, 5, 108}, {17, kLevelM, 28, 10, 46, 1, 47},
    {17, kLevelQ, 28, 1, 22, 15, 23}, {17, kLevelH, 28, 2, 14, 17, 15},
    {18, kLevelL, 30, 5, 120, 1, 121}, {18, kLevelM, 26, 9, 43, 4, 44},
    {18, kLevelQ, 28, 17, 22, 1, 23}, {18, kLevelH, 28, 2, 14, 19, 15},
    {19, kLevelL, 28, 3, 113, 4, 114}, {19, kLevelM, 26, 3, 44, 11, 45},
    {19, kLevelQ, 26, 17, 21, 4, 22}, {19, kLevelH, 26, 9, 13, 16, 14},
    {20, kLevelL, 28, 3, 107, 5, 108}, {20, kLevelM, 26, 3, 41, 13, 42},
    {20, kLevelQ, 30, 15, 24, 5, 25}, {20, kLevelH, 28, 15, 15, 10, 16},
    {21, kLevelL, 28, 4, 116, 4, 117},{21, kLevelM, 26, 17, 42, 0, 0},
    {21, kLevelQ, 28, 17, 22, 6, 23}, {21, kLevelH, 30, 19, 16, 6, 17},
    {22, kLevelL, 28, 2, 111, 7, 112},{22, kLevelM, 28, 17, 46, 0, 0},
    {22, kLevelQ, 30, 7, 24, 16, 25}, {22, kLevelH, 24, 34, 13, 0, 0},
    {23, kLevelL, 30, 4, 121, 5, 122},{23, kLevelM, 28, 4, 47, 14, 48},
    {23, kLevelQ, 30, 11, 24, 14, 25},{23, kLevelH, 30, 16, 15, 14, 16},
    {24, kLevelL, 30, 6, 117, 4, 118},{24, kLevelM, 28, 6, 45, 14, 46},
    {24, kLevelQ, 30, 11, 24, 16, 25},{24, kLevelH, 30, 30, 16, 2, 17},
    {25, kLevelL, 26, 8, 106, 4, 107},{25, kLevelM, 28, 8, 47, 13, 48},
    {25, kLevelQ, 30, 7, 24, 22, 25}, {25, kLevelH, 30, 22, 15, 13, 16},
    {26, kLevelL, 28, 10, 114, 2, 115},{26, kLevelM, 28, 19, 46, 4, 47},
    {26, kLevelQ, 28, 28, 22, 6, 23}, {26, kLevelH, 30, 33, 16, 4, 17},
    {27, kLevelL, 30, 8, 122, 4, 123},{27, kLevelM, 28, 22, 45, 3, 46},
    {27, kLevelQ, 30, 8, 23, 26, 24}, {27, kLevelH, 30, 12, 15, 28, 16},
    {28, kLevelL, 30, 3, 117, 10, 118},{28, kLevelM, 28, 3, 45, 23, 46},
    {28, kLevelQ, 30, 4, 24, 31, 25}, {28, kLevelH, 30, 11, 15, 31, 16},
    {29, kLevelL, 30, 7, 116, 7, 117},{29, kLevelM, 28, 21, 45, 7, 46},
    {29, kLevelQ, 30, 1, 23, 37, 24}, {29, kLevelH, 30, 19, 15, 26, 16},
    {30, kLevelL, 30, 5, 115, 10, 116},{30, kLevelM, 28, 19, 47, 10, 48},
    {30, kLevelQ, 30, 15, 24, 25, 25},{30, kLevelH, 30, 23, 15, 25, 16},
    {31, kLevelL, 30, 13, 115, 3, 116},{31, kLevelM, 28, 2, 46, 29, 47},
    {31, kLevelQ, 30, 42, 24, 1, 25}, {31, kLevelH, 30, 23, 15, 28, 16},
    {32, kLevelL, 30, 17, 115, 0, 0}, {32, kLevelM, 28, 10, 46, 23, 47},
    {32, kLevelQ, 30, 10, 24, 35, 25},{32, kLevelH, 30, 19, 15, 35, 16},
    {33, kLevelL, 30, 17, 115, 1, 116},{33, kLevelM, 28, 14, 46, 21, 47},
    {33, kLevelQ, 30, 29, 24, 19, 25},{33, kLevelH, 30, 11, 15, 46, 16},
    {34, kLevelL, 30, 13, 115, 6, 116},{34, kLevelM, 28, 14, 46, 23, 47},
    {34, kLevelQ, 30, 44, 24, 7, 25}, {34, kLevelH, 30, 59, 16, 1, 17},
    {35, kLevelL, 30, 12, 121, 7, 122},{35, kLevelM, 28, 12, 47, 26, 48},
    {35, kLevelQ, 30, 39, 24, 14, 25},{35, kLevelH, 30, 22, 15, 41, 16},
    {36, kLevelL, 30, 6, 121, 14, 122},{36, kLevelM, 28, 6, 47, 34, 48},
    {36, kLevelQ, 30, 46, 24, 10, 25},{36, kLevelH, 30, 2, 15, 64, 16},
    {37, kLevelL, 30, 17, 122, 4, 123},{37, kLevelM, 28, 29, 46, 14, 47},
    {37, kLevelQ, 30, 49, 24, 10, 25},{37, kLevelH, 30, 24, 15, 46, 16},
    {38, kLevelL, 30, 4, 122, 18, 123},{38, kLevelM, 28, 13, 46, 32, 47},
    {38, kLevelQ, 30, 48, 24, 14, 25},{38, kLevelH, 30, 42, 15, 32, 16},
    {39, kLevelL, 30, 20, 117, 4, 118},{39, kLevelM, 28, 40, 47, 7, 48},
    {39, kLevelQ, 30, 43, 24, 22, 25},{39, kLevelH, 30, 10, 15, 67, 16},
    {40, kLevelL, 30, 19, 118, 6, 119}, {40, kLevelM, 28, 18, 47, 31, 48},
    {40, kLevelQ, 30, 34, 24, 34, 25}, {40, kLevelH, 30, 20, 15, 61, 16},
};
// clang-format on

constexpr int kRowCount = sizeof(kLayouts) / sizeof(kLayouts[0]);
static_assert(kRowCount == 160, "versions 1-40, four levels each");

constexpr SymbolParameters MakeRow(const BlockLayout& layout) {
    SymbolParameters p{};
    p.b1 = layout.b1;
    p.k1 = layout.k1;
    p.r1 = layout.r;
    p.c1 = layout.k1 + layout.r;
    if (layout.b2 > 0) {
        p.b2 = layout.b2;
        p.k2 = layout.k2;
        p.r2 = layout.r;
        p.c2 = layout.k2 + layout.r;
    }
    p.dataCodewords = p.b1 * p.k1 + p.b2 * p.k2;
    p.totalCodewords = p.b1 * p.c1 + p.b2 * p.c2;
    p.errorCorrectionCodewords = p.totalCodewords - p.dataCodewords;

    const int v = layout.version;
    p.byteCapacity = SingleSegmentCapacity(Mode::Byte, v, p.dataCodewords, 0);
    p.alphanumericCapacity = SingleSegmentCapacity(Mode::Alphanumeric, v, p.dataCodewords, 0);
    p.numericCapacity = SingleSegmentCapacity(Mode::Numeric, v, p.dataCodewords, 0);
    return p;
}

constexpr std::array<SymbolParameters, kRowCount> MakeTable() {
    std::array<SymbolParameters, kRowCount> table{};
    for (int i = 0; i < kRowCount; ++i) {
        table[i] = MakeRow(kLayouts[i]);
    }
    return table;
}

constexpr std::array<SymbolParameters, kRowCount> kTable = MakeTable();

// Total codewords of a version from its geometry alone: every module that is
// not a function pattern, format or version information, in whole bytes.
constexpr int TotalCodewordsByGeometry(int v) {
    int bits = (16 * v + 128) * v + 64;
    if (v >= 2) {
        const int a = v / 7 + 2;
        bits -= (25 * a - 10) * a - 55;
    }
    if (v >= 7) {
        bits -= 36;
    }
    return bits / 8;
}

// The rows stand in order of version and level, and every row's blocks add up
// to what the symbol holds, with group-2 blocks one data codeword longer, and
// fit the block store.
constexpr bool TableAddsUp() {
    for (int i = 0; i < kRowCount; ++i) {
        if (kLayouts[i].version != i / 4 + 1 || kLayouts[i].level != i % 4 + kLevelL) {
            return false;
        }
        const SymbolParameters& p = kTable[i];
        const bool groupsFit = p.c1 == p.k1 + p.r1 && p.c2 == p.k2 + p.r2 &&
                               (p.b2 == 0 ? p.c2 == 0 && p.k2 == 0 && p.r2 == 0
                                          : p.c2 == p.c1 + 1 && p.k2 == p.k1 + 1);
        const bool totalsFit = p.b1 * p.c1 + p.b2 * p.c2 == p.totalCodewords &&
                               p.totalCodewords == TotalCodewordsByGeometry(kLayouts[i].version);
        const bool storeFits = p.b1 + p.b2 <= kBlockRowCount && p.c1 < kBlockRowStride &&
                               p.c2 < kBlockRowStride && p.totalCodewords <= kMaxCodewords;
        if (!groupsFit || !totalsFit || !storeFits) {
            return false;
        }
    }
    return true;
}
static_assert(TableAddsUp(), "a block layout does not add up to its symbol");

}  // namespace

const SymbolParameters& FindSymbolParameters(int version, int level) {
    assert(IsSupportedVersion(version) && IsSupportedLevel(level));
    return kTable[(version - 1) * 4 + (level - kLevelL)];
}

int TotalCodewordsOf(int version) {
    return FindSymbolParameters(version, kLevelL).totalCodewords;
}

int CapacityOf(const SymbolParameters& parameters, int characterMode) {
    assert(IsSupportedMode(characterMode));
    return characterMode == kModeByte           ? parameters.byteCapacity
           : characterMode == kModeAlphanumeric ? parameters.alphanumericCapacity
                                                : parameters.numericCapacity;
}

}  // namespace quirvane
