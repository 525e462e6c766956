#include "cli/single_run.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "check/read_back.h"
#include "cli/exit_status.h"
#include "cli/scan_check.h"
#include "cli/symbol_output.h"
#include "cli/tool_messages.h"
#include "cli/tool_text.h"

namespace quirvane {
namespace {

struct OutputFile {
    std::string name;
    std::string bytes;
};

// The files to write: the symbol, the parts in a row, or one per part.
std::vector<OutputFile> Drawn(std::span<const Symbol> symbols, OutputFormat format,
                              const EncodeOptions& options, bool terminal) {
    const TerminalColours colours =
        terminal ? TerminalColours::BlackOnWhite : TerminalColours::None;
    if (symbols.size() > 1 && options.layout == PartLayout::Row) {
        return {{options.outputPath, RowAsBytes(symbols, format, options.drawing)}};
    }
    std::vector<OutputFile> files;
    const int count = static_cast<int>(symbols.size());
    for (int i = 0; i < count; ++i) {
        files.push_back(
            {count == 1 ? options.outputPath : PartName(options.outputPath, i + 1, count),
             SymbolAsBytes(symbols[static_cast<std::size_t>(i)], format, options.drawing,
                           colours)});
    }
    return files;
}

void SayLines(const std::vector<std::string>& lines, bool named = true) {
    for (const std::string& line : lines) {
        if (named) {
            Say(line);
        } else {
            std::fprintf(stderr, "%s\n", line.c_str());
        }
    }
}

}  // namespace

int RunSingle(const EncodeOptions& options) {
    const bool terminal = options.outputPath == "-" && ::isatty(STDOUT_FILENO) == 1;
    const FormatChoice format = ChooseFormat(options, terminal);
    if (!format.problem.empty()) {
        return Fail(format.problem);
    }
    const bool row = options.structuredAppend && options.layout == PartLayout::Row;
    if (row && (format.format == OutputFormat::Text || format.format == OutputFormat::Terminal)) {
        return Fail(translate("quirvane-encode",
                              "--layout row draws png, svg, eps or pdf; for text, write one file "
                              "per part with {part}"));
    }
    const TextRead read = ReadToolText(options);
    if (!read.problem.empty()) {
        Say(read.problem);
        return read.exitStatus;
    }
    if (options.printText) {
        std::string refusal;
        const std::string text = EncodedText(read.text, options, refusal);
        if (!refusal.empty()) {
            return Refuse(refusal);
        }
        const std::string error = WriteOutput("--print-text", "-", text + "\n");
        return error.empty() ? kExitMade : Fail(error);
    }
    Encoder encoder;
    const ToolSymbol symbol = MakeSymbol(encoder, read.text, options);
    if (!symbol.made) {
        return Refuse(symbol.refusal);
    }
    const std::span<const Symbol> symbols = symbol.Symbols();
    if (const std::string problem = DrawingProblem(symbols.front(), format.format, options.drawing,
                                                   row ? static_cast<int>(symbols.size()) : 1);
        !problem.empty()) {
        return Fail(problem);
    }
    const ScanFindings findings = ToolFindings(format.format, options.drawing);
    SayLines(WarningLines(findings));
    std::vector<OutputFile> files = Drawn(symbols, format.format, options, terminal);
    for (const OutputFile& file : files) {
        if (file.bytes.empty()) {
            return Fail(translate("quirvane-encode", "out of memory"));
        }
        if (const std::string error = WriteOutput("--output", file.name, file.bytes);
            !error.empty()) {
            return Fail(error);
        }
    }
    if (options.verbose) {
        // Those lines carry the program's name where it belongs.
        SayLines(symbols.size() > 1 ? PartsVerboseLines(symbols) : VerboseLines(symbol.result),
                 false);
    }
    if (!options.check) {
        return kExitMade;
    }
    std::vector<std::string> written;
    for (OutputFile& file : files) {
        written.push_back(std::move(file.bytes));
    }
    const bool readsBack = ReadsBackAs(
        CheckedImage(format.format, options.drawing, symbols, written), symbol.readBack);
    SayLines(ReportLines(findings, readsBack));
    return PassesCheck(findings, readsBack) ? kExitMade : kExitCheckFailed;
}

}  // namespace quirvane
