#include "render/symbol_image.h"

#include <algorithm>

namespace quirvane {

QImage RenderSymbolImage(SymbolView symbol, int moduleWidth, SymbolColour colour) {
    const int side = ImageSideOf(symbol.side, moduleWidth);
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb dark = 0xFF000000U | PackedRgbOf(colour);  // opaque
    // Writing the scan lines directly: a version 40 symbol is 31,329 modules,
    // far too many for a painter call each.
    for (int r = 0; r < symbol.side; ++r) {
        const int y = kMarginPixels + r * moduleWidth;
        for (int dy = 0; dy < moduleWidth; ++dy) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y + dy));
            for (int c = 0; c < symbol.side; ++c) {
                if (symbol.IsDark(r, c)) {
                    QRgb* first = line + kMarginPixels + c * moduleWidth;
                    std::fill(first, first + moduleWidth, dark);
                }
            }
        }
    }
    return image;
}

}  // namespace quirvane
