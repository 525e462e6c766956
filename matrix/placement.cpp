// Codeword placement: the bits of the codeword sequence, most significant
// first, fill the data modules in two-module-wide columns from the right edge
// to the left, alternately upward and downward, right module before left,
// stepping around every function module. Column 6, the vertical timing
// pattern, belongs to no pair. Modules left over after the last bit (the
// remainder modules) keep the '0' the marking left there.
//
// The function modules are recognised by the '*' the marking has just put on
// exactly them: reading the mark is far cheaper than working the geometry out
// again for each of the 29,648 modules of version 40.
#include "matrix/placement.h"

#include <quirvane/encoder.h>

namespace quirvane {

void EncoderState::PlaceCodewords(int forVersion) {
    if (!IsSupportedVersion(forVersion) || codewordCount < 0 || codewordCount > kMaxCodewords) {
        return;
    }
    const int n = SideOf(forVersion);
    const std::uint8_t* next = codewordSequence;
    std::uint8_t codeword = 0;
    int bit = 8;  // the next bit of codeword, 0 the most significant
    int bitsLeft = 8 * codewordCount;
    auto place = [&](char& cell) {
        if (cell == kFunctionMark || bitsLeft == 0) {
            return;
        }
        if (bit == 8) {
            codeword = *next++;
            bit = 0;
        }
        --bitsLeft;
        cell = BitOf(codeword, bit++);
    };
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;  // skip the timing column: the pairs go on with (5, 4)
        }
        for (int step = 0; step < n; ++step) {
            char* cells = dataPlane + (upward ? n - 1 - step : step) * kPlaneStride;
            place(cells[right]);
            place(cells[right - 1]);
        }
        upward = !upward;
    }
}

}  // namespace quirvane
