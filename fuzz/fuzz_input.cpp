// Turns the fuzzer's bytes into a case for either command, and runs it.
#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <climits>
#include <iconv.h>
#include <string_view>
#include <vector>

#include "fuzz/case_checks.h"

namespace quirvane::fuzz {
namespace {

constexpr int kModes[] = {kModeByte, kModeAlphanumeric, kModeNumeric};
constexpr int kSymbolModes[] = {static_cast<int>(Mode::Byte), static_cast<int>(Mode::Alphanumeric),
                                static_cast<int>(Mode::Numeric), static_cast<int>(Mode::Kanji),
                                static_cast<int>(Mode::Auto)};
constexpr int kVersions[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                             15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                             29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
constexpr int kSymbolVersions[] = {kVersionAuto, 1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                   14,           15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                                   28,           29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
constexpr int kLevels[] = {kLevelL, kLevelM, kLevelQ, kLevelH};
constexpr int kSymbolLevels[] = {0, 1, 2, 3};
constexpr int kMasks[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr int kSymbolMasks[] = {kMaskAuto, 0, 1, 2, 3, 4, 5, 6, 7};
// No ECI is the likeliest, since only byte mode takes one; then the common
// designators and the edges of the one-, two- and three-byte forms and of
// the range. kRawDesignator takes three bytes of the input as it is.
constexpr int kRawDesignator = -1;
constexpr std::size_t kMaxPartsText = 8 * 1024;
constexpr int kDesignators[] = {0,   0,   0,     kEciUtf8, kEciShiftJis, 3,       1,
                                127, 128, 16383, 16384,    999999,       1000000, kRawDesignator};
constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// The characters mapped text is made of, in UTF-8.
constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",
                                         "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X",
                                         "Y", "Z", " ", "$", "%", "*", "+", "-", ".", "/", ":"};
constexpr std::string_view kOtherAscii[] = {
    "a", "q", "z", "!", "\"", "#", "&", "'", "(", ")",  ",", ";",  "<",  "=",  ">",       "?",
    "@", "[", "]", "^", "_",  "`", "{", "|", "}", "\\", "~", "\r", "\n", "\t", {"\0", 1}, "\x1D"};
// JIS X 0208, from both Kanji ranges and their ends (　 0x8140, 滌 0x9FFC,
// 漾 0xE040, 熙 0xEAA4), with the cells read differently elsewhere.
constexpr std::string_view kJis[] = {"あ", "い", "ん", "ア", "ン", "ー", "漢", "字", "東",
                                     "京", "都", "日", "本", "語", "〜", "−",  "＼", "Ａ",
                                     "１", "・", "、", "。", "漾", "熙", "亜", "滌", "―",
                                     "¢",  "¬",  "Ω",  "‖",  "￥", "　"};
// Characters Kanji mode cannot write: code page 932 extensions, its readings
// of the JIS cells, half-width katakana, Latin, symbols and emoji.
constexpr std::string_view kUtf8Only[] = {"é", "ü", "ß", "①", "～", "－", "髙",     "ｱ", "ｶ", "ﾞ",
                                          "¥", "‾", "—", "😀", "🎌",  "𠮷", "\u0080", "€", "∥", "￠"};

template <std::size_t N>
int Pick(std::uint8_t byte, const int (&valid)[N], int rawBase) {
    if (byte < 0xC0) {
        return valid[byte % N];
    }
    if (byte >= 0xFE) {
        return byte == 0xFE ? INT_MAX : INT_MIN;
    }
    return rawBase + (byte - 0xC0);
}

struct Alphabet {
    std::vector<std::string> utf8;
    std::vector<std::string> shiftJis;  // code page 932 where it has the character
};

std::string ToCodePage932(std::string_view utf8) {
    static const iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string in(utf8);
    char out[8];
    char* input = in.data();
    std::size_t inputLeft = in.size();
    char* output = out;
    std::size_t outputLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &input, &inputLeft, &output, &outputLeft) == static_cast<std::size_t>(-1)) {
        return in;
    }
    return std::string(out, static_cast<std::size_t>(output - out));
}

const Alphabet& AlphabetOf(int choice) {
    static const auto alphabets = [] {
        std::vector<Alphabet> all(4);
        const auto add = [&](std::initializer_list<int> to, const auto& characters) {
            for (int a : to) {
                for (std::string_view c : characters) {
                    all[a].utf8.emplace_back(c);
                    all[a].shiftJis.push_back(ToCodePage932(c));
                }
            }
        };
        add({0, 1, 2, 3}, kDigits);
        add({0, 1, 2, 3}, kLetters);
        add({0, 1}, kOtherAscii);
        add({0, 2}, kJis);
        add({0, 3}, kUtf8Only);
        return all;
    }();
    return alphabets[choice];
}

// A raw value as the request's one-byte enum would hold it.
template <typename Enum>
Enum EnumOf(int value) {
    return static_cast<Enum>(static_cast<std::uint8_t>(value));
}

void MapWindowText(int mode, std::string& text) {
    for (char& ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        ch = mode == kModeNumeric ? static_cast<char>('0' + b % 10) : kAlphanumeric[b % 45];
    }
}

void MapSymbolText(const Alphabet& alphabet, bool shiftJis, std::string& text) {
    const auto& characters = shiftJis ? alphabet.shiftJis : alphabet.utf8;
    std::string mapped;
    for (char ch : text) {
        mapped += characters[static_cast<unsigned char>(ch) % characters.size()];
    }
    text = mapped.substr(0, kMaxText);
}

}  // namespace

FuzzCase DecodeFuzzInput(const std::uint8_t* data, std::size_t size) {
    const auto at = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t{0}; };
    FuzzCase c;
    const std::uint8_t flags = at(4);
    c.clearReady = (flags & 1) != 0;
    c.symbolCase = (flags & 4) != 0;
    const std::size_t headerSize = c.symbolCase ? 11 : 5;
    const std::size_t start = size < headerSize ? size : headerSize;
    c.text.assign(reinterpret_cast<const char*>(data + start),
                  size - start < kMaxText ? size - start : kMaxText);
    if (!c.symbolCase) {
        EncoderSettings& s = c.settings;
        s.characterMode = at(0) < 0xC0 ? kModes[at(0) % 3] : kModeNone;
        s.version = kVersions[at(1) % 40];
        s.errorCorrectionLevel = kLevels[at(2) % 4];
        s.maskReference = kMasks[at(3) % 8];
        if ((flags & 2) != 0 &&
            (s.characterMode == kModeAlphanumeric || s.characterMode == kModeNumeric)) {
            MapWindowText(s.characterMode, c.text);
        }
        return c;
    }
    Request& q = c.request;
    q.mode = EnumOf<Mode>(Pick(at(0), kSymbolModes, 0));  // from 0xC0: 0 up, 5 up invalid
    q.version = Pick(at(1), kSymbolVersions, -6);         // 0xC6: 0, automatic; 0xEF: 41
    q.level = EnumOf<Level>(Pick(at(2), kSymbolLevels, 0));
    q.mask = Pick(at(3), kSymbolMasks, -8);  // 0xC7: -1, automatic; 0xD0: 8
    q.minVersion = Pick(at(5), kVersions, -6);
    q.maxVersion = at(6) < 0xC0 ? 40 - at(6) % 40 : Pick(at(6), kVersions, -6);
    q.eci = Pick(at(7), kDesignators, -8);
    if (q.eci == kRawDesignator && at(7) < 0xC0) {
        q.eci = at(8) << 16 | at(9) << 8 | at(10);
    }
    q.byteEncoding = (flags & 8) != 0 ? ByteEncoding::ShiftJis : ByteEncoding::Utf8;
    q.cutToFit = (flags & 64) != 0;
    if ((flags & 128) != 0 && (at(8) & 2) != 0) {
        // Small versions give many parts of short texts; long texts only
        // slow the check down.
        c.parts = at(10) % 18;
        c.text.resize(std::min<std::size_t>(c.text.size(), kMaxPartsText));
    } else if ((flags & 128) != 0) {
        q.fnc1 = (at(8) & 1) != 0 ? Fnc1::Industry : Fnc1::Gs1;
        q.applicationIndicator = at(9);
    }
    if ((flags & 2) != 0) {
        const bool shiftJis = q.mode == Mode::Byte && (flags & 8) != 0;
        MapSymbolText(AlphabetOf(flags >> 4 & 3), shiftJis, c.text);
    }
    return c;
}

std::string RunCase(EncoderState& state, const FuzzCase& c) {
    return !c.symbolCase  ? CheckCreateData(state, c)
           : c.parts >= 0 ? CheckCreateParts(state, c)
                          : CheckCreateSymbol(state, c);
}

}  // namespace quirvane::fuzz
