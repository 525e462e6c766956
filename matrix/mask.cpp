// The eight data masks. The mask given is applied as given; scoring them
// is mask_evaluation.cpp's job. Only cells holding '0' or '1' are inverted,
// so the '*' marks keep the mask off every function module.
#include <array>
#include <cassert>
#include <cstring>

#include "encode/encoder_state.h"
#include "matrix/cell_words.h"
#include "matrix/mask_condition.h"

namespace quirvane {
namespace {

// Every mask condition repeats every 12 rows (it uses i mod 2, i mod 3 and
// i div 2 mod 2 at most), so twelve rows of 1s and 0s, worked out when
// compiling, hold each mask whole: a row is masked by one pass against the
// row of its phase, with no condition worked out and no branch, a chunk of
// cells at a time.
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

// Inverts the cells of a chunk where the flips and `inside` say so and the
// cell holds '0' or '1'. Those two differ only in the lowest bit, and no
// other cell value (the '*' of a function module) matches '0' with that bit
// masked, so the test and the inversion need no branch.
inline void MaskChunk(char* cells, const unsigned char* flip, const unsigned char* inside) {
    unsigned char chunk[kChunkCells];
    unsigned char flips[kChunkCells];
    std::memcpy(chunk, cells, kChunkCells);
    std::memcpy(flips, flip, kChunkCells);
    for (int k = 0; k < kChunkCells; ++k) {
        const unsigned char isModule = (chunk[k] & 0xFE) == '0' ? 1 : 0;
        chunk[k] = static_cast<unsigned char>(chunk[k] ^ (isModule & flips[k] & inside[k]));
    }
    std::memcpy(cells, chunk, kChunkCells);
}

}  // namespace

void EncoderState::ApplyMask(int forVersion, int mask) {
    assert(IsSupportedVersion(forVersion) && IsSupportedMask(mask));
    const int n = SideOf(forVersion);
    for (int i = 0; i < n; ++i) {
        const unsigned char* flip = kFlipRows[mask][i % kRowPeriod].data();
        char* row = dataPlane + i * kPlaneStride;
        int column = 0;
        for (; column + kChunkCells <= n; column += kChunkCells) {
            MaskChunk(row + column, flip + column, kChunkInside[kChunkCells].data());
        }
        if (column < n) {
            MaskChunk(row + column, flip + column, kChunkInside[n - column].data());
        }
    }
}

}  // namespace quirvane
