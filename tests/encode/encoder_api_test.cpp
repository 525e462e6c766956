// The public Encoder, read back by the fuzz checker's own reader: the
// standard's worked examples, streams that begin as the standard writes
// them, the version chosen, the window's symbol for a window mode, and every
// refusal with the numbers that explain it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <quirvane/encoder.h>

#include "encode/encoder_state.h"
#include "encode/symbol_access.h"
#include "fuzz/symbol_checker.h"

namespace quirvane {
namespace {

std::vector<char> MatrixOf(const Symbol& symbol) {
    std::vector<char> cells(kPlaneCells, '0');
    for (int r = 0; r < symbol.Side(); ++r) {
        for (int c = 0; c < symbol.Side(); ++c) {
            cells[static_cast<std::size_t>(r * kPlaneStride + c)] = symbol.IsDark(r, c) ? '1' : '0';
        }
    }
    return cells;
}

// The data codewords read back from the modules, as '0'/'1'.
std::string StreamBits(const Symbol& symbol) {
    std::vector<std::uint8_t> data;
    const std::string fault =
        fuzz::ReadSymbolData(MatrixOf(symbol).data(), symbol.Version(),
                             static_cast<int>(symbol.ErrorCorrection()) + 1, symbol.Mask(), data);
    EXPECT_EQ(fault, "");
    std::string bits;
    for (std::uint8_t byte : data) {
        for (int b = 7; b >= 0; --b) {
            bits += (byte >> b & 1) != 0 ? '1' : '0';
        }
    }
    return bits;
}

std::string Binary(unsigned value, int width) {
    std::string bits;
    for (int b = width - 1; b >= 0; --b) {
        bits += (value >> b & 1) != 0 ? '1' : '0';
    }
    return bits;
}

// "01234567" at 1-M: the standard's example symbol, codewords and mask 2,
// and the counts the window shows for it.
TEST(Encoder, TheStandardsWorkedExample) {
    Encoder encoder;
    const Result made = encoder.Encode("01234567", {.mode = Mode::Numeric, .level = Level::M});
    ASSERT_TRUE(made);
    EXPECT_EQ(made.symbol.Version(), 1);
    EXPECT_EQ(made.symbol.Mask(), 2);
    std::string codewords;
    for (unsigned byte : {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11,
                          0xEC, 0x11, 0xEC, 0x11}) {
        codewords += Binary(byte, 8);
    }
    EXPECT_EQ(StreamBits(made.symbol), codewords);
    const Statistics& s = made.statistics;
    EXPECT_EQ(
        std::vector<int>({s.inputBytes, s.dataBytes, s.blocks, s.eccPerBlock, s.totalCodewords}),
        std::vector<int>({8, 6, 1, 10, 26}));
}

TEST(Encoder, StreamsBeginAsTheStandardWritesThem) {
    struct Row {
        Mode mode;
        int eci;
        std::string text, begins;
        std::vector<Mode> segments;
    };
    const Row rows[] = {
        // Kanji: 13 bits a character; 東 is 0x938C, (0x93 - 0x81) * 0xC0 + (0x8C - 0x40).
        {Mode::Kanji, 0, "東", "1000" + Binary(1, 8) + Binary(3532, 13) + "0000", {Mode::Kanji}},
        // 茗 is 0xE4AA in the second range: (0xE4 - 0xC1) * 0xC0 + (0xAA - 0x40).
        {Mode::Kanji, 0, "茗", "1000" + Binary(1, 8) + Binary(6826, 13), {Mode::Kanji}},
        // Designators of one, two and three bytes: 0, 10 and 110 before them.
        {Mode::Byte,
         26,
         "A",
         "0111" + Binary(26, 8) + "0100" + Binary(1, 8) + Binary('A', 8),
         {Mode::Byte}},
        {Mode::Byte, 1000, "A", "0111" + Binary(0x8000 | 1000, 16) + "0100", {Mode::Byte}},
        {Mode::Byte, 999999, "A", "0111" + Binary(0xC00000 | 999999, 24) + "0100", {Mode::Byte}},
        // Kana alone: one Kanji segment, no ECI.
        {Mode::Auto, 0, "こんにちは", "1000" + Binary(5, 8), {Mode::Kanji}},
        // No JIS X 0208 form: ECI 26 and UTF-8.
        {Mode::Auto,
         0,
         "①",
         "0111" + Binary(26, 8) + "0100" + Binary(3, 8) + Binary(0xE2, 8),
         {Mode::Byte}},
        // ASCII never carries an ECI, even with a backslash; beside kanji a
        // backslash would read as a yen sign, so that text goes as UTF-8.
        {Mode::Auto, 0, "C:\\tmp", "0100" + Binary(6, 8), {Mode::Byte}},
        {Mode::Auto, 0, "C:\\東京", "0111" + Binary(26, 8) + "0100", {Mode::Byte}},
        // Runs worth their own segment.
        {Mode::Auto,
         0,
         "注文番号 20240611004",
         "1000" + Binary(4, 8),
         {Mode::Kanji, Mode::Alphanumeric, Mode::Numeric}},
    };
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const Result made =
            encoder.Encode(r.text, {.mode = r.mode, .version = 2, .mask = 0, .eci = r.eci});
        ASSERT_TRUE(made);
        EXPECT_EQ(StreamBits(made.symbol).substr(0, r.begins.size()), r.begins);
        std::vector<Mode> modes;
        int next = 0;
        for (const Segment& segment : made.symbol.Segments()) {
            modes.push_back(segment.mode);
            EXPECT_EQ(segment.byteStart, next);
            next += segment.bytes;
        }
        EXPECT_EQ(next, static_cast<int>(r.text.size()));
        EXPECT_EQ(modes, r.segments);
    }
}

// A window mode with the window's version and mask is the window's symbol,
// Shift_JIS and UTF-8 bytes alike, and a cut falls where the window's does.
TEST(Encoder, AWindowModeGivesTheWindowsSymbol) {
    struct Row {
        int characterMode, version, level, mask;
        std::string text;
        ByteEncoding encoding;
    };
    const Row rows[] = {
        {kModeByte, 2, kLevelM, 0, "\x93\x8C\x8B\x9E\x93\x73", ByteEncoding::ShiftJis},  // 東京都
        {kModeByte, 1, kLevelH, 7, std::string(5, '\x82') + "\xA0\xE6\x9D\xB1",
         ByteEncoding::ShiftJis},
        {kModeByte, 1, kLevelH, 6, "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD\xE9\x83\xBD",
         ByteEncoding::Utf8},
        {kModeAlphanumeric, 7, kLevelQ, 5, "HELLO WORLD $%*+-./:", ByteEncoding::Utf8},
        {kModeNumeric, 40, kLevelH, 1, std::string(3100, '7'), ByteEncoding::Utf8},
    };
    auto window = std::make_unique<EncoderState>();
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 12));
        window->settings = EncoderSettings{r.characterMode, r.version, r.level, r.mask};
        const GenerationResult expected = window->CreateData(r.text, r.encoding);
        const Result made = encoder.Encode(r.text, {.mode = ModeOfCharacterMode(r.characterMode),
                                                    .level = static_cast<Level>(r.level - kLevelL),
                                                    .version = r.version,
                                                    .cutToFit = true,
                                                    .mask = r.mask,
                                                    .byteEncoding = r.encoding});
        ASSERT_TRUE(expected.Created() && made);
        EXPECT_EQ(MatrixOf(made.symbol), MatrixOf(SymbolOf(*window)));
        EXPECT_EQ(made.statistics.dataBytes, expected.statistics.dataBytes);
        EXPECT_EQ(made.statistics.inputBytes, static_cast<int>(r.text.size()));
    }
}

// Each refusal has its outcome and the numbers that explain it.
TEST(Encoder, RefusalsSayWhatIsWrong) {
    struct Row {
        Request request;
        std::string text;
        Outcome outcome;
        int position = 0, byteOffset = 0;
        char32_t character = 0;
        RequestField field = RequestField::None;
    };
    using enum Outcome;
    const Request kanji{.mode = Mode::Kanji};
    // clang-format off
    const Row rows[] = {
        // Code page 932's own characters, its reading of a JIS cell, ASCII.
        {kanji, "東京①", NotKanji, 3, 6, U'①'},
        {kanji, "高橋と髙橋", NotKanji, 4, 9, U'髙'},
        {kanji, "漢字A", NotKanji, 3, 6, U'A'},
        {kanji, "～", NotKanji, 1, 0, U'～'},
        {kanji, "漢\xFF", NotUtf8, 2, 3, 0xFF},
        {{}, "ab\xFF", NotUtf8, 3, 2, 0xFF},
        {{}, "\xED\xA0\x80", NotUtf8, 1, 0, 0xED},  // a surrogate
        {{.mode = Mode::Alphanumeric}, "ABc", NotAlphanumeric, 3, 2, U'c'},
        {{.mode = Mode::Numeric}, "12 3", NotNumeric, 3, 2, U' '},
        {{.minVersion = 5, .maxVersion = 4}, "A", InvalidRequest, 0, 0, 0, RequestField::VersionBounds},
        {{.version = 41}, "A", InvalidRequest, 0, 0, 0, RequestField::Version},
        {{.mask = 8}, "A", InvalidRequest, 0, 0, 0, RequestField::Mask},
        {{.mode = static_cast<Mode>(9)}, "A", InvalidRequest, 0, 0, 0, RequestField::Mode},
        {{.level = static_cast<Level>(4)}, "A", InvalidRequest, 0, 0, 0, RequestField::Level},
        {{.mode = Mode::Kanji, .eci = 26}, "漢", InvalidRequest, 0, 0, 0, RequestField::Eci},
        {{.mode = Mode::Byte, .eci = 1000000}, "A", InvalidRequest, 0, 0, 0, RequestField::Eci},
    };
    // clang-format on
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const Result refused = encoder.Encode(r.text, r.request);
        EXPECT_EQ(refused.outcome, r.outcome);
        EXPECT_EQ(refused.position, r.position);
        EXPECT_EQ(refused.byteOffset, r.byteOffset);
        EXPECT_EQ(refused.character, r.character);
        EXPECT_EQ(refused.field, r.field);
    }
}

TEST(Encoder, TooLongSaysByHowMuch) {
    struct Row {
        Request request;
        std::string text;
        int held, total, bytesOver;
    };
    const Row rows[] = {
        {{}, std::string(2954, 'x'), 2953, 2954, 1},  // 40-L holds 2953 bytes
        {{.mode = Mode::Byte, .maxVersion = 10}, std::string(272, 'x'), 271, 272, 1},
        {{.mode = Mode::Byte, .level = Level::H, .version = 1}, "東京都港区", 2, 5, 8},
        {{.mode = Mode::Numeric, .version = 1}, std::string(45, '7'), 41, 45, 2},
    };
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 12));
        const Result refused = encoder.Encode(r.text, r.request);
        EXPECT_EQ(refused.outcome, Outcome::TooLong);
        EXPECT_EQ(refused.charactersHeld, r.held);
        EXPECT_EQ(refused.charactersTotal, r.total);
        EXPECT_EQ(refused.BytesOver(), r.bytesOver);
    }
}

// The refusals of FNC1 and structured append, with their numbers.
TEST(Encoder, Fnc1AndPartsRefusals) {
    struct Row {
        std::string text;
        Request request;
        int parts;  // -1: one symbol
        Outcome outcome;
        RequestField field = RequestField::None;
        int position = 0, partsNeeded = 0;
    };
    using enum Outcome;
    const std::string longest(16 * 2951, 'x');  // a part of 40-L holds 2951 bytes after its header
    // clang-format off
    const Row rows[] = {
        {"A", {.mode = Mode::Byte, .fnc1 = Fnc1::Gs1}, -1, InvalidRequest, RequestField::Fnc1},
        {"A", {.fnc1 = Fnc1::Industry, .applicationIndicator = 150}, -1, InvalidRequest, RequestField::Fnc1},
        {"10東京", {.fnc1 = Fnc1::Gs1}, -1, NotAscii, RequestField::None, 3},
        {"AB", {.mode = Mode::Byte}, 0, InvalidRequest, RequestField::Mode},
        {"AB", {.fnc1 = Fnc1::Gs1}, 0, InvalidRequest, RequestField::Fnc1},
        {"AB", {}, 1, InvalidRequest, RequestField::Parts},
        {"AB", {}, 17, InvalidRequest, RequestField::Parts},
        {"ABC", {}, 4, InvalidRequest, RequestField::Parts},  // fewer characters than parts
        {"A\xFF", {}, 0, NotUtf8, RequestField::None, 2},
        {longest, {}, 0, Created},
        {longest + "x", {}, 0, TooLong, RequestField::None, 0, 17},
        {longest, {}, 15, TooLong, RequestField::None, 0, 16},
        {longest.substr(0, 5000), {.version = 10}, 0, TooLong, RequestField::None, 0, 19},
    };
    // clang-format on
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 12) + " parts " + std::to_string(r.parts));
        const Result made = r.parts < 0 ? encoder.Encode(r.text, r.request)
                                        : encoder.EncodeParts(r.text, r.request, r.parts);
        EXPECT_EQ(made.outcome, r.outcome);
        EXPECT_EQ(made.field, r.field);
        EXPECT_EQ(made.position, r.position);
        EXPECT_EQ(made.partsNeeded, r.partsNeeded);
    }
}

}  // namespace
}  // namespace quirvane
