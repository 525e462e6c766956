// The same drawing as vectors: an SVG document, the background one rectangle
// and the dark modules one path.
#pragma once

#include <string>

#include "render/drawing_options.h"
#include "render/symbol_geometry.h"

namespace quirvane {

// viewBox "0 0 s s" in units (s = DrawingSideOf); width and height s, that
// is s CSS pixels, or s/dpi inches written in mm when a dpi is given. No
// background rectangle when it is transparent. Empty for unsound options.
std::string RenderSymbolSvg(SymbolView symbol, const DrawingOptions& options);

// The window's geometry: side n * w + 20, white, the symbol 10 pixels in.
std::string RenderSymbolSvg(SymbolView symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane
