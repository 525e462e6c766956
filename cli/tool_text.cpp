#include "cli/tool_text.h"

#include <QStringList>

#include <algorithm>

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

std::vector<BatchLine> ReadBatchLines(std::string_view fileBytes, InputEncoding encoding,
                                      std::string& refusal) {
    const ToolText whole = ReadFileText(fileBytes, encoding);
    std::vector<BatchLine> lines;
    if (!whole.ok) {
        refusal = whole.refusal;
        return lines;
    }
    const std::string crlf = "\r\n";
    int number = 0;
    if (whole.raw) {
        const std::string_view all = whole.bytes;
        for (std::size_t start = 0; start < all.size();) {
            const std::size_t end = std::min(all.find(crlf, start), all.size());
            ++number;
            if (end > start) {
                lines.push_back({number, Raw(std::string(all.substr(start, end - start)))});
            }
            start = end + crlf.size();
        }
        return lines;
    }
    for (const QString& line : whole.text.split(QString::fromLatin1(crlf.c_str()))) {
        ++number;
        if (!line.isEmpty()) {
            ToolText text;
            text.ok = true;
            text.text = line;
            lines.push_back({number, std::move(text)});
        }
    }
    return lines;
}

ToolSymbol MakeSymbol(EncoderState& state, const ToolText& text, const EncodeOptions& options) {
    SymbolRequest request = options.request;
    std::string bytes;
    if (text.raw) {
        bytes = text.bytes;
    } else if (request.characterMode == kModeByte) {
        constexpr ByteModeEncoding kChoices[] = {ByteModeEncoding::CodePageWhenPossible,
                                                 ByteModeEncoding::ShiftJis,
                                                 ByteModeEncoding::Utf8};
        const ByteModeText encoded =
            EncodeForByteMode(text.text, kChoices[static_cast<int>(options.encoding)]);
        if (!encoded.ok) {
            ToolSymbol refused;
            refused.refusal = "character " + std::to_string(encoded.position) + ", \"" +
                              Utf8Of(encoded.unencodable) + "\", has no Shift_JIS form";
            return refused;
        }
        bytes = encoded.bytes;
        request.byteEncoding = encoded.encoding;
        if (options.eci) {
            request.eciDesignator =
                encoded.encoding == TextEncoding::ShiftJis ? kEciShiftJis : kEciUtf8;
        }
    } else {
        bytes = Utf8Of(text.text);
    }
    ToolSymbol symbol;
    symbol.result = state.CreateSymbol(bytes, request);
    symbol.made = symbol.result.Created();
    if (!symbol.made) {
        symbol.refusal = symbol.result.message;
    }
    return symbol;
}

}  // namespace quirvane
