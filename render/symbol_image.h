// Draws a symbol into an image: the bitmap the clipboard gets, the picture in
// the window and the PNG of quirvane-encode are all this one drawing.
#pragma once

#include <QImage>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// RGB32 on the background colour, or ARGB32 with the background colour at
// alpha 0; the dpi, when given, recorded as dots per metre. A null image when
// the options are unsound or the image too large to allocate.
QImage RenderSymbolImage(const Symbol& symbol, const DrawingOptions& options);

// The window's drawing: white, a 10-pixel margin, dark modules in colour.
QImage RenderSymbolImage(const Symbol& symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane
