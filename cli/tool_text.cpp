#include "cli/tool_text.h"

#include <quirvane/gs1.h>

#include "cli/file_messages.h"
#include "cli/refusal_text.h"
#include "cli/tool_messages.h"
#include "text/input_text.h"

namespace quirvane {
namespace {

std::string NotText() {
    return translate("quirvane-encode",
                     "the text is neither UTF-8 nor Shift_JIS; --encoding bytes takes it byte "
                     "for byte");
}

std::string WithoutFinalLineFeed(std::string bytes) {
    if (bytes.ends_with('\n')) {
        bytes.pop_back();
        if (bytes.ends_with('\r')) {
            bytes.pop_back();
        }
    }
    return bytes;
}

// What zbar gives back in binary mode: Kanji segments as Shift_JIS, the
// rest as written; structured append's parts joined, in one family.
std::string ReadBackBytes(std::string_view bytes, const Result& made, const Request& request) {
    const auto shiftJis = [](std::string_view utf8) {
        return EncodeForByteMode(utf8, ByteModeEncoding::ShiftJis).bytes;
    };
    if (!made.parts.empty()) {
        return made.symbol.Eci() == 26 ? std::string(bytes) : shiftJis(bytes);
    }
    std::string back;
    if (request.fnc1 == Fnc1::Industry) {
        const int indicator = request.applicationIndicator;
        back = indicator >= 100 ? std::string(1, static_cast<char>(indicator - 100))
                                : std::string{static_cast<char>('0' + indicator / 10),
                                              static_cast<char>('0' + indicator % 10)};
    }
    for (const Segment& segment : made.symbol.Segments()) {
        const std::string_view run = bytes.substr(static_cast<std::size_t>(segment.byteStart),
                                                  static_cast<std::size_t>(segment.bytes));
        back += segment.mode == Mode::Kanji ? shiftJis(run) : std::string(run);
    }
    return back;
}

}  // namespace

TextRead ReadToolText(const EncodeOptions& options) {
    TextRead read;
    std::string bytes;
    if (options.content.format != ContentFormat::None) {
        ContentMade made = BuildContent(options.content);
        read.problem = std::move(made.refusal);
        read.exitStatus = 2;
        read.text.bytes = std::move(made.text);
        return read;
    }
    if (options.hasText) {
        bytes = options.crlf ? JoinLinesWithCrLf(options.text) : options.text;
    } else {
        FileBytes file = ReadBoundedBytes(options.inputPath, kMaxInputBytes, ReadPolicy::Streams);
        if (!file.Ok()) {
            read.problem = CannotRead("--input", options.inputPath, file);
            read.exitStatus = 2;
            return read;
        }
        bytes = options.crlf ? JoinLinesWithCrLf(file.bytes)
                             : WithoutFinalLineFeed(std::move(file.bytes));
    }
    read.text.raw = options.encoding == InputEncoding::Bytes;
    if (read.text.raw) {
        read.text.bytes = std::move(bytes);
        return read;
    }
    Utf8Text decoded = DecodeToUtf8(bytes);
    if (!decoded.ok || (options.hasText && decoded.fromCp932)) {
        read.problem = options.hasText
                           ? translate("quirvane-encode",
                                       "the text is not UTF-8; --encoding bytes takes it byte "
                                       "for byte")
                           : NotText();
        read.exitStatus = 1;
        return read;
    }
    read.text.bytes = std::move(decoded.utf8);
    return read;
}

std::string LineText(std::string_view line, InputEncoding encoding, ToolText& text) {
    text.raw = encoding == InputEncoding::Bytes;
    if (text.raw) {
        text.bytes.assign(line);
        return {};
    }
    Utf8Text decoded = DecodeToUtf8(line);
    text.bytes = std::move(decoded.utf8);
    return decoded.ok ? std::string() : NotText();
}

std::string EncodedText(const ToolText& text, const EncodeOptions& options, std::string& refusal) {
    if (!options.gs1) {
        return text.bytes;
    }
    Gs1ElementString parsed = ParseGs1(text.bytes);
    refusal = parsed.Parsed() ? std::string() : Gs1Refusal(parsed, text.bytes);
    return std::move(parsed.elementString);
}

ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options) {
    Request request = options.request;
    ToolSymbol symbol;
    const std::string elementString = EncodedText(text, options, symbol.refusal);
    if (!symbol.refusal.empty()) {
        return symbol;
    }
    request.fnc1 = options.gs1 ? Fnc1::Gs1 : request.fnc1;
    ByteModeText encoded;
    if (!text.raw && request.mode == Mode::Byte) {
        constexpr ByteModeEncoding kChoices[] = {ByteModeEncoding::CodePageWhenPossible,
                                                 ByteModeEncoding::ShiftJis,
                                                 ByteModeEncoding::Utf8};
        encoded = EncodeForByteMode(std::string_view(text.bytes),
                                    kChoices[static_cast<int>(options.encoding)], options.eci);
        if (!encoded.ok) {
            symbol.refusal = NoShiftJisForm(encoded.unencodable, encoded.position);
            return symbol;
        }
        request.byteEncoding = encoded.encoding;
        if (options.eci) {
            request.eci = encoded.encoding == ByteEncoding::ShiftJis ? 20 : 26;
        }
    }
    const std::string_view bytes = encoded.ok ? encoded.bytes : elementString;
    symbol.result = options.structuredAppend ? encoder.EncodeParts(bytes, request, options.parts)
                                             : encoder.Encode(bytes, request);
    symbol.made = static_cast<bool>(symbol.result);
    if (!symbol.made) {
        const Outcome outcome = symbol.result.outcome;
        symbol.refusal = options.structuredAppend &&
                                 (outcome == Outcome::TooLong || outcome == Outcome::InvalidRequest)
                             ? PartsRefusal(symbol.result, request, options.parts)
                             : RefusalText(encoder, symbol.result, request, bytes);
        return symbol;
    }
    symbol.readBack = ReadBackBytes(bytes, symbol.result, request);
    return symbol;
}

}  // namespace quirvane
