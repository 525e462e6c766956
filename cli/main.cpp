// quirvane-encode: the encoder without the window, for scripts, batches and
// print. One text, or one symbol per line of a batch.
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/printable.h"
#include "cli/symbol_output.h"
#include "cli/tool_text.h"

int main(int argc, char** argv) {
    using namespace quirvane;
    // A file-size limit then fails the write with EFBIG, which is reported,
    // instead of killing the program halfway through the temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    const ParseResult parsed = ParseEncodeOptions(argc, argv);
    if (!parsed.ok) {
        return Fail(parsed.error);
    }
    const EncodeOptions& options = parsed.options;
    if (options.showHelp || options.showVersion) {
        const std::string text =
            options.showHelp ? std::string(kEncodeUsage)
                             : "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n";
        const std::string error = WriteOutput(options.showHelp ? "--help" : "--version", "-", text);
        return error.empty() ? kExitMade : Fail(error);
    }
    if (!options.batchPath.empty()) {
        return RunBatch(options);
    }

    ToolText text;
    if (!options.inputPath.empty()) {
        std::string bytes;
        if (const std::string error = ReadInput("--input", options.inputPath, bytes);
            !error.empty()) {
            return Fail(error);
        }
        text = ReadFileText(bytes, options.encoding);
    } else {
        text = ReadArgumentText(options.text, options.encoding);
    }
    if (!text.ok) {
        return Refuse("quirvane-encode: " + text.refusal);
    }

    Encoder encoder;
    const ToolSymbol symbol = MakeSymbol(encoder, text, options);
    if (!symbol.made) {
        // The refusal may quote a character of the text: a control character
        // there must not reach the terminal as a command.
        return Refuse(Printable(symbol.refusal));
    }
    const bool terminal = options.outputPath == "-" && ::isatty(STDOUT_FILENO) == 1;
    const OutputFormat format = ResolveFormat(options, terminal);
    const Symbol& view = symbol.result.symbol;
    if (const std::string problem = DrawingProblem(view, format, options.drawing);
        !problem.empty()) {
        return Fail(problem);
    }
    const std::string bytes =
        SymbolAsBytes(view, format, options.drawing,
                      terminal ? TerminalColours::BlackOnWhite : TerminalColours::None);
    if (bytes.empty()) {
        return Fail("--format: the drawing could not be made");
    }
    if (const std::string error = WriteOutput("--output", options.outputPath, bytes);
        !error.empty()) {
        return Fail(error);
    }
    const Result& result = symbol.result;
    if (result.charactersLeftOut > 0) {
        std::fprintf(stderr, "quirvane-encode: %s\n", LeftOutNotice(result).c_str());
    }
    std::fprintf(stderr, "%s\n", StatisticsLine(result).c_str());
    return kExitMade;
}
