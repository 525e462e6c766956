// Replays the fuzzer's corpus, sweeps every (version, level, mode, mask) of
// CreateData and every (version, level) of CreateSymbol's segment modes
// through the fuzz driver, and shows that the checker finds damage.
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
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                const int cap = CapacityOf(*FindSymbolParameters(version, level), mode);
                const int lengths[8] = {0, 1, cap / 3, cap - 1, cap, cap + 1, 2 * cap, 20000};
                for (int mask = 0; mask < 8; ++mask) {
                    const std::string text = texts[mode].substr(0, lengths[mask]);
                    const FuzzCase c{{mode, version, level, mask}, mask % 2 == 1, text};
                    ASSERT_EQ(RunCase(*state, c), "") << version << level << mode << mask;
                }
            }
        }
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

std::string Repeated(std::string_view piece, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) {
        text += piece;
    }
    return text;
}

// Where the characters of a text start, and its end: UTF-8, Shift_JIS
// (every byte that opens a double byte takes the next) or one byte each.
enum class Split { Utf8, ShiftJis, Bytes };

std::vector<std::size_t> Boundaries(const std::string& text, Split split) {
    std::vector<std::size_t> at = {0};
    while (at.back() < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at.back()]);
        std::size_t next = at.back() + 1;
        if (split == Split::ShiftJis) {
            next += (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 1 : 0;
        }
        while (split == Split::Utf8 && next < text.size() &&
               (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        at.push_back(std::min(next, text.size()));
    }
    return at;
}

// Every version and level of Kanji mode, automatic mode (both families) and
// byte mode with an ECI (each designator length, UTF-8, Shift_JIS and bytes
// that are neither): a text longer than the version holds, cut there; then
// what it held, with the version chosen automatically (the checker works out
// which that must be) and on a quarter of the runs the mask too. A failure
// prints version, level and kind run together.
TEST(FuzzRegression, EverySymbolModeReadsBack) {
    struct Kind {
        int mode;
        int designator;
        TextEncoding encoding;
        Split split;
        std::string text;
    };
    const Kind kinds[] = {
        {kModeKanji, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("漢字東京都〜＼Ａ１アイウ亜漾熙日本語", 8000)},
        {kModeAuto, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("QUIRVANE 0123456789 漢字 Quirvane 3.14159 東京都 HTTP://X.JP/A ", 8000)},
        {kModeAuto, 0, TextEncoding::Utf8, Split::Utf8,
         Repeated("é 😀 0123456789012 ABCDEF ｱｲ ① abc \\~ 漢字 ", 8000)},
        {kModeByte, kEciUtf8, TextEncoding::Utf8, Split::Utf8, Repeated("Quirvane é😀 漢字 ", 8000)},
        {kModeByte, kEciShiftJis, TextEncoding::ShiftJis, Split::ShiftJis,
         Repeated("\x8A\xBF\x8E\x9A \x93\x8C\x8B\x9E QR ", 8000)},
        {kModeByte, 3, TextEncoding::Utf8, Split::Bytes, Repeated("caf\xE9 na\xEFve ", 8000)},
        {kModeByte, 200, TextEncoding::Utf8, Split::Utf8, Repeated("two-byte designator ", 8000)},
        {kModeByte, 70000, TextEncoding::Utf8, Split::Utf8,
         Repeated("three-byte designator ", 8000)},
    };
    std::vector<std::size_t> boundaries[8];
    for (int k = 0; k < 8; ++k) {
        boundaries[k] = Boundaries(kinds[k].text, kinds[k].split);
    }
    auto state = std::make_unique<EncoderState>();
    auto probe = std::make_unique<EncoderState>();
    for (int version = 1; version <= 40; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            // Kanji and the first automatic text everywhere, the others on
            // every other (version, level): still every version and level.
            for (int k = 0; k < 8; ++k) {
                if (k >= 2 && (version + level + k) % 2 != 0) {
                    continue;
                }
                const Kind& kind = kinds[k];
                FuzzCase c;
                c.text = kind.text;
                c.symbolCase = true;
                c.request.characterMode = kind.mode;
                c.request.version = version;
                c.request.errorCorrectionLevel = level;
                c.request.maskReference = (version + level) % 8;
                c.request.eciDesignator = kind.designator;
                c.request.byteEncoding = kind.encoding;
                ASSERT_EQ(RunCase(*state, c), "") << version << level << k;

                const GenerationResult cut = probe->CreateSymbol(c.text, c.request);
                ASSERT_TRUE(cut.Created() && cut.charactersLeftOut > 0) << version << level << k;
                c.text.resize(boundaries[k][boundaries[k].size() - 1 - cut.charactersLeftOut]);
                c.request.version = kVersionAuto;
                // Scoring all eight masks is the slow part of the check.
                c.request.maskReference = (version + level + k) % 4 == 0 ? kMaskAuto : k;
                ASSERT_EQ(RunCase(*state, c), "") << version << level << k << " automatic";
            }
        }
    }
}

}  // namespace
}  // namespace quirvane::fuzz
