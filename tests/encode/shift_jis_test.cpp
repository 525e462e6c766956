// The code page 932 and JIS X 0208 lookups against glibc iconv, asked one
// character at a time over every scalar and every code, and past both ranges;
// UTF-8 decoding against a plain encoder and bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <quirvane/shift_jis.h>

#include "tests/support/iconv_text.h"

namespace quirvane {
namespace {

// The cells the JIS X 0208 and Windows readings differ on.
struct DualCell {
    int code;
    char32_t jisForm;
    char32_t windowsForm;
};
constexpr DualCell kDualCells[] = {
    {0x8160, U'\u301C', U'\uFF5E'}, {0x8161, U'\u2016', U'\u2225'}, {0x817C, U'\u2212', U'\uFF0D'},
    {0x8191, U'\u00A2', U'\uFFE0'}, {0x8192, U'\u00A3', U'\uFFE1'}, {0x81CA, U'\u00AC', U'\uFFE2'},
};

bool IsJisFormOf(char32_t c, int code) {
    for (const DualCell& cell : kDualCells) {
        if (cell.code == code && cell.jisForm == c) {
            return true;
        }
    }
    return false;
}

bool IsScalar(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

std::string Scalar(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04lX", static_cast<unsigned long>(c));
    return text;
}

std::string Hex(long value) {
    if (value < 0) {
        return std::to_string(value);
    }
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", value);
    return text;
}

using testing::Iconv;

// What iconv writes for c, as a code (one byte or lead << 8 | trail), or -1.
int IconvWrite(Iconv& toCharset, char32_t c) {
    const std::string utf32{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
                            static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
    const std::optional<std::string> bytes = toCharset(utf32);
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
    std::string bytes;
    if (code > 0xFF) {
        bytes.push_back(static_cast<char>(code >> 8));
    }
    bytes.push_back(static_cast<char>(code & 0xFF));
    const std::optional<std::string> utf32 = fromCharset(bytes);
    if (!utf32 || utf32->size() != 4) {
        return 0;
    }
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) {
        c = c << 8 | static_cast<unsigned char>((*utf32)[static_cast<std::size_t>(i)]);
    }
    return c;
}

// Collects the first few disagreements so a broken table fails readably.
struct Mismatches {
    std::vector<std::string> first;
    int count = 0;

    void Add(const std::string& what) {
        if (++count <= 8) {
            first.push_back(what);
        }
    }
    std::string Report() const {
        std::string text = std::to_string(count) + " mismatches:";
        for (const std::string& line : first) {
            text += "\n  " + line;
        }
        return text;
    }
};

class ShiftJisAgainstIconv : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(toCp932.IsOpen() && fromCp932.IsOpen() && toShiftJis.IsOpen() &&
                    fromShiftJis.IsOpen())
            << "glibc iconv lacks CP932 or SHIFT_JIS";
    }

    // The round-trip rule: iconv's code, kept only when it reads back as c or
    // c is the JIS form of a dual cell.
    int ExpectedCp932Code(char32_t c) {
        const int code = IconvWrite(toCp932, c);
        if (code < 0 || (IconvRead(fromCp932, code) != c && !IsJisFormOf(c, code))) {
            return -1;
        }
        return code;
    }

    // A double-byte code the JIS X 0208 reading reads back as c.
    int ExpectedJisX0208Code(char32_t c) {
        const int code = IconvWrite(toShiftJis, c);
        if (code <= 0xFF || IconvRead(fromShiftJis, code) != c) {
            return -1;
        }
        return code;
    }

    Iconv toCp932{"CP932", "UTF-32LE"};
    Iconv fromCp932{"UTF-32LE", "CP932"};
    Iconv toShiftJis{"SHIFT_JIS", "UTF-32LE"};
    Iconv fromShiftJis{"UTF-32LE", "SHIFT_JIS"};
};

TEST_F(ShiftJisAgainstIconv, EveryScalarGetsTheCodesIconvReadsBack) {
    Mismatches cp932;
    Mismatches jis;
    int jisCount = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (!IsScalar(c)) {
            continue;
        }
        const int code = Cp932CodeOf(c);
        const int expected = ExpectedCp932Code(c);
        if (code != expected) {
            cp932.Add(Scalar(c) + " gave " + Hex(code) + ", iconv " + Hex(expected));
        }
        const int jisCode = JisX0208CodeOf(c);
        const int jisExpected = ExpectedJisX0208Code(c);
        if (jisCode != jisExpected) {
            jis.Add(Scalar(c) + " gave " + Hex(jisCode) + ", iconv " + Hex(jisExpected));
        }
        const bool inKanjiMode =
            (jisCode >= 0x8140 && jisCode <= 0x9FFC) || (jisCode >= 0xE040 && jisCode <= 0xEBBF);
        if (jisCode != -1 && !inKanjiMode) {
            jis.Add(Scalar(c) + " outside Kanji mode: " + Hex(jisCode));
        }
        jisCount += jisCode >= 0 ? 1 : 0;
    }
    EXPECT_EQ(cp932.count, 0) << cp932.Report();
    EXPECT_EQ(jis.count, 0) << jis.Report();
    EXPECT_EQ(jisCount, 6879);  // the characters of JIS X 0208
}

TEST_F(ShiftJisAgainstIconv, EveryCodeReadsAsIconvReadsIt) {
    Mismatches mismatches;
    int defined = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const char32_t c = Cp932Decode(code);
        const char32_t expected = IconvRead(fromCp932, code);
        if (c != expected) {
            mismatches.Add(Hex(code) + " read as " + Scalar(c) + ", iconv " + Scalar(expected));
        }
        defined += (c != 0 || code == 0) ? 1 : 0;
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.Report();
    // ASCII, 63 half-width katakana, JIS X 0208 with NEC and IBM extras, 1880 user-defined.
    EXPECT_EQ(defined, 128 + 63 + 9604);
}

// Past the ends of what the loops above ask: no code for a value past the
// last scalar, no character for a code below 0 or longer than two bytes.
TEST(ShiftJisCharacters, ValuesPastTheRangesHaveNone) {
    EXPECT_EQ(Cp932CodeOf(0x110000), -1);
    EXPECT_EQ(JisX0208CodeOf(0x110000), -1);
    for (const int code : {-1, 0x10000, 0x18140}) {
        EXPECT_EQ(Cp932Decode(code), 0) << Hex(code);
    }
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    int length;
    char32_t c;
};

// Well-formed sequences of every length are read back in ReadsBackEveryScalar.
TEST(DecodeUtf8, AcceptsWellFormedAndRefusesTheRest) {
    const Utf8Case cases[] = {
        {"only the first scalar",
         "\xE3\x81\x82"
         "B",
         3, U'\u3042'},
        {"empty", "", 0, 0},
        {"overlong two-byte C0", "\xC0\x80", 0, 0},
        {"overlong two-byte C1", "\xC1\xBF", 0, 0},
        {"overlong three-byte", "\xE0\x80\x80", 0, 0},
        {"overlong three-byte top", "\xE0\x9F\xBF", 0, 0},
        {"first surrogate", "\xED\xA0\x80", 0, 0},
        {"last surrogate", "\xED\xBF\xBF", 0, 0},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 0, 0},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
        {"lead F5", "\xF5\x80\x80\x80", 0, 0},
        {"byte FF", "\xFF", 0, 0},
        {"lone continuation", "\x80", 0, 0},
        {"lone last continuation", "\xBF\x41", 0, 0},
        {"truncated two-byte", "\xC2", 0, 0},
        {"truncated three-byte", "\xE3\x81", 0, 0},
        {"truncated four-byte", "\xF0\x9F\x98", 0, 0},
        {"ASCII in place of a continuation", "\xE3\x41\x82", 0, 0},
        {"new lead in place of a continuation", "\xE3\x81\xE3\x81\x82", 0, 0},
    };
    constexpr char32_t kUntouched = 0xFFFFFFFF;
    for (const Utf8Case& test : cases) {
        SCOPED_TRACE(test.name);
        char32_t c = kUntouched;
        EXPECT_EQ(DecodeUtf8(test.bytes.data(), static_cast<int>(test.bytes.size()), c),
                  test.length);
        EXPECT_EQ(c, test.length > 0 ? test.c : kUntouched);
    }
    char32_t c = kUntouched;
    EXPECT_EQ(DecodeUtf8("\xE3\x81\x82", 2, c), 0) << "the length given, not the bytes, counts";
}

// The plainest UTF-8 writer, to decode every scalar back.
std::string EncodeUtf8(char32_t c) {
    const auto byte = [](char32_t b) { return static_cast<char>(b); };
    if (c < 0x80) {
        return {byte(c)};
    }
    if (c < 0x800) {
        return {byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))};
    }
    if (c < 0x10000) {
        return {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
    }
    return {byte(0xF0 | c >> 18), byte(0x80 | (c >> 12 & 0x3F)), byte(0x80 | (c >> 6 & 0x3F)),
            byte(0x80 | (c & 0x3F))};
}

TEST(DecodeUtf8, ReadsBackEveryScalar) {
    Mismatches mismatches;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (!IsScalar(c)) {
            continue;
        }
        const std::string bytes = EncodeUtf8(c);
        char32_t read = 0;
        const int length = DecodeUtf8(bytes.data(), static_cast<int>(bytes.size()), read);
        if (length != static_cast<int>(bytes.size()) || read != c) {
            mismatches.Add(Scalar(c) + " read as " + Scalar(read));
        }
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.Report();
}

}  // namespace
}  // namespace quirvane
