// Block interleaving: the final codeword sequence takes the first data
// codeword of every block, then the second of every block, and so on, then
// the error-correction codewords in the same way. Reading blockRows column by
// column gives exactly that, once the filler of the group-1 rows is skipped.
#include <cstring>

#include <quirvane/encoder.h>

namespace quirvane {

void EncoderState::InterleaveBlocks(int forVersion, int level) {
    std::memset(codewordSequence, 0, sizeof codewordSequence);
    const SymbolParameters* p = FindSymbolParameters(forVersion, level);
    if (p == nullptr) {
        return;
    }
    const int rows = p->b1 + p->b2;
    // Every row spans the same width: C1, or C2 = C1 + 1 with a second group.
    // blockLength[0] says so once the blocks are made; anything else (the rows
    // were never filled for this layout) would read past them.
    if (blockLength[0] != p->c1) {
        return;
    }
    const int width = p->b2 > 0 ? p->c2 : p->c1;
    int count = 0;
    for (int k = 0; k < width; ++k) {
        for (int b = 0; b < rows; ++b) {
            if (p->b2 > 0 && b < p->b1 && k == p->k1) {
                continue;  // the filler byte of a group-1 row
            }
            codewordSequence[count++] = blockRows[b * kBlockRowStride + k];
        }
    }
    codewordCount = TotalCodewordsOf(forVersion);
    PlaceCodewords(forVersion);
}

}  // namespace quirvane
