// The eight data masks. The mask given is applied as given; scoring them
// is mask_evaluation.cpp's job. Only cells holding '0' or '1' are inverted,
// so the '*' marks keep the mask off every function module.
#include <array>

#include <quirvane/encoder.h>

#include "matrix/mask_condition.h"

namespace quirvane {
namespace {

// Every mask condition repeats every 12 rows (it uses i mod 2, i mod 3 and
// i div 2 mod 2 at most), so twelve rows of 1s and 0s, worked out when
// compiling, hold each mask whole: a row is masked by one pass against the
// row of its phase, with no condition worked out and no branch.
constexpr int kRowPeriod = 12;

using FlipRows =
    std::array<std::array<std::array<unsigned char, kPlaneStride>, kRowPeriod>, kMaskCount>;

constexpr FlipRows kFlipRows = [] {
    FlipRows rows{};
    for (int mask = 0; mask < kMaskCount; ++mask) {
        for (int i = 0; i < kRowPeriod; ++i) {
            for (int j = 0; j < kPlaneStride; ++j) {
                rows[mask][i][j] = MaskCondition(mask, i, j) ? 1 : 0;
            }
        }
    }
    return rows;
}();

}  // namespace

void EncoderState::ApplyMask(int forVersion, int mask) {
    if (!IsSupportedVersion(forVersion) || !IsSupportedMask(mask)) {
        return;
    }
    const int n = SideOf(forVersion);
    for (int i = 0; i < n; ++i) {
        const unsigned char* flip = kFlipRows[mask][i % kRowPeriod].data();
        auto* row = reinterpret_cast<unsigned char*>(dataPlane + i * kPlaneStride);
        // '0' and '1' differ only in the lowest bit, and no other cell value
        // (the '*' of a function module) matches '0' with that bit masked, so
        // the test and the inversion need no branch, and the compiler runs
        // the loop many cells per instruction.
        for (int j = 0; j < n; ++j) {
            const unsigned char isModule = (row[j] & 0xFE) == '0' ? 1 : 0;
            row[j] = static_cast<unsigned char>(row[j] ^ (isModule & flip[j]));
        }
    }
}

}  // namespace quirvane
