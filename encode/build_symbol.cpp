// The stages every symbol goes through once its data codewords stand: the
// Reed-Solomon blocks, the marks, interleaving and placement, the mask (the
// one asked for, or the best), format and version information, the function
// patterns, and the two planes joined into the finished symbol.
#include <cstring>

#include "encode/encoder_state.h"
#include "matrix/cell_words.h"

namespace quirvane {

void EncoderState::JoinPlanes() {
    const int n = static_cast<int>(strnlen(patternPlane, kPlaneStride));
    // A cell of the symbol is '0' plus the low nibbles of its two planes.
    const auto join = [this](int at, unsigned char(&joined)[kChunkCells]) {
        unsigned char pattern[kChunkCells];
        unsigned char data[kChunkCells];
        std::memcpy(pattern, patternPlane + at, kChunkCells);
        std::memcpy(data, dataPlane + at, kChunkCells);
        for (int k = 0; k < kChunkCells; ++k) {
            joined[k] = static_cast<unsigned char>('0' + (pattern[k] & 0x0F) + (data[k] & 0x0F));
        }
    };
    for (int y = 0; y < n; ++y) {
        const int row = y * kPlaneStride;
        int x = 0;
        unsigned char joined[kChunkCells];
        for (; x + kChunkCells <= n; x += kChunkCells) {
            join(row + x, joined);
            std::memcpy(symbolMatrix + row + x, joined, kChunkCells);
        }
        if (x < n) {
            const unsigned char* inside = kChunkInside[n - x].data();
            unsigned char kept[kChunkCells];
            join(row + x, joined);
            std::memcpy(kept, symbolMatrix + row + x, kChunkCells);
            for (int k = 0; k < kChunkCells; ++k) {
                kept[k] =
                    static_cast<unsigned char>((joined[k] & inside[k]) | (kept[k] & ~inside[k]));
            }
            std::memcpy(symbolMatrix + row + x, kept, kChunkCells);
        }
    }
}

int EncoderState::BuildSymbol(int version, int level, int mask) {
    EncodeBlocks(version, level);
    MarkFunctionAreas(version, 1, kFunctionMark);
    InterleaveBlocks(version, level);
    if (mask == kMaskAuto) {
        // The masks are scored on the whole symbol they would give, function
        // patterns included.
        BuildFunctionPatterns(version);
        mask = EvaluateMasks(dataPlane, patternPlane, version, level, maskEvaluation);
    }
    ApplyMask(version, mask);
    MarkFunctionAreas(version, 0, '0');
    WriteFormatAndVersionInfo(version, level, mask);
    BuildFunctionPatterns(version);
    JoinPlanes();
    symbolVersion = version;
    symbolLevel = level;
    symbolMask = mask;
    dataReady = 1;
    return mask;
}

Statistics EncoderState::StatisticsOfSymbol() const {
    return Statistics{inputByteCount, dataByteCount, blockCount, generatorDegree, codewordCount};
}

}  // namespace quirvane
