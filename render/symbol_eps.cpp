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
    return RenderRowEps({&symbol, 1}, options);
}

std::string RenderRowEps(std::span<const Symbol> row, const DrawingOptions& options) {
    if (!CanDrawRow(row, options)) {
        return {};
    }
    const int symbolSide = row.front().Side();
    const int width = RowWidthOf(symbolSide, static_cast<int>(row.size()), options);
    const int height = DrawingSideOf(symbolSide, options);
    const int margin = MarginOf(options);
    // The box in points: whole ones enclosing the drawing, and the exact size.
    const long long perInch = PrintUnitsPerInch(options);
    const auto whole = [&](int units) {
        return std::to_string((units * 72LL + perInch - 1) / perInch);
    };
    const auto exact = [&](int units) { return LengthText(units * 72LL, perInch, 4); };
    std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 " + whole(width) + ' ' +
                      whole(height) + "\n%%HiResBoundingBox: 0 0 " + exact(width) + ' ' +
                      exact(height) +
                      "\n%%Creator: Quirvane\n%%LanguageLevel: 2\n%%EndComments\n"
                      "save\n/r { 1 rectfill } bind def\n";
    if (options.dpi > 0) {
        eps += "72 " + std::to_string(options.dpi) + " div dup scale\n";
    }
    if (!options.transparentBackground) {
        eps += ColourFractions(options.background) + " setrgbcolor 0 0 " + std::to_string(width) +
               ' ' + std::to_string(height) + " rectfill\n";
    }
    const std::string w = std::to_string(options.moduleWidth);
    eps += std::to_string(margin) + ' ' + std::to_string(height - margin) + " translate " + w +
           ' ' + w + " neg scale\n" + ColourFractions(options.dark) + " setrgbcolor\n";
    // The next symbol of a row is a side and a border further, in modules.
    const std::string pitch =
        DecimalText(symbolSide + static_cast<double>(margin) / options.moduleWidth, 6);
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            eps += pitch + " 0 translate\n";
        }
        std::string line;
        ForEachDarkRun(row[i], [&](int r, int column, int length) {
            line += std::to_string(column) + ' ' + std::to_string(r) + ' ' +
                    std::to_string(length) + " r";
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
    }
    eps += "restore\nshowpage\n%%EOF\n";
    return eps;
}

}  // namespace quirvane
