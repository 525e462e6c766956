// The image of a symbol as a PNG file, for quirvane-encode and for the
// window's saved files.
#pragma once

#include <QImage>

#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// The bytes of a PNG of RenderSymbolImage(symbol, options): 8-bit RGB, or
// RGBA when the background is transparent; pHYs holds the dpi when one is
// given (else Qt's 96 dpi, as always). Empty when the image cannot be made.
std::string RenderSymbolPng(const Symbol& symbol, const DrawingOptions& options);

// The bytes of a PNG of an image already drawn; empty when it cannot be made.
std::string PngOf(const QImage& image);

}  // namespace quirvane
