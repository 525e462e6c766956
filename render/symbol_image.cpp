#include "render/symbol_image.h"

#include <algorithm>
#include <cmath>

namespace quirvane {
namespace {

constexpr double kMetresPerInch = 0.0254;

}  // namespace

QImage RenderSymbolImage(const Symbol& symbol, const DrawingOptions& options) {
    if (!CanDraw(symbol, options)) {
        return {};
    }
    const int side = DrawingSideOf(symbol.Side(), options);
    const int margin = MarginOf(options);
    const int w = options.moduleWidth;
    QImage image(side, side,
                 options.transparentBackground ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    // A transparent background keeps its colour under alpha 0, so that a
    // program that ignores alpha sees the symbol on that colour, not on black.
    image.fill(QColor(options.background.red, options.background.green, options.background.blue,
                      options.transparentBackground ? 0 : 255));
    if (options.dpi > 0) {
        const int dotsPerMetre = static_cast<int>(std::lround(options.dpi / kMetresPerInch));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
    }
    const QRgb dark = 0xFF000000U | PackedRgbOf(options.dark);  // opaque
    // Writing the scan lines directly: a version 40 symbol is 31,329 modules,
    // far too many for a painter call each.
    for (int r = 0; r < symbol.Side(); ++r) {
        const int y = margin + r * w;
        for (int dy = 0; dy < w; ++dy) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y + dy));
            for (int c = 0; c < symbol.Side(); ++c) {
                if (symbol.IsDark(r, c)) {
                    QRgb* first = line + margin + c * w;
                    std::fill(first, first + w, dark);
                }
            }
        }
    }
    return image;
}

QImage RenderSymbolImage(const Symbol& symbol, int moduleWidth, SymbolColour colour) {
    return RenderSymbolImage(symbol, DrawingOptions{.moduleWidth = moduleWidth, .dark = colour});
}

}  // namespace quirvane
