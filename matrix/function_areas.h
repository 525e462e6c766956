// Where a version's function and reserved modules are, as rectangles. The
// marks that keep placement and masking off them and the placement order,
// which steps around them, both go by this one list.
#pragma once

#include "ecc/symbol_parameters.h"
#include "matrix/alignment_centres.h"

namespace quirvane {

// Rows top..bottom and columns left..right, both ends included.
struct Area {
    int top;
    int bottom;
    int left;
    int right;
};

// The finders with their separators and the format information beside them.
constexpr Area TopLeftArea() {
    return {0, 8, 0, 8};
}
constexpr Area TopRightArea(int side) {
    return {0, 8, side - 8, side - 1};
}
constexpr Area BottomLeftArea(int side) {
    return {side - 8, side - 1, 0, 8};
}
constexpr Area TimingRowArea(int side) {
    return {6, 6, 0, side - 1};
}
constexpr Area TimingColumnArea(int side) {
    return {0, side - 1, 6, 6};
}
// The two copies of the version information, from version 7 on.
constexpr Area VersionAreaAbove(int side) {
    return {0, 5, side - 11, side - 9};
}
constexpr Area VersionAreaLeft(int side) {
    return {side - 11, side - 9, 0, 5};
}
constexpr Area AlignmentArea(int row, int column) {
    return {row - 2, row + 2, column - 2, column + 2};
}

// Calls visit(area) for every area of function or reserved modules of a
// supported version; they overlap where the timing patterns meet the others.
template <typename Visit>
void ForEachFunctionArea(int version, Visit&& visit) {
    const int n = SideOf(version);
    if (version > 6) {
        visit(VersionAreaAbove(n));
        visit(VersionAreaLeft(n));
    }
    visit(TopLeftArea());
    visit(BottomLeftArea(n));
    visit(TopRightArea(n));
    visit(TimingRowArea(n));
    visit(TimingColumnArea(n));
    const AlignmentCoordinates& list = AlignmentCoordinatesOf(version);
    for (int i = 0; i < list.count; ++i) {
        for (int j = 0; j < list.count; ++j) {
            if (IsAlignmentCentre(list, i, j)) {
                visit(AlignmentArea(list.values[i], list.values[j]));
            }
        }
    }
}

}  // namespace quirvane
