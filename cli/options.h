// The command line of quirvane-encode: what symbol to make (a SymbolRequest,
// automatic by default), how to read the text, how to draw the symbol and
// where to put it.
#pragma once

#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

enum class OutputFormat { FromExtension, Text, Png, Svg, Eps, Pdf, Terminal };

// How the text becomes the bytes of 8-bit byte mode: as the window does (the
// program's code page when every character has a form there, else UTF-8), one
// of the two forced, or the bytes exactly as given.
enum class InputEncoding { CodePageWhenPossible, ShiftJis, Utf8, Bytes };

// The tool's defaults are what command-line users expect: the smallest
// version, the best mask and the shortest mix of modes, at level L.
inline constexpr Request kToolDefaults{};

struct EncodeOptions {
    Request request = kToolDefaults;
    InputEncoding encoding = InputEncoding::CodePageWhenPossible;
    bool eci = false;  // write the designator of the byte-mode encoding in use
    DrawingOptions drawing;
    bool hasText = false;  // the text came as an argument
    std::string text;
    std::string inputPath;  // --input; "-" is standard input
    std::string outputPath = "-";
    OutputFormat format = OutputFormat::FromExtension;
    std::string batchPath;  // --batch; "-" is standard input
    int jobs = 0;           // --jobs; 0: one per core
    bool showHelp = false;
    bool showVersion = false;
};

struct ParseResult {
    bool ok = false;
    EncodeOptions options;
    std::string error;  // one line naming the option and what it accepts
};

ParseResult ParseEncodeOptions(int argc, const char* const* argv);

// The format to write: the one asked for, else by the extension of the output
// (or of the batch's name pattern), else the terminal drawing when standard
// output is a terminal, else text.
OutputFormat ResolveFormat(const EncodeOptions& options, bool standardOutputIsTerminal);

extern const char kEncodeUsage[];

}  // namespace quirvane
