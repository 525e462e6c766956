// EPS, written by hand: the program scales to units, paints the background,
// then draws in module coordinates (origin at the symbol's top left corner,
// y down) so that each run of dark modules is just "column row length r".
#include "render/symbol_eps.h"

#include "render/dark_runs.h"
#include "render/decimal_text.h"

namespace quirvane {
namespace {

// Lines of a DSC-conforming file stay well under its 255 characters.
constexpr std::size_t kLineLength = 72;

}  // namespace

std::string RenderSymbolEps(const Symbol& symbol, const DrawingOptions& options) {
    if (!CanDraw(symbol, options)) {
        return {};
    }
    const int side = DrawingSideOf(symbol.Side(), options);
    const int margin = MarginOf(options);
    // The box in points: whole ones enclosing the drawing, and the exact size.
    const long long perInch = PrintUnitsPerInch(options);
    const std::string whole = std::to_string((side * 72LL + perInch - 1) / perInch);
    const std::string exact = LengthText(side * 72LL, perInch, 4);
    std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 " + whole + ' ' + whole +
                      "\n%%HiResBoundingBox: 0 0 " + exact + ' ' + exact +
                      "\n%%Creator: Quirvane\n%%LanguageLevel: 2\n%%EndComments\n"
                      "save\n/r { 1 rectfill } bind def\n";
    if (options.dpi > 0) {
        eps += "72 " + std::to_string(options.dpi) + " div dup scale\n";
    }
    const std::string units = std::to_string(side);
    if (!options.transparentBackground) {
        eps += ColourFractions(options.background) + " setrgbcolor 0 0 " + units + ' ' + units +
               " rectfill\n";
    }
    const std::string w = std::to_string(options.moduleWidth);
    eps += std::to_string(margin) + ' ' + std::to_string(side - margin) + " translate " + w + ' ' +
           w + " neg scale\n" + ColourFractions(options.dark) + " setrgbcolor\n";
    std::string line;
    ForEachDarkRun(symbol, [&](int row, int column, int length) {
        line += std::to_string(column) + ' ' + std::to_string(row) + ' ' + std::to_string(length) +
                " r";
        if (line.size() >= kLineLength) {
            eps += line + '\n';
            line.clear();
        } else {
            line += ' ';
        }
    });
    if (!line.empty()) {
        line.back() = '\n';
        eps += line;
    }
    eps += "restore\nshowpage\n%%EOF\n";
    return eps;
}

}  // namespace quirvane
