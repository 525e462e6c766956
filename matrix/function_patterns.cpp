// The function patterns. BuildFunctionPatterns draws the finders, timing
// patterns, alignment patterns and the dark module into patternPlane, which
// nothing else writes. MarkFunctionAreas marks the same modules, plus the
// format and version information areas, in dataPlane, so that placement and
// masking leave them alone, and later clears the marks again.
#include <array>
#include <cassert>
#include <cstring>

#include "encode/encoder_state.h"
#include "matrix/alignment_centres.h"
#include "matrix/cell_words.h"
#include "matrix/function_areas.h"

namespace quirvane {
namespace {

// The timing pattern: dark on even indices.
constexpr auto kTimingCells = [] {
    std::array<char, kPlaneStride> cells{};
    for (int i = 0; i < kPlaneStride; ++i) {
        cells[i] = i % 2 == 0 ? '1' : '0';
    }
    return cells;
}();

char* Cell(char* plane, int row, int column) {
    return plane + row * kPlaneStride + column;
}

// Writes w into every cell of the area.
void FillArea(char* plane, Area area, char w) {
    for (int r = area.top; r <= area.bottom; ++r) {
        FillCells(Cell(plane, r, area.left), area.right - area.left + 1, w);
    }
}

// Row 6 and column 6 are written whole; the finders drawn afterwards put
// their own edge back, and the separators fall on odd, light indices. The
// row is one copy of the alternating cells.
void DrawTimingPatterns(char* plane, int n) {
    std::memcpy(Cell(plane, 6, 0), kTimingCells.data(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        *Cell(plane, i, 6) = kTimingCells[i];
    }
}

// Only the dark cells of the finder and alignment patterns are written, a
// run or a cell at a time; the light ones keep the '0' of the fill.
void DrawFinderPattern(char* plane, int row, int column) {
    FillCells(Cell(plane, row - 3, column - 3), 7, '1');
    FillCells(Cell(plane, row + 3, column - 3), 7, '1');
    for (int r = row - 2; r <= row + 2; ++r) {
        *Cell(plane, r, column - 3) = '1';
        *Cell(plane, r, column + 3) = '1';
    }
    for (int r = row - 1; r <= row + 1; ++r) {
        FillCells(Cell(plane, r, column - 1), 3, '1');
    }
}

void DrawAlignmentPattern(char* plane, int row, int column) {
    FillCells(Cell(plane, row - 2, column - 2), 5, '1');
    FillCells(Cell(plane, row + 2, column - 2), 5, '1');
    for (int r = row - 1; r <= row + 1; ++r) {
        *Cell(plane, r, column - 2) = '1';
        *Cell(plane, r, column + 2) = '1';
    }
    *Cell(plane, row, column) = '1';
}

}  // namespace

void EncoderState::BuildFunctionPatterns(int forVersion) {
    assert(IsSupportedVersion(forVersion));
    // Said to the optimiser too, which otherwise warns of writes before the
    // plane for sides the assert rules out.
    if (!IsSupportedVersion(forVersion)) {
        __builtin_unreachable();
    }
    // The new square is filled with '0' and what is left of the previous
    // build's square is cleared, which leaves the whole plane zero outside
    // the new square, as a full clear would, and writes each cell once.
    const int n = SideOf(forVersion);
    const int previous = patternPlaneSide;
    for (int r = 0; r < n; ++r) {
        FillCells(Cell(patternPlane, r, 0), n, '0');
        if (previous > n) {
            std::memset(Cell(patternPlane, r, n), 0, static_cast<std::size_t>(previous - n));
        }
    }
    for (int r = n; r < previous; ++r) {
        std::memset(Cell(patternPlane, r, 0), 0, static_cast<std::size_t>(previous));
    }
    patternPlaneSide = n;

    *Cell(patternPlane, n - 8, 8) = '1';  // the dark module
    DrawTimingPatterns(patternPlane, n);
    DrawFinderPattern(patternPlane, 3, 3);
    DrawFinderPattern(patternPlane, 3, n - 4);
    DrawFinderPattern(patternPlane, n - 4, 3);

    const AlignmentCoordinates& list = AlignmentCoordinatesOf(forVersion);
    for (int i = 0; i < list.count; ++i) {
        for (int j = 0; j < list.count; ++j) {
            if (IsAlignmentCentre(list, i, j)) {
                DrawAlignmentPattern(patternPlane, list.values[i], list.values[j]);
            }
        }
    }
}

void EncoderState::MarkFunctionAreas(int forVersion, int mode, char mark) {
    assert(IsSupportedVersion(forVersion) && (mode == 0 || mode == 1));
    const int n = SideOf(forVersion);
    if (mode == 1) {
        FillArea(dataPlane, {0, n - 1, 0, n - 1}, '0');
    }
    const char w = mode == 1 ? mark : '0';
    ForEachFunctionArea(forVersion, [this, w](Area area) { FillArea(dataPlane, area, w); });
}

}  // namespace quirvane
