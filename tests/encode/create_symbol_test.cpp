// CreateSymbol: an explicit window mode gives CreateData's symbol; the
// automatic version is the smallest that holds the text; streams begin as the
// standard writes them; refusals name what is wrong and change nothing. (Every
// kind of request against the fuzzer's checker: tests/fuzz.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <quirvane/encoder.h>

namespace quirvane {
namespace {

// The data codewords as '0'/'1', most significant bit first.
std::string StreamBits(const EncoderState& state) {
    std::string bits;
    for (int i = 0; i < state.symbolParameters.dataCodewords; ++i) {
        for (int b = 7; b >= 0; --b) {
            bits += ((state.dataCodewords[i] >> b) & 1) != 0 ? '1' : '0';
        }
    }
    return bits;
}

std::string Binary(unsigned value, int width) {
    std::string bits;
    for (int b = width - 1; b >= 0; --b) {
        bits += ((value >> b) & 1) != 0 ? '1' : '0';
    }
    return bits;
}

TEST(CreateSymbol, AnExplicitWindowModeGivesTheWindowsSymbol) {
    struct Row {
        int mode, version, level, mask;
        std::string text;
        TextEncoding encoding;
    };
    const Row rows[] = {
        {kModeByte, 2, kLevelM, 0, "\x93\x8C\x8B\x9E\x93\x73", TextEncoding::ShiftJis},  // 東京都
        {kModeByte, 1, kLevelH, 7, "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD", TextEncoding::Utf8},
        {kModeAlphanumeric, 7, kLevelQ, 5, "HELLO WORLD $%*+-./:", TextEncoding::Utf8},
        {kModeNumeric, 40, kLevelH, 1, std::string(3100, '7'), TextEncoding::Utf8},  // cut
    };
    auto window = std::make_unique<EncoderState>();
    auto library = std::make_unique<EncoderState>();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 20));
        window->settings = EncoderSettings{r.mode, r.version, r.level, r.mask};
        const GenerationResult expected = window->CreateData(r.text, r.encoding);
        SymbolRequest request{r.mode, r.version, 1, kLargestVersion, r.level, r.mask};
        request.byteEncoding = r.encoding;
        const GenerationResult made = library->CreateSymbol(r.text, request);
        ASSERT_TRUE(expected.Created() && made.Created()) << made.message;
        EXPECT_EQ(window->SymbolSide(), library->SymbolSide());
        EXPECT_EQ(std::memcmp(window->symbolMatrix, library->symbolMatrix, kPlaneCells), 0);
        EXPECT_STREQ(made.status, expected.status);
        EXPECT_EQ(std::tuple(made.version, made.mask), std::tuple(r.version, r.mask));
    }
}

TEST(CreateSymbol, TheAutomaticVersionIsTheSmallestThatHoldsTheText) {
    struct Row {
        int mode;
        std::string text;
        int level, minVersion, maxVersion, expected;
    };
    const Row rows[] = {
        {kModeByte, std::string(17, 'a'), kLevelL, 1, 40, 1},  // 1-L holds 17 bytes
        {kModeByte, std::string(18, 'a'), kLevelL, 1, 40, 2},
        {kModeByte, std::string(17, 'a'), kLevelL, 5, 40, 5},  // the lower bound
        {kModeAlphanumeric, std::string(1852, 'A'), kLevelH, 1, 40, 40},
        {kModeAuto, "01234567", kLevelM, 1, 40, 1},
        {kModeAuto, std::string(1200, 'x'), kLevelL, 1, 40, 25},  // 24-L holds 1171 bytes
        {kModeKanji, "東京都", kLevelH, 1, 40, 1},
    };
    auto state = std::make_unique<EncoderState>();
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.mode) + " " + std::to_string(r.text.size()));
        SymbolRequest request{r.mode, kVersionAuto, r.minVersion, r.maxVersion, r.level, 0};
        const GenerationResult made = state->CreateSymbol(r.text, request);
        ASSERT_TRUE(made.Created()) << made.message;
        EXPECT_EQ(made.version, r.expected);
        EXPECT_EQ(state->SymbolSide(), 4 * r.expected + 17);
        EXPECT_EQ(made.charactersLeftOut, 0);
        // The version below (within the bounds) is too small.
        if (r.expected > r.minVersion) {
            request.version = r.expected - 1;
            const GenerationResult smaller = state->CreateSymbol(r.text, request);
            ASSERT_TRUE(smaller.Created());
            EXPECT_GT(smaller.charactersLeftOut, 0);
        }
    }
}

TEST(CreateSymbol, StreamsBeginAsTheStandardWritesThem) {
    struct Row {
        int mode, eci;
        std::string text, begins;
    };
    const Row rows[] = {
        // Kanji mode: 1000, the count in 8 bits, 13 bits a character: 東 is
        // 0x938C, so (0x93 - 0x81) * 0xC0 + (0x8C - 0x40) = 3532.
        {kModeKanji, 0, "東", "1000" + Binary(1, 8) + Binary(3532, 13) + "0000"},
        // An ECI before a byte segment: 0111, designator 26 in one byte.
        {kModeByte, 26, "A", "0111" + Binary(26, 8) + "0100" + Binary(1, 8) + Binary('A', 8)},
        // Designators of two and three bytes: 10 then 14 bits, 110 then 21 bits.
        {kModeByte, 1000, "A", "0111" + Binary(0x8000 | 1000, 16) + "0100"},
        {kModeByte, 999999, "A", "0111" + Binary(0xC00000 | 999999, 24) + "0100"},
        // 茗 is 0xE4AA in the second range: (0xE4 - 0xC1) * 0xC0 + (0xAA - 0x40) = 6826.
        {kModeKanji, 0, "茗", "1000" + Binary(1, 8) + Binary(6826, 13) + "0000"},
        // Kana alone: one Kanji segment and no ECI.
        {kModeAuto, 0, "こんにちは", "1000" + Binary(5, 8)},
        // A character with no JIS X 0208 form: the ECI 26 family, UTF-8 bytes.
        {kModeAuto, 0, "①", "0111" + Binary(26, 8) + "0100" + Binary(3, 8) + Binary(0xE2, 8)},
        // ASCII never carries an ECI, even with a backslash.
        {kModeAuto, 0, "C:\\tmp", "0100" + Binary(6, 8)},
        // A backslash beside kanji would read as a yen sign: UTF-8 after an ECI.
        {kModeAuto, 0, "C:\\東京", "0111" + Binary(26, 8) + "0100"},
    };
    auto state = std::make_unique<EncoderState>();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        SymbolRequest request{r.mode, 2, 1, kLargestVersion, kLevelL, 0, r.eci};
        const GenerationResult made = state->CreateSymbol(r.text, request);
        ASSERT_TRUE(made.Created()) << made.message;
        EXPECT_EQ(StreamBits(*state).substr(0, r.begins.size()), r.begins);
    }
}

// Each refusal has its outcome and, where it matters, names the character,
// the byte or how much is too long; none changes the symbol before it.
TEST(CreateSymbol, RefusalsSayWhatIsWrongAndKeepThePreviousSymbol) {
    struct Row {
        SymbolRequest request;  // mode, version, bounds, level, mask, ECI designator
        std::string text;
        GenerationOutcome outcome;
        std::string says = "";
    };
    const std::string digits(8000, '7');
    using enum GenerationOutcome;
    // clang-format off
    const Row rows[] = {
        // Code page 932's own characters (NEC row 13, IBM's) and ASCII.
        {{kModeKanji, 1}, "東京①", NotKanji, "character 3, \"①\" (U+2460)"},
        {{kModeKanji, 1}, "高橋と髙橋", NotKanji, "character 4, \"髙\" (U+9AD9)"},
        {{kModeKanji, 1}, "漢字A", NotKanji, "character 3, \"A\" (U+0041)"},
        {{kModeKanji}, "～", NotKanji},
        {{kModeKanji}, "A\xFF", NotKanji},
        {{kModeKanji}, "漢\xFF", NotUtf8},
        {{kModeAuto, 1}, "ab\xFF", NotUtf8, "byte 3"},
        {{kModeAuto}, "\xC0\xAF", NotUtf8},
        {{kModeAuto}, "\xED\xA0\x80", NotUtf8},
        {{kModeAlphanumeric}, "abc", NotAlphanumeric},
        {{kModeAuto}, std::string(2954, 'x'), DoesNotFit,
         "1 character too long: version 40-L holds the first 2953 of its 2954"},
        {{kModeByte, kVersionAuto, 1, 10}, std::string(272, 'x'), DoesNotFit,
         "version 10-L holds the first 271 of its 272"},
        {{kModeAuto, kVersionAuto, 1, 2}, std::string(200, '7'), DoesNotFit},
        {{kModeAuto}, digits, DoesNotFit},
        {{kModeNumeric, kVersionAuto, 1, 9}, digits, DoesNotFit},
        {{kModeByte, kVersionAuto, 3, 3, kLevelL, kMaskAuto, 26}, std::string(100, '7'), DoesNotFit},
        {{kModeAuto, kVersionAuto, 5, 4}, "A", UnsupportedSettings},
        {{kModeAuto, 3, 0, 40}, "A", UnsupportedSettings},
        {{kModeAuto, 3, 1, 41}, "A", UnsupportedSettings},
        {{kModeAuto, 41}, "A", UnsupportedSettings},
        {{kModeKanji, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 26}, "漢", UnsupportedSettings},
        {{kModeAlphanumeric, 1, 1, 40, kLevelL, 0, 26}, "A", UnsupportedSettings},
        {{kModeByte, kVersionAuto, 1, 40, kLevelL, kMaskAuto, 1000000}, "A", UnsupportedSettings},
        {{kModeByte, kVersionAuto, 1, 40, kLevelL, kMaskAuto, -1}, "A", UnsupportedSettings},
        {{6}, "A", UnsupportedSettings},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, 8}, "A", UnsupportedSettings},
        {{kModeAuto, kVersionAuto, 1, 40, kLevelL, -2}, "A", UnsupportedSettings},
    };
    // clang-format on
    auto state = std::make_unique<EncoderState>();
    ASSERT_TRUE(state->CreateSymbol("before", SymbolRequest{}).Created());
    const std::vector<char> before(state->symbolMatrix, state->symbolMatrix + kPlaneCells);
    for (const Row& r : rows) {
        const SymbolRequest& q = r.request;
        SCOPED_TRACE(::testing::Message()
                     << "mode " << q.characterMode << " v" << q.version << " " << q.minVersion
                     << "-" << q.maxVersion << " mask " << q.maskReference << " ECI "
                     << q.eciDesignator << " " << r.text.substr(0, 20));
        const GenerationResult refused = state->CreateSymbol(r.text, r.request);
        EXPECT_EQ(refused.outcome, r.outcome);
        EXPECT_NE(std::string(refused.message).find(r.says), std::string::npos) << refused.message;
        EXPECT_EQ(std::memcmp(before.data(), state->symbolMatrix, kPlaneCells), 0);
        EXPECT_EQ(state->symbolVersion, 1);
    }
}

}  // namespace
}  // namespace quirvane
