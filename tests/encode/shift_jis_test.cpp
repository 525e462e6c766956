// The code page 932 and JIS X 0208 lookups against glibc iconv, asked one
// character at a time over every scalar and every code, and past both ranges;
// UTF-8 decoding against iconv's encoder and bad input; the Shift_JIS cut.
#include "encode/shift_jis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "encode/text_cut.h"
#include "tests/support/iconv_text.h"

namespace quirvane {
namespace {

using testing::Iconv;

// The JIS X 0208 forms of the cells the JIS and Windows readings differ on.
constexpr std::pair<int, char32_t> kJisForms[] = {
    {0x8160, U'\u301C'}, {0x8161, U'\u2016'}, {0x817C, U'\u2212'},
    {0x8191, U'\u00A2'}, {0x8192, U'\u00A3'}, {0x81CA, U'\u00AC'},
};

bool IsJisFormOf(char32_t c, int code) {
    return std::ranges::find(kJisForms, std::pair{code, c}) != std::end(kJisForms);
}

// A code as 0x.., a scalar as U+...., -1 as itself.
std::string Printed(const char* format, long value) {
    char text[24];
    std::snprintf(text, sizeof text, format, value);
    return value < 0 ? std::to_string(value) : text;
}

std::string Utf32(char32_t c) {
    return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
            static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
}

// What iconv writes for c, as a code (one byte or lead << 8 | trail), or -1.
int IconvWrite(Iconv& toCharset, char32_t c) {
    const std::optional<std::string> bytes = toCharset(Utf32(c));
    if (!bytes || bytes->empty() || bytes->size() > 2) {
        return -1;
    }
    int code = 0;
    for (const char b : *bytes) {
        code = code << 8 | static_cast<unsigned char>(b);
    }
    return code;
}

// The one scalar iconv reads a code as, or 0 when it reads none or several.
char32_t IconvRead(Iconv& fromCharset, int code) {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const std::optional<std::string> utf32 =
        fromCharset(std::string(bytes + (code > 0xFF ? 0 : 1), bytes + 2));
    if (!utf32 || utf32->size() != 4) {
        return 0;
    }
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) {
        c = c << 8 | static_cast<unsigned char>((*utf32)[static_cast<std::size_t>(i)]);
    }
    return c;
}

// Counts disagreements and keeps the first few, so a broken table fails readably.
struct Mismatches {
    int count = 0;
    std::string first;
    void Add(const std::string& what) { first += ++count <= 8 ? "\n  " + what : ""; }
};

class ShiftJisAgainstIconv : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(toCp932.IsOpen() && fromCp932.IsOpen() && toShiftJis.IsOpen() &&
                    fromShiftJis.IsOpen() && toUtf8.IsOpen())
            << "glibc iconv lacks CP932 or SHIFT_JIS";
    }

    Iconv toCp932{"CP932", "UTF-32LE"};
    Iconv fromCp932{"UTF-32LE", "CP932"};
    Iconv toShiftJis{"SHIFT_JIS", "UTF-32LE"};
    Iconv fromShiftJis{"UTF-32LE", "SHIFT_JIS"};
    Iconv toUtf8{"UTF-8", "UTF-32LE"};
};

// Code page 932: iconv's code, kept only when it reads back as c or c is the
// JIS form of a dual cell. JIS X 0208: a double-byte code read back as c, in
// the ranges Kanji mode writes. UTF-8: iconv's bytes decode back to c.
TEST_F(ShiftJisAgainstIconv, EveryScalarGetsTheCodesIconvReadsBack) {
    Mismatches mismatches;
    int jisCount = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const std::string scalar = Printed("U+%04lX", static_cast<long>(c));
        int expected = IconvWrite(toCp932, c);
        if (expected >= 0 && IconvRead(fromCp932, expected) != c && !IsJisFormOf(c, expected)) {
            expected = -1;
        }
        if (const int code = Cp932CodeOf(c); code != expected) {
            mismatches.Add(scalar + " gave " + Printed("0x%lX", code) + ", iconv " +
                           Printed("0x%lX", expected));
        }
        int jisExpected = IconvWrite(toShiftJis, c);
        if (jisExpected <= 0xFF || IconvRead(fromShiftJis, jisExpected) != c) {
            jisExpected = -1;
        }
        const int jisCode = JisX0208CodeOf(c);
        const bool inKanjiMode =
            (jisCode >= 0x8140 && jisCode <= 0x9FFC) || (jisCode >= 0xE040 && jisCode <= 0xEBBF);
        if (jisCode != jisExpected || (jisCode != -1 && !inKanjiMode)) {
            mismatches.Add(scalar + " JIS X 0208 " + Printed("0x%lX", jisCode) + ", iconv " +
                           Printed("0x%lX", jisExpected));
        }
        jisCount += jisCode >= 0 ? 1 : 0;
        const std::string utf8 = toUtf8(Utf32(c)).value_or("");
        char32_t read = 0;
        if (DecodeUtf8(utf8.data(), static_cast<int>(utf8.size()), read) != std::ssize(utf8) ||
            read != c) {
            mismatches.Add(scalar + " read back from UTF-8 as " + Printed("U+%04lX", read));
        }
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.first;
    EXPECT_EQ(jisCount, 6879);  // the characters of JIS X 0208
    EXPECT_EQ(std::pair(Cp932CodeOf(0x110000), JisX0208CodeOf(0x110000)), std::pair(-1, -1));
}

TEST_F(ShiftJisAgainstIconv, EveryCodeReadsAsIconvReadsIt) {
    Mismatches mismatches;
    int defined = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const char32_t c = Cp932Decode(code);
        if (const char32_t expected = IconvRead(fromCp932, code); c != expected) {
            mismatches.Add(Printed("0x%lX", code) + " read as " + Printed("U+%04lX", c) +
                           ", iconv " + Printed("U+%04lX", expected));
        }
        defined += (c != 0 || code == 0) ? 1 : 0;
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.first;
    // ASCII, 63 half-width katakana, JIS X 0208 with NEC and IBM extras, 1880 user-defined.
    EXPECT_EQ(defined, 128 + 63 + 9604);
    for (const int code : {-1, 0x10000, 0x18140}) {  // below 0 or longer than two bytes
        EXPECT_EQ(Cp932Decode(code), 0) << code;
    }
}

// Every limit in a text whose trail bytes look like leads, ASCII and '\':
// the cut is the last character boundary at or before it.
TEST(ShiftJisCharacters, CutNeverSplitsADoubleByteCharacter) {
    const std::string text = "A\x81\x81\x82\xA0\x5C\x95\x5C\xE0\x40\xB1Z\xFC\xFC";
    std::vector<int> boundaries = {0};
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        at += (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
        boundaries.push_back(static_cast<int>(at));
    }
    for (int limit = 0; limit <= std::ssize(text); ++limit) {
        EXPECT_EQ(ShiftJisSafeCut(text, limit),
                  *std::ranges::prev(std::ranges::upper_bound(boundaries, limit)))
            << limit;
    }
}

// Well-formed sequences of every length are read back against iconv above.
TEST(DecodeUtf8, AcceptsWellFormedAndRefusesTheRest) {
    // clang-format off
    const std::tuple<const char*, std::string, int> cases[] = {
        {"only the first scalar", "\xE3\x81\x82" "B", 3}, {"empty", "", 0},
        {"overlong two-byte C0", "\xC0\x80", 0}, {"overlong two-byte C1", "\xC1\xBF", 0},
        {"overlong three-byte", "\xE0\x80\x80", 0}, {"overlong three-byte top", "\xE0\x9F\xBF", 0},
        {"first surrogate", "\xED\xA0\x80", 0}, {"last surrogate", "\xED\xBF\xBF", 0},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 0}, {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"lead F5", "\xF5\x80\x80\x80", 0}, {"byte FF", "\xFF", 0},
        {"lone continuation", "\x80", 0}, {"lone last continuation", "\xBF\x41", 0},
        {"truncated two-byte", "\xC2", 0}, {"truncated three-byte", "\xE3\x81", 0},
        {"truncated four-byte", "\xF0\x9F\x98", 0},
        {"ASCII in place of a continuation", "\xE3\x41\x82", 0},
        {"new lead in place of a continuation", "\xE3\x81\xE3\x81\x82", 0},
        {"the length given, not the bytes, counts", std::string("\xE3\x81\x82", 2), 0},
    };
    // clang-format on
    constexpr char32_t kUntouched = 0xFFFFFFFF;
    for (const auto& [name, bytes, length] : cases) {
        char32_t c = kUntouched;
        EXPECT_EQ(DecodeUtf8(bytes.data(), static_cast<int>(bytes.size()), c), length) << name;
        EXPECT_EQ(c, length > 0 ? U'\u3042' : kUntouched) << name;
    }
}

}  // namespace
}  // namespace quirvane
