// The parameter table; generator polynomials and Reed-Solomon blocks against a
// slow reference that multiplies by shift-and-add and divides the schoolbook way.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#include <quirvane/encoder.h>

#include "ecc/generator_polynomials.h"

namespace quirvane {
namespace {

// Codewords of a version: the modules of its data region, eight to a codeword.
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

TEST(ParameterTable, EveryRowKeepsTheInvariants) {
    std::set<std::array<int, 3>> layouts;  // (B1, B2, R)
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(std::to_string(version) + "-" + "?LMQH"[level]);
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            EXPECT_EQ(p.totalCodewords, TotalFromFormula(version));
            EXPECT_EQ(TotalCodewordsOf(version), p.totalCodewords);
            EXPECT_EQ(p.totalCodewords, p.dataCodewords + p.errorCorrectionCodewords);
            EXPECT_EQ(p.totalCodewords, p.b1 * p.c1 + p.b2 * p.c2);
            EXPECT_EQ(p.dataCodewords, p.b1 * p.k1 + p.b2 * p.k2);
            EXPECT_EQ(std::tuple(p.c1, p.c2), std::tuple(p.k1 + p.r1, p.k2 + p.r2));
            // Group-2 blocks hold one data codeword more than group-1 blocks.
            EXPECT_EQ(std::tuple(p.c2, p.k2, p.r2),
                      p.b2 > 0 ? std::tuple(p.c1 + 1, p.k1 + 1, p.r1) : std::tuple(0, 0, 0));
            EXPECT_LE(p.b1 + p.b2, 81);
            EXPECT_LE(std::max(p.c1, p.c2), 153);  // 27-L
            layouts.insert({p.b1, p.b2, p.r1});
            // Each capacity is the longest text whose stream fits the data codewords.
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int header = 4 + CountIndicatorWidth(mode, version);
                const int capacity = CapacityOf(p, mode);
                EXPECT_LE(header + DataBits(mode, capacity), 8 * p.dataCodewords) << mode;
                EXPECT_GT(header + DataBits(mode, capacity + 1), 8 * p.dataCodewords) << mode;
            }
        }
    }
    EXPECT_EQ(layouts.size(), 149u);
}

// Every row against the standard's table as it lists each version: total
// codewords, error-correction codewords per block and blocks, per level.
TEST(ParameterTable, EveryVersionAsTheStandardListsIt) {
    struct Listed {
        int version;
        int total;
        int ecPerBlock[4];  // L, M, Q, H
        int blocks[4];
    };
    // clang-format off
    const Listed listed[] = {
        {1, 26, {7, 10, 13, 17}, {1, 1, 1, 1}},
        {2, 44, {10, 16, 22, 28}, {1, 1, 1, 1}},
        {3, 70, {15, 26, 18, 22}, {1, 1, 2, 2}},
        {4, 100, {20, 18, 26, 16}, {1, 2, 2, 4}},
        {5, 134, {26, 24, 18, 22}, {1, 2, 4, 4}},
        {6, 172, {18, 16, 24, 28}, {2, 4, 4, 4}},
        {7, 196, {20, 18, 18, 26}, {2, 4, 6, 5}},
        {8, 242, {24, 22, 22, 26}, {2, 4, 6, 6}},
        {9, 292, {30, 22, 20, 24}, {2, 5, 8, 8}},
        {10, 346, {18, 26, 24, 28}, {4, 5, 8, 8}},
        {11, 404, {20, 30, 28, 24}, {4, 5, 8, 11}},
        {12, 466, {24, 22, 26, 28}, {4, 8, 10, 11}},
        {13, 532, {26, 22, 24, 22}, {4, 9, 12, 16}},
        {14, 581, {30, 24, 20, 24}, {4, 9, 16, 16}},
        {15, 655, {22, 24, 30, 24}, {6, 10, 12, 18}},
        {16, 733, {24, 28, 24, 30}, {6, 10, 17, 16}},
        {17, 815, {28, 28, 28, 28}, {6, 11, 16, 19}},
        {18, 901, {30, 26, 28, 28}, {6, 13, 18, 21}},
        {19, 991, {28, 26, 26, 26}, {7, 14, 21, 25}},
        {20, 1085, {28, 26, 30, 28}, {8, 16, 20, 25}},
        {21, 1156, {28, 26, 28, 30}, {8, 17, 23, 25}},
        {22, 1258, {28, 28, 30, 24}, {9, 17, 23, 34}},
        {23, 1364, {30, 28, 30, 30}, {9, 18, 25, 30}},
        {24, 1474, {30, 28, 30, 30}, {10, 20, 27, 32}},
        {25, 1588, {26, 28, 30, 30}, {12, 21, 29, 35}},
        {26, 1706, {28, 28, 28, 30}, {12, 23, 34, 37}},
        {27, 1828, {30, 28, 30, 30}, {12, 25, 34, 40}},
        {28, 1921, {30, 28, 30, 30}, {13, 26, 35, 42}},
        {29, 2051, {30, 28, 30, 30}, {14, 28, 38, 45}},
        {30, 2185, {30, 28, 30, 30}, {15, 29, 40, 48}},
        {31, 2323, {30, 28, 30, 30}, {16, 31, 43, 51}},
        {32, 2465, {30, 28, 30, 30}, {17, 33, 45, 54}},
        {33, 2611, {30, 28, 30, 30}, {18, 35, 48, 57}},
        {34, 2761, {30, 28, 30, 30}, {19, 37, 51, 60}},
        {35, 2876, {30, 28, 30, 30}, {19, 38, 53, 63}},
        {36, 3034, {30, 28, 30, 30}, {20, 40, 56, 66}},
        {37, 3196, {30, 28, 30, 30}, {21, 43, 59, 70}},
        {38, 3362, {30, 28, 30, 30}, {22, 45, 62, 74}},
        {39, 3532, {30, 28, 30, 30}, {24, 47, 65, 77}},
        {40, 3706, {30, 28, 30, 30}, {25, 49, 68, 81}},
    };
    // clang-format on
    for (const Listed& l : listed) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(std::to_string(l.version) + "-" + "?LMQH"[level]);
            const SymbolParameters& p = *FindSymbolParameters(l.version, level);
            const int i = level - kLevelL;
            EXPECT_EQ(std::tuple(p.totalCodewords, p.r1, p.b1 + p.b2),
                      std::tuple(l.total, l.ecPerBlock[i], l.blocks[i]));
            EXPECT_EQ(p.errorCorrectionCodewords, l.ecPerBlock[i] * l.blocks[i]);
        }
    }
}

using Bytes = std::vector<std::uint8_t>;

int Multiply(int a, int b) {
    return b == 0 ? 0
                  : ((b & 1) != 0 ? a : 0) ^ Multiply((a << 1) ^ (a & 0x80 ? 0x11D : 0), b >> 1);
}

int AlphaTo(int e) {
    return e <= 0 ? 1 : Multiply(2, AlphaTo(e - 1));
}

// (x - a^0)(x - a^1)...(x - a^(r-1)), coefficients leading term first.
std::vector<int> ProductGenerator(int r) {
    std::vector<int> g{1};
    for (int i = 0; i < r; ++i) {
        g.push_back(0);
        for (std::size_t j = g.size() - 1; j > 0; --j) {
            g[j] ^= Multiply(g[j - 1], AlphaTo(i));
        }
    }
    return g;
}

// The data followed by the remainder of d(x) * x^r divided by the generator.
Bytes Codeword(const Bytes& data, int r) {
    const std::vector<int> g = ProductGenerator(r);
    Bytes work = data;
    work.resize(data.size() + static_cast<std::size_t>(r));
    for (std::size_t i = 0; i < data.size(); ++i) {
        for (std::size_t j = 1; j < g.size(); ++j) {
            work[i + j] ^= static_cast<std::uint8_t>(Multiply(g[j], work[i]));
        }
    }
    std::copy(data.begin(), data.end(), work.begin());
    return work;
}

Bytes RandomBytes(std::mt19937& random, int count) {
    Bytes bytes(static_cast<std::size_t>(count));
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
    return bytes;
}

// Both block shapes of every row, on random blocks with leading zero terms or none.
TEST(ReedSolomon, GeneratorsAndRemaindersOfEveryLayout) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(2024);
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            for (int group = 1; group <= (p.b2 > 0 ? 2 : 1); ++group) {
                const int c = group == 1 ? p.c1 : p.c2, k = group == 1 ? p.k1 : p.k2, r = c - k;
                const int* g = GeneratorOfDegree(r);
                ASSERT_NE(g, nullptr) << r;
                std::vector<int> coefficients;
                std::transform(g, g + r + 1, std::back_inserter(coefficients), AlphaTo);
                EXPECT_EQ(coefficients, ProductGenerator(r)) << r;
                EXPECT_EQ(g[r + 1], -1) << r;
                for (int zeros = 0; zeros < 4; ++zeros) {
                    Bytes buffer = RandomBytes(random, k);
                    std::fill_n(buffer.begin(), zeros, 0);
                    const Bytes codeword = Codeword(buffer, r);
                    buffer.resize(kBlockRowStride);
                    state->ComputeRemainder(c, buffer.data(), k, r + 1, g);
                    ASSERT_EQ(Bytes(buffer.begin(), buffer.begin() + c), codeword)
                        << c << ", " << k;
                }
            }
        }
    }
}

// A caller may hand its generators over in one buffer, refilled each time.
TEST(ReedSolomon, UsesTheGeneratorItIsGivenEvenAtTheSameAddress) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(5);
    int generator[32];
    for (int r : {7, 10, 30, 13}) {
        std::copy_n(GeneratorOfDegree(r), r + 2, generator);
        const Bytes data = RandomBytes(random, 20);
        std::uint8_t buffer[kBlockRowStride] = {};
        std::copy(data.begin(), data.end(), buffer);
        state->ComputeRemainder(20 + r, buffer, 20, r + 1, generator);
        EXPECT_EQ(Bytes(buffer, buffer + 20 + r), Codeword(data, r)) << r;
    }
}

TEST(EncodeBlocks, Version1Examples) {
    const Bytes data = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11,
                        0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC};
    for (const auto& [level, ec] :
         {std::pair{kLevelM, Bytes{0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}},
          std::pair{kLevelL, Bytes{0x53, 0x55, 0x97, 0x67, 0x10, 0x05, 0x84}}}) {
        auto state = std::make_unique<EncoderState>();
        std::copy(data.begin(), data.end(), state->dataCodewords);
        state->EncodeBlocks(1, level);
        Bytes block(data.begin(), data.begin() + 26 - static_cast<std::ptrdiff_t>(ec.size()));
        block.insert(block.end(), ec.begin(), ec.end());
        EXPECT_EQ(Bytes(state->blockRows, state->blockRows + 26), block) << level;
        EXPECT_EQ(state->blockLength[0], 26);
    }
}

// 5-Q: two blocks of 15 data codewords, then two of 16; a filler 0 after the
// data of each group-1 row lines its error correction up with group 2.
TEST(EncodeBlocks, TwoGroupRowsCarryAFiller) {
    auto state = std::make_unique<EncoderState>();
    std::fill(std::begin(state->blockRows), std::end(state->blockRows), 0xAA);
    std::mt19937 random(11);
    const Bytes data = RandomBytes(random, 62);
    std::copy(data.begin(), data.end(), state->dataCodewords);
    state->EncodeBlocks(5, kLevelQ);
    for (int b = 0, start = 0; b < 5; ++b) {  // row 4 stays empty
        const int k = b < 2 ? 15 : b < 4 ? 16 : 0;
        Bytes row =
            k > 0 ? Codeword(Bytes(data.begin() + start, data.begin() + start + k), 18) : Bytes{};
        if (b < 2) {
            row.insert(row.begin() + 15, 0);
        }
        row.resize(kBlockRowStride, 0);
        const std::uint8_t* got = state->blockRows + b * kBlockRowStride;
        EXPECT_EQ(Bytes(got, got + kBlockRowStride), row) << "row " << b;
        EXPECT_EQ(state->blockLength[b], k > 0 ? k + 18 : 0) << "row " << b;
        start += k;
    }
}

}  // namespace
}  // namespace quirvane
