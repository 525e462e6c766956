// The parameter table against the standard's error-correction table, the
// invariants every row obeys, the total-codeword formula, the capacities,
// and the block layouts that several (version, level) pairs share.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "encode/encoder_state.h"

namespace quirvane {
namespace {

constexpr char kLevelNames[] = "?LMQH";

std::string PairName(int version, int level) {
    return std::to_string(version) + "-" + kLevelNames[level];
}

// The standard's table for L, M, Q, H: data codewords, number of blocks and
// error-correction codewords per block. These fix every layout: K1 is data /
// blocks and the B2 longer blocks take the remainder.
struct StandardRow {
    int version;
    int data[4];
    int blocks[4];
    int r[4];
};

constexpr StandardRow kStandard[] = {
    {1, {19, 16, 13, 9}, {1, 1, 1, 1}, {7, 10, 13, 17}},
    {2, {34, 28, 22, 16}, {1, 1, 1, 1}, {10, 16, 22, 28}},
    {3, {55, 44, 34, 26}, {1, 1, 2, 2}, {15, 26, 18, 22}},
    {4, {80, 64, 48, 36}, {1, 2, 2, 4}, {20, 18, 26, 16}},
    {5, {108, 86, 62, 46}, {1, 2, 4, 4}, {26, 24, 18, 22}},
    {6, {136, 108, 76, 60}, {2, 4, 4, 4}, {18, 16, 24, 28}},
    {7, {156, 124, 88, 66}, {2, 4, 6, 5}, {20, 18, 18, 26}},
    {8, {194, 154, 110, 86}, {2, 4, 6, 6}, {24, 22, 22, 26}},
    {9, {232, 182, 132, 100}, {2, 5, 8, 8}, {30, 22, 20, 24}},
    {10, {274, 216, 154, 122}, {4, 5, 8, 8}, {18, 26, 24, 28}},
    {11, {324, 254, 180, 140}, {4, 5, 8, 11}, {20, 30, 28, 24}},
    {12, {370, 290, 206, 158}, {4, 8, 10, 11}, {24, 22, 26, 28}},
    {13, {428, 334, 244, 180}, {4, 9, 12, 16}, {26, 22, 24, 22}},
    {14, {461, 365, 261, 197}, {4, 9, 16, 16}, {30, 24, 20, 24}},
    {15, {523, 415, 295, 223}, {6, 10, 12, 18}, {22, 24, 30, 24}},
    {16, {589, 453, 325, 253}, {6, 10, 17, 16}, {24, 28, 24, 30}},
    {17, {647, 507, 367, 283}, {6, 11, 16, 19}, {28, 28, 28, 28}},
    {18, {721, 563, 397, 313}, {6, 13, 18, 21}, {30, 26, 28, 28}},
    {19, {795, 627, 445, 341}, {7, 14, 21, 25}, {28, 26, 26, 26}},
    {20, {861, 669, 485, 385}, {8, 16, 20, 25}, {28, 26, 30, 28}},
    {40, {2956, 2334, 1666, 1276}, {25, 49, 68, 81}, {30, 28, 30, 30}},
};

// Codewords of a version from the module count of its data region.
int TotalFromFormula(int v) {
    const int a = v / 7 + 2;
    return ((16 * v + 128) * v + 64 - (v >= 2 ? (25 * a - 10) * a - 55 : 0) - (v >= 7 ? 36 : 0)) /
           8;
}

int DataBits(int mode, int count) {
    return mode == kModeByte           ? 8 * count
           : mode == kModeAlphanumeric ? 11 * (count / 2) + 6 * (count % 2)
                                       : 10 * (count / 3) + (count % 3 == 2 ? 7 : 4 * (count % 3));
}

TEST(ParameterTable, EveryRowIsTheStandardsAndKeepsTheInvariants) {
    std::map<int, std::string> atBlocks;  // pairs by their block count
    std::map<int, std::string> atLength;  // and by their longest block
    for (const StandardRow& s : kStandard) {
        const int version = s.version;
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(PairName(version, level));
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            const int i = level - 1;
            // The reference must add up before it can judge.
            ASSERT_EQ(s.data[i] + s.blocks[i] * s.r[i], TotalFromFormula(version));
            EXPECT_EQ(p.dataCodewords, s.data[i]);
            EXPECT_EQ(p.b1 + p.b2, s.blocks[i]);
            EXPECT_EQ(p.r1, s.r[i]);
            EXPECT_EQ(p.k1, s.data[i] / s.blocks[i]);
            EXPECT_EQ(p.b2, s.data[i] % s.blocks[i]);

            EXPECT_EQ(p.totalCodewords, TotalFromFormula(version));
            EXPECT_EQ(TotalCodewordsOf(version), p.totalCodewords);
            EXPECT_EQ(p.totalCodewords, p.dataCodewords + p.errorCorrectionCodewords);
            EXPECT_EQ(p.totalCodewords, p.b1 * p.c1 + p.b2 * p.c2);
            EXPECT_EQ(p.dataCodewords, p.b1 * p.k1 + p.b2 * p.k2);
            EXPECT_EQ(p.c1, p.k1 + p.r1);
            EXPECT_EQ(p.c2, p.k2 + p.r2);
            if (p.b2 > 0) {
                EXPECT_EQ(std::tuple(p.c2, p.k2, p.r2), std::tuple(p.c1 + 1, p.k1 + 1, p.r1));
            } else {
                EXPECT_EQ(std::tuple(p.c2, p.k2, p.r2), std::tuple(0, 0, 0));
            }
            // The block store of 82 rows of 160 bytes is sized from these.
            EXPECT_LE(p.b1 + p.b2, 81);
            EXPECT_LE(p.c1, 150);
            EXPECT_LE(p.c2, 151);
            atBlocks[p.b1 + p.b2] = atLength[std::max(p.c1, p.c2)] = PairName(version, level);
            // Each capacity is the longest text whose stream fits the data codewords.
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int header = 4 + CountIndicatorWidth(mode, version);
                const int capacity = CapacityOf(p, mode);
                EXPECT_LE(header + DataBits(mode, capacity), 8 * p.dataCodewords) << mode;
                EXPECT_GT(header + DataBits(mode, capacity + 1), 8 * p.dataCodewords) << mode;
            }
        }
    }
    EXPECT_EQ(*atBlocks.rbegin(), (std::pair<const int, std::string>{81, "40-H"}));
    EXPECT_EQ(*atLength.rbegin(), (std::pair<const int, std::string>{151, "18-L"}));
}

// Total = data + error correction, the two groups as B x (C, K, R), and the
// byte / alphanumeric / numeric capacities.
std::string Describe(const SymbolParameters& p) {
    std::ostringstream out;
    out << p.totalCodewords << "=" << p.dataCodewords << "+" << p.errorCorrectionCodewords << " "
        << p.b1 << "x(" << p.c1 << "," << p.k1 << "," << p.r1 << ")+" << p.b2 << "x(" << p.c2 << ","
        << p.k2 << "," << p.r2 << ") " << p.byteCapacity << "/" << p.alphanumericCapacity << "/"
        << p.numericCapacity;
    return out.str();
}

TEST(ParameterTable, TellingRows) {
    const std::pair<std::string, const char*> rows[] = {
        {"1-L", "26=19+7 1x(26,19,7)+0x(0,0,0) 17/25/41"},
        {"1-M", "26=16+10 1x(26,16,10)+0x(0,0,0) 14/20/34"},
        {"1-Q", "26=13+13 1x(26,13,13)+0x(0,0,0) 11/16/27"},
        {"1-H", "26=9+17 1x(26,9,17)+0x(0,0,0) 7/10/17"},
        {"2-H", "44=16+28 1x(44,16,28)+0x(0,0,0) 14/20/34"},
        {"4-H", "100=36+64 4x(25,9,16)+0x(0,0,0) 34/50/82"},
        {"5-Q", "134=62+72 2x(33,15,18)+2x(34,16,18) 60/87/144"},
        {"7-H", "196=66+130 4x(39,13,26)+1x(40,14,26) 64/93/154"},
        {"9-L", "292=232+60 2x(146,116,30)+0x(0,0,0) 230/335/552"},
        {"10-L", "346=274+72 2x(86,68,18)+2x(87,69,18) 271/395/652"},
        {"11-M", "404=254+150 1x(80,50,30)+4x(81,51,30) 251/366/604"},
        {"13-L", "532=428+104 4x(133,107,26)+0x(0,0,0) 425/619/1022"},
        {"17-L", "815=647+168 1x(135,107,28)+5x(136,108,28) 644/938/1548"},
        {"17-Q", "815=367+448 1x(50,22,28)+15x(51,23,28) 364/531/876"},
        {"18-L", "901=721+180 5x(150,120,30)+1x(151,121,30) 718/1046/1725"},
        {"20-H", "1085=385+700 15x(43,15,28)+10x(44,16,28) 382/557/919"},
        {"40-L", "3706=2956+750 19x(148,118,30)+6x(149,119,30) 2953/4296/7089"},
        {"40-M", "3706=2334+1372 18x(75,47,28)+31x(76,48,28) 2331/3391/5596"},
        {"40-Q", "3706=1666+2040 34x(54,24,30)+34x(55,25,30) 1663/2420/3993"},
        {"40-H", "3706=1276+2430 20x(45,15,30)+61x(46,16,30) 1273/1852/3057"},
    };
    for (const auto& [pair, row] : rows) {
        const int version = std::stoi(pair);
        const int level = static_cast<int>(std::string(kLevelNames).find(pair.back()));
        EXPECT_EQ(Describe(*FindSymbolParameters(version, level)), row) << pair;
    }
}

TEST(ParameterTable, SeventyFiveLayoutsAndTheSharedOnes) {
    std::map<std::array<int, 3>, std::vector<std::string>> pairsOfLayout;
    for (const StandardRow& s : kStandard) {
        const int version = s.version;
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            std::string name = PairName(version, level) + " (" + std::to_string(p.c1) + ", " +
                               std::to_string(p.k1);
            if (p.b2 > 0) {
                name += " / " + std::to_string(p.c2) + ", " + std::to_string(p.k2);
            }
            pairsOfLayout[{p.b1, p.b2, p.r1}].push_back(name + ")");
        }
    }
    EXPECT_EQ(pairsOfLayout.size(), 75u);
    std::map<std::array<int, 3>, std::vector<std::string>> shared;
    for (const auto& [layout, pairs] : pairsOfLayout) {
        if (pairs.size() > 1) {
            shared[layout] = pairs;
        }
    }
    const std::map<std::array<int, 3>, std::vector<std::string>> expected = {
        {{1, 0, 10}, {"1-M (26, 16)", "2-L (44, 34)"}},
        {{1, 0, 26}, {"3-M (70, 44)", "5-L (134, 108)"}},
        {{2, 0, 18}, {"3-Q (35, 17)", "4-M (50, 32)", "6-L (86, 68)"}},
        {{4, 0, 16}, {"4-H (25, 9)", "6-M (43, 27)"}},
        {{2, 0, 24}, {"5-M (67, 43)", "8-L (121, 97)"}},
        {{2, 2, 18}, {"5-Q (33, 15 / 34, 16)", "10-L (86, 68 / 87, 69)"}},
        {{2, 2, 22}, {"5-H (33, 11 / 34, 12)", "8-M (60, 38 / 61, 39)"}},
        {{4, 1, 26}, {"7-H (39, 13 / 40, 14)", "10-M (69, 43 / 70, 44)"}},
    };
    EXPECT_EQ(shared, expected);
}

}  // namespace
}  // namespace quirvane
