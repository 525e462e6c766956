#include "render/symbol_svg.h"

#include <cstdio>

namespace quirvane {

std::string RenderSymbolSvg(SymbolView symbol, int moduleWidth, SymbolColour colour) {
    const int side = ImageSideOf(symbol.side, moduleWidth);
    char buffer[160];
    std::string svg;
    std::snprintf(buffer, sizeof buffer,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n",
                  side, side, side, side);
    svg += buffer;
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    std::snprintf(buffer, sizeof buffer, "<path fill=\"#%06x\" d=\"",
                  static_cast<unsigned>(PackedRgbOf(colour)));
    svg += buffer;
    // One rectangle per horizontal run of dark modules keeps the file small.
    for (int r = 0; r < symbol.side; ++r) {
        for (int c = 0; c < symbol.side;) {
            if (!symbol.IsDark(r, c)) {
                ++c;
                continue;
            }
            int end = c;
            while (end < symbol.side && symbol.IsDark(r, end)) {
                ++end;
            }
            std::snprintf(buffer, sizeof buffer, "M%d %dh%dv%dh-%dz",
                          kMarginPixels + c * moduleWidth, kMarginPixels + r * moduleWidth,
                          (end - c) * moduleWidth, moduleWidth, (end - c) * moduleWidth);
            svg += buffer;
            c = end;
        }
    }
    svg += "\"/>\n</svg>\n";
    return svg;
}

}  // namespace quirvane
