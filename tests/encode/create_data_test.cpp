// The generation command as a front end sees it: the statistics line, the
// refusals with their messages, and the cut to capacity, which never splits a
// UTF-8 character whatever the input's length. A refusal leaves the previous
// symbol as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "encode/encoder_state.h"

namespace quirvane {
namespace {

std::unique_ptr<EncoderState> StateFor(int mode, int version, int level, int mask = 3) {
    auto state = std::make_unique<EncoderState>();
    state->characterMode = mode;
    state->version = version;
    state->errorCorrectionLevel = level;
    state->maskReference = mask;
    state->LoadSymbolParameters();
    return state;
}

// Two ASCII blanks before the data byte count and the total, full-width
// blanks (U+3000) before the block count and the degree.
std::string StatusLine(int input, int data, int blocks, int degree, int total) {
    return "入力バイト数：" + std::to_string(input) + "  データバイト数：" + std::to_string(data) +
           "\u3000訂正ブロック数：" + std::to_string(blocks) + "\u3000訂正次数GA：" +
           std::to_string(degree) + "  総コード数：" + std::to_string(total);
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    while (times-- > 0) {
        text += piece;
    }
    return text;
}

// Everything a drawn symbol depends on, and whether it may be drawn.
std::vector<char> SymbolOf(const EncoderState& s) {
    std::vector<char> all(s.patternPlane, s.patternPlane + kPlaneCells);
    all.insert(all.end(), s.dataPlane, s.dataPlane + kPlaneCells);
    all.insert(all.end(), s.symbolMatrix, s.symbolMatrix + kPlaneCells);
    all.push_back(static_cast<char>(s.dataReady));
    all.push_back(static_cast<char>(s.symbolVersion));
    return all;
}

// A record holding a finished 2-Q symbol, for refusals to leave alone.
std::unique_ptr<EncoderState> StateWithSymbol() {
    auto state = StateFor(kModeByte, 2, kLevelQ, 5);
    EXPECT_TRUE(state->CreateData("earlier symbol").Created());
    return state;
}

TEST(CreateData, StatisticsLine) {
    struct Run {
        int mode, version, level;
        std::string text;
        int input, data, blocks, degree, total;
    };
    const Run runs[] = {
        {kModeNumeric, 1, kLevelM, "01234567", 8, 6, 1, 10, 26},
        {kModeByte, 1, kLevelL, "", 0, 2, 1, 7, 26},
        {kModeAlphanumeric, 7, kLevelH, "", 0, 3, 5, 26, 196},
        {kModeNumeric, 40, kLevelM, "", 0, 3, 49, 28, 3706},
        {kModeAlphanumeric, 5, kLevelQ, "HELLO WORLD", 11, 10, 4, 18, 134},
        {kModeByte, 1, kLevelL, "日本", 6, 8, 1, 7, 26},  // each byte counts once
        // A full symbol: the terminator would spill into a byte the symbol does
        // not hold, and the count stays at what the symbol holds.
        {kModeNumeric, 1, kLevelM, std::string(34, '8'), 34, 16, 1, 10, 26},
        {kModeByte, 40, kLevelH, std::string(2000, 'z'), 2000, 1276, 81, 30, 3706},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(r.text.substr(0, 20));
        auto state = StateFor(r.mode, r.version, r.level);
        const GenerationResult result = state->CreateData(r.text);
        ASSERT_EQ(result.outcome, GenerationOutcome::Created) << result.message;
        EXPECT_TRUE(result.hasStatus);
        EXPECT_EQ(std::string(result.status),
                  StatusLine(r.input, r.data, r.blocks, r.degree, r.total));
        EXPECT_STREQ(result.message, "");
        EXPECT_EQ(state->dataReady, 1);
        EXPECT_EQ(state->SymbolSide(), 4 * r.version + 17);
    }
}

TEST(CreateData, WithoutAModeRefusesAndKeepsTheSymbol) {
    auto fresh = std::make_unique<EncoderState>();
    const GenerationResult result = fresh->CreateData("text");
    EXPECT_EQ(result.outcome, GenerationOutcome::NoModeChosen);
    EXPECT_STREQ(result.message,
                 "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください");
    EXPECT_FALSE(result.hasStatus);
    EXPECT_EQ(fresh->dataReady, 0);

    auto state = StateWithSymbol();
    const std::vector<char> before = SymbolOf(*state);
    state->characterMode = kModeNone;
    EXPECT_EQ(state->CreateData("text").outcome, GenerationOutcome::NoModeChosen);
    EXPECT_TRUE(SymbolOf(*state) == before);
}

TEST(CreateData, CharacterSetOfTheMode) {
    struct Case {
        int mode;
        std::string text;
        GenerationOutcome outcome;
    };
    const Case cases[] = {
        {kModeAlphanumeric, "HELLO WORLD 0123 $%*+-./:", GenerationOutcome::Created},
        {kModeAlphanumeric, "hELLO", GenerationOutcome::NotAlphanumeric},
        {kModeAlphanumeric, "HELLo", GenerationOutcome::NotAlphanumeric},
        {kModeAlphanumeric, "AB\r\nCD", GenerationOutcome::NotAlphanumeric},
        // Only what is encoded is checked: the 'a' lies beyond the capacity of 1-L.
        {kModeAlphanumeric, std::string(25, 'A') + "a", GenerationOutcome::Created},
        {kModeNumeric, "0123456789", GenerationOutcome::Created},
        {kModeNumeric, "12a45", GenerationOutcome::NotNumeric},
        {kModeNumeric, "1234 ", GenerationOutcome::NotNumeric},
        {kModeNumeric, "\xEF\xBC\x91", GenerationOutcome::NotNumeric},  // full-width 1
        {kModeByte, std::string("a\r\n\xFF\x01"), GenerationOutcome::Created},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto state = StateWithSymbol();
        const std::vector<char> before = SymbolOf(*state);
        state->characterMode = c.mode;
        state->version = 1;
        state->errorCorrectionLevel = kLevelL;
        const GenerationResult result = state->CreateData(c.text);
        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == GenerationOutcome::Created) {
            EXPECT_EQ(state->SymbolSide(), 21);
            continue;
        }
        EXPECT_STREQ(result.message, c.mode == kModeNumeric
                                         ? "数字の文字セットのみを選択してください"
                                         : "英数字の文字セットのみを選択してください");
        EXPECT_FALSE(result.hasStatus);
        EXPECT_TRUE(SymbolOf(*state) == before);
    }
}

TEST(CreateData, UnsupportedSettingsAreRefusedAndLeaveTheSymbol) {
    struct Settings {
        int mode, version, level, mask;
    };
    for (const Settings& s :
         {Settings{kModeByte, 21, kLevelL, 3}, Settings{kModeByte, 0, kLevelL, 3},
          Settings{kModeNumeric, 39, kLevelM, 3}, Settings{kModeByte, 1, 0, 3},
          Settings{kModeByte, 1, 5, 3}, Settings{kModeByte, 1, kLevelL, 8},
          Settings{kModeByte, 1, kLevelL, -1}, Settings{4, 1, kLevelL, 3}}) {
        SCOPED_TRACE(::testing::Message()
                     << s.mode << " " << s.version << " " << s.level << " " << s.mask);
        auto state = StateWithSymbol();
        const std::vector<char> before = SymbolOf(*state);
        state->characterMode = s.mode;
        state->version = s.version;
        state->errorCorrectionLevel = s.level;
        state->maskReference = s.mask;
        const GenerationResult result = state->CreateData("123");
        EXPECT_EQ(result.outcome, GenerationOutcome::UnsupportedSettings);
        EXPECT_STRNE(result.message, "");
        EXPECT_TRUE(SymbolOf(*state) == before);
    }
}

TEST(CreateData, CutToCapacityKeepsWholeCharactersAndReportsTheFullLength) {
    struct Cut {
        int mode, version, level;
        std::string text;
        int kept;  // bytes encoded
    };
    const std::string hiragana = "あ", accented = "é", emoji = "😀";  // 3, 2 and 4 bytes
    const Cut cuts[] = {
        {kModeByte, 1, kLevelL, std::string(30, 'x'), 17},
        {kModeAlphanumeric, 1, kLevelL, std::string(40, 'A'), 25},
        {kModeNumeric, 1, kLevelH, std::string(30, '7'), 17},
        // Inputs the 16384-byte working copy cannot hold whole.
        {kModeByte, 1, kLevelL, std::string(16383, 'x'), 17},
        {kModeByte, 1, kLevelL, std::string(16384, 'x'), 17},
        {kModeByte, 40, kLevelL, std::string(20000, 'q'), 2953},
        {kModeNumeric, 40, kLevelL, std::string(20000, '9'), 7089},
        {kModeByte, 40, kLevelL, Repeat(hiragana, 7000), 2952},
        // A UTF-8 character that the capacity would split is left out whole.
        {kModeByte, 1, kLevelL, Repeat(hiragana, 6), 15},
        {kModeByte, 1, kLevelL, std::string("a") + Repeat(hiragana, 6), 16},
        {kModeByte, 1, kLevelL, std::string("ab") + Repeat(hiragana, 6), 17},
        {kModeByte, 1, kLevelL, Repeat(accented, 10), 16},
        {kModeByte, 1, kLevelL, Repeat(emoji, 5), 16},
        {kModeByte, 1, kLevelL, std::string("ab") + Repeat(emoji, 5), 14},
        {kModeByte, 1, kLevelL, std::string(16, 'x') + "\xE3\x81\x82", 16},
        // Bytes that are not UTF-8 are cut at the capacity.
        {kModeByte, 1, kLevelL, std::string(30, '\xE9'), 17},
        {kModeByte, 1, kLevelL, std::string(30, '\x80'), 17},
        {kModeByte, 1, kLevelL, std::string(16, 'x') + "\xC0\x80", 17},
        {kModeByte, 1, kLevelL, std::string(16, 'x') + "\xE3\x81\x41", 17},  // E3 81 'A'

    };
    for (const Cut& c : cuts) {
        SCOPED_TRACE(::testing::Message()
                     << c.text.substr(0, 20) << "... (" << c.text.size() << " bytes)");
        auto state = StateFor(c.mode, c.version, c.level);
        const GenerationResult result = state->CreateData(c.text);
        ASSERT_EQ(result.outcome, GenerationOutcome::Created) << result.message;
        EXPECT_EQ(state->dataCharacterCount, c.kept);
        EXPECT_EQ(std::string(state->dataText), c.text.substr(0, static_cast<std::size_t>(c.kept)));
        std::string count;
        for (int bit = CountIndicatorWidth(c.mode, c.version) - 1; bit >= 0; --bit) {
            count += ((c.kept >> bit) & 1) != 0 ? '1' : '0';
        }
        EXPECT_EQ(std::string(state->countIndicator), count);
        std::string inputCount = "入力バイト数：";
        inputCount += std::to_string(c.text.size()) + "  ";
        EXPECT_TRUE(std::string(result.status).starts_with(inputCount)) << result.status;
    }
}

TEST(CreateData, SecondRunReplacesTheSymbolCompletely) {
    auto state = StateFor(kModeByte, 40, kLevelH, 6);
    ASSERT_TRUE(state->CreateData(std::string(3000, 'W')).Created());
    state->characterMode = kModeNumeric;
    state->version = 1;
    state->errorCorrectionLevel = kLevelM;
    state->maskReference = 2;
    auto fresh = StateFor(kModeNumeric, 1, kLevelM, 2);
    EXPECT_STREQ(state->CreateData("01234567").status, fresh->CreateData("01234567").status);
    EXPECT_STREQ(state->dataText, "01234567");
    EXPECT_TRUE(
        std::equal(state->patternPlane, state->patternPlane + kPlaneCells, fresh->patternPlane));
    for (int r = 0; r < 21; ++r) {
        EXPECT_EQ(std::string(state->symbolMatrix + r * kPlaneStride, 21),
                  std::string(fresh->symbolMatrix + r * kPlaneStride, 21))
            << "row " << r;
    }
}

}  // namespace
}  // namespace quirvane
