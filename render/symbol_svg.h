// The same drawing as vectors: an SVG document of side n * w + 20 with a
// white background and the dark modules as one path.
#pragma once

#include <string>

#include "render/symbol_geometry.h"

namespace quirvane {

std::string RenderSymbolSvg(SymbolView symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane
