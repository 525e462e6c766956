// What quirvane-encode encodes: the text of its argument, of a file or of one
// line of a batch, read as the window reads its files, and the symbol made
// of it as the options ask. A batch's workers call MakeSymbol at once, each
// with a record of its own.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/options.h"

namespace quirvane {

struct ToolText {
    bool ok = false;
    std::string refusal;  // when not ok: one line saying why
    bool raw = false;     // --encoding bytes: `bytes` is the text, byte for byte
    QString text;
    std::string bytes;
};

// An argument is UTF-8, as a terminal gives it.
ToolText ReadArgumentText(std::string_view argument, InputEncoding encoding);

// A file is UTF-8 or Shift_JIS, with CR LF line ends, as the window reads it.
ToolText ReadFileText(std::string_view fileBytes, InputEncoding encoding);

// The lines of a batch file, read as a file is; each line one text, without
// its line end. Lines with no text are dropped, but keep their numbers.
struct BatchLine {
    int number;  // 1-based, in the file
    ToolText text;
};
struct BatchText {
    std::vector<BatchLine> lines;
    int lineCount = 0;    // every line of the file, empty ones included
    std::string refusal;  // when the file is not text
};
BatchText ReadBatchLines(std::string_view fileBytes, InputEncoding encoding);

struct ToolSymbol {
    bool made = false;
    std::string refusal;  // when not made: the program's message
    Result result;
};

// The symbol of a text made by `encoder`, as the options ask.
ToolSymbol MakeSymbol(Encoder& encoder, const ToolText& text, const EncodeOptions& options);

}  // namespace quirvane
