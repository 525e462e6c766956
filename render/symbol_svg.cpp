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
    if (!CanDraw(symbol, options)) {
        return {};
    }
    const int side = DrawingSideOf(symbol.Side(), options);
    const int margin = MarginOf(options);
    const int w = options.moduleWidth;
    const std::string units = std::to_string(side);
    const std::string physical =
        options.dpi > 0
            ? LengthText(side * kTenthsOfMillimetrePerInch, options.dpi * 10LL, 4) + "mm"
            : units;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + physical +
                      "\" height=\"" + physical + "\" viewBox=\"0 0 " + units + ' ' + units +
                      "\" shape-rendering=\"crispEdges\">\n";
    if (!options.transparentBackground) {
        svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + HexColour(options.background) +
               "\"/>\n";
    }
    svg += "<path fill=\"" + HexColour(options.dark) + "\" d=\"";
    char run[64];
    ForEachDarkRun(symbol, [&](int row, int column, int length) {
        std::snprintf(run, sizeof run, "M%d %dh%dv%dh-%dz", margin + column * w, margin + row * w,
                      length * w, w, length * w);
        svg += run;
    });
    svg += "\"/>\n</svg>\n";
    return svg;
}

std::string RenderSymbolSvg(const Symbol& symbol, int moduleWidth, SymbolColour colour) {
    return RenderSymbolSvg(symbol, DrawingOptions{.moduleWidth = moduleWidth, .dark = colour});
}

}  // namespace quirvane
