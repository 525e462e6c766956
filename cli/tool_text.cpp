#include "cli/tool_text.h"

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

}  // namespace

TextRead ReadToolText(const EncodeOptions& options) {
    TextRead read;
    std::string bytes;
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

ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options) {
    Request request = options.request;
    ToolSymbol symbol;
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
    const std::string_view bytes = encoded.ok ? encoded.bytes : text.bytes;
    symbol.result = encoder.Encode(bytes, request);
    symbol.made = static_cast<bool>(symbol.result);
    if (!symbol.made) {
        symbol.refusal = RefusalText(encoder, symbol.result, request, bytes);
    }
    return symbol;
}

}  // namespace quirvane
