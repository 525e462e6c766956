// What quirvane-encode encodes: the text of its argument, of a file or of
// standard input, or one line of a batch, and the symbol made of it as the
// options ask. A batch's workers call MakeSymbol at once, each with an
// encoder of its own.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include <quirvane/encoder.h>

#include "cli/options.h"

namespace quirvane {

struct ToolText {
    bool raw = false;   // --encoding bytes: `bytes` exactly as given
    std::string bytes;  // UTF-8 unless raw
};

struct TextRead {
    ToolText text;
    std::string problem;  // "" or one line
    int exitStatus = 0;   // when there is a problem: 2 for the file, 1 for its content
};

// The argument (UTF-8, as a terminal gives it), the content of --input
// (UTF-8 or Shift_JIS, one final line feed, LF or CR LF, not part of it), or
// the text of a content format's fields.
// With --crlf every line feed becomes CR LF, the last one too, as the window
// reads a file.
TextRead ReadToolText(const EncodeOptions& options);

// One line of a batch, its line end gone, decided on alone: UTF-8, else
// Shift_JIS, else refused. "" or the refusal.
std::string LineText(std::string_view line, InputEncoding encoding, ToolText& text);

struct ToolSymbol {
    bool made = false;
    std::string refusal;  // when not made: the program's message
    Result result;
    // The bytes a reader gives back from them all: the element string of a
    // GS1 symbol, the application indicator before the text of an FNC1 one,
    // Shift_JIS for Kanji segments.
    std::string readBack;

    // The symbols made: the one, or structured append's parts.
    std::span<const Symbol> Symbols() const {
        return result.parts.empty() ? std::span<const Symbol>(&result.symbol, 1) : result.parts;
    }
};

// The symbol of a text made by `encoder`, as the options ask: with --gs1
// the text read as an element string, with -S split into parts.
ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options);

// With --gs1, the element string of the text, or the refusal naming the AI;
// else the text as it is.
std::string EncodedText(const ToolText& text, const EncodeOptions& options, std::string& refusal);

}  // namespace quirvane
