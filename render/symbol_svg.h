// The same drawing as vectors: an SVG document, the background one rectangle
// and the dark modules one path.
#pragma once

#include <span>
#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// viewBox "0 0 s s" in units (s = DrawingSideOf); width and height s, that
// is s CSS pixels, or s/dpi inches written in mm when a dpi is given. No
// background rectangle when it is transparent. Empty for unsound options.
std::string RenderSymbolSvg(const Symbol& symbol, const DrawingOptions& options);

// Symbols of one side side by side in one drawing, as RenderRowPng lays them.
std::string RenderRowSvg(std::span<const Symbol> row, const DrawingOptions& options);

// The window's geometry: side n * w + 20, white, the symbol 10 pixels in.
std::string RenderSymbolSvg(const Symbol& symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane
