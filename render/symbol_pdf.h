// The drawing as a one-page vector PDF, for print.
#pragma once

#include <span>
#include <string>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane {

// One page exactly p x p points, p = s * 72 / dpi (or s when no dpi is given),
// s = DrawingSideOf; filled rectangles only, no image. Empty for unsound options.
std::string RenderSymbolPdf(const Symbol& symbol, const DrawingOptions& options);

// Symbols of one side side by side on one page, as RenderRowPng lays them.
std::string RenderRowPdf(std::span<const Symbol> row, const DrawingOptions& options);

}  // namespace quirvane
