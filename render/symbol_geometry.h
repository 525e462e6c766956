// Where a symbol's modules go when it is drawn: a white square of side
// n * w + 20, the symbol 10 pixels in from every edge, module (r, c) the
// w x w square at (10 + c * w, 10 + r * w). The drawing in the window, the
// clipboard bitmap and the files of quirvane-encode all share it.
#pragma once

#include <quirvane/encoder.h>

namespace quirvane {

inline constexpr int kMarginPixels = 10;

constexpr int ImageSideOf(int symbolSide, int moduleWidth) {
    return symbolSide * moduleWidth + 2 * kMarginPixels;
}

// A finished symbol as the drawing code sees it: the cells of a plane (row
// stride 256, '1' dark, anything else light) and the side of its square.
struct SymbolView {
    const char* cells;
    int side;

    bool IsDark(int row, int column) const { return cells[row * kPlaneStride + column] == '1'; }
};

inline SymbolView ViewOf(const EncoderState& state) {
    return SymbolView{state.symbolMatrix, state.SymbolSide()};
}

}  // namespace quirvane
