// The generation command: the cut to capacity and the refusals. The stream
// is held to a plain one in tests/matrix and read back in tests/fuzz.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include <quirvane/encoder.h>

namespace quirvane {
namespace {

// The cut to capacity keeps whole UTF-8 characters and looks no further.
// (The statistics line is held to a plain one in tests/matrix.)
TEST(CreateData, CutToCapacity) {
    const std::tuple<int, std::string, int> runs[] = {
        // What lies past the capacity is not looked at.
        {kModeAlphanumeric, std::string(25, 'A') + "a", 25},
        {kModeByte, "ああああああ", 15},  // 3 bytes each
        {kModeByte, "ab😀😀😀😀😀", 14},       // 4 bytes each
        // Bytes that are not UTF-8 are cut where the capacity falls.
        {kModeByte, std::string(30, '\xE9'), 17},
        {kModeByte, std::string(16, 'x') + "\xE3\x81\x41", 17},
        {kModeByte, std::string(16, 'x') + "\xE0\x80\x80", 17},
    };
    for (const auto& [mode, text, kept] : runs) {
        SCOPED_TRACE(text);
        auto state = std::make_unique<EncoderState>();
        state->settings = EncoderSettings{mode, 1, kLevelL, 3};
        const GenerationResult result = state->CreateData(text);
        ASSERT_TRUE(result.Created()) << result.message;
        EXPECT_STREQ(result.message, "");
        EXPECT_EQ(std::pair(state->dataReady, state->SymbolSide()), std::pair(1, 21));
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
        state->settings = EncoderSettings{kModeByte, 2, kLevelQ, 3};
        ASSERT_TRUE(state->CreateData("earlier symbol").Created());
        const std::string before(state->symbolMatrix, kPlaneCells);
        state->settings = EncoderSettings{mode, version, level, mask};
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
