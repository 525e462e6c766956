// Codeword placement: the bits of the codeword sequence, most significant
// first, fill the data modules in two-module-wide columns from the right edge
// to the left, alternately upward and downward, right module before left,
// stepping around every function module. Column 6, the vertical timing
// pattern, belongs to no pair. Modules left over after the last bit (the
// remainder modules) keep the '0' the marking left there.
#include "encode/bit_string.h"
#include "encode/encoder_state.h"
#include "matrix/alignment_centres.h"

namespace quirvane {

char BitOf(std::uint8_t codeword, int j) {
    if (j < 0 || j > 7) {
        return '0';
    }
    return ((codeword >> (7 - j)) & 1U) != 0 ? '1' : '0';
}

void EncoderState::PlaceCodewords(int forVersion) {
    const int n = SideOf(forVersion);
    const FunctionModules functionModules(forVersion);
    const int totalBits = 8 * codewordCount;
    int bit = 0;
    bool upward = true;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;  // skip the timing column: the pairs go on with (5, 4)
        }
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                if (functionModules.Contains(row, column)) {
                    continue;
                }
                if (bit < totalBits) {
                    dataPlane[row * kPlaneStride + column] =
                        BitOf(codewordSequence[bit / 8], bit % 8);
                    ++bit;
                }
            }
        }
        upward = !upward;
    }
}

}  // namespace quirvane
