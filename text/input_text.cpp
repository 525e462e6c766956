#include "text/input_text.h"

#include <QList>

#include <cstdint>
#include <cstring>
#include <vector>

#include "encode/shift_jis.h"

namespace quirvane {
namespace {

const char kNotText[] =
    "ファイルの文字を読み取れません（UTF-8 でも Shift_JIS でもありません）。\n"
    "入力コードは変更しません。";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
        out += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
}

// One character of valid UTF-8 at `at`, which moves past it.
char32_t NextCharacter(std::string_view utf8, std::size_t& at) {
    char32_t c = 0;
    const std::size_t left = utf8.size() - at;
    at += static_cast<std::size_t>(
        DecodeUtf8(utf8.data() + at, static_cast<int>(left < 4 ? left : 4), c));
    return c;
}

bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        // Eight ASCII bytes at a time: most lines of a batch are ASCII.
        std::uint64_t eight = 0;
        if (bytes.size() - i >= 8 &&
            (std::memcpy(&eight, bytes.data() + i, 8), (eight & 0x8080808080808080ULL) == 0)) {
            i += 8;
            continue;
        }
        char32_t c = 0;
        const std::size_t left = bytes.size() - i;
        const int length = DecodeUtf8(bytes.data() + i, static_cast<int>(left < 4 ? left : 4), c);
        if (length == 0) {
            return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// The UTF-8 of code page 932 bytes, or false when some byte or pair of bytes
// is no character there (a lead byte left at the end included).
bool Cp932ToUtf8(std::string_view bytes, std::string& utf8) {
    utf8.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (doubleByte && i + 1 >= bytes.size()) {
            return false;
        }
        const int code = doubleByte ? lead << 8 | static_cast<unsigned char>(bytes[i + 1]) : lead;
        const char32_t c = Cp932Decode(code);
        if (c == 0 && code != 0) {
            return false;
        }
        AppendUtf8(utf8, c);
        i += doubleByte ? 2 : 1;
    }
    return true;
}

// Not QString::fromUtf8, which drops a byte order mark at the start.
QString QStringOfUtf8(std::string_view utf8) {
    QString text;
    text.reserve(static_cast<qsizetype>(utf8.size()));
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = NextCharacter(utf8, at);
        if (QChar::requiresSurrogates(c)) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(static_cast<char16_t>(c)));
        }
    }
    return text;
}

ByteModeText EncodeCharacters(const std::vector<char32_t>& characters, std::string_view utf8,
                              ByteModeEncoding encoding, bool declared) {
    ByteModeText result;
    if (encoding != ByteModeEncoding::Utf8) {
        std::string bytes;
        bytes.reserve(characters.size() * 2);
        int position = 0;
        for (const char32_t c : characters) {
            ++position;
            int code = Cp932CodeOf(c);
            const bool halfWidthKatakana = c >= 0xFF61 && c <= 0xFF9F;
            if (declared && code >= 0 &&
                (code > 0xFF ? JisX0208CodeOf(c) != code
                             : !halfWidthKatakana && (c > 0x7F || c == U'\\' || c == U'~'))) {
                code = -1;
            }
            if (code < 0) {
                result.unencodable = c;
                result.position = position;
                break;
            }
            if (code > 0xFF) {
                bytes += static_cast<char>(code >> 8);
            }
            bytes += static_cast<char>(code & 0xFF);
        }
        if (result.position == 0) {
            result.ok = true;
            result.bytes = std::move(bytes);
            result.encoding = ByteEncoding::ShiftJis;
            return result;
        }
        if (encoding == ByteModeEncoding::ShiftJis) {
            return result;
        }
    }
    result = ByteModeText{};
    result.ok = true;
    result.bytes.assign(utf8);
    return result;
}

}  // namespace

std::string Utf8Of(char32_t character) {
    std::string utf8;
    AppendUtf8(utf8, character);
    return utf8;
}

char32_t Utf8CharacterAt(std::string_view bytes, std::size_t at, int& length) {
    char32_t c = 0;
    const std::size_t left = at < bytes.size() ? bytes.size() - at : 0;
    length =
        left == 0 ? 0 : DecodeUtf8(bytes.data() + at, static_cast<int>(left < 4 ? left : 4), c);
    return c;
}

std::string JoinLinesWithCrLf(std::string_view fileBytes) {
    std::string text;
    text.reserve(fileBytes.size() + fileBytes.size() / 16);
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t feed = fileBytes.find('\n', start);
        if (feed == std::string_view::npos) {
            text.append(fileBytes.substr(start));
            break;
        }
        std::size_t end = feed;
        if (end > start && fileBytes[end - 1] == '\r') {
            --end;
        }
        text.append(fileBytes.substr(start, end - start));
        text.append("\r\n");
        start = feed + 1;
    }
    return text;
}

Utf8Text DecodeToUtf8(std::string_view bytes) {
    Utf8Text result;
    if (IsUtf8(bytes)) {
        result.ok = true;
        result.utf8.assign(bytes);
    } else if (Cp932ToUtf8(bytes, result.utf8)) {
        result.ok = result.fromCp932 = true;
    } else {
        result.utf8.clear();
    }
    return result;
}

DecodedText DecodeFileText(std::string_view fileBytes) {
    const Utf8Text decoded = DecodeToUtf8(JoinLinesWithCrLf(fileBytes));
    DecodedText result;
    result.ok = decoded.ok;
    if (!result.ok) {
        result.reason = QString::fromUtf8(kNotText);
    } else {
        // An empty file is text too, and not a null string.
        result.text = decoded.utf8.empty() ? QString("") : QStringOfUtf8(decoded.utf8);
    }
    return result;
}

ByteModeText EncodeForByteMode(const QString& text, ByteModeEncoding encoding, bool declared) {
    std::vector<char32_t> characters;
    characters.reserve(static_cast<std::size_t>(text.size()));
    for (const uint c : text.toUcs4()) {
        characters.push_back(static_cast<char32_t>(c));
    }
    const QByteArray utf8 = text.toUtf8();
    return EncodeCharacters(
        characters, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
        encoding, declared);
}

ByteModeText EncodeForByteMode(std::string_view utf8, ByteModeEncoding encoding, bool declared) {
    std::vector<char32_t> characters;
    characters.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        characters.push_back(NextCharacter(utf8, at));
    }
    return EncodeCharacters(characters, utf8, encoding, declared);
}

}  // namespace quirvane
