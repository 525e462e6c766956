#include "text/input_text.h"

#include <QList>

#include "encode/shift_jis.h"

namespace quirvane {
namespace {

const char kNotText[] =
    "ファイルの文字を読み取れません（UTF-8 でも Shift_JIS でもありません）。\n"
    "入力コードは変更しません。";

// The text of code page 932 bytes, or a null string when some byte or pair of
// bytes is no character there (a lead byte left at the end included).
QString DecodeCodePage932(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (doubleByte && i + 1 >= bytes.size()) {
            return QString();
        }
        const int code = doubleByte ? lead << 8 | static_cast<unsigned char>(bytes[i + 1]) : lead;
        const char32_t c = Cp932Decode(code);
        if (c == 0 && code != 0) {
            return QString();
        }
        text.append(QString::fromUcs4(&c, 1));
        i += doubleByte ? 2 : 1;
    }
    return text;
}

// The text of UTF-8 bytes, or a null string when they are not UTF-8.
QString DecodeStrictUtf8(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t left = bytes.size() - i;
        const int length = DecodeUtf8(bytes.data() + i, static_cast<int>(left < 4 ? left : 4), c);
        if (length == 0) {
            return QString();
        }
        text.append(QString::fromUcs4(&c, 1));
        i += static_cast<std::size_t>(length);
    }
    return text;
}

}  // namespace

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

DecodedText DecodeFileText(std::string_view fileBytes) {
    const std::string joined = JoinLinesWithCrLf(fileBytes);
    DecodedText result;
    result.text = DecodeStrictUtf8(joined);
    if (result.text.isNull()) {
        result.text = DecodeCodePage932(joined);
    }
    result.ok = !result.text.isNull();
    if (!result.ok) {
        result.reason = QString::fromUtf8(kNotText);
    } else if (result.text.isEmpty()) {
        result.text = QString("");  // an empty file is text, and not null
    }
    return result;
}

DecodedText DecodeUtf8Text(std::string_view bytes) {
    DecodedText result;
    result.text = DecodeStrictUtf8(bytes);
    result.ok = !result.text.isNull();
    if (!result.ok) {
        result.reason = QStringLiteral("the text is not UTF-8");
    }
    return result;
}

ByteModeText EncodeForByteMode(const QString& text, ByteModeEncoding encoding, bool declared) {
    ByteModeText result;
    if (encoding != ByteModeEncoding::Utf8) {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
        int position = 0;
        for (const char32_t c : text.toUcs4()) {
            ++position;
            int code = Cp932CodeOf(c);
            const bool halfWidthKatakana = c >= 0xFF61 && c <= 0xFF9F;
            if (declared && code >= 0 &&
                (code > 0xFF ? JisX0208CodeOf(c) != code
                             : !halfWidthKatakana && (c > 0x7F || c == U'\\' || c == U'~'))) {
                code = -1;
            }
            if (code < 0) {
                result.unencodable = QString::fromUcs4(&c, 1);
                result.position = position;
                bytes.clear();
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
    const QByteArray utf8 = text.toUtf8();
    result = ByteModeText{};
    result.ok = true;
    result.bytes.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    result.encoding = ByteEncoding::Utf8;
    return result;
}

}  // namespace quirvane
