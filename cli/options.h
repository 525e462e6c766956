// What the command line of quirvane-encode asks for: the symbol to make (a
// Request, automatic by default), how to read the text, how to draw the
// symbol and where to put it; and whether the options fit together.
#pragma once

#include <string>

#include <quirvane/encoder.h>

#include "cli/content_options.h"
#include "render/drawing_options.h"

namespace quirvane {

enum class OutputFormat { FromName, Text, Png, Svg, Eps, Pdf, Terminal };

// How the text becomes the bytes of 8-bit byte mode: as the window does (the
// program's code page when every character has a form there, else UTF-8), one
// of the two forced, or the bytes exactly as given.
enum class InputEncoding { CodePageWhenPossible, ShiftJis, Utf8, Bytes };

// Structured append's parts: one file each, named from a pattern with
// {part}, or side by side in one file.
enum class PartLayout { Files, Row };

// The quiet zone the standard asks for, in every format of the tool.
inline constexpr int kToolQuietZoneModules = 4;

struct EncodeOptions {
    // -v N fills minVersion: the smallest version, grown to fit, as
    // command-line users expect. Reconcile makes it exactly N, refusing what
    // does not fit (--strict-version) or holding the start of the text as
    // the window cuts it (--cut).
    Request request;
    bool versionGiven = false;
    bool strictVersion = false;
    bool cutToVersion = false;
    bool modeGiven = false;
    InputEncoding encoding = InputEncoding::CodePageWhenPossible;
    bool eci = false;  // write the designator of the byte-mode encoding in use
    // -S: the text over 2-16 symbols, `parts` of them (0: the fewest).
    bool structuredAppend = false;
    int parts = 0;
    PartLayout layout = PartLayout::Files;
    bool gs1 = false;  // the text is a GS1 element string, bracketed or not
    ContentFields content;
    bool printText = false;  // print the text that would be encoded, draw nothing
    bool check = false;      // read the symbol back and report
    bool crlf = false;       // line feeds become CR LF, as the window reads a file
    DrawingOptions drawing{.quietZoneModules = kToolQuietZoneModules};
    bool hasText = false;  // the text came as an argument
    std::string text;
    std::string inputPath;  // -r; "-" is standard input
    std::string outputPath = "-";
    OutputFormat format = OutputFormat::FromName;
    std::string batchPath;  // --batch; "-" is standard input
    int jobs = 0;           // --jobs; 0: one per core
    bool verbose = false;
    bool showHelp = false;
    bool showVersion = false;
};

// Makes the options whole once all are read: the text's source (standard
// input when none is given and it is not a terminal), the byte-mode options'
// mode, the version rule. "" or one line saying what does not fit.
std::string Reconcile(EncodeOptions& options, bool standardInputIsTerminal);

struct FormatChoice {
    OutputFormat format = OutputFormat::Text;
    std::string problem;  // "" or one line: the output's extension is not one written
};

// The format to write: -t, else the extension of the output (or of a batch's
// name pattern, which then needs one), else the terminal drawing when
// standard output is a terminal, else text.
FormatChoice ChooseFormat(const EncodeOptions& options, bool standardOutputIsTerminal);

}  // namespace quirvane
