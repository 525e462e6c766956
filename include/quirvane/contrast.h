// How far apart a symbol's two colours are for a scanner: the symbol
// contrast estimated from the colours alone, graded A (best) to F (fails) as
// print quality grades it, and whether the dark modules are the lighter ones.
#pragma once

#include <quirvane/colour.h>

namespace quirvane {

enum class ContrastGrade { A, B, C, D, F };

enum class ContrastOutcome {
    Graded,
    ChannelOutOfRange,  // a channel of either colour is outside 0-255
};

struct ColourContrast {
    ContrastOutcome outcome = ContrastOutcome::Graded;
    // |Y(light) - Y(dark)| in percent, 0-100, Y the relative luminance that
    // stands in for reflectance. When refused: 0, grade F, not reversed.
    double percent = 0;
    ContrastGrade grade = ContrastGrade::F;
    // The dark modules are lighter than the light ones: many readers look
    // only for dark-on-light symbols, whatever the contrast.
    bool reversed = false;
};

// A: 70 % and more, B: 55 %, C: 40 %, D: 20 %, F: below 20 %.
ContrastGrade GradeOfContrast(double percent);

// The contrast of dark modules on a light background, both sRGB colours of
// channels 0-255; anything else is refused as ChannelOutOfRange.
ColourContrast ContrastOf(SymbolColour dark, SymbolColour light);

}  // namespace quirvane
