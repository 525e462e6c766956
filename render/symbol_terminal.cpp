// Half blocks make a module of one character wide and half a line high, about
// square in a terminal's cells. A terminal's own colours may be light on dark,
// which would invert the symbol, so on a terminal the colours are set here.
#include "render/symbol_terminal.h"

namespace quirvane {
namespace {

constexpr const char* kBlackOnWhite = "\x1B[38;5;16;48;5;231m";
constexpr const char* kReset = "\x1B[0m";

// Indexed by (top dark) * 2 + (bottom dark): the glyph inks the dark halves.
constexpr const char* kHalfBlocks[] = {" ", "\xE2\x96\x84", "\xE2\x96\x80", "\xE2\x96\x88"};

}  // namespace

std::string RenderSymbolTerminal(const Symbol& symbol, TerminalColours colours) {
    if (symbol.Side() < 1) {
        return {};
    }
    const int q = kTerminalQuietZoneModules;
    const int side = symbol.Side() + 2 * q;
    // Rows and columns of the bordered square; those outside the symbol are light.
    const auto dark = [&](int row, int column) {
        return row >= q && column >= q && row < q + symbol.Side() && column < q + symbol.Side() &&
               symbol.IsDark(row - q, column - q);
    };
    std::string text;
    for (int row = 0; row < side; row += 2) {
        if (colours == TerminalColours::BlackOnWhite) {
            text += kBlackOnWhite;
        }
        for (int column = 0; column < side; ++column) {
            text += kHalfBlocks[dark(row, column) * 2 + dark(row + 1, column)];
        }
        if (colours == TerminalColours::BlackOnWhite) {
            text += kReset;
        }
        text += '\n';
    }
    return text;
}

}  // namespace quirvane
