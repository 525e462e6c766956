// How a symbol is drawn into a file: the width of a module, the light border
// around it, the resolution recorded for print and the two colours. The
// defaults are the drawing of the window and the clipboard.
#pragma once

#include <string>

#include <quirvane/colour.h>
#include <quirvane/encoder.h>

namespace quirvane {

// The window's light border around the symbol, in pixels.
inline constexpr int kMarginPixels = 10;
inline constexpr int kMaxModuleWidth = 100;
inline constexpr int kMaxQuietZoneModules = 100;
inline constexpr int kMaxDpi = 10000;
// quietZoneModules for the window's border: 10 units whatever the module width.
inline constexpr int kWindowMargin = -1;

// Lengths are in units of the drawing. A unit is a pixel of the PNG. In SVG,
// EPS and PDF it is 1/dpi inch when a dpi is given, else the format's own
// unit: a CSS pixel (1/96 inch) in SVG, a point (1/72 inch) in EPS and PDF.
struct DrawingOptions {
    int moduleWidth = 2;                   // units per module, 1-100
    int quietZoneModules = kWindowMargin;  // light modules on every side, 0-100
    int dpi = 0;                           // units per inch, 1-10000; 0: none given
    SymbolColour dark{0, 0, 0};
    bool transparentBackground = false;      // light modules and border left unpainted
    SymbolColour background{255, 255, 255};  // when transparent: the PNG's colour at alpha 0
};

// "" when the options can be drawn, else one line naming the value at fault.
std::string DrawingOptionsProblem(const DrawingOptions& options);

// Sound options and a view of a symbol's plane (side 1-177): every format
// returns nothing for anything else.
bool CanDraw(const Symbol& symbol, const DrawingOptions& options);

// The same for a row of symbols: at least one, all of one side.
bool CanDrawRow(std::span<const Symbol> row, const DrawingOptions& options);

constexpr int MarginOf(const DrawingOptions& options) {
    return options.quietZoneModules == kWindowMargin
               ? kMarginPixels
               : options.quietZoneModules * options.moduleWidth;
}

// The side of the whole square drawing, border included, in units.
constexpr int DrawingSideOf(int symbolSide, const DrawingOptions& options) {
    return symbolSide * options.moduleWidth + 2 * MarginOf(options);
}

// The width of `count` symbols drawn side by side, as structured append's
// parts are read from one picture: one border between two symbols, as
// around them.
constexpr int RowWidthOf(int symbolSide, int count, const DrawingOptions& options) {
    return count * symbolSide * options.moduleWidth + (count + 1) * MarginOf(options);
}

// Where the symbol of index `i` of a row starts, in units from the left.
constexpr int RowOffsetOf(int symbolSide, int i, const DrawingOptions& options) {
    return MarginOf(options) + i * (symbolSide * options.moduleWidth + MarginOf(options));
}

// Units per inch in EPS and PDF: the dpi, else 72 (a unit is a point).
constexpr int PrintUnitsPerInch(const DrawingOptions& options) {
    return options.dpi > 0 ? options.dpi : 72;
}

}  // namespace quirvane
