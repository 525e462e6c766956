// Writing a finished symbol in one of quirvane-encode's formats.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"
#include "render/symbol_geometry.h"

namespace quirvane {

// n lines of n characters, '1' dark and '0' light, each ending in a line feed.
std::string SymbolAsText(SymbolView symbol);

// The bytes of the symbol in the format asked for; empty only if the PNG
// encoder fails.
std::string SymbolAsBytes(SymbolView symbol, OutputFormat format, int moduleWidth,
                          SymbolColour colour);

// Writes bytes whole to the file of `option` (--output, or --help and
// --version with "-"), by WriteWhole: "-" is standard output, which is then
// closed so that an error only the close reports is caught too. Returns "" or
// one line: the option, the file and the system's reason.
std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes);

// Reads the file of --input ("-" is standard input) whole, up to
// kMaxInputBytes. Returns "" or one line: the option, the file and the reason.
std::string ReadInput(const std::string& path, std::string& bytes);

}  // namespace quirvane
