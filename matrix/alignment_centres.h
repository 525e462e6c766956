// Where the alignment patterns of each version stand. The patterns and the
// marks that keep placement and masking off them both go by these lists.
#pragma once

namespace quirvane {

// The row/column coordinates of alignment centres of a version; a centre
// stands at every pair of them except the three that would overlap a finder.
struct AlignmentCoordinates {
    int count;
    int values[7];
};

// The coordinate list of a version (count 0 for version 1 and for a version
// that does not exist).
const AlignmentCoordinates& AlignmentCoordinatesOf(int version);

// True where a centre stands, given the list positions of its row and
// column: every pair except (6, 6), (6, last) and (last, 6).
inline bool IsAlignmentCentre(const AlignmentCoordinates& list, int rowIndex, int columnIndex) {
    const int last = list.count - 1;
    return !((rowIndex == 0 && (columnIndex == 0 || columnIndex == last)) ||
             (rowIndex == last && columnIndex == 0));
}

}  // namespace quirvane
