#include "cli/tool_text.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>

#include "text/input_text.h"

namespace quirvane {
namespace {

ToolText FromDecoded(const DecodedText& decoded) {
    ToolText text;
    text.ok = decoded.ok;
    text.text = decoded.text;
    if (!decoded.ok) {
        text.refusal =
            "the text is neither UTF-8 nor Shift_JIS; --encoding bytes takes it byte "
            "for byte";
    }
    return text;
}

ToolText Raw(std::string bytes) {
    ToolText text;
    text.ok = true;
    text.raw = true;
    text.bytes = std::move(bytes);
    return text;
}

std::string Utf8Of(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

// The program's words for a refusal of the encoder.
std::string RefusalText(const Result& result, const Request& request, std::string_view bytes) {
    const auto character = [&] {
        const std::size_t at = static_cast<std::size_t>(result.byteOffset);
        std::size_t length = 1;
        while (at + length < bytes.size() &&
               (static_cast<unsigned char>(bytes[at + length]) & 0xC0) == 0x80) {
            ++length;
        }
        return std::string(bytes.substr(at, length));
    };
    char buffer[64];
    switch (result.outcome) {
        case Outcome::NotNumeric:
            return "数字の文字セットのみを選択してください";
        case Outcome::NotAlphanumeric:
            return "英数字の文字セットのみを選択してください";
        case Outcome::NotKanji:
            std::snprintf(buffer, sizeof buffer, "(U+%04X)",
                          static_cast<unsigned>(result.character));
            return "Kanji mode cannot write character " + std::to_string(result.position) + ", \"" +
                   character() + "\" " + buffer + ": it is not a JIS X 0208 character";
        case Outcome::NotUtf8:
            return "the text is not UTF-8: byte " + std::to_string(result.byteOffset + 1) +
                   " is no character's";
        case Outcome::TooLong: {
            const int version =
                request.version != kVersionAuto ? request.version : request.maxVersion;
            const int leftOut = result.charactersTotal - result.charactersHeld;
            return "the text is " + std::to_string(leftOut) +
                   (leftOut == 1 ? " character" : " characters") + " too long: version " +
                   std::to_string(version) + "-" + "LMQH"[static_cast<int>(request.level)] +
                   " holds the first " + std::to_string(result.charactersHeld) + " of its " +
                   std::to_string(result.charactersTotal);
        }
        default:
            return "the request cannot be made";
    }
}

}  // namespace

ToolText ReadArgumentText(std::string_view argument, InputEncoding encoding) {
    if (encoding == InputEncoding::Bytes) {
        return Raw(std::string(argument));
    }
    ToolText text = FromDecoded(DecodeUtf8Text(argument));
    if (!text.ok) {
        text.refusal = "the text is not UTF-8; --encoding bytes takes it byte for byte";
    }
    return text;
}

ToolText ReadFileText(std::string_view fileBytes, InputEncoding encoding) {
    if (encoding == InputEncoding::Bytes) {
        return Raw(JoinLinesWithCrLf(fileBytes));
    }
    return FromDecoded(DecodeFileText(fileBytes));
}

BatchText ReadBatchLines(std::string_view fileBytes, InputEncoding encoding) {
    const ToolText whole = ReadFileText(fileBytes, encoding);
    BatchText batch;
    if (!whole.ok) {
        batch.refusal = whole.refusal;
        return batch;
    }
    // Every line ends with CR LF now, but for the last one, which may have no
    // text: a file that ends with a line feed has no empty line after it.
    const QString crlf = QStringLiteral("\r\n");
    const QString all = whole.raw ? QString::fromLatin1(whole.bytes.data(),
                                                        static_cast<qsizetype>(whole.bytes.size()))
                                  : whole.text;
    const QStringList pieces = all.split(crlf);
    batch.lineCount = static_cast<int>(pieces.size()) - (pieces.back().isEmpty() ? 1 : 0);
    for (int i = 0; i < batch.lineCount; ++i) {
        const QString& line = pieces[i];
        if (line.isEmpty()) {
            continue;
        }
        ToolText text;
        text.ok = true;
        if (whole.raw) {
            const QByteArray bytes = line.toLatin1();  // the bytes back, one a character
            text = Raw(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        } else {
            text.text = line;
        }
        batch.lines.push_back({i + 1, std::move(text)});
    }
    return batch;
}

ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options) {
    Request request = options.request;
    std::string bytes;
    if (text.raw) {
        bytes = text.bytes;
    } else if (request.mode == Mode::Byte) {
        constexpr ByteModeEncoding kChoices[] = {ByteModeEncoding::CodePageWhenPossible,
                                                 ByteModeEncoding::ShiftJis,
                                                 ByteModeEncoding::Utf8};
        const ByteModeText encoded =
            EncodeForByteMode(text.text, kChoices[static_cast<int>(options.encoding)], options.eci);
        if (!encoded.ok) {
            ToolSymbol refused;
            refused.refusal = "character " + std::to_string(encoded.position) + ", \"" +
                              Utf8Of(encoded.unencodable) + "\", has no Shift_JIS form";
            return refused;
        }
        bytes = encoded.bytes;
        request.byteEncoding = encoded.encoding;
        if (options.eci) {
            request.eci = encoded.encoding == ByteEncoding::ShiftJis ? 20 : 26;
        }
    } else {
        bytes = Utf8Of(text.text);
    }
    ToolSymbol symbol;
    symbol.result = encoder.Encode(bytes, request);
    symbol.made = static_cast<bool>(symbol.result);
    if (!symbol.made) {
        symbol.refusal = RefusalText(symbol.result, request, bytes);
    }
    return symbol;
}

}  // namespace quirvane
