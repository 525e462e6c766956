// The drawing as a one-page vector PDF, for print.
#pragma once

#include <string>

#include "render/drawing_options.h"
#include "render/symbol_geometry.h"

namespace quirvane {

// One page exactly p x p points, p = s * 72 / dpi (or s when no dpi is given),
// s = DrawingSideOf; filled rectangles only, no image. Empty for unsound options.
std::string RenderSymbolPdf(SymbolView symbol, const DrawingOptions& options);

}  // namespace quirvane
