// The code page 932 and JIS X 0208 lookups against glibc iconv, asked one
// character at a time over every scalar and every code, plus the characters
// that matter by name; UTF-8 decoding against a plain encoder and bad input.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <iconv.h>
#include <string>
#include <utility>
#include <vector>

#include <quirvane/shift_jis.h>

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

// One iconv conversion direction; every call converts a whole input afresh.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle(iconv_open(to, from)) {}
    ~Iconv() {
        if (IsOpen()) {
            iconv_close(handle);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return handle != reinterpret_cast<iconv_t>(-1); }

    // All of the input converted, or false when iconv refuses any of it.
    bool Convert(std::string input, std::string& output) {
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* in = input.data();
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0 ||
            iconv(handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        output.assign(buffer, out);
        return true;
    }

  private:
    iconv_t handle;
};

// What iconv writes for c, as a code (one byte or lead << 8 | trail), or -1.
int IconvWrite(Iconv& toCharset, char32_t c) {
    const std::string utf32{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
                            static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
    std::string bytes;
    if (!toCharset.Convert(utf32, bytes) || bytes.empty() || bytes.size() > 2) {
        return -1;
    }
    int code = 0;
    for (const char b : bytes) {
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
    std::string utf32;
    if (!fromCharset.Convert(bytes, utf32) || utf32.size() != 4) {
        return 0;
    }
    char32_t c = 0;
    for (int i = 3; i >= 0; --i) {
        c = c << 8 | static_cast<unsigned char>(utf32[static_cast<std::size_t>(i)]);
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

class ShiftJisAgainstIconv : public testing::Test {
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

// Needs no iconv: what the tables write must read back, and what they read must be writable.
TEST(ShiftJisRoundTrip, WritingAndReadingInvertEachOther) {
    Mismatches mismatches;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const char32_t c = Cp932Decode(code);
        if ((c != 0 || code == 0) && Cp932Decode(Cp932CodeOf(c)) != c) {
            mismatches.Add(Hex(code) + " does not come back from " + Scalar(c));
        }
    }
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const int code = Cp932CodeOf(c);
        if (code >= 0 && Cp932Decode(code) != c && !IsJisFormOf(c, code)) {
            mismatches.Add(Scalar(c) + " reads back as " + Scalar(Cp932Decode(code)));
        }
        const int jisCode = JisX0208CodeOf(c);
        if (jisCode != -1 && jisCode != code) {
            mismatches.Add(Scalar(c) + " has two codes " + Hex(code) + " " + Hex(jisCode));
        }
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.Report();
}

struct NamedCharacter {
    const char* name;
    char32_t c;
    int cp932;
    int jis;
};

TEST(ShiftJisCharacters, CodesOfCharactersThatMatter) {
    const NamedCharacter cases[] = {
        {"A", U'A', 0x41, -1},
        {"backslash stays ASCII", U'\\', 0x5C, -1},
        {"tilde stays ASCII", U'~', 0x7E, -1},
        {"half-width katakana first", U'\uFF61', 0xA1, -1},
        {"half-width a", U'\uFF71', 0xB1, -1},
        {"half-width katakana last", U'\uFF9F', 0xDF, -1},
        {"ideographic space", U'\u3000', 0x8140, 0x8140},
        {"hiragana a", U'\u3042', 0x82A0, 0x82A0},
        {"kanji east", U'\u6771', 0x938C, 0x938C},
        {"last JIS X 0208 kanji", U'\u7199', 0xEAA4, 0xEAA4},
        {"full-width backslash", U'\uFF3C', 0x815F, 0x815F},
        {"horizontal bar", U'\u2015', 0x815C, 0x815C},
        {"because: JIS code, not NEC 0x879A", U'\u2235', 0x81E6, 0x81E6},
        {"nearly equal: JIS code, not NEC 0x8790", U'\u2252', 0x81E0, 0x81E0},
        {"circled one, NEC row 13", U'\u2460', 0x8740, -1},
        {"roman one, NEC row 13", U'\u2160', 0x8754, -1},
        {"parenthesised kabushiki, NEC row 13", U'\u3231', 0x878A, -1},
        {"small roman one: IBM, not NEC-selected 0xEEEF", U'\u2170', 0xFA40, -1},
        {"taka: IBM, not NEC-selected 0xEEE0", U'\u9AD9', 0xFBFC, -1},
        {"IBM, not NEC-selected 0xED40", U'\u7E8A', 0xFA5C, -1},
        {"first user-defined", U'\uE000', 0xF040, -1},
        {"yen sign: no best fit", U'\u00A5', -1, -1},
        {"overline: no best fit", U'\u203E', -1, -1},
        {"em dash: no best fit", U'\u2014', -1, -1},
        {"e acute", U'\u00E9', -1, -1},
        {"hangul han", U'\uD55C', -1, -1},
        {"emoji", U'\U0001F600', -1, -1},
        {"C1 control", U'\u0080', -1, -1},
        {"past the last scalar", 0x110000, -1, -1},
    };
    for (const NamedCharacter& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Cp932CodeOf(test.c), test.cp932);
        EXPECT_EQ(JisX0208CodeOf(test.c), test.jis);
    }
    for (const DualCell& cell : kDualCells) {
        SCOPED_TRACE(Hex(cell.code));
        EXPECT_EQ(Cp932CodeOf(cell.jisForm), cell.code);
        EXPECT_EQ(Cp932CodeOf(cell.windowsForm), cell.code);
        EXPECT_EQ(JisX0208CodeOf(cell.jisForm), cell.code);
        EXPECT_EQ(JisX0208CodeOf(cell.windowsForm), -1);
        EXPECT_EQ(Cp932Decode(cell.code), cell.windowsForm);
    }
}

TEST(ShiftJisCharacters, ReadingOfCodesThatMatter) {
    const std::pair<int, char32_t> cases[] = {
        {0x00, U'\0'},
        {0x5C, U'\\'},
        {0x7F, U'\x7F'},
        {0x80, 0},
        {0xA0, 0},
        {0xA1, U'\uFF61'},
        {0xDF, U'\uFF9F'},
        {0xE0, 0},
        {0xFD, 0},
        {0x815C, U'\u2015'},
        {0x8740, U'\u2460'},
        {0xED40, U'\u7E8A'},
        {0xF9FC, U'\uE757'},
        {0xFC4B, U'\u9ED1'},
        {0xFC4C, 0},
        {0x817F, 0},
        {0x8540, 0},
        {0x81FD, 0},
        {-1, 0},
        {0x10000, 0},
        {0x18140, 0},
        {0x4142, 0},
    };
    for (const auto& [code, c] : cases) {
        EXPECT_EQ(Cp932Decode(code), c) << Hex(code);
    }
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    int length;
    char32_t c;
};

TEST(DecodeUtf8, AcceptsWellFormedAndRefusesTheRest) {
    const Utf8Case cases[] = {
        {"ASCII", "A", 1, U'A'},
        {"NUL", std::string(1, '\0'), 1, 0},
        {"only the first scalar",
         "\xE3\x81\x82"
         "B",
         3, U'\u3042'},
        {"smallest two-byte", "\xC2\x80", 2, 0x80},
        {"largest two-byte", "\xDF\xBF", 2, 0x7FF},
        {"smallest three-byte", "\xE0\xA0\x80", 3, 0x800},
        {"last before surrogates", "\xED\x9F\xBF", 3, 0xD7FF},
        {"first after surrogates", "\xEE\x80\x80", 3, 0xE000},
        {"largest three-byte", "\xEF\xBF\xBF", 3, 0xFFFF},
        {"smallest four-byte", "\xF0\x90\x80\x80", 4, 0x10000},
        {"largest scalar", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
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
