// Draws a symbol into an image: the bitmap the clipboard gets, the picture in
// the window and the PNG of quirvane-encode are all this one drawing.
#pragma once

#include <QImage>

#include "render/symbol_geometry.h"

namespace quirvane {

QImage RenderSymbolImage(SymbolView symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane
