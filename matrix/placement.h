// Codeword placement reads its bits one at a time, most significant first,
// as the characters the planes hold.
#pragma once

#include <cstdint>

namespace quirvane {

// Bit j of a codeword as '1' or '0', j = 0 being the most significant bit;
// any j outside 0-7 gives '0'.
constexpr char BitOf(std::uint8_t codeword, int j) {
    if (j < 0 || j > 7) {
        return '0';
    }
    return ((codeword >> (7 - j)) & 1U) != 0 ? '1' : '0';
}

}  // namespace quirvane
