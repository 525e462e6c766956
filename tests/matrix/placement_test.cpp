// Codeword placement and block interleaving: where each stream bit lands,
// the remainder modules, and the order in which blocks are interleaved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "encode/bit_string.h"
#include "encode/encoder_state.h"
#include "reference_geometry.h"

namespace quirvane {
namespace {

using reference::Module;
using reference::Side;

char At(const EncoderState& s, Module m) {
    return s.dataPlane[m.first * kPlaneStride + m.second];
}

void Place(EncoderState& state, int version, const std::vector<std::uint8_t>& codewords) {
    state.MarkFunctionAreas(version, 1, '*');
    std::fill(std::begin(state.codewordSequence), std::end(state.codewordSequence), 0);
    std::copy(codewords.begin(), codewords.end(), state.codewordSequence);
    state.codewordCount = TotalCodewordsOf(version);
    state.PlaceCodewords(version);
}

std::vector<std::uint8_t> RandomCodewords(int version, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> codewords(static_cast<std::size_t>(TotalCodewordsOf(version)));
    for (auto& c : codewords) {
        c = static_cast<std::uint8_t>(random());
    }
    return codewords;
}

// The module that receives stream bit `bit`, found by placing it alone.
Module ModuleOfBit(EncoderState& state, int version, int bit) {
    std::vector<std::uint8_t> codewords(static_cast<std::size_t>(TotalCodewordsOf(version)), 0);
    codewords[static_cast<std::size_t>(bit / 8)] = static_cast<std::uint8_t>(0x80 >> (bit % 8));
    Place(state, version, codewords);
    const int n = Side(version);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (At(state, {y, x}) == '1') {
                return {y, x};
            }
        }
    }
    return {-1, -1};
}

TEST(PlaceCodewords, WorkedPositions) {
    auto state = std::make_unique<EncoderState>();
    const Module firstCodeword[] = {{20, 20}, {20, 19}, {19, 20}, {19, 19},
                                    {18, 20}, {18, 19}, {17, 20}, {17, 19}};
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(ModuleOfBit(*state, 1, bit), firstCodeword[bit]) << bit;
    }
    EXPECT_EQ(ModuleOfBit(*state, 1, 22), (Module{9, 20}));
    EXPECT_EQ(ModuleOfBit(*state, 1, 23), (Module{9, 19}));
    EXPECT_EQ(ModuleOfBit(*state, 1, 24), (Module{9, 18}));  // top of the downward pair (18, 17)
    EXPECT_EQ(ModuleOfBit(*state, 1, 206), (Module{12, 1}));
    EXPECT_EQ(ModuleOfBit(*state, 1, 207), (Module{12, 0}));
    EXPECT_EQ(ModuleOfBit(*state, 2, 0), (Module{24, 24}));

    // Version 2 with every bit set: only the seven remainder modules stay light.
    Place(*state, 2, std::vector<std::uint8_t>(44, 0xFF));
    std::vector<Module> light;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            if (At(*state, {y, x}) == '0') {
                light.push_back({y, x});
            }
        }
    }
    EXPECT_EQ(light,
              (std::vector<Module>{{13, 0}, {14, 0}, {14, 1}, {15, 0}, {15, 1}, {16, 0}, {16, 1}}));
}

TEST(PlaceCodewords, OneCodewordChangesExactlyItsEightModules) {
    for (int v : {1, 2, 7, 14, 40}) {
        const std::vector<Module> order = reference::PlacementOrder(v);
        const std::vector<std::uint8_t> codewords = RandomCodewords(v, 99);
        auto state = std::make_unique<EncoderState>();
        Place(*state, v, codewords);
        const std::string before(state->dataPlane, kPlaneCells);
        for (std::size_t i : {std::size_t{0}, codewords.size() / 2, codewords.size() - 1}) {
            SCOPED_TRACE(::testing::Message() << "version " << v << " codeword " << i);
            std::vector<std::uint8_t> changed = codewords;
            changed[i] = static_cast<std::uint8_t>(~changed[i]);
            Place(*state, v, changed);
            std::vector<Module> differing;
            for (int cell = 0; cell < kPlaneCells; ++cell) {
                if (state->dataPlane[cell] != before[static_cast<std::size_t>(cell)]) {
                    differing.push_back({cell / kPlaneStride, cell % kPlaneStride});
                }
            }
            std::vector<Module> own(order.begin() + static_cast<std::ptrdiff_t>(8 * i),
                                    order.begin() + static_cast<std::ptrdiff_t>(8 * i + 8));
            std::sort(own.begin(), own.end());
            EXPECT_EQ(differing, own);
        }
    }
}

TEST(BitOf, GivesTheBitsMostSignificantFirst) {
    std::string bits;
    for (int j = -1; j <= 8; ++j) {
        bits += BitOf(0xB5, j);
    }
    EXPECT_EQ(bits, "0101101010");  // outside 0-7 is '0'
}

// Rows labelled row * 64 + column, so each interleaved byte tells where it came from.
std::uint8_t Label(int row, int column) {
    return static_cast<std::uint8_t>(row * 64 + column);
}

std::vector<std::uint8_t> InterleaveLabelled(EncoderState& state, int version, int level) {
    const SymbolParameters& p = *FindSymbolParameters(version, level);
    for (int b = 0; b < p.b1 + p.b2; ++b) {
        for (int k = 0; k < 64; ++k) {
            state.blockRows[b * kBlockRowStride + k] = Label(b, k);
        }
        state.blockLength[b] = b < p.b1 ? p.c1 : p.c2;
    }
    state.MarkFunctionAreas(version, 1, '*');
    state.InterleaveBlocks(version, level);
    return {state.codewordSequence, state.codewordSequence + state.codewordCount};
}

TEST(InterleaveBlocks, WorkedOrders) {
    auto state = std::make_unique<EncoderState>();
    std::vector<std::uint8_t> row0;
    for (int k = 0; k < 26; ++k) {
        row0.push_back(Label(0, k));
    }
    EXPECT_EQ(InterleaveLabelled(*state, 1, kLevelL), row0);

    const std::vector<std::uint8_t> h3 = InterleaveLabelled(*state, 3, kLevelH);
    ASSERT_EQ(h3.size(), 70u);
    EXPECT_EQ((std::vector<std::uint8_t>{h3[0], h3[1], h3[2], h3[25], h3[26], h3[27], h3[69]}),
              (std::vector<std::uint8_t>{Label(0, 0), Label(1, 0), Label(0, 1), Label(1, 12),
                                         Label(0, 13), Label(1, 13), Label(1, 34)}));

    const std::vector<std::uint8_t> q5 = InterleaveLabelled(*state, 5, kLevelQ);
    ASSERT_EQ(q5.size(), 134u);
    for (int i = 0; i < 60; ++i) {
        ASSERT_EQ(q5[static_cast<std::size_t>(i)], Label(i % 4, i / 4)) << i;
    }
    EXPECT_EQ(q5[60], Label(2, 15));
    EXPECT_EQ(q5[61], Label(3, 15));
    EXPECT_EQ(q5[62], Label(0, 16));  // E(0, 0), after the filler of row 0
    EXPECT_EQ(q5[63], Label(1, 16));
    EXPECT_EQ(q5[64], Label(2, 16));  // E(2, 0) of a group-2 row
    EXPECT_EQ(q5[133], Label(3, 33));
    EXPECT_EQ(std::count(q5.begin(), q5.end(), Label(0, 15)) +
                  std::count(q5.begin(), q5.end(), Label(1, 15)),
              0);

    const std::vector<std::uint8_t> m7 = InterleaveLabelled(*state, 7, kLevelM);
    ASSERT_EQ(m7.size(), 196u);
    for (std::size_t i = 0; i < m7.size(); ++i) {
        ASSERT_EQ(m7[i], Label(static_cast<int>(i % 4), static_cast<int>(i / 4))) << i;
    }
}

// The first data codeword of every block, then the second, and so on, then
// the error-correction codewords the same way, for every layout.
TEST(InterleaveBlocks, EveryLayout) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(5);
    for (int version : reference::kVersions) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(::testing::Message() << version << "-"
                                              << "?LMQH"[level]);
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            for (int i = 0; i < p.dataCodewords; ++i) {
                state->dataCodewords[i] = static_cast<std::uint8_t>(random());
            }
            state->EncodeBlocks(version, level);
            state->MarkFunctionAreas(version, 1, '*');
            state->InterleaveBlocks(version, level);

            const int blocks = p.b1 + p.b2;
            std::vector<std::uint8_t> expected;
            for (int i = 0; i < std::max(p.k1, p.k2); ++i) {
                for (int b = 0, start = 0; b < blocks; start += b < p.b1 ? p.k1 : p.k2, ++b) {
                    if (i < (b < p.b1 ? p.k1 : p.k2)) {
                        expected.push_back(state->dataCodewords[start + i]);
                    }
                }
            }
            const int firstEc = p.b2 > 0 ? p.k2 : p.k1;  // the filler lines group 1 up
            for (int i = 0; i < p.r1; ++i) {
                for (int b = 0; b < blocks; ++b) {
                    expected.push_back(state->blockRows[b * kBlockRowStride + firstEc + i]);
                }
            }
            expected.resize(kMaxCodewords, 0);
            ASSERT_EQ(std::vector<std::uint8_t>(state->codewordSequence,
                                                state->codewordSequence + kMaxCodewords),
                      expected);
            EXPECT_EQ(state->codewordCount, p.totalCodewords);
        }
    }
}

}  // namespace
}  // namespace quirvane
