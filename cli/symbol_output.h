// A finished symbol in one of quirvane-encode's formats, written where the
// options say, and what --verbose tells of it.
#pragma once

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

// "" when the symbol can be drawn in the format, else one line saying why.
std::string DrawingProblem(const Symbol& symbol, OutputFormat format,
                           const DrawingOptions& options);

// The bytes of the symbol in the format asked for (not FromName); the
// terminal drawing in colour when `terminalColours` says so. Empty only when
// memory runs out.
std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours);

// Writes bytes whole to the file of `option` (--output, or --help and
// --version with "-") as WritePolicy::Single says; standard output is then
// closed, so that an error only the close reports is caught too. "" or one
// line naming the option, the file and the cause.
std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes);

// What --verbose prints: the statistics line as the window shows it, the
// choices made, and what a cut left out.
std::vector<std::string> VerboseLines(const Result& result);

}  // namespace quirvane
