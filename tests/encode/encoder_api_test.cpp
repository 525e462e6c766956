// The public Encoder, read back by the fuzz checker's own reader: the worked
// example, how streams begin, the window's symbol for a window mode, and
// every refusal with the numbers that explain it.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
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

std::string Binary(unsigned value, int width) {
    std::string bits;
    for (int b = width - 1; b >= 0; --b) {
        bits += (value >> b & 1) != 0 ? '1' : '0';
    }
    return bits;
}

// The data codewords read back from the modules, as '0'/'1'.
std::string StreamBits(const Symbol& symbol) {
    std::vector<std::uint8_t> data;
    EXPECT_EQ(
        fuzz::ReadSymbolData(MatrixOf(symbol).data(), symbol.Version(),
                             static_cast<int>(symbol.ErrorCorrection()) + 1, symbol.Mask(), data),
        "");
    std::string bits;
    for (std::uint8_t byte : data) {
        bits += Binary(byte, 8);
    }
    return bits;
}

// "01234567" at 1-M: the standard's example symbol, codewords and mask 2,
// and the counts the window shows for it.
TEST(Encoder, TheStandardsWorkedExample) {
    Encoder encoder;
    const Result made = encoder.Encode("01234567", {.mode = Mode::Numeric, .level = Level::M});
    ASSERT_TRUE(made);
    EXPECT_EQ(std::pair(made.symbol.Version(), made.symbol.Mask()), std::pair(1, 2));
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
    using enum Mode;
    // clang-format off
    const Row rows[] = {
        // Kanji: 13 bits a character; 東 is 0x938C, (0x93 - 0x81) * 0xC0 + (0x8C - 0x40).
        {Kanji, 0, "東", "1000" + Binary(1, 8) + Binary(3532, 13) + "0000", {Kanji}},
        // 茗 is 0xE4AA in the second range: (0xE4 - 0xC1) * 0xC0 + (0xAA - 0x40).
        {Kanji, 0, "茗", "1000" + Binary(1, 8) + Binary(6826, 13), {Kanji}},
        // Designators of one, two and three bytes: 0, 10 and 110 before them.
        {Byte, 26, "A", "0111" + Binary(26, 8) + "0100" + Binary(1, 8) + Binary('A', 8), {Byte}},
        {Byte, 1000, "A", "0111" + Binary(0x8000 | 1000, 16) + "0100", {Byte}},
        {Byte, 999999, "A", "0111" + Binary(0xC00000 | 999999, 24) + "0100", {Byte}},
        // Kana alone: one Kanji segment, no ECI.
        {Auto, 0, "こんにちは", "1000" + Binary(5, 8), {Kanji}},
        // No JIS X 0208 form: ECI 26 and UTF-8.
        {Auto, 0, "①", "0111" + Binary(26, 8) + "0100" + Binary(3, 8) + Binary(0xE2, 8), {Byte}},
        // ASCII never carries an ECI, even with a backslash; beside kanji a
        // backslash would read as a yen sign, so that text goes as UTF-8.
        {Auto, 0, "C:\\tmp", "0100" + Binary(6, 8), {Byte}},
        {Auto, 0, "C:\\東京", "0111" + Binary(26, 8) + "0100", {Byte}},
        // Runs worth their own segment.
        {Auto, 0, "注文番号 20240611004", "1000" + Binary(4, 8), {Kanji, Alphanumeric, Numeric}},
    };
    // clang-format on
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
    // clang-format off
    const std::tuple<int, int, int, int, std::string, ByteEncoding> rows[] = {
        // mode, version, level, mask, text, its bytes
        {kModeByte, 2, kLevelM, 0, "\x93\x8C\x8B\x9E\x93\x73", ByteEncoding::ShiftJis},  // 東京都
        {kModeByte, 1, kLevelH, 7, std::string(5, '\x82') + "\xA0\xE6\x9D\xB1", ByteEncoding::ShiftJis},
        {kModeByte, 1, kLevelH, 6, "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD\xE9\x83\xBD", ByteEncoding::Utf8},
        {kModeAlphanumeric, 7, kLevelQ, 5, "HELLO WORLD $%*+-./:", ByteEncoding::Utf8},
        {kModeNumeric, 40, kLevelH, 1, std::string(3100, '7'), ByteEncoding::Utf8},
    };
    // clang-format on
    auto window = std::make_unique<EncoderState>();
    Encoder encoder;
    for (const auto& [characterMode, version, level, mask, text, encoding] : rows) {
        SCOPED_TRACE(text.substr(0, 12));
        window->settings = EncoderSettings{characterMode, version, level, mask};
        const GenerationResult expected = window->CreateData(text, encoding);
        const Result made = encoder.Encode(text, {.mode = ModeOfCharacterMode(characterMode),
                                                  .level = static_cast<Level>(level - kLevelL),
                                                  .version = version,
                                                  .cutToFit = true,
                                                  .mask = mask,
                                                  .byteEncoding = encoding});
        ASSERT_TRUE(expected.Created() && made);
        EXPECT_EQ(MatrixOf(made.symbol), MatrixOf(SymbolOf(*window)));
        EXPECT_EQ(made.statistics.dataBytes, expected.statistics.dataBytes);
        EXPECT_EQ(made.statistics.inputBytes, static_cast<int>(text.size()));
    }
}

// Each refusal, of one symbol or of a set of parts (`parts` 0 or more), has
// its outcome and the numbers that explain it; the others stay 0.
TEST(Encoder, RefusalsSayWhatIsWrong) {
    struct Row {
        std::string text;
        Request request;
        Outcome outcome;
        RequestField field = RequestField::None;
        // position, byte offset, character, characters held, total, bytes over, parts needed
        std::array<int, 7> numbers{};
        int parts = -1;
    };
    using enum Outcome;
    using F = RequestField;
    const Request kanji{.mode = Mode::Kanji};
    const std::string longest(16 * 2951, 'x');  // a part of 40-L holds 2951 bytes after its header
    // clang-format off
    const Row rows[] = {
        // Code page 932's own characters, its reading of a JIS cell, ASCII.
        {"東京①", kanji, NotKanji, F::None, {3, 6, U'①'}},
        {"高橋と髙橋", kanji, NotKanji, F::None, {4, 9, U'髙'}},
        {"漢字A", kanji, NotKanji, F::None, {3, 6, U'A'}},
        {"～", kanji, NotKanji, F::None, {1, 0, U'～'}},
        {"漢\xFF", kanji, NotUtf8, F::None, {2, 3, 0xFF}},
        {"ab\xFF", {}, NotUtf8, F::None, {3, 2, 0xFF}},
        {"\xED\xA0\x80", {}, NotUtf8, F::None, {1, 0, 0xED}},  // a surrogate
        {"ABc", {.mode = Mode::Alphanumeric}, NotAlphanumeric, F::None, {3, 2, U'c'}},
        {"12 3", {.mode = Mode::Numeric}, NotNumeric, F::None, {3, 2, U' '}},
        {"A", {.minVersion = 5, .maxVersion = 4}, InvalidRequest, F::VersionBounds},
        {"A", {.version = 41}, InvalidRequest, F::Version},
        {"A", {.mask = 8}, InvalidRequest, F::Mask},
        {"A", {.mode = static_cast<Mode>(9)}, InvalidRequest, F::Mode},
        {"A", {.level = static_cast<Level>(4)}, InvalidRequest, F::Level},
        {"漢", {.mode = Mode::Kanji, .eci = 26}, InvalidRequest, F::Eci},
        {"A", {.mode = Mode::Byte, .eci = 1000000}, InvalidRequest, F::Eci},
        {std::string(2954, 'x'), {}, TooLong, F::None, {0, 0, 0, 2953, 2954, 1}},  // 40-L: 2953
        {std::string(272, 'x'), {.mode = Mode::Byte, .maxVersion = 10}, TooLong, F::None, {0, 0, 0, 271, 272, 1}},
        {"東京都港区", {.mode = Mode::Byte, .level = Level::H, .version = 1}, TooLong, F::None, {0, 0, 0, 2, 5, 8}},
        {std::string(45, '7'), {.mode = Mode::Numeric, .version = 1}, TooLong, F::None, {0, 0, 0, 41, 45, 2}},
        {"A", {.mode = Mode::Byte, .fnc1 = Fnc1::Gs1}, InvalidRequest, F::Fnc1},
        {"A", {.fnc1 = Fnc1::Industry, .applicationIndicator = 150}, InvalidRequest, F::Fnc1},
        {"10東京", {.fnc1 = Fnc1::Gs1}, NotAscii, F::None, {3, 2, U'東'}},
        {"AB", {.mode = Mode::Byte}, InvalidRequest, F::Mode, {}, 0},
        {"AB", {.fnc1 = Fnc1::Gs1}, InvalidRequest, F::Fnc1, {}, 0},
        {"AB", {}, InvalidRequest, F::Parts, {}, 1},
        {"AB", {}, InvalidRequest, F::Parts, {}, 17},
        {"ABC", {}, InvalidRequest, F::Parts, {0, 0, 0, 0, 3}, 4},  // fewer characters than parts
        {"A\xFF", {}, NotUtf8, F::None, {2, 1, 0xFF}, 0},
        {longest, {}, Created, F::None, {}, 0},
        {longest + "x", {}, TooLong, F::None, {0, 0, 0, 0, 47217, 0, 17}, 0},
        {longest, {}, TooLong, F::None, {0, 0, 0, 0, 47216, 0, 16}, 15},
        {longest.substr(0, 5000), {.version = 10}, TooLong, F::None, {0, 0, 0, 0, 5000, 0, 19}, 0},
    };
    // clang-format on
    Encoder encoder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 12) + " parts " + std::to_string(r.parts));
        const Result made = r.parts < 0 ? encoder.Encode(r.text, r.request)
                                        : encoder.EncodeParts(r.text, r.request, r.parts);
        EXPECT_EQ(std::tuple(made.outcome, made.field), std::tuple(r.outcome, r.field));
        EXPECT_EQ((std::array<int, 7>{made.position, made.byteOffset,
                                      static_cast<int>(made.character), made.charactersHeld,
                                      made.charactersTotal, made.BytesOver(), made.partsNeeded}),
                  r.numbers);
    }
}

}  // namespace
}  // namespace quirvane
