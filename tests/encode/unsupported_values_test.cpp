// Every public stage of EncoderState, called with a version, level, mode or
// mask that does not exist, or counts its buffers cannot hold, leaves the
// record byte for byte as it was (the sanitizer build stops at any read or
// write out of bounds). EncodeBlocks and InterleaveBlocks clear their output
// first, as blocks and sequence always start empty, and change nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <quirvane/encoder.h>

#include "ecc/generator_polynomials.h"

namespace quirvane {
namespace {

constexpr int kBadVersions[] = {0, -1, 41, 256, INT_MIN, INT_MAX};
constexpr int kBadLevels[] = {0, 5, -1, INT_MAX};
constexpr int kBadModes[] = {0, 4, -1, 256};
constexpr int kBadMasks[] = {-1, 8, INT_MAX};

struct Call {
    std::string name;
    std::function<void(EncoderState&)> run;
    bool clearsBlocks = false;    // EncodeBlocks: blockRows and blockLength to zero
    bool clearsSequence = false;  // InterleaveBlocks: codewordSequence to zero
};

std::vector<unsigned char> Bytes(const EncoderState& state) {
    const auto* first = reinterpret_cast<const unsigned char*>(&state);
    return std::vector<unsigned char>(first, first + sizeof state);
}

// A record that has just made a symbol, so every buffer holds something.
std::unique_ptr<EncoderState> MadeSymbol() {
    auto state = std::make_unique<EncoderState>();
    state->settings = EncoderSettings{kModeByte, 5, kLevelQ, 6};
    EXPECT_TRUE(state->CreateData("every buffer holds something").Created());
    return state;
}

std::vector<Call> Calls() {
    std::vector<Call> calls;
    const auto add = [&calls](std::string name, std::function<void(EncoderState&)> run,
                              bool clearsBlocks = false, bool clearsSequence = false) {
        calls.push_back({std::move(name), std::move(run), clearsBlocks, clearsSequence});
    };
    for (int v : kBadVersions) {
        const std::string at = " version " + std::to_string(v);
        add("LoadSymbolParameters" + at, [v](EncoderState& s) {
            s.settings.version = v;
            const bool loaded = s.LoadSymbolParameters();
            s.settings.version = 5;  // only the call's effect is compared
            EXPECT_FALSE(loaded);
        });
        add("BuildDataCodewords" + at, [v](EncoderState& s) { s.BuildDataCodewords(1, v, 19); });
        add(
            "EncodeBlocks" + at, [v](EncoderState& s) { s.EncodeBlocks(v, kLevelL); }, true);
        add("BuildFunctionPatterns" + at, [v](EncoderState& s) { s.BuildFunctionPatterns(v); });
        add("DrawTimingPatterns" + at, [v](EncoderState& s) { s.DrawTimingPatterns(v); });
        add("MarkFunctionAreas" + at, [v](EncoderState& s) { s.MarkFunctionAreas(v, 1, '*'); });
        add("MarkTopRightArea" + at, [v](EncoderState& s) { s.MarkTopRightArea(v, 1, '*'); });
        add("MarkBottomLeftArea" + at, [v](EncoderState& s) { s.MarkBottomLeftArea(v, 1, '*'); });
        add("MarkTimingRow" + at, [v](EncoderState& s) { s.MarkTimingRow(v, 0, '0'); });
        add("MarkTimingColumn" + at, [v](EncoderState& s) { s.MarkTimingColumn(v, 0, '0'); });
        add(
            "InterleaveBlocks" + at, [v](EncoderState& s) { s.InterleaveBlocks(v, kLevelL); },
            false, true);
        add("PlaceCodewords" + at, [v](EncoderState& s) { s.PlaceCodewords(v); });
        add("ApplyMask" + at, [v](EncoderState& s) { s.ApplyMask(v, 3); });
        add("WriteFormatAndVersionInfo" + at,
            [v](EncoderState& s) { s.WriteFormatAndVersionInfo(v, kLevelL, 3); });
    }
    for (int l : kBadLevels) {
        const std::string at = " level " + std::to_string(l);
        add("LoadSymbolParameters" + at, [l](EncoderState& s) {
            s.settings.errorCorrectionLevel = l;
            const bool loaded = s.LoadSymbolParameters();
            s.settings.errorCorrectionLevel = kLevelQ;
            EXPECT_FALSE(loaded);
        });
        add(
            "EncodeBlocks" + at, [l](EncoderState& s) { s.EncodeBlocks(5, l); }, true);
        add(
            "InterleaveBlocks" + at, [l](EncoderState& s) { s.InterleaveBlocks(5, l); }, false,
            true);
        add("WriteFormatAndVersionInfo" + at,
            [l](EncoderState& s) { s.WriteFormatAndVersionInfo(5, l, 3); });
    }
    for (int m : kBadModes) {
        add("BuildDataCodewords mode " + std::to_string(m),
            [m](EncoderState& s) { s.BuildDataCodewords(m, 5, 62); });
    }
    for (int m : kBadMasks) {
        const std::string at = " mask " + std::to_string(m);
        add("ApplyMask" + at, [m](EncoderState& s) { s.ApplyMask(5, m); });
        add("WriteFormatAndVersionInfo" + at,
            [m](EncoderState& s) { s.WriteFormatAndVersionInfo(5, kLevelQ, m); });
    }

    // Counts that the buffers cannot hold.
    for (int count : {-1, kMaxCodewords + 1, INT_MAX}) {
        add("BuildDataCodewords data codewords " + std::to_string(count),
            [count](EncoderState& s) { s.BuildDataCodewords(kModeByte, 5, count); });
    }
    for (int characters : {-1, kMaxDataText + 1, INT_MAX, 256}) {
        // 256 bytes do not fit the 8-bit count of versions 1-9.
        add("BuildDataCodewords characters " + std::to_string(characters),
            [characters](EncoderState& s) {
                const int before = s.dataCharacterCount;
                s.dataCharacterCount = characters;
                s.BuildDataCodewords(kModeByte, 5, 62);
                s.dataCharacterCount = before;
            });
    }
    for (int count : {-1, kMaxCodewords + 1}) {
        add("PlaceCodewords codeword count " + std::to_string(count), [count](EncoderState& s) {
            const int before = s.codewordCount;
            s.codewordCount = count;
            s.PlaceCodewords(5);
            s.codewordCount = before;
        });
    }
    add(
        "InterleaveBlocks with rows of another layout",
        [](EncoderState& s) {
            const int before = s.blockLength[0];
            s.blockLength[0] = 100000;
            s.InterleaveBlocks(5, kLevelQ);
            s.blockLength[0] = before;
        },
        false, true);

    const int r = 18;  // the generator of 5-Q
    const int* g = GeneratorOfDegree(r);
    struct Layout {
        const char* what;
        int b1, b2, c1, k1, r1, c2, k2, r2;
    };
    const Layout layouts[] = {
        {"no block", 0, 0, 33, 15, r, 0, 0, 0},
        {"83 blocks", 80, 3, 33, 15, r, 34, 16, r},
        {"no generator of degree 8", 1, 0, 20, 12, 8, 0, 0, 0},
        {"C1 != K1 + R1", 2, 2, 40, 15, r, 34, 16, r},
        {"K2 != K1 + 1", 2, 2, 33, 15, r, 35, 17, r},
        {"rows wider than the store", 1, 0, 170, 152, r, 0, 0, 0},
        {"more data than the codewords", 60, 0, 100, 82, r, 0, 0, 0},
        {"negative group 2", 2, -2, 33, 15, r, 34, 16, r},
    };
    for (const Layout& l : layouts) {
        add(std::string("EncodeLayout ") + l.what, [l](EncoderState& s) {
            s.EncodeLayout(l.b1, l.b2, l.c1, l.k1, l.r1, l.c2, l.k2, l.r2);
        });
    }
    static const int kBadTerm[] = {0, 300, -1};
    static const int kBadLead[] = {5, 1, -1};
    struct Remainder {
        const char* what;
        int c, k, n;
        const int* generator;
        bool nullBuffer;
    };
    const Remainder remainders[] = {
        {"one term", 16, 15, 1, g, false},
        {"32 terms", 46, 15, 32, g, false},
        {"C != K + R", 30, 15, r + 1, g, false},
        {"longer than a row", 170, 152, r + 1, g, false},
        {"negative K", r - 1, -1, r + 1, g, false},
        {"no generator", 33, 15, r + 1, nullptr, false},
        {"no buffer", 33, 15, r + 1, g, true},
        {"a term that is no logarithm", 17, 15, 3, kBadTerm, false},
        {"a leading term other than 1", 17, 15, 3, kBadLead, false},
    };
    for (const Remainder& m : remainders) {
        add(std::string("ComputeRemainder ") + m.what, [m](EncoderState& s) {
            std::uint8_t buffer[kBlockRowStride] = {1, 2, 3};
            s.ComputeRemainder(m.c, m.nullBuffer ? nullptr : buffer, m.k, m.n, m.generator);
            const std::uint8_t untouched[kBlockRowStride] = {1, 2, 3};
            EXPECT_EQ(std::memcmp(buffer, untouched, sizeof buffer), 0);
        });
    }

    // Patterns whose square would reach past the plane.
    for (const auto& [row, column] : {std::pair{2, 10}, {10, 253}, {-4, 10}, {INT_MAX, 10}}) {
        const std::string at = " at " + std::to_string(row) + ", " + std::to_string(column);
        add("DrawFinderPattern" + at, [=](EncoderState& s) { s.DrawFinderPattern(row, column); });
    }
    for (const auto& [row, column] : {std::pair{1, 10}, {10, 254}, {INT_MIN, 10}}) {
        const std::string at = " at " + std::to_string(row) + ", " + std::to_string(column);
        add("DrawAlignmentPattern" + at,
            [=](EncoderState& s) { s.DrawAlignmentPattern(row, column); });
        add("MarkAlignmentArea" + at,
            [=](EncoderState& s) { s.MarkAlignmentArea(row, column, 1, '*'); });
    }
    return calls;
}

TEST(UnsupportedValues, EveryStageReturnsWithoutEffect) {
    auto state = MadeSymbol();
    for (const Call& call : Calls()) {
        SCOPED_TRACE(call.name);
        std::vector<unsigned char> expected = Bytes(*state);
        if (call.clearsBlocks || call.clearsSequence) {
            EncoderState& cleared = *reinterpret_cast<EncoderState*>(expected.data());
            if (call.clearsBlocks) {
                std::memset(cleared.blockRows, 0, sizeof cleared.blockRows);
                std::memset(cleared.blockLength, 0, sizeof cleared.blockLength);
            }
            if (call.clearsSequence) {
                std::memset(cleared.codewordSequence, 0, sizeof cleared.codewordSequence);
            }
        }
        call.run(*state);
        const std::vector<unsigned char> after = Bytes(*state);
        const auto changed = std::ranges::mismatch(after, expected).in1;
        EXPECT_EQ(changed - after.begin(), std::ssize(after)) << "the first byte that changed";
        state = MadeSymbol();  // the next call starts from a whole symbol again
    }
}

TEST(UnsupportedValues, LookupsOutsideTheirTablesAnswerNone) {
    const auto state = std::make_unique<EncoderState>();
    for (int i : {-1, 257, INT_MAX, INT_MIN}) {
        EXPECT_EQ(state->ExpOf(i), -1) << i;
        EXPECT_EQ(state->LogOf(i), -1) << i;
    }
    EXPECT_EQ(state->ExpOf(255), 1);  // alpha^255 = alpha^0
    EXPECT_EQ(state->LogOf(1), 0);
    for (const auto& [row, column] : {std::pair{-1, 0}, {0, -1}, {256, 0}, {0, 256}}) {
        EXPECT_FALSE(state->IsDark(row, column)) << row << ", " << column;
    }
}

}  // namespace
}  // namespace quirvane
