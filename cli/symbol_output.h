// A finished symbol in one of quirvane-encode's formats, written where the
// options say, and what --verbose tells of it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/options.h"
#include "render/drawing_options.h"
#include "render/symbol_terminal.h"

namespace quirvane {

// n lines of n characters, '1' dark and '0' light, each ending in a line feed.
std::string SymbolAsText(const Symbol& symbol);

// The largest PNG drawn, in pixels a side: print sizes that large are what
// the vector formats are for.
inline constexpr int kMaxPngSide = 10000;

// "" when the symbol, or a row of `count` of them side by side, can be
// drawn in the format, else one line saying why.
std::string DrawingProblem(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                           int count = 1);

// The bytes of the symbol in the format asked for (not FromName); the
// terminal drawing in colour when `terminalColours` says so. Empty only when
// memory runs out.
std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours);

// The bytes of symbols side by side in one drawing (png, svg, eps or pdf).
// Empty for another format, or when memory runs out.
std::string RowAsBytes(std::span<const Symbol> row, OutputFormat format,
                       const DrawingOptions& options);

// The name of part `part` (1-based) of `count` in a pattern: every {part}
// becomes the number, zero-padded to the width of the count.
std::string PartName(std::string_view pattern, int part, int count);

// Writes bytes whole to the file of `option` (--output, or --help and
// --version with "-") as WritePolicy::Single says; standard output is then
// closed, so that an error only the close reports is caught too. "" or one
// line naming the option, the file and the cause.
std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes);

// What --verbose prints: the statistics line as the window shows it, the
// choices made, and what a cut left out.
std::vector<std::string> VerboseLines(const Result& result);

// What --verbose prints of structured append's parts.
std::vector<std::string> PartsVerboseLines(std::span<const Symbol> parts);

}  // namespace quirvane
