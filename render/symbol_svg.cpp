// SVG: written by hand, it is a few lines of text. One path of rectangles,
// one per run of dark modules, with crisp edges so that no viewer blurs the
// seams between them; the viewBox is in units so that coordinates are whole.
#include "render/symbol_svg.h"

#include <cstdio>

#include "render/dark_runs.h"
#include "render/decimal_text.h"

namespace quirvane {
namespace {

constexpr long long kTenthsOfMillimetrePerInch = 254;

std::string HexColour(SymbolColour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(PackedRgbOf(colour)));
    return text;
}

}  // namespace

std::string RenderSymbolSvg(const Symbol& symbol, const DrawingOptions& options) {
    return RenderRowSvg({&symbol, 1}, options);
}

std::string RenderRowSvg(std::span<const Symbol> row, const DrawingOptions& options) {
    if (!CanDrawRow(row, options)) {
        return {};
    }
    const int symbolSide = row.front().Side();
    const int width = RowWidthOf(symbolSide, static_cast<int>(row.size()), options);
    const int height = DrawingSideOf(symbolSide, options);
    const int margin = MarginOf(options);
    const int w = options.moduleWidth;
    const auto physical = [&](int units) {
        return options.dpi > 0
                   ? LengthText(units * kTenthsOfMillimetrePerInch, options.dpi * 10LL, 4) + "mm"
                   : std::to_string(units);
    };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + physical(width) +
                      "\" height=\"" + physical(height) + "\" viewBox=\"0 0 " +
                      std::to_string(width) + ' ' + std::to_string(height) +
                      "\" shape-rendering=\"crispEdges\">\n";
    if (!options.transparentBackground) {
        svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + HexColour(options.background) +
               "\"/>\n";
    }
    svg += "<path fill=\"" + HexColour(options.dark) + "\" d=\"";
    char run[64];
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int left = RowOffsetOf(symbolSide, static_cast<int>(i), options);
        ForEachDarkRun(row[i], [&](int r, int column, int length) {
            std::snprintf(run, sizeof run, "M%d %dh%dv%dh-%dz", left + column * w, margin + r * w,
                          length * w, w, length * w);
            svg += run;
        });
    }
    svg += "\"/>\n</svg>\n";
    return svg;
}

std::string RenderSymbolSvg(const Symbol& symbol, int moduleWidth, SymbolColour colour) {
    return RenderSymbolSvg(symbol, DrawingOptions{.moduleWidth = moduleWidth, .dark = colour});
}

}  // namespace quirvane
