// The drawing as Encapsulated PostScript, for page layout and print programs.
#pragma once

#include <span>
#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// PostScript level 2, bounding box 0 0 p p with p = s * 72 / dpi points (or
// s points when no dpi is given), s = DrawingSideOf. Empty for unsound options.
std::string RenderSymbolEps(const Symbol& symbol, const DrawingOptions& options);

// Symbols of one side side by side in one drawing, as RenderRowPng lays them.
std::string RenderRowEps(std::span<const Symbol> row, const DrawingOptions& options);

}  // namespace quirvane
