// Replays the fuzzer's corpus and every (version, level, mode, mask) through
// the fuzz driver, and shows that the checker is not blind: damage is found.
#include <gtest/gtest.h>

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
    ASSERT_GE(files.size(), 12u);
    auto state = std::make_unique<EncoderState>();  // shared, in a fixed order, as the fuzzer does
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        EXPECT_EQ(RunCase(*state, DecodeFuzzInput(data, bytes.size())), "") << file;
    }
}

// Each mask takes another length: empty, one character, a third, one short,
// exactly full, one over, twice over and past the 16384-byte input copy. The
// byte text mixes 1- to 4-byte UTF-8, so cuts fall inside characters. A
// failure prints version, level, mode and mask run together (the last three
// are one digit each).
TEST(FuzzRegression, EverySettingReadsBack) {
    const std::string_view pieces[4] = {"", "Quirvane \xE2\x9C\x93 \xC3\xA4\xF0\x9F\x98\x80 QR\r\n",
                                        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:",
                                        "31415926535897932384626433832795028841971"};
    std::string texts[4];
    for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
        for (std::size_t i = 0; i < 20000; ++i) {
            texts[mode] += pieces[mode][i % pieces[mode].size()];
        }
    }
    auto state = std::make_unique<EncoderState>();
    int symbols = 0;
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int cap = CapacityOf(*FindSymbolParameters(version, level), mode);
                const int lengths[8] = {0, 1, cap / 3, cap - 1, cap, cap + 1, 2 * cap, 20000};
                for (int mask = 0; mask < 8; ++mask, ++symbols) {
                    const std::string text = texts[mode].substr(0, lengths[mask]);
                    const FuzzCase c{{mode, version, level, mask}, mask % 2 == 1, text};
                    ASSERT_EQ(RunCase(*state, c), "") << version << level << mode << mask;
                }
            }
        }
    }
    EXPECT_EQ(symbols, 3840);
}

TEST(FuzzRegression, RefusalsKeepThePreviousSymbol) {
    auto state = std::make_unique<EncoderState>();
    ASSERT_EQ(RunCase(*state, {{kModeByte, 2, kLevelQ, 3}, false, "before"}), "");
    const FuzzCase refused[] = {
        {{kModeNone, 1, kLevelL, 0}, false, "A"},
        {{4, 1, kLevelL, 0}, true, "A"},
        {{kModeByte, 0, kLevelL, 0}, false, "A"},
        {{kModeByte, 41, kLevelL, 0}, false, "A"},
        {{kModeByte, 1, 5, 0}, false, "A"},
        {{kModeByte, 1, kLevelL, 8}, false, "A"},
        {{kModeAlphanumeric, 1, kLevelL, 0}, false, "hello"},
        {{kModeNumeric, 1, kLevelL, 0}, true, "12a4"},
    };
    for (const FuzzCase& c : refused) {
        const EncoderSettings& s = c.settings;
        SCOPED_TRACE(::testing::Message()
                     << s.characterMode << " v" << s.version << " " << s.errorCorrectionLevel << " "
                     << s.maskReference << " " << c.text);
        EXPECT_EQ(RunCase(*state, c), "");
        EXPECT_EQ(state->symbolVersion, 2);
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
