// A symbol, or an image already drawn, as the bytes of a PNG file, written
// by libpng one row at a time. A drawing of two colours takes 1 bit a pixel
// in a palette of the two, so even the largest symbol needs a row of memory,
// not a whole image.
#pragma once

#include <QImage>

#include <span>
#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// The PNG of the drawing the options describe: index 0 the background (at
// alpha 0 when it is transparent), index 1 the dark colour; pHYs holds the
// dpi when one is given, else 96 dpi as Qt records. Empty for unsound
// options, or when memory runs out.
std::string RenderSymbolPng(const Symbol& symbol, const DrawingOptions& options);

// Symbols of one side drawn side by side in one PNG, one border between two
// as around them (RowWidthOf): structured append's parts, read from one picture.
std::string RenderRowPng(std::span<const Symbol> row, const DrawingOptions& options);

// The PNG of an image already drawn (the window's bitmap): the very pixels,
// in a palette when it has two colours or fewer, else 8-bit RGB or RGBA; its
// dots per metre in pHYs. Empty when the image is null or memory runs out.
std::string PngOf(const QImage& image);

}  // namespace quirvane
