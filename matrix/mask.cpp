// The eight data masks. The mask given is applied as given; scoring them
// is mask_evaluation.cpp's job. Only cells holding '0' or '1' are inverted,
// so the '*' marks keep the mask off every function module.
#include <cstring>

#include <quirvane/encoder.h>

#include "matrix/mask_condition.h"

namespace quirvane {
namespace {

// Every mask condition repeats every 6 columns along a row (the conditions
// use j mod 2, j mod 3 and j div 3 mod 2 at most), so one row's pattern is
// worked out for 6 columns and laid along the row.
constexpr int kPatternPeriod = 6;

}  // namespace

void EncoderState::ApplyMask(int forVersion, int mask) {
    if (!IsSupportedVersion(forVersion) || !IsSupportedMask(mask)) {
        return;
    }
    const int n = SideOf(forVersion);
    // flip[j] is 1 where the condition holds in the current row: six columns
    // are worked out and doubled until they cover the row.
    unsigned char flip[kPlaneStride] = {};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < kPatternPeriod; ++j) {
            flip[j] = MaskCondition(mask, i, j) ? 1 : 0;
        }
        for (int filled = kPatternPeriod; filled < n; filled *= 2) {
            std::memcpy(flip + filled, flip,
                        static_cast<std::size_t>(
                            filled <= kPlaneStride - filled ? filled : kPlaneStride - filled));
        }
        // '0' and '1' differ only in the lowest bit, and no other cell value
        // (the '*' of a function module) matches '0' with that bit masked, so
        // the test and the inversion need no branch.
        char* row = dataPlane + i * kPlaneStride;
        for (int j = 0; j < n; ++j) {
            const unsigned char isModule = (row[j] & ~1) == '0' ? 1 : 0;
            row[j] = static_cast<char>(row[j] ^ (isModule & flip[j]));
        }
    }
}

}  // namespace quirvane
