// The eight data masks. The chosen one is applied as chosen: the program
// never scores masks. Only cells holding '0' or '1' are inverted, so the '*'
// marks keep the mask off every function module.
#include "encode/encoder_state.h"

namespace quirvane {
namespace {

bool MaskCondition(int mask, int i, int j) {
    switch (mask) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        case 7:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            return false;
    }
}

}  // namespace

void EncoderState::ApplyMask(int forVersion, int mask) {
    if (mask < 0 || mask >= kMaskCount) {
        return;
    }
    const int n = SideOf(forVersion);
    for (int i = 0; i < n; ++i) {
        char* row = dataPlane + i * kPlaneStride;
        for (int j = 0; j < n; ++j) {
            if ((row[j] == '0' || row[j] == '1') && MaskCondition(mask, i, j)) {
                row[j] = row[j] == '0' ? '1' : '0';
            }
        }
    }
}

}  // namespace quirvane
