// What quirvane-encode encodes: the text of its argument, of a file or of
// standard input, or one line of a batch, and the symbol made of it as the
// options ask. A batch's workers call MakeSymbol at once, each with an
// encoder of its own.
#pragma once

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

// The argument (UTF-8, as a terminal gives it) or the content of --input
// (UTF-8 or Shift_JIS, one final line feed, LF or CR LF, not part of it).
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
};

// The symbol of a text made by `encoder`, as the options ask.
ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options);

}  // namespace quirvane
