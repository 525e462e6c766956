// The function patterns. BuildFunctionPatterns draws the finders, timing
// patterns, alignment patterns and the dark module into patternPlane, which
// nothing else writes. MarkFunctionAreas marks the same modules, plus the
// format and version information areas, in dataPlane, so that placement and
// masking leave them alone, and later clears the marks again.
#include <cstdlib>
#include <cstring>

#include <quirvane/encoder.h>

#include "matrix/alignment_centres.h"
#include "matrix/cell_words.h"
#include "matrix/function_areas.h"

namespace quirvane {
namespace {

int ChebyshevDistance(int r1, int c1, int r2, int c2) {
    const int dr = std::abs(r1 - r2);
    const int dc = std::abs(c1 - c2);
    return dr > dc ? dr : dc;
}

char* Cell(char* plane, int row, int column) {
    return plane + row * kPlaneStride + column;
}

// Writes w into every cell of the area.
void FillArea(char* plane, Area area, char w) {
    for (int r = area.top; r <= area.bottom; ++r) {
        FillCells(Cell(plane, r, area.left), area.right - area.left + 1, w);
    }
}

char MarkOf(int mode, char mark) {
    return mode == 1 ? mark : '0';
}

// A pattern of this half-width around (row, column) lies inside the plane.
bool FitsPlane(int row, int column, int halfWidth) {
    return row >= halfWidth && column >= halfWidth && row < kPlaneStride - halfWidth &&
           column < kPlaneStride - halfWidth;
}

}  // namespace

void EncoderState::BuildFunctionPatterns(int forVersion) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    // Clearing the square the previous build used leaves the whole plane zero
    // outside the new square, as a full clear would, at a fraction of the cost.
    for (int r = 0; r < patternPlaneSide; ++r) {
        std::memset(Cell(patternPlane, r, 0), 0, static_cast<std::size_t>(patternPlaneSide));
    }
    const int n = SideOf(forVersion);
    patternPlaneSide = n;
    FillArea(patternPlane, {0, n - 1, 0, n - 1}, '0');

    *Cell(patternPlane, n - 8, 8) = '1';  // the dark module
    DrawTimingPatterns(forVersion);
    DrawFinderPattern(3, 3);
    DrawFinderPattern(3, n - 4);
    DrawFinderPattern(n - 4, 3);

    const AlignmentCoordinates& list = AlignmentCoordinatesOf(forVersion);
    for (int i = 0; i < list.count; ++i) {
        for (int j = 0; j < list.count; ++j) {
            if (IsAlignmentCentre(list, i, j)) {
                DrawAlignmentPattern(list.values[i], list.values[j]);
            }
        }
    }
}

void EncoderState::DrawTimingPatterns(int forVersion) {
    // Row 6 and column 6 are written whole; the finders drawn afterwards put
    // their own edge back, and the separators fall on odd, light indices.
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    const int n = SideOf(forVersion);
    for (int i = 0; i < n; ++i) {
        const char value = i % 2 == 0 ? '1' : '0';
        *Cell(patternPlane, 6, i) = value;
        *Cell(patternPlane, i, 6) = value;
    }
}

void EncoderState::DrawFinderPattern(int row, int column) {
    if (!FitsPlane(row, column, 3)) {
        return;
    }
    for (int r = row - 3; r <= row + 3; ++r) {
        for (int c = column - 3; c <= column + 3; ++c) {
            const int d = ChebyshevDistance(r, c, row, column);
            if (d == 3 || d <= 1) {
                *Cell(patternPlane, r, c) = '1';
            }
        }
    }
}

void EncoderState::DrawAlignmentPattern(int row, int column) {
    if (!FitsPlane(row, column, 2)) {
        return;
    }
    for (int r = row - 2; r <= row + 2; ++r) {
        for (int c = column - 2; c <= column + 2; ++c) {
            const int d = ChebyshevDistance(r, c, row, column);
            if (d == 2 || d == 0) {
                *Cell(patternPlane, r, c) = '1';
            }
        }
    }
}

void EncoderState::MarkFunctionAreas(int forVersion, int mode, char mark) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    const int n = SideOf(forVersion);
    if (mode == 1) {
        FillArea(dataPlane, {0, n - 1, 0, n - 1}, '0');
    }
    const char w = MarkOf(mode, mark);
    ForEachFunctionArea(forVersion, [this, w](Area area) { FillArea(dataPlane, area, w); });
}

void EncoderState::MarkTopLeftArea(int mode, char mark) {
    FillArea(dataPlane, TopLeftArea(), MarkOf(mode, mark));
}

void EncoderState::MarkTopRightArea(int forVersion, int mode, char mark) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    FillArea(dataPlane, TopRightArea(SideOf(forVersion)), MarkOf(mode, mark));
}

void EncoderState::MarkBottomLeftArea(int forVersion, int mode, char mark) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    FillArea(dataPlane, BottomLeftArea(SideOf(forVersion)), MarkOf(mode, mark));
}

void EncoderState::MarkTimingRow(int forVersion, int mode, char mark) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    FillArea(dataPlane, TimingRowArea(SideOf(forVersion)), MarkOf(mode, mark));
}

void EncoderState::MarkTimingColumn(int forVersion, int mode, char mark) {
    if (!IsSupportedVersion(forVersion)) {
        return;
    }
    FillArea(dataPlane, TimingColumnArea(SideOf(forVersion)), MarkOf(mode, mark));
}

void EncoderState::MarkAlignmentArea(int row, int column, int mode, char mark) {
    if (!FitsPlane(row, column, 2)) {
        return;
    }
    FillArea(dataPlane, AlignmentArea(row, column), MarkOf(mode, mark));
}

}  // namespace quirvane
