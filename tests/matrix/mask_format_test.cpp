// Data masks, format and version information, and the finished symbol of
// every version and level read back module by module.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "encode/bit_string.h"
#include "encode/encoder_state.h"
#include "matrix/format_word.h"
#include "reference_geometry.h"

namespace quirvane {
namespace {

using reference::Module;
using reference::Side;

char At(const char* plane, int row, int column) {
    return plane[row * kPlaneStride + column];
}

// The data mask conditions of the standard, i the row and j the column.
bool MaskHolds(int mask, int i, int j) {
    const int conditions[8] = {(i + j) % 2,
                               i % 2,
                               j % 3,
                               (i + j) % 3,
                               (i / 2 + j / 3) % 2,
                               (i * j) % 2 + (i * j) % 3,
                               ((i * j) % 2 + (i * j) % 3) % 2,
                               ((i + j) % 2 + (i * j) % 3) % 2};
    return conditions[mask] == 0;
}

// Remainder of a binary polynomial divided by a generator of the given degree.
int BinaryRemainder(int value, int generator, int degree) {
    for (int bit = std::bit_width(static_cast<unsigned>(value)) - 1; bit >= degree; --bit) {
        if (((value >> bit) & 1) != 0) {
            value ^= generator << (bit - degree);
        }
    }
    return value;
}

// The level indicators in the format information: 01 L, 00 M, 11 Q, 10 H.
int LevelIndicator(int level) {
    return level == kLevelL ? 1 : level == kLevelM ? 0 : level == kLevelQ ? 3 : 2;
}

// Modules of format bit F[k] (F[0] the most significant) in both copies.
std::pair<Module, Module> FormatModules(int version, int k) {
    const int n = Side(version);
    const Module first[15] = {{8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 7}, {8, 8},
                              {7, 8}, {5, 8}, {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8}};
    const Module second = k <= 6 ? Module{n - 1 - k, 8} : Module{8, n - 15 + k};
    return {first[k], second};
}

TEST(ApplyMask, WorkedExamplesOnALightVersion1Region) {
    const auto masked = [](int mask) {
        auto state = std::make_unique<EncoderState>();
        state->MarkFunctionAreas(1, 1, '*');
        state->ApplyMask(1, mask);
        return state;
    };
    const auto row = [](const EncoderState& s, int r) {
        return std::string(s.dataPlane + r * kPlaneStride, 21);
    };
    auto s0 = masked(0);
    EXPECT_EQ(row(*s0, 9).substr(9, 3), "101");
    EXPECT_EQ(At(s0->dataPlane, 10, 10), '1');
    auto s1 = masked(1);
    EXPECT_EQ(row(*s1, 10), "111111*11111111111111");
    EXPECT_EQ(row(*s1, 9), "000000*00000000000000");
    auto s2 = masked(2);
    EXPECT_EQ(row(*s2, 10), "100100*00100100100100");
    auto s4 = masked(4);
    EXPECT_EQ(row(*s4, 9), "111000*11000111000111");
    EXPECT_EQ(row(*s4, 11), "000111*00111000111000");
    auto s5 = masked(5);  // i * j = 0 on row 0 and column 0
    EXPECT_EQ(row(*s5, 0).substr(9, 4), "1111");
    for (int r = 9; r <= 12; ++r) {
        EXPECT_EQ(At(s5->dataPlane, r, 0), '1') << r;
    }
    for (int mask : {-1, 8}) {  // no such mask: nothing changes
        EXPECT_EQ(row(*masked(mask), 10), "000000*00000000000000");
    }
    // On random data, a second pass of any mask undoes the first.
    auto state = std::make_unique<EncoderState>();
    state->MarkFunctionAreas(40, 1, '*');
    std::mt19937 random(3);
    for (char& cell : state->dataPlane) {
        cell = cell == '0' && random() % 2 == 0 ? '1' : cell;
    }
    const std::string before(state->dataPlane, kPlaneCells);
    for (int mask = 0; mask < 8; ++mask) {
        state->ApplyMask(40, mask);
        EXPECT_NE(std::string(state->dataPlane, kPlaneCells), before) << mask;
        state->ApplyMask(40, mask);
        EXPECT_EQ(std::string(state->dataPlane, kPlaneCells), before) << mask;
    }
}

TEST(FormatWord, WorkedExamples) {
    EXPECT_EQ(FormatWordOf(kLevelM, 0), 0x5412);
    EXPECT_EQ(FormatWordOf(kLevelL, 0), 0x77C4);
    EXPECT_EQ(FormatWordOf(kLevelH, 3), 0x19D0);
    EXPECT_EQ(FormatWordOf(kLevelQ, 7), 0x2BED);
}

TEST(FormatWord, AllThirtyTwoAreBchCodewordsFarApart) {
    std::vector<int> words;
    for (int level = kLevelL; level <= kLevelH; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            SCOPED_TRACE(::testing::Message() << level << "/" << mask);
            const int unmasked = FormatWordOf(level, mask) ^ 0b101010000010010;
            EXPECT_EQ(unmasked >> 10, LevelIndicator(level) << 3 | mask);
            EXPECT_EQ(BinaryRemainder(unmasked, 0b10100110111, 10), 0);
            words.push_back(FormatWordOf(level, mask));
        }
    }
    for (std::size_t a = 0; a < words.size(); ++a) {
        for (std::size_t b = a + 1; b < words.size(); ++b) {
            EXPECT_GE(std::popcount(static_cast<unsigned>(words[a] ^ words[b])), 7)
                << a << "," << b;
        }
    }
}

// Both copies of the format information and, from version 7, of a version
// word that carries the version and checks under BCH(18,6); nothing else.
TEST(WriteFormatAndVersionInfo, EveryVersion) {
    auto state = std::make_unique<EncoderState>();
    for (int v : reference::kVersions) {
        SCOPED_TRACE(v);
        const int n = Side(v);
        const int level = 1 + v % 4;
        const int mask = v % 8;
        std::memset(state->dataPlane, 'x', kPlaneCells);
        state->WriteFormatAndVersionInfo(v, level, mask);
        std::set<Module> written;
        for (int k = 0; k < 15; ++k) {
            const char bit = ((FormatWordOf(level, mask) >> (14 - k)) & 1) != 0 ? '1' : '0';
            const auto [first, second] = FormatModules(v, k);
            EXPECT_EQ(At(state->dataPlane, first.first, first.second), bit) << "F" << k;
            EXPECT_EQ(At(state->dataPlane, second.first, second.second), bit) << "F" << k;
            written.insert({first, second});
        }
        if (v >= 7) {
            int above = 0;  // above the top-right finder, and its transposed copy
            int left = 0;
            for (int k = 0; k < 18; ++k) {
                const Module top{k / 3, n - 11 + k % 3};
                above |= (At(state->dataPlane, top.first, top.second) == '1' ? 1 : 0) << k;
                left |= (At(state->dataPlane, top.second, top.first) == '1' ? 1 : 0) << k;
                written.insert({top, {top.second, top.first}});
            }
            EXPECT_EQ(above, left);
            EXPECT_EQ(above >> 12, v);
            EXPECT_EQ(BinaryRemainder(above, 0b1111100100101, 12), 0) << std::hex << above;
        }
        EXPECT_EQ(written.size(), v >= 7 ? 66u : 30u);
        EXPECT_EQ(kPlaneCells - std::count(state->dataPlane, state->dataPlane + kPlaneCells, 'x'),
                  static_cast<long>(written.size()));
    }
}

TEST(WriteFormatAndVersionInfo, WorkedModules) {
    auto state = std::make_unique<EncoderState>();
    const auto module = [&](int r, int c) { return At(state->dataPlane, r, c); };
    state->WriteFormatAndVersionInfo(1, kLevelM, 0);
    EXPECT_EQ(std::string({module(8, 0), module(8, 1), module(0, 8), module(1, 8)}), "1001");
    state->WriteFormatAndVersionInfo(1, kLevelH, 3);
    EXPECT_EQ(std::string(state->dataPlane + 8 * kPlaneStride, 6), "001100");
    EXPECT_EQ(std::string({module(8, 7), module(8, 8), module(7, 8), module(20, 8), module(8, 20)}),
              "11100");

    std::memset(state->dataPlane, 'x', kPlaneCells);
    state->WriteFormatAndVersionInfo(6, kLevelL, 0);
    EXPECT_EQ(module(0, 30), 'x');
    EXPECT_EQ(module(30, 0), 'x');
    state->WriteFormatAndVersionInfo(7, kLevelL, 0);
    EXPECT_EQ(std::string(state->dataPlane + 34, 3), "001");
    EXPECT_EQ(std::string(state->dataPlane + 4 * kPlaneStride + 34, 3), "111");
    EXPECT_EQ(std::string(state->dataPlane + 5 * kPlaneStride + 34, 3), "000");
    EXPECT_EQ(
        std::string({module(34, 0), module(35, 0), module(36, 0), module(34, 4), module(34, 5)}),
        "00110");
    state->WriteFormatAndVersionInfo(40, kLevelL, 0);
    EXPECT_EQ(module(0, 166), '1');  // bit 0 of 0x28C69
    EXPECT_EQ(module(5, 168), '1');  // bit 17
}

// The finished symbol of every version and level, masks taking turns: the
// two planes never both darken a module, the format information tells the
// level and mask, and unmasking the data modules in placement order gives
// back the interleaved codewords.
class FinishedSymbol : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(FinishedSymbol, ReadsBackAsItWasEncoded) {
    const auto [version, level] = GetParam();
    const int n = Side(version);
    const int mask = (version + 3 * level) % 8;
    auto state = std::make_unique<EncoderState>();
    state->characterMode = kModeByte;
    state->version = version;
    state->errorCorrectionLevel = level;
    state->maskReference = mask;
    state->LoadSymbolParameters();
    std::string text;
    std::mt19937 random(static_cast<unsigned>(version * 4 + level));
    for (int i = 0; i < state->symbolParameters.byteCapacity * (1 + version % 3) / 3; ++i) {
        text += static_cast<char>(' ' + random() % 95);
    }
    ASSERT_TRUE(state->CreateData(text).Created());

    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const char p = At(state->patternPlane, y, x);
            const char d = At(state->dataPlane, y, x);
            ASSERT_FALSE(p == '1' && d == '1') << y << "," << x;
            ASSERT_EQ(At(state->symbolMatrix, y, x), p == '1' || d == '1' ? '1' : '0')
                << y << "," << x;
        }
    }
    for (int k = 0; k < 15; ++k) {
        const auto [first, second] = FormatModules(version, k);
        const char bit = ((FormatWordOf(level, mask) >> (14 - k)) & 1) != 0 ? '1' : '0';
        ASSERT_EQ(At(state->symbolMatrix, first.first, first.second), bit) << "F" << k;
        ASSERT_EQ(At(state->symbolMatrix, second.first, second.second), bit) << "F" << k;
    }
    const std::vector<Module> order = reference::PlacementOrder(version);
    const int bits = 8 * state->symbolParameters.totalCodewords;
    ASSERT_EQ(state->codewordCount, state->symbolParameters.totalCodewords);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto [y, x] = order[i];
        const bool dark = (At(state->symbolMatrix, y, x) == '1') != MaskHolds(mask, y, x);
        const char want = static_cast<int>(i) < bits
                              ? BitOf(state->codewordSequence[i / 8], static_cast<int>(i % 8))
                              : '0';
        ASSERT_EQ(dark ? '1' : '0', want) << "stream bit " << i << " at (" << y << ", " << x << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, FinishedSymbol,
                         ::testing::Combine(::testing::ValuesIn(reference::kVersions),
                                            ::testing::Range(1, 5)),
                         [](const auto& info) {
                             std::string name = "v";
                             name += std::to_string(std::get<0>(info.param));
                             name += "_";
                             name += "?LMQH"[std::get<1>(info.param)];
                             return name;
                         });

}  // namespace
}  // namespace quirvane
