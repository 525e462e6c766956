// iconv is slow and allocates, so which code a scalar value has is kept
// once looked up, in a table of every value filled on first use.
#include "fuzz/text_reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <memory>

namespace quirvane::fuzz {
namespace {

constexpr char32_t kLastScalar = 0x10FFFF;
constexpr int kUnknown = -1;

bool InKanjiRanges(int code) {
    return (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEBBF);
}

// Converts `in` with a descriptor; false when iconv refuses any of it.
bool Convert(iconv_t cd, std::string in, std::string& out) {
    char buffer[16];
    char* input = in.data();
    std::size_t inputLeft = in.size();
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &input, &inputLeft, &output, &outputLeft) == static_cast<std::size_t>(-1) ||
        inputLeft != 0) {
        return false;
    }
    out.assign(buffer, static_cast<std::size_t>(output - buffer));
    return true;
}

// Without the converter every answer would be "no Kanji", and every Kanji
// symbol would look wrong: stop instead.
iconv_t Open(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "quirvane-fuzz: iconv cannot convert %s to %s\n", from, to);
        std::abort();
    }
    return cd;
}

iconv_t ToShiftJis() {
    static const iconv_t cd = Open("SHIFT_JIS", "UTF-8");
    return cd;
}

iconv_t FromShiftJis() {
    static const iconv_t cd = Open("UTF-8", "SHIFT_JIS");
    return cd;
}

int LookUpKanjiCode(char32_t code) {
    std::string utf8;
    AppendUtf8(utf8, code);
    std::string sjis;
    if (!Convert(ToShiftJis(), utf8, sjis) || sjis.size() != 2) {
        return 0;
    }
    const int value =
        static_cast<unsigned char>(sjis[0]) << 8 | static_cast<unsigned char>(sjis[1]);
    std::string back;
    // Several characters convert to one cell (U+00A2 and U+FFE0 to 0x8191);
    // only the one the cell reads as is that cell's character.
    return InKanjiRanges(value) && Convert(FromShiftJis(), sjis, back) && back == utf8 ? value : 0;
}

}  // namespace

int ReadUtf8(std::string_view text, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0x100U;
    };
    const unsigned lead = byte(0);
    int length = 0;
    char32_t value = 0;
    unsigned low = 0x80;   // bounds of the second byte, which rule out the
    unsigned high = 0xBF;  // overlong forms, surrogates and values past U+10FFFF
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned b = byte(static_cast<std::size_t>(i));
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) {
            return 0;
        }
        value = value << 6 | (b & 0x3F);
    }
    code = value;
    return length;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::vector<int> ByteModeCharacters(std::string_view text, bool shiftJis) {
    std::vector<int> lengths;
    for (std::size_t at = 0; at < text.size();) {
        int length = 1;
        if (shiftJis) {
            const auto lead = static_cast<unsigned char>(text[at]);
            const bool doubleByte =
                (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
            length = doubleByte && at + 1 < text.size() ? 2 : 1;
        } else {
            char32_t ignored = 0;
            length = ReadUtf8(text, at, ignored);
            length = length > 0 ? length : 1;
        }
        lengths.push_back(length);
        at += static_cast<std::size_t>(length);
    }
    return lengths;
}

int KanjiCodeOf(char32_t code) {
    static const auto cache = [] {
        auto table = std::make_unique<int[]>(kLastScalar + 1);
        for (char32_t c = 0; c <= kLastScalar; ++c) {
            table[c] = kUnknown;
        }
        return table;
    }();
    if (code > kLastScalar || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    if (cache[code] == kUnknown) {
        cache[code] = LookUpKanjiCode(code);
    }
    return cache[code];
}

char32_t KanjiCharacterOf(int shiftJisCode) {
    if (!InKanjiRanges(shiftJisCode)) {
        return 0;
    }
    const std::string sjis{static_cast<char>(shiftJisCode >> 8), static_cast<char>(shiftJisCode)};
    std::string utf8;
    char32_t code = 0;
    if (!Convert(FromShiftJis(), sjis, utf8) ||
        ReadUtf8(utf8, 0, code) != static_cast<int>(utf8.size())) {
        return 0;
    }
    return KanjiCodeOf(code) == shiftJisCode ? code : 0;
}

}  // namespace quirvane::fuzz
