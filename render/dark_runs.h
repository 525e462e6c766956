// The dark modules of a symbol as horizontal runs. The vector formats draw one
// rectangle per run: a version 40 symbol has about 15,000 dark modules but
// only a third as many runs.
#pragma once

#include <quirvane/encoder.h>

namespace quirvane {

// Calls visit(row, firstColumn, length) for each run, row by row, left to right.
template <typename Visit>
void ForEachDarkRun(const Symbol& symbol, Visit visit) {
    for (int r = 0; r < symbol.Side(); ++r) {
        for (int c = 0; c < symbol.Side();) {
            if (!symbol.IsDark(r, c)) {
                ++c;
                continue;
            }
            int end = c;
            while (end < symbol.Side() && symbol.IsDark(r, end)) {
                ++end;
            }
            visit(r, c, end - c);
            c = end;
        }
    }
}

}  // namespace quirvane
