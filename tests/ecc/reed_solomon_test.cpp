// GF(256) tables, generator polynomials and the Reed-Solomon encoder,
// checked against a slow reference that multiplies by shift-and-add and
// divides polynomials the schoolbook way, with no tables at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ecc/generator_polynomials.h"
#include "encode/encoder_state.h"

namespace quirvane {
namespace {

constexpr int kVersions[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                             12, 13, 14, 15, 16, 17, 18, 19, 20, 40};
constexpr int kDegrees[] = {7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30};

using Bytes = std::vector<std::uint8_t>;

// Shift and add, reducing by the field polynomial 0x11D.
int GfMultiply(int a, int b) {
    int product = 0;
    for (; b != 0; b >>= 1, a = (a << 1) ^ ((a & 0x80) != 0 ? 0x11D : 0)) {
        product ^= (b & 1) != 0 ? a : 0;
    }
    return product;
}

int AlphaTo(int e) {
    int value = 1;
    for (int i = 0; i < e; ++i) {
        value = GfMultiply(value, 2);
    }
    return value;
}

// (x - a^0)(x - a^1)...(x - a^(r-1)), coefficients leading term first.
std::vector<int> ProductGenerator(int r) {
    std::vector<int> g{1};
    for (int i = 0; i < r; ++i) {
        std::vector<int> next(g.size() + 1, 0);
        for (std::size_t j = 0; j < g.size(); ++j) {
            next[j] ^= g[j];
            next[j + 1] ^= GfMultiply(g[j], AlphaTo(i));
        }
        g = next;
    }
    return g;
}

// Remainder of d(x) * x^r divided by g(x), highest coefficient first.
Bytes LongDivisionRemainder(const Bytes& data, int r) {
    static std::map<int, std::vector<int>> generators;
    if (generators.count(r) == 0) {
        generators[r] = ProductGenerator(r);
    }
    const std::vector<int>& g = generators[r];
    std::vector<int> work(data.begin(), data.end());
    work.resize(data.size() + static_cast<std::size_t>(r), 0);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int factor = work[i];
        for (int j = 0; factor != 0 && j <= r; ++j) {
            work[i + static_cast<std::size_t>(j)] ^=
                GfMultiply(g[static_cast<std::size_t>(j)], factor);
        }
    }
    return {work.begin() + static_cast<std::ptrdiff_t>(data.size()), work.end()};
}

// Codewords written in hexadecimal.
Bytes Hex(const char* text) {
    Bytes bytes;
    std::istringstream in(text);
    for (unsigned value = 0; in >> std::hex >> value;) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

TEST(GaloisTables, HoldThePowersOfAlphaAndTheirLogarithms) {
    auto state = std::make_unique<EncoderState>();
    std::fill(std::begin(state->galoisTables.exponent), std::end(state->galoisTables.exponent), 77);
    std::fill(std::begin(state->galoisTables.logarithm), std::end(state->galoisTables.logarithm),
              77);
    state->BuildGaloisTables();
    const int* exponent = state->galoisTables.exponent;
    EXPECT_EQ(std::vector<int>(exponent, exponent + 11),
              (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 29, 58, 116}));
    EXPECT_EQ(std::vector<int>(exponent + 253, exponent + 257), (std::vector<int>{71, 142, 1, -1}));
    EXPECT_EQ(state->LogOf(0), -1);
    EXPECT_EQ(state->LogOf(1), 0);  // not 255
    EXPECT_EQ(state->galoisTables.logarithm[256], -1);
    for (int i = 0; i < 255; ++i) {
        ASSERT_EQ(state->ExpOf(i), AlphaTo(i)) << i;
        ASSERT_EQ(state->LogOf(state->ExpOf(i)), i) << i;
    }
    // Multiplying through the tables agrees with shift-and-add everywhere.
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b) {
            ASSERT_EQ(state->ExpOf((state->LogOf(a) + state->LogOf(b)) % 255), GfMultiply(a, b))
                << a << " * " << b;
        }
    }
}

TEST(GeneratorPolynomials, AreTheProductOfTheirRootFactors) {
    for (int r : kDegrees) {
        SCOPED_TRACE(r);
        const int* g = GeneratorOfDegree(r);
        ASSERT_NE(g, nullptr);
        const std::vector<int> product = ProductGenerator(r);
        for (int j = 0; j <= r; ++j) {
            ASSERT_GE(g[j], 0);
            ASSERT_LE(g[j], 254);
            EXPECT_EQ(AlphaTo(g[j]), product[static_cast<std::size_t>(j)]) << "term " << j;
        }
        EXPECT_EQ(g[r + 1], -1);
    }
    const int* g7 = GeneratorOfDegree(7);
    EXPECT_EQ(std::vector<int>(g7, g7 + 9),
              (std::vector<int>{0, 87, 229, 146, 149, 238, 102, 21, -1}));
    // Exactly the degrees the table uses have a generator.
    std::set<int> used;
    for (int version : kVersions) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            used.insert(FindSymbolParameters(version, level)->r1);
        }
    }
    EXPECT_EQ(used, std::set<int>(std::begin(kDegrees), std::end(kDegrees)));
    for (int r = 0; r <= 40; ++r) {
        EXPECT_EQ(GeneratorOfDegree(r) != nullptr, used.count(r) == 1) << r;
    }
}

// Every block shape of the table, on random blocks and on blocks whose
// leading or trailing codewords are zero.
TEST(ComputeRemainder, AgreesWithLongDivisionOnEveryBlockShape) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(2024);
    std::set<std::pair<int, int>> shapes;  // (C, K)
    for (int version : kVersions) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            shapes.insert({p.c1, p.k1});
            if (p.b2 > 0) {
                shapes.insert({p.c2, p.k2});
            }
        }
    }
    for (auto [c, k] : shapes) {
        const int r = c - k;
        for (int trial = 0; trial < 12; ++trial) {
            Bytes data(static_cast<std::size_t>(k));
            for (auto& d : data) {
                d = static_cast<std::uint8_t>(random());
            }
            if (trial == 0) {
                std::fill(data.begin(), data.end(), 0);
            } else if (trial == 1) {
                std::fill(data.begin(), data.end(), 0xFF);
            } else if (trial <= 4) {
                std::fill(data.begin(), data.begin() + trial - 1, 0);  // zero leading terms
            } else if (trial == 5) {
                std::fill(data.begin(), data.end() - 1, 0);
            }
            SCOPED_TRACE(::testing::Message() << "C " << c << " K " << k << " trial " << trial);
            std::uint8_t buffer[kBlockRowStride] = {};
            std::copy(data.begin(), data.end(), buffer);
            state->ComputeRemainder(c, buffer, k, r + 1, GeneratorOfDegree(r));
            ASSERT_EQ(Bytes(buffer, buffer + k), data);
            ASSERT_EQ(Bytes(buffer + k, buffer + c), LongDivisionRemainder(data, r));
            ASSERT_TRUE(
                std::all_of(buffer + c, buffer + kBlockRowStride, [](auto b) { return b == 0; }));
        }
    }
}

// A caller may hand over its generators in one buffer, refilled each time.
TEST(ComputeRemainder, UsesTheGeneratorItIsGivenEvenAtTheSameAddress) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(5);
    int generator[32];
    for (int r : {7, 10, 30, 13}) {
        SCOPED_TRACE(r);
        const int* g = GeneratorOfDegree(r);
        std::copy(g, g + r + 2, generator);
        Bytes data(20);
        for (auto& d : data) {
            d = static_cast<std::uint8_t>(random());
        }
        std::uint8_t buffer[kBlockRowStride] = {};
        std::copy(data.begin(), data.end(), buffer);
        state->ComputeRemainder(20 + r, buffer, 20, r + 1, generator);
        EXPECT_EQ(Bytes(buffer + 20, buffer + 20 + r), LongDivisionRemainder(data, r));
    }
}

TEST(EncodeBlocks, WorkedExamplesOfVersion1) {
    struct Example {
        int level;
        const char* data;
        const char* ec;
    };
    const Example examples[] = {
        {kLevelM, "10 20 0C 56 61 80 EC 11 EC 11 EC 11 EC 11 EC 11",
         "A5 24 D4 C1 ED 36 C7 87 2C 55"},
        {kLevelL, "10 20 0C 56 61 80 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC",
         "53 55 97 67 10 05 84"},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.level);
        auto state = std::make_unique<EncoderState>();
        const Bytes data = Hex(e.data);
        std::copy(data.begin(), data.end(), state->dataCodewords);
        state->EncodeBlocks(1, e.level);
        Bytes row = data;
        const Bytes ec = Hex(e.ec);
        row.insert(row.end(), ec.begin(), ec.end());
        EXPECT_EQ(Bytes(state->blockRows, state->blockRows + 26), row);
        EXPECT_EQ(state->blockLength[0], 26);
        EXPECT_EQ(state->blockLength[1], 0);
        EXPECT_EQ(state->blockCount, 1);
        EXPECT_EQ(state->generatorDegree, static_cast<int>(ec.size()));
    }
}

// Rows as the interleaving reads them: data, a filler 0 in group-1 rows of a
// two-group layout, the error-correction codewords, zeros to the end. Each
// layout follows another in the same record, so stale rows would show.
TEST(EncodeBlocks, EveryLayoutLeavesItsBlocksInOrder) {
    auto state = std::make_unique<EncoderState>();
    std::fill(std::begin(state->blockRows), std::end(state->blockRows), 0xAA);
    std::mt19937 random(11);
    for (int version : kVersions) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            SCOPED_TRACE(::testing::Message() << version << "-"
                                              << "?LMQH"[level]);
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            for (int i = 0; i < p.dataCodewords; ++i) {
                state->dataCodewords[i] = static_cast<std::uint8_t>(random());
            }
            state->symbolParameters = {};
            state->EncodeBlocks(version, level);
            const SymbolParameters& stated = state->symbolParameters;
            EXPECT_EQ(std::tie(stated.totalCodewords, stated.b1, stated.b2, stated.c1, stated.k1,
                               stated.r1, stated.c2, stated.k2, stated.r2),
                      std::tie(p.totalCodewords, p.b1, p.b2, p.c1, p.k1, p.r1, p.c2, p.k2, p.r2));
            EXPECT_EQ(state->blockCount, p.b1 + p.b2);
            EXPECT_EQ(state->generatorDegree, p.r1);
            int read = 0;
            for (int b = 0; b < kBlockRowCount; ++b) {
                Bytes expected;
                if (b < p.b1 + p.b2) {
                    const int k = b < p.b1 ? p.k1 : p.k2;
                    expected.assign(state->dataCodewords + read, state->dataCodewords + read + k);
                    const Bytes ec = LongDivisionRemainder(expected, p.r1);
                    read += k;
                    if (p.b2 > 0 && b < p.b1) {
                        expected.push_back(0);
                    }
                    expected.insert(expected.end(), ec.begin(), ec.end());
                }
                ASSERT_EQ(state->blockLength[b], b < p.b1 + p.b2 ? (b < p.b1 ? p.c1 : p.c2) : 0)
                    << b;
                expected.resize(kBlockRowStride, 0);
                const std::uint8_t* row = state->blockRows + b * kBlockRowStride;
                ASSERT_EQ(Bytes(row, row + kBlockRowStride), expected) << "row " << b;
            }
            EXPECT_EQ(read, p.dataCodewords);
        }
    }
}

}  // namespace
}  // namespace quirvane
