// Every fast stage against a deliberately plain one: the stream a bit at a
// time, Reed-Solomon by schoolbook division with shift-and-add products,
// interleaving with a test per codeword, and the checker's own geometry for
// the function modules, the zigzag placement order, the masks and the format
// and version information. One record makes every version and level, in a
// scrambled order so that each run clears after a larger or smaller one, and
// every buffer the stages write is compared whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <quirvane/encoder.h>
#include <quirvane/text_cut.h>

#include "ecc/generator_polynomials.h"
#include "fuzz/symbol_geometry.h"
#include "tests/support/fewest_stream_bits.h"

namespace quirvane {
namespace {

using fuzz::GeometryOf;

constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// What the stages write, byte for byte.
struct Buffers {
    std::string inputCopy, dataText, bitString, dataCodewords, blockRows, sequence;
    std::vector<int> blockLength;
    std::string dataPlane, patternPlane, symbolMatrix;
};

template <typename T, std::size_t N>
std::string Bytes(const T (&buffer)[N]) {
    return std::string(reinterpret_cast<const char*>(buffer), sizeof buffer);
}

Buffers Snapshot(const EncoderState& s) {
    return {Bytes(s.inputCopy),
            Bytes(s.dataText),
            Bytes(s.bitString),
            Bytes(s.dataCodewords),
            Bytes(s.blockRows),
            Bytes(s.codewordSequence),
            {std::begin(s.blockLength), std::end(s.blockLength)},
            Bytes(s.dataPlane),
            Bytes(s.patternPlane),
            Bytes(s.symbolMatrix)};
}

// Offset of the first byte that differs, or -1.
long FirstDifference(const std::string& a, const std::string& b) {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return x == a.end() && y == b.end() ? -1 : x - a.begin();
}

void ExpectSame(const Buffers& got, const Buffers& want) {
    const std::pair<const char*, std::string Buffers::*> fields[] = {
        {"inputCopy", &Buffers::inputCopy},       {"dataText", &Buffers::dataText},
        {"bitString", &Buffers::bitString},       {"dataCodewords", &Buffers::dataCodewords},
        {"blockRows", &Buffers::blockRows},       {"codewordSequence", &Buffers::sequence},
        {"dataPlane", &Buffers::dataPlane},       {"patternPlane", &Buffers::patternPlane},
        {"symbolMatrix", &Buffers::symbolMatrix},
    };
    for (const auto& [name, field] : fields) {
        EXPECT_EQ(FirstDifference(got.*field, want.*field), -1) << name;
    }
    EXPECT_EQ(got.blockLength, want.blockLength);
}

char& At(std::string& plane, int row, int column) {
    return plane[static_cast<std::size_t>(row * kPlaneStride + column)];
}

// ---- The plain stages ----

void Append(std::string& bits, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        bits += ((value >> i) & 1) != 0 ? '1' : '0';
    }
}

std::string Stream(int mode, int version, const std::string& text) {
    std::string bits = mode == kModeNumeric ? "0001" : mode == kModeAlphanumeric ? "0010" : "0100";
    const int count = static_cast<int>(text.size());
    // The reference numbers its modes numeric 0, alphanumeric 1, byte 2.
    Append(bits, static_cast<unsigned>(count), testing::ReferenceCountBits(3 - mode, version));
    const auto value = [&](int i) {
        return static_cast<unsigned>(mode == kModeNumeric
                                         ? text[i] - '0'
                                         : std::strchr(kAlphanumeric, text[i]) - kAlphanumeric);
    };
    for (int i = 0; i < count;) {
        if (mode == kModeByte) {
            Append(bits, static_cast<unsigned char>(text[i++]), 8);
        } else if (mode == kModeAlphanumeric) {
            const bool pair = i + 1 < count;
            Append(bits, pair ? 45 * value(i) + value(i + 1) : value(i), pair ? 11 : 6);
            i += pair ? 2 : 1;
        } else {
            const int digits = std::min(3, count - i);
            unsigned group = 0;
            for (int d = 0; d < digits; ++d) {
                group = 10 * group + value(i + d);
            }
            Append(bits, group, 3 * digits + 1);
            i += digits;
        }
    }
    bits += "0000";
    while (bits.size() % 8 != 0) {
        bits += '0';
    }
    return bits;
}

int Multiply(int a, int b) {
    int product = 0;
    for (; b != 0; b >>= 1, a = (a << 1) ^ ((a & 0x80) != 0 ? 0x11D : 0)) {
        product ^= (b & 1) != 0 ? a : 0;
    }
    return product & 0xFF;
}

// (x - a^0)...(x - a^(r-1)) as coefficients, leading one first.
std::vector<int> Generator(int r) {
    std::vector<int> generator = {1};
    for (int i = 0, root = 1; i < r; ++i, root = Multiply(root, 2)) {
        std::vector<int> next(generator.size() + 1, 0);
        for (std::size_t j = 0; j < generator.size(); ++j) {
            next[j] ^= generator[j];
            next[j + 1] ^= Multiply(generator[j], root);
        }
        generator = next;
    }
    return generator;
}

// The r error-correction codewords of a block: the data times x^r divided by the generator.
std::vector<int> ErrorCorrection(std::vector<int> data, int r) {
    const std::vector<int> generator = Generator(r);
    const std::size_t k = data.size();
    data.resize(k + static_cast<std::size_t>(r), 0);
    for (std::size_t i = 0; i < k; ++i) {
        const int factor = data[i];
        for (std::size_t j = 0; j < generator.size(); ++j) {
            data[i + j] ^= Multiply(generator[j], factor);
        }
    }
    return {data.begin() + static_cast<std::ptrdiff_t>(k), data.end()};
}

void Blocks(const SymbolParameters& p, Buffers& b) {
    b.blockRows.assign(b.blockRows.size(), '\0');
    std::fill(b.blockLength.begin(), b.blockLength.end(), 0);
    for (int block = 0, start = 0; block < p.b1 + p.b2; ++block) {
        const bool groupOne = block < p.b1;
        const int k = groupOne ? p.k1 : p.k2;
        std::vector<int> data;
        for (int i = 0; i < k; ++i) {
            data.push_back(static_cast<unsigned char>(b.dataCodewords[start + i]));
        }
        start += k;
        std::vector<int> row = data;
        if (groupOne && p.b2 > 0) {
            row.push_back(0);  // the filler
        }
        const std::vector<int> ec = ErrorCorrection(data, p.r1);
        row.insert(row.end(), ec.begin(), ec.end());
        for (std::size_t i = 0; i < row.size(); ++i) {
            b.blockRows[static_cast<std::size_t>(block * kBlockRowStride) + i] =
                static_cast<char>(row[i]);
        }
        b.blockLength[static_cast<std::size_t>(block)] = groupOne ? p.c1 : p.c2;
    }
}

std::string Interleave(const SymbolParameters& p, const std::string& rows) {
    std::string sequence;
    for (int k = 0; k < (p.b2 > 0 ? p.c2 : p.c1); ++k) {
        for (int b = 0; b < p.b1 + p.b2; ++b) {
            if (!(p.b2 > 0 && b < p.b1 && k == p.k1)) {
                sequence += rows[static_cast<std::size_t>(b * kBlockRowStride + k)];
            }
        }
    }
    return sequence;
}

void Mark(int v, char function, bool clearData, std::string& plane) {
    const fuzz::Geometry& g = GeometryOf(v);
    for (int y = 0; y < g.n; ++y) {
        for (int x = 0; x < g.n; ++x) {
            if (g.function[static_cast<std::size_t>(y * g.n + x)] != 0) {
                At(plane, y, x) = function;
            } else if (clearData) {
                At(plane, y, x) = '0';
            }
        }
    }
}

// The bits in zigzag order, remainder modules too, as far as the sequence goes.
void Place(int v, const std::string& sequence, std::string& plane) {
    const std::vector<int>& order = GeometryOf(v).order;
    for (std::size_t bit = 0; bit < order.size() && bit < 8 * sequence.size(); ++bit) {
        plane[static_cast<std::size_t>(order[bit])] =
            ((sequence[bit / 8] >> (7 - bit % 8)) & 1) != 0 ? '1' : '0';
    }
}

void Mask(int v, int mask, std::string& plane) {
    for (const int at : GeometryOf(v).order) {
        char& cell = plane[static_cast<std::size_t>(at)];
        if (fuzz::MaskHits(mask, at / kPlaneStride, at % kPlaneStride)) {
            cell = cell == '0' ? '1' : '0';
        }
    }
}

// Finders with their separators, timing, alignment patterns and the dark module.
void DrawPatterns(int v, std::string& plane) {
    const fuzz::Geometry& g = GeometryOf(v);
    const int n = g.n;
    const auto square = [&](int row, int column, int radius, auto light) {
        for (int y = std::max(0, row - radius); y <= std::min(n - 1, row + radius); ++y) {
            for (int x = std::max(0, column - radius); x <= std::min(n - 1, column + radius); ++x) {
                At(plane, y, x) =
                    light(std::max(std::abs(y - row), std::abs(x - column))) ? '0' : '1';
            }
        }
    };
    for (int y = 0; y < n; ++y) {
        std::fill_n(&At(plane, y, 0), n, '0');
    }
    for (int i = 0; i < n; ++i) {
        At(plane, 6, i) = At(plane, i, 6) = i % 2 == 0 ? '1' : '0';
    }
    for (const auto& [row, column] : {std::pair{3, 3}, {3, n - 4}, {n - 4, 3}}) {
        square(row, column, 4, [](int d) { return d == 2 || d == 4; });  // 4: the separator
    }
    for (const auto& [row, column] : g.alignmentCentres) {
        square(row, column, 2, [](int d) { return d == 1; });
    }
    At(plane, n - 8, 8) = '1';
}

// The symbol's planes from marking to joining, with dataPlane after each
// stage that changes it.
std::vector<std::string> Planes(int v, int level, int mask, Buffers& b) {
    const int n = SideOf(v);
    std::vector<std::string> stages;
    Mark(v, '*', true, b.dataPlane);
    stages.push_back(b.dataPlane);
    Place(v, b.sequence.substr(0, static_cast<std::size_t>(TotalCodewordsOf(v))), b.dataPlane);
    stages.push_back(b.dataPlane);
    Mask(v, mask, b.dataPlane);
    stages.push_back(b.dataPlane);
    Mark(v, '0', false, b.dataPlane);
    stages.push_back(b.dataPlane);
    const int format = fuzz::FormatWord(level, mask);
    for (int copy = 0; copy < 2; ++copy) {
        for (int k = 0; k < 15; ++k) {
            const auto [row, column] = fuzz::FormatModule(copy, k, n);
            At(b.dataPlane, row, column) = (format >> k & 1) != 0 ? '1' : '0';
        }
    }
    const int version = v << 12 | fuzz::BchRemainder(v << 12, 18, 0x1F25, 13);
    for (int k = 0; v >= 7 && k < 18; ++k) {
        At(b.dataPlane, k / 3, n - 11 + k % 3) = At(b.dataPlane, n - 11 + k % 3, k / 3) =
            (version >> k & 1) != 0 ? '1' : '0';
    }
    stages.push_back(b.dataPlane);
    b.patternPlane.assign(b.patternPlane.size(), '\0');
    DrawPatterns(v, b.patternPlane);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            At(b.symbolMatrix, y, x) = static_cast<char>('0' + (At(b.patternPlane, y, x) & 0x0F) +
                                                         (At(b.dataPlane, y, x) & 0x0F));
        }
    }
    return stages;
}
// The whole generation command, from the buffers as they were before it.
std::string PlainCreateData(Buffers& b, int mode, int v, int level, int mask,
                            const std::string& input) {
    const SymbolParameters& p = *FindSymbolParameters(v, level);
    const int capacity = CapacityOf(p, mode);
    int kept = std::min(static_cast<int>(input.size()), capacity);
    kept = mode == kModeByte ? Utf8SafeCut(input, kept) : kept;
    const std::string text = input.substr(0, static_cast<std::size_t>(kept));
    b.inputCopy.assign(b.inputCopy.size(), '\0');
    b.inputCopy.replace(0, input.size(), input);
    b.dataText.assign(b.dataText.size(), '\0');
    b.dataText.replace(0, text.size(), text);

    const std::string bits = Stream(mode, v, text);
    b.bitString.assign(b.bitString.size(), '\0');
    b.bitString.replace(0, bits.size(), bits);
    b.dataCodewords.assign(b.dataCodewords.size(), '\0');
    const int packed = static_cast<int>(bits.size() / 8);
    for (int i = 0; i < packed; ++i) {
        b.dataCodewords[static_cast<std::size_t>(i)] = static_cast<char>(
            std::stoi(bits.substr(static_cast<std::size_t>(8 * i), 8), nullptr, 2));
    }
    const int dataBytes = std::min(packed, p.dataCodewords);
    for (int i = dataBytes; i < p.dataCodewords; ++i) {
        b.dataCodewords[static_cast<std::size_t>(i)] = (i - dataBytes) % 2 == 0 ? '\xEC' : '\x11';
    }
    Blocks(p, b);
    b.sequence.assign(b.sequence.size(), '\0');
    const std::string sequence = Interleave(p, b.blockRows);
    b.sequence.replace(0, sequence.size(), sequence);
    Planes(v, level, mask, b);

    char status[256];
    std::snprintf(status, sizeof status,
                  "入力バイト数：%d  データバイト数：%d　訂正ブロック数：%d　訂正次数GA：%d  "
                  "総コード数：%d",
                  static_cast<int>(input.size()), dataBytes, p.b1 + p.b2, p.r1, p.totalCodewords);
    return status;
}

// The placement orders are built on first use, shared by every record: four
// records on four threads make every version at once, each in its own order,
// and must get the symbols one record makes alone.
TEST(FastPaths, PlacementOrdersBuiltWhileSeveralThreadsWait) {
    const auto symbolsOf = [](const std::vector<int>& versions) {
        auto state = std::make_unique<EncoderState>();
        std::vector<std::string> symbols(41);
        for (const int v : versions) {
            state->settings = EncoderSettings{kModeNumeric, v, kLevelM, v % kMaskCount};
            EXPECT_TRUE(state->CreateData(std::string(40 + v, '7')).Created());
            for (int row = 0; row < SideOf(v); ++row) {
                symbols[static_cast<std::size_t>(v)].append(
                    state->symbolMatrix + row * kPlaneStride, static_cast<std::size_t>(SideOf(v)));
            }
        }
        return symbols;
    };
    std::vector<int> versions(40);
    std::iota(versions.begin(), versions.end(), 1);
    std::vector<std::vector<std::string>> made(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < made.size(); ++t) {
        std::vector<int> order = versions;
        std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(10 * t),
                    order.end());
        threads.emplace_back([&made, t, order, symbolsOf] { made[t] = symbolsOf(order); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const std::vector<std::vector<std::string>> alone(made.size(), symbolsOf(versions));
    EXPECT_TRUE(made == alone);
}

// More codewords than a version holds fill its remainder modules too, and
// the last codeword to find room may be cut short.
TEST(FastPaths, PlacementWithMoreCodewordsThanModules) {
    std::mt19937 random(77);
    auto state = std::make_unique<EncoderState>();
    for (int v = 1; v <= 40; ++v) {
        state->MarkFunctionAreas(v, 1, kFunctionMark);
        std::generate(std::begin(state->codewordSequence), std::end(state->codewordSequence),
                      [&random] { return static_cast<std::uint8_t>(random()); });
        state->codewordCount = kMaxCodewords;
        std::string want = Bytes(state->dataPlane);
        Place(v, Bytes(state->codewordSequence), want);
        state->PlaceCodewords(v);
        EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), want), -1) << "version " << v;
    }
}

// Remainders against long division for every block shape, on blocks that
// open with zero terms or not. The generators come in one buffer, refilled
// each time, as a caller may hand them over: nothing may be kept from the
// last one at that address.
TEST(FastPaths, ReedSolomonOfEveryBlockShape) {
    auto state = std::make_unique<EncoderState>();
    std::mt19937 random(2024);
    int generator[32];
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            for (int group = 1; group <= (p.b2 > 0 ? 2 : 1); ++group) {
                const int c = group == 1 ? p.c1 : p.c2, k = group == 1 ? p.k1 : p.k2, r = c - k;
                ASSERT_NE(GeneratorOfDegree(r), nullptr) << r;
                std::copy_n(GeneratorOfDegree(r), r + 2, generator);
                for (int zeros = 0; zeros < 4; ++zeros) {
                    std::vector<int> data(static_cast<std::size_t>(k));
                    std::generate(data.begin() + zeros, data.end(), [&] { return random() % 256; });
                    std::uint8_t buffer[kBlockRowStride] = {};
                    std::copy(data.begin(), data.end(), buffer);
                    state->ComputeRemainder(c, buffer, k, r + 1, generator);
                    std::vector<int> want = data;
                    for (const int e : ErrorCorrection(data, r)) {
                        want.push_back(e);
                    }
                    ASSERT_EQ(std::vector<int>(buffer, buffer + c), want) << c << ", " << k;
                }
            }
        }
    }
}

std::string Text(std::mt19937& random, int mode, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        const unsigned r = random();
        text += mode == kModeByte           ? static_cast<char>(r)
                : mode == kModeAlphanumeric ? kAlphanumeric[r % 45]
                                            : static_cast<char>('0' + r % 10);
    }
    return text;
}
// Every version and level, each with a short and a longer-than-full text, the
// modes and masks taken in turn; then every mask on the placed symbol.
TEST(FastPaths, EveryStageMatchesAPlainReference) {
    std::mt19937 random(1234);
    std::vector<int> versions(40);
    std::iota(versions.begin(), versions.end(), 1);
    std::shuffle(versions.begin(), versions.end(), random);
    auto state = std::make_unique<EncoderState>();
    int turn = 0;
    for (const int v : versions) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            for (const bool full : {false, true}) {
                const int mode = kModeByte + turn % 3;
                const int mask = turn++ % kMaskCount;
                const SymbolParameters& p = *FindSymbolParameters(v, level);
                const std::string input =
                    Text(random, mode, full ? CapacityOf(p, mode) + 3 : 1 + turn % 9);
                SCOPED_TRACE(::testing::Message() << "version " << v << "-"
                                                  << "?LMQH"[level] << " mode " << mode << " mask "
                                                  << mask << " text of " << input.size());
                state->settings = EncoderSettings{mode, v, level, mask};
                Buffers want = Snapshot(*state);
                const GenerationResult result = state->CreateData(input);
                ASSERT_TRUE(result.Created());
                EXPECT_STREQ(result.status,
                             PlainCreateData(want, mode, v, level, mask, input).c_str());
                ExpectSame(Snapshot(*state), want);

                // Stage by stage again, dataPlane compared after each.
                state->BuildDataCodewords(mode, v, p.dataCodewords);
                state->EncodeBlocks(v, level);
                const std::vector<std::string> stages = Planes(v, level, mask, want);
                state->MarkFunctionAreas(v, 1, kFunctionMark);
                EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), stages[0]), -1) << "marked";
                state->InterleaveBlocks(v, level);
                EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), stages[1]), -1) << "placed";
                for (int other = 0; other < kMaskCount; ++other) {
                    std::string masked = Bytes(state->dataPlane);
                    Mask(v, other, masked);
                    state->ApplyMask(v, other);
                    EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), masked), -1) << other;
                    state->ApplyMask(v, other);
                }
                state->ApplyMask(v, mask);
                EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), stages[2]), -1) << "masked";
                state->MarkFunctionAreas(v, 0, '0');
                EXPECT_EQ(FirstDifference(Bytes(state->dataPlane), stages[3]), -1) << "unmarked";
                state->WriteFormatAndVersionInfo(v, level, mask);
                state->BuildFunctionPatterns(v);
                ExpectSame(Snapshot(*state), want);
            }
        }
    }
}

}  // namespace
}  // namespace quirvane
