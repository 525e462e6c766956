// A symbol as a window draws it: the bitmap it shows and puts on the
// clipboard, kept with the modules, module width and colour it was drawn
// from, so that saving gives the very symbol on screen as PNG or SVG even
// after the encoder has moved on to the next one.
#pragma once

#include <QByteArray>
#include <QImage>

#include <quirvane/colour.h>
#include <quirvane/encoder.h>

namespace quirvane::app {

struct SymbolDrawing {
    QImage image;      // RenderSymbolImage of the rest; null: nothing drawn
    QByteArray cells;  // a copy of the symbol's rows, stride kPlaneStride, '1' dark
    int side = 0;
    int moduleWidth = 0;
    SymbolColour colour{};

    bool IsNull() const { return image.isNull(); }
    Symbol View() const;
};

// Draws symbol the window's way (white, a 10-pixel margin) and keeps a copy.
SymbolDrawing DrawSymbol(const Symbol& symbol, int moduleWidth, SymbolColour colour);

}  // namespace quirvane::app
