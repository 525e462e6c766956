// Numbers written into SVG, EPS and PDF files. Those formats need a point as
// the decimal separator whatever the locale, so printf's %f will not do.
#pragma once

#include <string>

#include <quirvane/colour.h>

namespace quirvane {

// value with at most `places` decimals, rounded, trailing zeros dropped: 1, 0.502.
std::string DecimalText(double value, int places);

// numerator / denominator (both positive) the same way but rounded down, worked
// in integers: a page or picture size. Renderers round a size up to whole
// pixels, so a size written a hair too large would gain a row of pixels.
std::string LengthText(long long numerator, long long denominator, int places);

// The three components of colour as fractions of 255, for PostScript's
// setrgbcolor and PDF's rg: "1 0.502 0".
std::string ColourFractions(SymbolColour colour);

}  // namespace quirvane
