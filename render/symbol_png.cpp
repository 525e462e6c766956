// A PNG is the drawn image saved by Qt: one pixel per unit, so a print
// program needs only the pHYs chunk (the image's dots per metre) to size it.
#include "render/symbol_png.h"

#include <QBuffer>

#include "render/symbol_image.h"

namespace quirvane {

std::string RenderSymbolPng(const Symbol& symbol, const DrawingOptions& options) {
    return PngOf(RenderSymbolImage(symbol, options));
}

std::string PngOf(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return png.toStdString();
}

}  // namespace quirvane
