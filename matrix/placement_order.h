// The order in which codeword bits fill a version's data modules, worked out
// once per version and kept: placing a symbol's bits then costs one table
// read and one store per module, with no walking and no tests.
#pragma once

#include <cstdint>

namespace quirvane {

// The plane offsets (256 * row + column) of a version's data modules, in the
// order the bits of the codeword sequence fill them, remainder modules last.
struct PlacementOrder {
    const std::uint16_t* cells;
    int count;
};

// The order of a version 1-40, built on first use; safe to call from several
// threads at once. The version is not checked: the caller has checked it.
const PlacementOrder& PlacementOrderOf(int version);

}  // namespace quirvane
