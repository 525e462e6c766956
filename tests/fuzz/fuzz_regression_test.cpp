// Replays the fuzzer's corpus through the same driver and checker as
// quirvane-fuzz, and shows that the checker finds damage. (Every version and
// level goes through the checker in tests/encode/round_trip_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/symbol_checker.h"

namespace quirvane::fuzz {
namespace {

TEST(FuzzRegression, EveryCorpusFileRunsClean) {
    namespace fs = std::filesystem;
    const std::set<fs::path> files(fs::directory_iterator(QUIRVANE_FUZZ_CORPUS), {});
    ASSERT_GE(files.size(), 30u);
    auto state = std::make_unique<EncoderState>();  // shared, in a fixed order, as the fuzzer does
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        EXPECT_EQ(RunCase(*state, DecodeFuzzInput(data, bytes.size())), "") << file;
    }
}

// One flip in a function pattern and one in the data must both be reported.
TEST(FuzzRegression, CheckerFindsDamage) {
    auto state = std::make_unique<EncoderState>();
    const std::string text = "Quirvane checks its own symbols";
    ASSERT_EQ(RunCase(*state, {{kModeByte, 7, kLevelM, 5}, false, text}), "");
    const Expectation expected{kModeByte, 7, kLevelM, 5, text};
    ASSERT_EQ(CheckSymbol(state->symbolMatrix, expected), "");
    for (const auto& [row, column, fault] :
         {std::tuple{3, 3, "finder"}, {30, 20, "Reed-Solomon"}}) {
        std::vector<char> damaged(state->symbolMatrix, state->symbolMatrix + kPlaneCells);
        damaged[static_cast<std::size_t>(row * kPlaneStride + column)] ^= 1;  // '0' <-> '1'
        EXPECT_NE(CheckSymbol(damaged.data(), expected).find(fault), std::string::npos)
            << fault << ": " << CheckSymbol(damaged.data(), expected);
    }
}

}  // namespace
}  // namespace quirvane::fuzz
