// The data bit stream and the generation command: worked streams, count
// indicator widths, the statistics line, the cut to capacity and refusals.
#include <gtest/gtest.h>

#include <iomanip>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include <quirvane/encoder.h>

namespace quirvane {
namespace {

std::unique_ptr<EncoderState> Encode(int mode, int version, int level, const std::string& text) {
    auto state = std::make_unique<EncoderState>();
    text.copy(state->dataText, text.size());
    state->dataCharacterCount = static_cast<int>(text.size());
    state->BuildDataCodewords(mode, version, FindSymbolParameters(version, level)->dataCodewords);
    return state;
}

void Configure(EncoderState& state, int mode, int version, int level, int mask = 3) {
    state.settings = EncoderSettings{.characterMode = mode,
                                     .version = version,
                                     .errorCorrectionLevel = level,
                                     .maskReference = mask};
}

// All the symbol's data codewords, and how many of them hold the stream.
TEST(DataCodewords, WorkedExamples) {
    const std::tuple<int, int, const char*, const char*, int> examples[] = {
        {kModeNumeric, kLevelM, "01234567", "10 20 0C 56 61 80 EC 11 EC 11 EC 11 EC 11 EC 11", 6},
        {kModeAlphanumeric, kLevelH, "AC-42", "20 29 CE E7 21 00 EC 11 EC", 6},
        {kModeNumeric, kLevelL, "12", "10 08 60 00 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC",
         4},
        {kModeByte, kLevelL, "AB", "40 24 14 20 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC", 4},
        {kModeByte, kLevelL, "", "40 00 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC", 2},
    };
    for (const auto& [mode, level, text, codewords, count] : examples) {
        const auto state = Encode(mode, 1, level, text);
        std::ostringstream hex;
        for (int i = 0; i < FindSymbolParameters(1, level)->dataCodewords; ++i) {
            hex << (i > 0 ? " " : "") << std::hex << std::uppercase << std::setw(2)
                << std::setfill('0') << int{state->dataCodewords[i]};
        }
        EXPECT_EQ(hex.str(), codewords) << text;
        EXPECT_EQ(state->dataByteCount, count) << text;
    }
}

// "5" in each mode: the mode indicator, a count of 1 in the indicator's width, the data.
TEST(DataBitStream, CountIndicatorWidthsAtVersions9And10And40) {
    const char* parts[][2] = {{}, {"0100", "00110101"}, {"0010", "000101"}, {"0001", "0101"}};
    const int versions[] = {9, 10, 40};
    const int widths[][3] = {{}, {8, 16, 16}, {9, 11, 13}, {10, 12, 14}};
    for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
        for (int i = 0; i < 3; ++i) {
            const std::string want = std::string(parts[mode][0]) +
                                     std::string(widths[mode][i] - 1, '0') + "1" + parts[mode][1];
            EXPECT_EQ(std::string(Encode(mode, versions[i], kLevelL, "5")->bitString, want.size()),
                      want);
        }
    }
}

// Cut to capacity, never through a UTF-8 character; the status line counts the whole input.
TEST(CreateData, StatisticsLineAndCutToCapacity) {
    const std::tuple<int, int, int, std::string, int, const char*> runs[] = {
        {kModeNumeric, 1, kLevelM, "01234567", 8, "8 6 1 10 26"},
        {kModeAlphanumeric, 5, kLevelQ, "HELLO WORLD", 11, "11 10 4 18 134"},
        // The terminator would spill past the full symbol; the count stays at its 16.
        {kModeNumeric, 1, kLevelM, std::string(34, '8'), 34, "34 16 1 10 26"},
        {kModeByte, 40, kLevelH, std::string(2000, 'z'), 1273, "2000 1276 81 30 3706"},
        {kModeByte, 40, kLevelL, std::string(20000, 'q'), 2953, "20000 2956 25 30 3706"},
        {kModeNumeric, 40, kLevelL, std::string(16384, '9'), 7089, "16384 2956 25 30 3706"},
        {kModeAlphanumeric, 1, kLevelL, std::string(25, 'A') + "a", 25, "26 19 1 7 26"},
        {kModeByte, 1, kLevelL, "ああああああ", 15, "18 17 1 7 26"},  // 3 bytes each
        {kModeByte, 1, kLevelL, "ab😀😀😀😀😀", 14, "22 16 1 7 26"},       // 4 bytes each
        // Bytes that are not UTF-8 are cut where the capacity falls.
        {kModeByte, 1, kLevelL, std::string(30, '\xE9'), 17, "30 19 1 7 26"},
        {kModeByte, 1, kLevelL, std::string(16, 'x') + "\xE3\x81\x41", 17, "19 19 1 7 26"},
        {kModeByte, 1, kLevelL, std::string(16, 'x') + "\xE0\x80\x80", 17, "19 19 1 7 26"},
    };
    for (const auto& [mode, version, level, text, kept, numbers] : runs) {
        SCOPED_TRACE(text.substr(0, 20));
        auto state = std::make_unique<EncoderState>();
        Configure(*state, mode, version, level);
        const GenerationResult result = state->CreateData(text);
        ASSERT_TRUE(result.Created()) << result.message;
        std::string n[5];
        std::istringstream(numbers) >> n[0] >> n[1] >> n[2] >> n[3] >> n[4];
        EXPECT_EQ(std::string(result.status),
                  "入力バイト数：" + n[0] + "  データバイト数：" + n[1] + "\u3000訂正ブロック数：" +
                      n[2] + "\u3000訂正次数GA：" + n[3] + "  総コード数：" + n[4]);
        EXPECT_STREQ(result.message, "");
        EXPECT_EQ(std::pair(state->dataReady, state->SymbolSide()), std::pair(1, 4 * version + 17));
        EXPECT_EQ(state->dataCharacterCount, kept);
        EXPECT_TRUE(std::string(state->dataText) == text.substr(0, static_cast<std::size_t>(kept)));
    }
}

TEST(CreateData, RefusalsLeaveThePreviousSymbol) {
    const char* noMode =
        "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください";
    const char* notAlnum = "英数字の文字セットのみを選択してください";
    const char* notNumeric = "数字の文字セットのみを選択してください";
    const char* unsupported = "文字種別、バージョン、誤り訂正レベル、マスクの指定が範囲外です";
    using enum GenerationOutcome;
    const std::tuple<int, int, int, int, std::string, GenerationOutcome, const char*> refusals[] = {
        {kModeNone, 1, kLevelL, 3, "text", NoModeChosen, noMode},
        {kModeAlphanumeric, 1, kLevelL, 3, "HELLo", NotAlphanumeric, notAlnum},
        {kModeAlphanumeric, 1, kLevelL, 3, std::string("AB\0C", 4), NotAlphanumeric, notAlnum},
        {kModeNumeric, 1, kLevelL, 3, "12a45", NotNumeric, notNumeric},
        {kModeNumeric, 1, kLevelL, 3, "１", NotNumeric, notNumeric},  // full-width
        {kModeByte, 41, kLevelL, 3, "1", UnsupportedSettings, unsupported},
        {kModeNumeric, -1, kLevelM, 3, "1", UnsupportedSettings, unsupported},
        {kModeByte, 0, kLevelL, 3, "1", UnsupportedSettings, unsupported},
        {kModeByte, 1, 5, 3, "1", UnsupportedSettings, unsupported},
        {kModeByte, 1, kLevelL, 8, "1", UnsupportedSettings, unsupported},
        {4, 1, kLevelL, 3, "1", UnsupportedSettings, unsupported},
    };
    for (const auto& [mode, version, level, mask, text, outcome, message] : refusals) {
        SCOPED_TRACE(::testing::Message()
                     << mode << " " << version << "-" << level << " mask " << mask << " " << text);
        auto state = std::make_unique<EncoderState>();
        Configure(*state, kModeByte, 2, kLevelQ);
        ASSERT_TRUE(state->CreateData("earlier symbol").Created());
        const std::string before(state->symbolMatrix, kPlaneCells);
        Configure(*state, mode, version, level, mask);
        const GenerationResult result = state->CreateData(text);
        EXPECT_EQ(result.outcome, outcome);
        EXPECT_STREQ(result.message, message);
        EXPECT_FALSE(result.hasStatus);
        EXPECT_TRUE(std::string(state->symbolMatrix, kPlaneCells) == before);
        EXPECT_EQ(std::pair(state->dataReady, state->symbolVersion), std::pair(1, 2));
    }
}

}  // namespace
}  // namespace quirvane
