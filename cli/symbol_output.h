// Writing a finished symbol in one of quirvane-encode's formats.
#pragma once

#include <string>
#include <string_view>

#include <quirvane/encoder.h>

#include "cli/options.h"
#include "render/drawing_options.h"
#include "render/symbol_terminal.h"

namespace quirvane {

// n lines of n characters, '1' dark and '0' light, each ending in a line feed.
std::string SymbolAsText(const Symbol& symbol);

// The largest PNG drawn, in pixels a side: a version 40 symbol at 100 pixels
// a module with a wide quiet zone would be gigabytes of image; print sizes
// that large are what the vector formats are for.
inline constexpr int kMaxPngSide = 10000;

// "" when the symbol can be drawn in the format, else one line saying why.
std::string DrawingProblem(const Symbol& symbol, OutputFormat format,
                           const DrawingOptions& options);

// The bytes of the symbol in the format asked for (not FromExtension); the
// terminal drawing in colour when `terminalColours` says so. Empty only if the
// drawing cannot be made.
std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours);

// Writes bytes whole to the file of `option` (--output, or --help and
// --version with "-"), by WriteWhole: "-" is standard output, which is then
// closed so that an error only the close reports is caught too. Returns "" or
// one line: the option, the file and the system's reason.
std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes);

// Reads the file of `option` (--input or --batch; "-" is standard input)
// whole, up to kMaxInputBytes. Returns "" or one line: the option, the file
// and the reason.
std::string ReadInput(std::string_view option, const std::string& path, std::string& bytes);

}  // namespace quirvane
