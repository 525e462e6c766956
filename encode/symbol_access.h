// How the engine hands out views of its symbols: the one place that builds
// the public Symbol from a plane, for the public Encoder and for the window,
// which draws the symbol its record made.
#pragma once

#include <span>

#include <quirvane/encoder.h>

#include "encode/encoder_state.h"

namespace quirvane {

struct SymbolAccess {
    // A view of the side x side square at the top left of `cells` ('1'
    // dark), rows `stride` cells apart.
    static Symbol Make(const char* cells, int side, int version, Level level, int mask, int eci,
                       std::span<const Segment> segments, int stride = kPlaneStride) {
        Symbol symbol;
        symbol.cells_ = cells;
        symbol.stride_ = stride;
        symbol.side_ = side;
        symbol.version_ = version;
        symbol.level_ = level;
        symbol.mask_ = mask;
        symbol.eci_ = eci;
        symbol.segments_ = segments;
        return symbol;
    }
};

// The symbol the record made last, as the window draws it.
inline Symbol SymbolOf(const EncoderState& state) {
    return SymbolAccess::Make(
        state.symbolMatrix, state.SymbolSide(), state.symbolVersion,
        static_cast<Level>(state.symbolLevel - kLevelL), state.symbolMask,
        state.segmentPlan.eciDesignator,
        std::span<const Segment>(state.segmentPlan.segments,
                                 static_cast<std::size_t>(state.segmentPlan.count)));
}

}  // namespace quirvane
