// Block interleaving: the final codeword sequence takes the first data
// codeword of every block, then the second of every block, and so on, then
// the error-correction codewords in the same way. Reading blockRows column by
// column gives exactly that, once the filler of the group-1 rows is skipped:
// the columns are read in three runs (the data all rows share, group 2's last
// data codeword, the error correction), so no codeword needs a test.
#include <cassert>
#include <cstring>

#include "encode/encoder_state.h"

namespace quirvane {

void EncoderState::InterleaveBlocks(int forVersion, int level) {
    const SymbolParameters* p = &FindSymbolParameters(forVersion, level);
    // The blocks must have been made for this layout: every row spans C1, or
    // C2 = C1 + 1 with a second group.
    assert(blockLength[0] == p->c1);
    const int rows = p->b1 + p->b2;
    std::uint8_t* next = codewordSequence;
    const auto readColumn = [this, rows, &next](int column, int firstRow) {
        for (int b = firstRow; b < rows; ++b) {
            *next++ = blockRows[b * kBlockRowStride + column];
        }
    };
    for (int k = 0; k < p->k1; ++k) {
        readColumn(k, 0);
    }
    // Group 2's last data codeword stands where the group-1 rows have their
    // filler, and after it the error correction of both groups lines up.
    int errorCorrectionColumn = p->k1;
    if (p->b2 > 0) {
        readColumn(p->k1, p->b1);
        ++errorCorrectionColumn;
    }
    for (int k = 0; k < p->r1; ++k) {
        readColumn(errorCorrectionColumn + k, 0);
    }

    // Past the new sequence, the buffer is zero up to where the previous one ended.
    const int written = static_cast<int>(next - codewordSequence);
    const int previous = codewordCount < kMaxCodewords ? codewordCount : kMaxCodewords;
    if (previous > written) {
        std::memset(next, 0, static_cast<std::size_t>(previous - written));
    }
    codewordCount = TotalCodewordsOf(forVersion);
    PlaceCodewords(forVersion);
}

}  // namespace quirvane
