// The matrix stages: function patterns and their marks and codeword placement
// against the reference geometry, interleaving, masks, format and version
// information.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <quirvane/encoder.h>

#include "matrix/format_word.h"
#include "reference_geometry.h"

namespace quirvane {
namespace {

using reference::Module;

TEST(FunctionPatterns, EveryVersionMatchesTheReferenceGeometry) {
    const std::map<int, std::pair<std::ptrdiff_t, std::ptrdiff_t>> counts = {
        {1, {106, 233}},  {2, {127, 266}},  {7, {226, 457}},  // dark pattern modules, marked ones
        {14, {367, 678}}, {20, {391, 726}}, {40, {1014, 1681}}};
    auto state = std::make_unique<EncoderState>();
    for (int v = 1; v <= 40; v += v == 20 ? 20 : 1) {
        SCOPED_TRACE(v);
        const int n = 4 * v + 17;
        state->BuildFunctionPatterns(40);  // a larger symbol first: none of it may stay
        state->BuildFunctionPatterns(v);
        std::memset(state->dataPlane, '#', kPlaneCells);
        state->MarkFunctionAreas(v, 1, '*');
        for (int cell = 0; cell < kPlaneCells; ++cell) {
            const int y = cell / kPlaneStride, x = cell % kPlaneStride;
            const bool inside = y < n && x < n;
            const bool function = inside && reference::IsFunctionModule(v, y, x);
            ASSERT_EQ(state->patternPlane[cell], inside ? reference::PatternModule(v, y, x) : '\0')
                << y << ", " << x;
            ASSERT_EQ(state->dataPlane[cell], function ? '*'
                                              : inside ? '0'
                                                       : '#')
                << y << ", " << x;
        }
        if (counts.contains(v)) {
            EXPECT_EQ(std::pair(std::ranges::count(state->patternPlane, '1'),
                                std::ranges::count(state->dataPlane, '*')),
                      counts.at(v));
        }
    }
}

// Places the codewords on a freshly marked plane; gives the modules then holding `value`.
std::vector<Module> Place(EncoderState& state, int v, const std::vector<std::uint8_t>& codewords,
                          char value) {
    state.MarkFunctionAreas(v, 1, '*');
    std::copy(codewords.begin(), codewords.end(), state.codewordSequence);
    state.codewordCount = static_cast<int>(codewords.size());
    state.PlaceCodewords(v);
    std::vector<Module> modules;
    for (int cell = 0; cell < kPlaneCells; ++cell) {
        if (state.dataPlane[cell] == value) {
            modules.push_back({cell / kPlaneStride, cell % kPlaneStride});
        }
    }
    return modules;
}

TEST(PlaceCodewords, WorkedPositionsAndRemainderModules) {
    const std::tuple<int, int, Module> positions[] = {
        // version, stream bit, its module
        {1, 0, {20, 20}},  {1, 1, {20, 19}},  {1, 2, {19, 20}}, {1, 7, {17, 19}},
        {1, 22, {9, 20}},  {1, 23, {9, 19}},  {1, 24, {9, 18}},  // then down the pair (18, 17)
        {1, 206, {12, 1}}, {1, 207, {12, 0}}, {2, 0, {24, 24}}, {2, 351, {13, 1}},
    };
    auto state = std::make_unique<EncoderState>();
    for (const auto& [v, bit, module] : positions) {
        std::vector<std::uint8_t> codewords(static_cast<std::size_t>(TotalCodewordsOf(v)));
        codewords[static_cast<std::size_t>(bit / 8)] = static_cast<std::uint8_t>(0x80 >> bit % 8);
        EXPECT_EQ(Place(*state, v, codewords, '1'), std::vector<Module>{module})
            << v << ": " << bit;
    }
    // Version 2 with every bit set: only the seven remainder modules stay light.
    EXPECT_EQ(Place(*state, 2, std::vector<std::uint8_t>(44, 0xFF), '0'),
              (std::vector<Module>{{13, 0}, {14, 0}, {14, 1}, {15, 0}, {15, 1}, {16, 0}, {16, 1}}));
}

TEST(PlaceCodewords, OneCodewordChangesExactlyEightModules) {
    std::mt19937 random(99);
    for (int v : {1, 7, 40}) {
        std::vector<std::uint8_t> codewords(static_cast<std::size_t>(TotalCodewordsOf(v)));
        std::generate(codewords.begin(), codewords.end(), [&] { return random(); });
        auto state = std::make_unique<EncoderState>();
        const std::vector<Module> before = Place(*state, v, codewords, '1');
        for (std::size_t i : {std::size_t{0}, codewords.size() / 2, codewords.size() - 1}) {
            std::vector<std::uint8_t> changed = codewords;
            changed[i] = static_cast<std::uint8_t>(~changed[i]);
            std::vector<Module> differing;
            std::ranges::set_symmetric_difference(before, Place(*state, v, changed, '1'),
                                                  std::back_inserter(differing));
            EXPECT_EQ(differing.size(), 8u) << "version " << v << " codeword " << i;
        }
    }
}

// Block b holds 64 * b + k at column k, so each interleaved codeword tells where it came from.
std::vector<int> InterleaveLabelled(int version, int level) {
    auto state = std::make_unique<EncoderState>();
    const SymbolParameters& p = *FindSymbolParameters(version, level);
    for (int b = 0; b < p.b1 + p.b2; ++b) {
        for (int k = 0; k < 64; ++k) {
            state->blockRows[b * kBlockRowStride + k] = static_cast<std::uint8_t>(64 * b + k);
        }
        state->blockLength[b] = b < p.b1 ? p.c1 : p.c2;
    }
    state->InterleaveBlocks(version, level);
    return {state->codewordSequence, state->codewordSequence + state->codewordCount};
}

TEST(InterleaveBlocks, WorkedOrders) {
    const std::vector<int> h3 = InterleaveLabelled(3, kLevelH);  // 2 x (35, 13)
    const std::vector<int> q5 = InterleaveLabelled(5, kLevelQ);  // 2 x (33, 15), 2 x (34, 16)
    ASSERT_EQ(std::pair(h3.size(), q5.size()), (std::pair<std::size_t, std::size_t>(70, 134)));
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(q5[static_cast<std::size_t>(i)], 64 * (i % 4) + i / 4) << "5-Q " << i;
    }
    // Version, index, block, column. 5-Q ends its data with group 2, and its error
    // correction follows past the fillers.
    const int spots[][4] = {{3, 0, 0, 0},   {3, 1, 1, 0},   {3, 2, 0, 1},   {3, 25, 1, 12},
                            {3, 26, 0, 13}, {3, 27, 1, 13}, {3, 69, 1, 34}, {5, 60, 2, 15},
                            {5, 61, 3, 15}, {5, 62, 0, 16}, {5, 63, 1, 16}, {5, 64, 2, 16},
                            {5, 133, 3, 33}};
    for (const auto& [v, i, b, k] : spots) {
        EXPECT_EQ((v == 3 ? h3 : q5)[static_cast<std::size_t>(i)], 64 * b + k) << v << ": " << i;
    }
    EXPECT_EQ(std::ranges::count(q5, 15) + std::ranges::count(q5, 64 + 15), 0);
}

// Remainder of a binary polynomial divided by a generator of the given degree.
int BinaryRemainder(int value, int generator, int degree) {
    for (int bit = 30; bit >= degree; --bit) {
        value ^= ((value >> bit) & 1) != 0 ? generator << (bit - degree) : 0;
    }
    return value;
}

// Rows 9-11 of version 40 are data modules but for the timing column, and
// every mask repeats along a row every 6 columns.
TEST(ApplyMask, WorkedRowsAndInvolution) {
    const std::tuple<int, int, const char*> rows[] = {
        {0, 9, "010101"},   {1, 10, "111111"}, {2, 10, "100100"}, {3, 10, "001001"},
        {4, 11, "000111"},  {5, 9, "101010"},  {6, 10, "101101"}, {7, 10, "111000"},
        {-1, 10, "000000"}, {8, 10, "000000"},  // no such mask
    };
    for (const auto& [mask, row, period] : rows) {
        auto state = std::make_unique<EncoderState>();
        state->MarkFunctionAreas(40, 1, '*');
        state->ApplyMask(40, mask);
        for (int j = 0; j < 177; ++j) {
            ASSERT_EQ(state->dataPlane[row * kPlaneStride + j], j == 6 ? '*' : period[j % 6])
                << "mask " << mask << " column " << j;
        }
    }
    auto state = std::make_unique<EncoderState>();
    state->MarkFunctionAreas(40, 1, '*');
    std::mt19937 random(3);
    std::replace_if(
        state->dataPlane, state->dataPlane + kPlaneCells,
        [&](char cell) { return cell == '0' && random() % 2 == 0; }, '1');
    const std::string before(state->dataPlane, kPlaneCells);
    for (int mask = 0; mask < 8; ++mask) {
        state->ApplyMask(40, mask);
        EXPECT_NE(std::string(state->dataPlane, kPlaneCells), before) << mask;
        state->ApplyMask(40, mask);
        EXPECT_EQ(std::string(state->dataPlane, kPlaneCells), before) << mask;
    }
}

TEST(FormatWord, ExamplesAndAllThirtyTwoCheckUnderBch) {
    EXPECT_EQ(FormatWordOf(kLevelM, 0), 0x5412);
    EXPECT_EQ(FormatWordOf(kLevelL, 0), 0x77C4);
    EXPECT_EQ(FormatWordOf(kLevelH, 3), 0x19D0);
    EXPECT_EQ(FormatWordOf(kLevelQ, 7), 0x2BED);
    const int indicator[] = {0, 0b01, 0b00, 0b11, 0b10};  // L, M, Q, H
    for (int level = kLevelL; level <= kLevelH; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            const int unmasked = FormatWordOf(level, mask) ^ 0b101010000010010;
            EXPECT_EQ(unmasked >> 10, indicator[level] << 3 | mask) << level << "/" << mask;
            EXPECT_EQ(BinaryRemainder(unmasked, 0b10100110111, 10), 0) << level << "/" << mask;
        }
    }
}

// Both copies of the format word and, from version 7, both copies of a
// version word that carries the version and checks under BCH(18,6); nothing else.
TEST(WriteFormatAndVersionInfo, EveryVersion) {
    auto state = std::make_unique<EncoderState>();
    for (int v = 1; v <= 40; v += v == 20 ? 20 : 1) {
        SCOPED_TRACE(v);
        const int n = 4 * v + 17, level = 1 + v % 4, mask = v % 8;
        std::memset(state->dataPlane, 'x', kPlaneCells);
        state->WriteFormatAndVersionInfo(v, level, mask);
        const auto bit = [&](int row, int column) {
            const char cell = state->dataPlane[row * kPlaneStride + column];
            EXPECT_TRUE(cell == '0' || cell == '1') << row << ", " << column;
            return cell == '1' ? 1 : 0;
        };
        int first = 0, second = 0;  // around the top-left finder; bottom-left then top-right
        for (int k = 0; k < 15; ++k) {
            first = first << 1 | (k < 8 ? bit(8, k < 6 ? k : k + 1) : bit(k == 8 ? 7 : 14 - k, 8));
            second = second << 1 | (k < 7 ? bit(n - 1 - k, 8) : bit(8, n - 15 + k));
        }
        EXPECT_EQ(first, FormatWordOf(level, mask));
        EXPECT_EQ(second, first);
        int above = 0, left = 0;  // above the top-right finder, and its transposed copy
        for (int k = 0; v >= 7 && k < 18; ++k) {
            above |= bit(k / 3, n - 11 + k % 3) << k;
            left |= bit(n - 11 + k % 3, k / 3) << k;
        }
        EXPECT_EQ(above, left);
        EXPECT_EQ(above >> 12, v >= 7 ? v : 0);
        EXPECT_EQ(BinaryRemainder(above, 0b1111100100101, 12), 0) << std::hex << above;
        EXPECT_EQ(std::count(state->dataPlane, state->dataPlane + kPlaneCells, 'x'),
                  kPlaneCells - (v >= 7 ? 66 : 30));
    }
}

}  // namespace
}  // namespace quirvane
