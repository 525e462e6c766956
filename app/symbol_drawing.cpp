#include "app/symbol_drawing.h"

#include "encode/encoder_state.h"
#include "encode/symbol_access.h"
#include "render/symbol_image.h"

namespace quirvane::app {

Symbol SymbolDrawing::View() const {
    return SymbolAccess::Make(cells.constData(), side, (side - 17) / 4, Level::L, 0, 0, {});
}

SymbolDrawing DrawSymbol(const Symbol& symbol, int moduleWidth, SymbolColour colour) {
    SymbolDrawing drawing;
    drawing.image = RenderSymbolImage(symbol, moduleWidth, colour);
    // Rows of the engine's plane stride, so that the copy is viewed as the
    // symbol was.
    drawing.cells = QByteArray(qsizetype{symbol.Side()} * kPlaneStride, '0');
    for (int r = 0; r < symbol.Side(); ++r) {
        for (int c = 0; c < symbol.Side(); ++c) {
            drawing.cells[r * kPlaneStride + c] = symbol.IsDark(r, c) ? '1' : '0';
        }
    }
    drawing.side = symbol.Side();
    drawing.moduleWidth = moduleWidth;
    drawing.colour = colour;
    return drawing;
}

}  // namespace quirvane::app
