// Every version and level, the window's command and every kind of library
// request, read back by the fuzz checker's own reader; built with the drawing
// code, the library's symbols also scan back through zbarimg from PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <quirvane/gs1.h>

#include "encode/encoder_state.h"
#include "fuzz/fuzz_input.h"

#ifdef QUIRVANE_ZBAR_SWEEP
#include <QPainter>

#include <span>

#include "encode/symbol_access.h"
#include "render/symbol_image.h"
#include "render/symbol_png.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"
#include "text/file_bytes.h"
#endif

namespace quirvane::fuzz {
namespace {

std::string Repeat(std::string_view piece, std::size_t bytes) {
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

struct Kind {
    Mode mode;
    int eci;
    ByteEncoding encoding;
    Split split;
    std::string text;
};

constexpr std::string_view kUtf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // 1 to 4 bytes each
constexpr std::string_view kAlphanumerics = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// Texts longer than any symbol holds: each kind is cut to what the version
// holds, then what it held is made again with the version chosen.
std::vector<Kind> Kinds(int index) {
    return {
        {Mode::Byte, 0, ByteEncoding::Utf8, Split::Utf8, Repeat(kUtf8, 3000)},
        {Mode::Alphanumeric, 0, ByteEncoding::Utf8, Split::Bytes,
         Repeat(kAlphanumerics, 4400).substr(static_cast<std::size_t>(index) % 45, 4300)},
        {Mode::Numeric, 0, ByteEncoding::Utf8, Split::Bytes,
         Repeat("3141592653589793238462643383279502884197", 7100)},
        {Mode::Kanji, 0, ByteEncoding::Utf8, Split::Utf8,
         Repeat("漢字東京都〜＼Ａ１アイウ亜漾熙日本語、こんにちは。データ作成テスト", 8000)},
        {Mode::Auto, 0, ByteEncoding::Utf8, Split::Utf8,
         Repeat("注文番号 20240611-0042、東京都 ABC-123 HTTP://X.JP/A お問い合わせ ", 8000)},
        {Mode::Auto, 0, ByteEncoding::Utf8, Split::Utf8,
         Repeat("丸数字①、café 20240611 ﾊﾝｶｸ 😀 abc \\~ 東京 ", 8000)},
        {Mode::Byte, kEciUtf8, ByteEncoding::Utf8, Split::Utf8, Repeat("Quirvane é😀 漢字 ", 8000)},
        {Mode::Byte, kEciShiftJis, ByteEncoding::ShiftJis, Split::ShiftJis,
         Repeat("\x8A\xBF\x8E\x9A \x93\x8C\x8B\x9E QR ", 8000)},
        {Mode::Byte, 3, ByteEncoding::Utf8, Split::Bytes, Repeat("caf\xE9 na\xEFve ", 8000)},
        {Mode::Byte, 200, ByteEncoding::Utf8, Split::Utf8, Repeat("two-byte designator ", 8000)},
        {Mode::Byte, 70000, ByteEncoding::Utf8, Split::Utf8,
         Repeat("three-byte designator ", 8000)},
    };
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};  // version, level

TEST_P(RoundTrip, EverySymbolReadsBack) {
    const auto [version, level] = GetParam();
    const int index = (version - 1) * 4 + level - kLevelL;
    auto state = std::make_unique<EncoderState>();  // reused: each run must start clean

    // The window's command: each mask another length, from empty to past the
    // 16384-byte input copy; the byte text cut inside its characters.
    const std::string windowTexts[4] = {"", Repeat(kUtf8, 20000), Repeat(kAlphanumerics, 20000),
                                        Repeat("31415926535897932384626433832795028841971", 20000)};
    for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
        const int cap = CapacityOf(FindSymbolParameters(version, level), mode);
        const int lengths[8] = {0, 1, cap / 3, cap - 1, cap, cap + 1, 2 * cap, 20000};
        for (int mask = 0; mask < 8; ++mask) {
            const FuzzCase c{{mode, version, level, mask},
                             mask % 2 == 1,
                             windowTexts[mode].substr(0, static_cast<std::size_t>(lengths[mask]))};
            ASSERT_EQ(RunCase(*state, c), "") << "window mode " << mode << " mask " << mask;
        }
    }

    // The library's requests, every other kind on every other (version,
    // level) past the first five: still every kind at every version and level.
    const std::vector<Kind> kinds = Kinds(index);
    auto probe = std::make_unique<EncoderState>();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        if (k >= 5 && (index + k) % 2 != 0) {
            continue;
        }
        const Kind& kind = kinds[k];
        SCOPED_TRACE("kind " + std::to_string(k));
        FuzzCase c{{}, false, kind.text, true};
        c.request = {.mode = kind.mode,
                     .level = static_cast<Level>(level - kLevelL),
                     .version = version,
                     .cutToFit = true,
                     .mask = static_cast<int>((index + k) % 8),
                     .byteEncoding = kind.encoding,
                     .eci = kind.eci};
        ASSERT_EQ(RunCase(*state, c), "");
        const Result cut = probe->CreateSymbol(c.text, c.request);
        ASSERT_TRUE(cut && cut.charactersLeftOut > 0);
        const std::vector<std::size_t> boundaries = Boundaries(kind.text, kind.split);
        c.text.resize(boundaries[boundaries.size() - 1 - cut.charactersLeftOut]);
#ifdef QUIRVANE_ZBAR_SWEEP
        // zbarimg's bytes for the window's modes, its text for Kanji, the
        // automatic mix and UTF-8 after ECI 26 (it converts no other designator).
        const bool bytes = kind.eci == 0 && kind.mode != Mode::Kanji && kind.mode != Mode::Auto;
        if (bytes || kind.eci == 0 || kind.eci == kEciUtf8) {
            testing::ScratchFolder folder;
            ASSERT_EQ(WriteWhole(folder / "s.png", RenderSymbolPng(SymbolOf(*probe), {})), "");
            EXPECT_EQ(testing::ZbarRead(folder / "s.png",
                                        bytes ? testing::Zbar::Bytes : testing::Zbar::Text),
                      c.text);
        }
#endif
        // What it held, with the version chosen; on a quarter of the runs the
        // mask too (scoring all eight masks is the slow part of the check).
        c.request.version = kVersionAuto;
        c.request.cutToFit = false;
        c.request.mask =
            (index + static_cast<int>(k)) % 4 == 0 ? kMaskAuto : static_cast<int>(k % 8);
        ASSERT_EQ(RunCase(*state, c), "") << "automatic version";
    }
}

#ifdef QUIRVANE_ZBAR_SWEEP
// All parts side by side, each with its quiet zone, as one photo sees them.
QImage Row(std::span<const Symbol> parts) {
    const DrawingOptions options{.moduleWidth = 3, .quietZoneModules = 4};
    const QImage first = RenderSymbolImage(parts[0], options);
    QImage row(first.width() * static_cast<int>(parts.size()), first.height(),
               QImage::Format_RGB32);
    QPainter painter(&row);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        painter.drawImage(static_cast<int>(i) * first.width(), 0,
                          RenderSymbolImage(parts[i], options));
    }
    return row;
}
#endif

// Structured append and FNC1 through the checker: the split, each part's
// header and parity, the FNC1 indicators and the `%` of alphanumeric
// segments. zbarimg joins all parts in one image into the whole text (one
// part alone gives nothing) and hands an FNC1 symbol on with its modifier,
// GS between the element strings, the indicator first.
TEST(RoundTrip, StructuredAppendAndFnc1ReadBack) {
    const std::string japanese = Repeat("東京都港区芝公園4丁目2-8、データ作成テスト。", 7000);
    const std::string gs1 = ParseGs1("(01)09501101530003(17)251231(10)ABC%12(21)x7").elementString;
    ASSERT_FALSE(gs1.empty());
    using enum Fnc1;
    // clang-format off
    const std::tuple<std::string, Request, int, std::string> cases[] = {
        // text, request, parts (-1: one symbol), zbar's modifier and data of one symbol
        {Repeat("https://example.com/q?id=42&x=y ", 9000), {}, 0, ""},  // 3x what 40-L holds
        {japanese, {.level = Level::M}, 0, ""},
        {Repeat("QR 😀 é ", 3000), {.level = Level::Q, .mask = 5}, 0, ""},
        {Repeat("0123456789", 18000), {.level = Level::H, .minVersion = 20}, 0, ""},
        {"ABCDEFGH", {}, 5, ""},
        {Repeat("東京都 ", 900), {.version = 10}, 0, ""},
        {Repeat("東京都 ", 900), {.version = 10}, 16, ""},
        {gs1, {.fnc1 = Gs1}, -1, "GS1 " + gs1},
        {"01095011015300031725123110ABC%123\x1D" "21XYZ", {.fnc1 = Gs1}, -1,
         "GS1 01095011015300031725123110ABC%123\x1D" "21XYZ"},
        {"12345678%%ABC", {.level = Level::H, .fnc1 = Industry, .applicationIndicator = 197}, -1,
         "AIM a12345678%%ABC"},
        {"12345%ABC", {.fnc1 = Industry, .applicationIndicator = 'a' + 100}, -1, "AIM a12345%ABC"},
        {"%ZZ", {.fnc1 = Industry, .applicationIndicator = 37}, -1, "AIM 37%ZZ"},
        {"", {.fnc1 = Industry, .applicationIndicator = 99}, -1, "AIM 99"},
        // A GS before a GS or a `%` cannot be `%` in alphanumeric: `%%` reads as `%`.
        {"AB\x1D\x1D\x1D%CD\x1D", {.fnc1 = Industry, .applicationIndicator = 37}, -1,
         "AIM 37AB\x1D\x1D\x1D%CD\x1D"},
    };
    // clang-format on
    auto state = std::make_unique<EncoderState>();
    for (const auto& [text, request, parts, scanned] : cases) {
        SCOPED_TRACE(text.substr(0, 24));
        EXPECT_EQ(RunCase(*state, {{}, false, text, true, request, parts}), "");
#ifdef QUIRVANE_ZBAR_SWEEP
        Encoder encoder;
        if (parts < 0) {
            const Result made = encoder.Encode(text, request);
            ASSERT_TRUE(made);
            const QImage image = RenderSymbolImage(made.symbol, {});
            const std::string xml = testing::ZbarRead(image, testing::Zbar::Xml);
            EXPECT_NE(xml.find("modifiers='" + scanned.substr(0, 3) + "'"), std::string::npos)
                << xml;
            EXPECT_EQ(testing::ZbarRead(image, testing::Zbar::Bytes), scanned.substr(4));
            continue;
        }
        const Result made = encoder.EncodeParts(text, request, parts);
        ASSERT_TRUE(made && made.parts.size() >= 2);
        EXPECT_EQ(testing::ZbarRead(Row(made.parts), testing::Zbar::Text), text);
        EXPECT_TRUE(testing::ZbarRead(Row(made.parts.subspan(0, 1)), testing::Zbar::Text)
                        .starts_with("(zbarimg read nothing"));
#endif
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersionsAndLevels, RoundTrip,
                         ::testing::Combine(::testing::Range(1, kLargestVersion + 1),
                                            ::testing::Range(kLevelL, kLevelH + 1)),
                         [](const auto& info) {
                             std::string name = "v";  // not "v" + ...: GCC 12 warns wrongly
                             return name += std::to_string(std::get<0>(info.param)) + '_' +
                                            "LMQH"[std::get<1>(info.param) - kLevelL];
                         });

}  // namespace
}  // namespace quirvane::fuzz
