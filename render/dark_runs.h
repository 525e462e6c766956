// The dark modules of a symbol as horizontal runs. The vector formats draw one
// rectangle per run: a version 40 symbol has about 15,000 dark modules but
// only a third as many runs.
#pragma once

#include "render/symbol_geometry.h"

namespace quirvane {

// Calls visit(row, firstColumn, length) for each run, row by row, left to right.
template <typename Visit>
void ForEachDarkRun(SymbolView symbol, Visit visit) {
    for (int r = 0; r < symbol.side; ++r) {
        for (int c = 0; c < symbol.side;) {
            if (!symbol.IsDark(r, c)) {
                ++c;
                continue;
            }
            int end = c;
            while (end < symbol.side && symbol.IsDark(r, end)) {
                ++end;
            }
            visit(r, c, end - c);
            c = end;
        }
    }
}

}  // namespace quirvane
