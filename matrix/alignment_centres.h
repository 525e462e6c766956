// Where the alignment patterns of each version stand, and which modules of a
// symbol are function modules. Codeword placement and function-area marking
// both go by these, so they always agree on the data region.
#pragma once

namespace quirvane {

// The row/column coordinates of alignment centres of a version; a centre
// stands at every pair of them except the three that would overlap a finder.
struct AlignmentCoordinates {
    int count;
    int values[7];
};

// The coordinate list of a supported version (count 0 for version 1).
const AlignmentCoordinates& AlignmentCoordinatesOf(int version);

// True where a centre stands: both values from the list, and not (6, 6),
// (6, last) or (last, 6).
bool IsAlignmentCentre(const AlignmentCoordinates& list, int rowIndex, int columnIndex);

// The function modules of one version: a finder pattern or its separator, a
// timing pattern, the format information or the dark module, an alignment
// pattern, or (from version 7) the version information. Built once per use,
// so that asking about a module costs a few comparisons.
class FunctionModules {
  public:
    explicit FunctionModules(int version);
    bool Contains(int row, int column) const;

  private:
    int version_;
    int side_;
    const AlignmentCoordinates& list_;
    // For each row or column index, the list position of the alignment
    // coordinate whose pattern covers it, or -1.
    signed char alignmentIndex_[256];
};

}  // namespace quirvane
