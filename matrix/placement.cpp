// Codeword placement: the bits of the codeword sequence, most significant
// first, fill the data modules in the version's placement order
// (placement_order.cpp). Modules left over after the last bit (the remainder
// modules) keep the '0' the marking left there.
//
// The order is a table made once per version, so each codeword is its eight
// characters from a table and eight stores to the offsets the order gives:
// no walk, and no test of the '*' marks, which stand on exactly the modules
// the order steps around.
#include <cassert>
#include <cstring>

#include "encode/encoder_state.h"
#include "matrix/cell_words.h"
#include "matrix/placement_order.h"

namespace quirvane {

void EncoderState::PlaceCodewords(int forVersion) {
    assert(IsSupportedVersion(forVersion) && codewordCount >= 0 && codewordCount <= kMaxCodewords);
    const PlacementOrder& order = PlacementOrderOf(forVersion);
    // Every bit of the sequence, as long as there are modules for it.
    const int bits = 8 * codewordCount < order.count ? 8 * codewordCount : order.count;
    const std::uint16_t* cells = order.cells;
    for (int i = 0; i < bits / 8; ++i, cells += 8) {
        // Offsets and characters are read into locals first: the stores into
        // the plane could otherwise alias them and force a reload after each.
        std::uint16_t at[8];
        std::memcpy(at, cells, sizeof at);
        const CellWord characters = LoadEight(kByteCharacters[codewordSequence[i]].data());
        for (int j = 0; j < 8; ++j) {
            dataPlane[at[j]] = static_cast<char>(characters >> (8 * j));
        }
    }
    // The modules can run out inside a codeword only when the count given is
    // more than the version holds.
    for (int j = 0; j < bits % 8; ++j) {
        dataPlane[cells[j]] = kByteCharacters[codewordSequence[bits / 8]][j];
    }
}

}  // namespace quirvane
