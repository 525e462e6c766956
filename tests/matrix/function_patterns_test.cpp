// Function patterns and function-area marks of every version against the
// geometry of the standard, with the module counts that pin them down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "encode/encoder_state.h"
#include "reference_geometry.h"

namespace quirvane {
namespace {

using reference::IsFunctionModule;
using reference::Side;

char At(const char* plane, int row, int column) {
    return plane[row * kPlaneStride + column];
}

TEST(FunctionPatterns, EveryVersionMatchesTheStandardsGeometry) {
    constexpr int kDataModules[] = {208,  359,  567,  807,  1079, 1383, 1568,
                                    1936, 2336, 2768, 3232, 3728, 4256, 4651,
                                    5243, 5867, 6523, 7211, 7931, 8683, 29648};
    auto state = std::make_unique<EncoderState>();
    for (int i = 0; i < 21; ++i) {
        const int v = reference::kVersions[i];
        const int n = Side(v);
        SCOPED_TRACE(v);
        // Built after a larger symbol, and marked on a plane full of other bytes.
        state->BuildFunctionPatterns(40);
        state->BuildFunctionPatterns(v);
        std::memset(state->dataPlane, '#', kPlaneCells);
        state->MarkFunctionAreas(v, 1, '*');
        int dataModules = 0;
        for (int y = 0; y < kPlaneStride; ++y) {
            for (int x = 0; x < kPlaneStride; ++x) {
                const bool inside = y < n && x < n;
                ASSERT_EQ(At(state->patternPlane, y, x),
                          inside ? reference::PatternModule(v, y, x) : '\0')
                    << "pattern (" << y << ", " << x << ")";
                const char mark = !inside ? '#' : IsFunctionModule(v, y, x) ? '*' : '0';
                ASSERT_EQ(At(state->dataPlane, y, x), mark) << "mark (" << y << ", " << x << ")";
                dataModules += mark == '0' ? 1 : 0;
            }
        }
        EXPECT_EQ(dataModules, kDataModules[i]);
        // What is left after the last codeword: the remainder modules.
        EXPECT_EQ(dataModules - 8 * TotalCodewordsOf(v), v >= 2 && v <= 6     ? 7
                                                         : v >= 14 && v <= 20 ? 3
                                                                              : 0);

        // Clearing the marks turns every function module to '0' and nothing else.
        for (int y = 0; y < n; ++y) {
            std::memset(state->dataPlane + y * kPlaneStride, 'd', static_cast<std::size_t>(n));
        }
        state->MarkFunctionAreas(v, 0, '*');
        for (int y = 0; y < kPlaneStride; ++y) {
            for (int x = 0; x < kPlaneStride; ++x) {
                const char want = y >= n || x >= n ? '#' : IsFunctionModule(v, y, x) ? '0' : 'd';
                ASSERT_EQ(At(state->dataPlane, y, x), want) << "cleared (" << y << ", " << x << ")";
            }
        }
    }
}

TEST(FunctionPatterns, DarkAndMarkedModuleCounts) {
    struct Count {
        int version, dark, marked;
    };
    for (const Count& c : {Count{1, 106, 233}, Count{2, 127, 266}, Count{7, 226, 457},
                           Count{14, 367, 678}, Count{20, 391, 726}, Count{40, 1014, 1681}}) {
        auto state = std::make_unique<EncoderState>();
        state->BuildFunctionPatterns(c.version);
        state->MarkFunctionAreas(c.version, 1, '*');
        EXPECT_EQ(std::count(state->patternPlane, state->patternPlane + kPlaneCells, '1'), c.dark)
            << c.version;
        EXPECT_EQ(std::count(state->dataPlane, state->dataPlane + kPlaneCells, '*'), c.marked)
            << c.version;
    }
}

TEST(FunctionPatterns, TellingModules) {
    auto state = std::make_unique<EncoderState>();
    for (int v : reference::kVersions) {
        const int n = Side(v);
        state->BuildFunctionPatterns(v);
        // Separator, first and last timing modules, the dark module.
        const std::string got = {
            At(state->patternPlane, 6, 7),     At(state->patternPlane, 7, 6),
            At(state->patternPlane, 6, 8),     At(state->patternPlane, 8, 6),
            At(state->patternPlane, 6, n - 9), At(state->patternPlane, n - 9, 6),
            At(state->patternPlane, n - 8, 8)};
        EXPECT_EQ(got, "0011111") << v;
    }
    state->BuildFunctionPatterns(1);
    EXPECT_EQ(std::string(state->patternPlane + 6 * kPlaneStride + 8, 5), "10101");
    state->BuildFunctionPatterns(2);  // one alignment pattern, centred on (18, 18)
    EXPECT_EQ(std::string({At(state->patternPlane, 16, 16), At(state->patternPlane, 17, 17),
                           At(state->patternPlane, 18, 18), At(state->patternPlane, 19, 19)}),
              "1010");
    // The pattern centred on (6, 30) of version 40 agrees with the timing row.
    state->BuildFunctionPatterns(40);
    EXPECT_EQ(std::string(state->patternPlane + 4 * kPlaneStride + 28, 5), "11111");
    EXPECT_EQ(std::string(state->patternPlane + 6 * kPlaneStride + 26, 9), "101010101");
    EXPECT_EQ(reference::AlignmentCentres(40).size(), 46u);
    // Version information areas are marked from version 7 on.
    state->MarkFunctionAreas(6, 1, '*');
    EXPECT_EQ(std::string({At(state->dataPlane, 0, 30), At(state->dataPlane, 30, 0)}), "00");
    state->MarkFunctionAreas(7, 1, '*');
    EXPECT_EQ(std::string({At(state->dataPlane, 0, 34), At(state->dataPlane, 36, 5)}), "**");
}

}  // namespace
}  // namespace quirvane
