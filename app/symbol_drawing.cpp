#include "app/symbol_drawing.h"

#include "render/symbol_image.h"

namespace quirvane::app {

SymbolDrawing DrawSymbol(SymbolView symbol, int moduleWidth, SymbolColour colour) {
    SymbolDrawing drawing;
    drawing.image = RenderSymbolImage(symbol, moduleWidth, colour);
    drawing.cells = QByteArray(symbol.cells, qsizetype{symbol.side} * kPlaneStride);
    drawing.side = symbol.side;
    drawing.moduleWidth = moduleWidth;
    drawing.colour = colour;
    return drawing;
}

}  // namespace quirvane::app
