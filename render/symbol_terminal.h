// The symbol as lines of text for a terminal, small enough to scan off the
// screen with a phone.
#pragma once

#include <string>

#include <quirvane/encoder.h>

namespace quirvane {

inline constexpr int kTerminalQuietZoneModules = 4;

enum class TerminalColours {
    // Each line set to black on white (256-colour codes 16 and 231, which
    // colour schemes leave alone) and reset before its line feed: for a terminal.
    BlackOnWhite,
    // No escape codes; the characters' ink is the dark modules: for a file or
    // pipe, read later on a light ground (an editor, a page, paper).
    None,
};

// Two module rows per line in half blocks (U+2580, U+2584, U+2588 and
// space), the symbol inside a light border of 4 modules; each line ends in a
// line feed. Empty when the view is not a symbol's (side 1-177).
std::string RenderSymbolTerminal(const Symbol& symbol, TerminalColours colours);

}  // namespace quirvane
