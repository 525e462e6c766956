// Alignment centre coordinates per version, as the standard lists them; kept
// as explicit lists rather than recomputed by a rule.
#include "matrix/alignment_centres.h"

#include "ecc/symbol_parameters.h"

namespace quirvane {
namespace {

// clang-format off
constexpr AlignmentCoordinates kCoordinates[21] = {
    {0, {}},                    // 1
    {2, {6, 18}},               // 2
    {2, {6, 22}},               // 3
    {2, {6, 26}},               // 4
    {2, {6, 30}},               // 5
    {2, {6, 34}},               // 6
    {3, {6, 22, 38}},           // 7
    {3, {6, 24, 42}},           // 8
    {3, {6, 26, 46}},           // 9
    {3, {6, 28, 50}},           // 10
    {3, {6, 30, 54}},           // 11
    {3, {6, 32, 58}},           // 12
    {3, {6, 34, 62}},           // 13
    {4, {6, 26, 46, 66}},       // 14
    {4, {6, 26, 48, 70}},       // 15
    {4, {6, 26, 50, 74}},       // 16
    {4, {6, 30, 54, 78}},       // 17
    {4, {6, 30, 56, 82}},       // 18
    {4, {6, 30, 58, 86}},       // 19
    {4, {6, 34, 62, 90}},       // 20
    {7, {6, 30, 58, 86, 114, 142, 170}},  // 40
};
// clang-format on

}  // namespace

const AlignmentCoordinates& AlignmentCoordinatesOf(int version) {
    return kCoordinates[version == kLargestVersion ? 20 : version - 1];
}

bool IsAlignmentCentre(const AlignmentCoordinates& list, int rowIndex, int columnIndex) {
    const int last = list.count - 1;
    const bool overlapsFinder = (rowIndex == 0 && columnIndex == 0) ||
                                (rowIndex == 0 && columnIndex == last) ||
                                (rowIndex == last && columnIndex == 0);
    return !overlapsFinder;
}

FunctionModules::FunctionModules(int version)
    : version_(version), side_(SideOf(version)), list_(AlignmentCoordinatesOf(version)) {
    for (int i = 0; i < side_; ++i) {
        alignmentIndex_[i] = -1;
    }
    for (int k = 0; k < list_.count; ++k) {
        for (int d = -2; d <= 2; ++d) {
            alignmentIndex_[list_.values[k] + d] = static_cast<signed char>(k);
        }
    }
}

bool FunctionModules::Contains(int row, int column) const {
    const int n = side_;
    // Finders with their separators, the format areas and the dark module.
    if (row <= 8 && (column <= 8 || column >= n - 8)) {
        return true;
    }
    if (row >= n - 8 && column <= 8) {
        return true;
    }
    if (row == 6 || column == 6) {
        return true;
    }
    if (version_ >= 7) {
        if (row <= 5 && column >= n - 11 && column <= n - 9) {
            return true;
        }
        if (column <= 5 && row >= n - 11 && row <= n - 9) {
            return true;
        }
    }
    const int rowIndex = alignmentIndex_[row];
    const int columnIndex = alignmentIndex_[column];
    return rowIndex >= 0 && columnIndex >= 0 && IsAlignmentCentre(list_, rowIndex, columnIndex);
}

}  // namespace quirvane
