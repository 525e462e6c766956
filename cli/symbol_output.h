// Writing a finished symbol in one of quirvane-encode's formats.
#pragma once

#include <string>

#include "cli/options.h"
#include "render/symbol_geometry.h"

namespace quirvane {

// n lines of n characters, '1' dark and '0' light, each ending in a line feed.
std::string SymbolAsText(SymbolView symbol);

// The bytes of the symbol in the format asked for; empty only if the PNG
// encoder fails.
std::string SymbolAsBytes(SymbolView symbol, OutputFormat format, int moduleWidth,
                          SymbolColour colour);

// Writes bytes to path ("-" is standard output). A file is written whole or
// not at all: it goes to a temporary file first and is renamed into place.
// Returns "" or a one-line error.
std::string WriteOutput(const std::string& path, const std::string& bytes);

// Reads path ("-" is standard input) whole. Returns "" or a one-line error.
std::string ReadInput(const std::string& path, std::string& bytes);

}  // namespace quirvane
