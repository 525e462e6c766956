// Reed-Solomon error correction: the data codewords are split into the blocks
// of the layout in force, and each block gets the remainder of d(x) * x^R
// divided by the generator polynomial of degree R. Each finished block is one
// row of blockRows, which the interleaving reads back column by column.
#include <cassert>
#include <cstring>
#include <utility>

#include <quirvane/encoder.h>

#include "ecc/generator_polynomials.h"

namespace quirvane {

void EncoderState::BuildGeneratorProducts(const int* generator, int degree) {
    std::memset(generatorProducts, 0, sizeof generatorProducts);
    for (int f = 1; f < 256; ++f) {
        const int logFactor = LogOf(f);
        for (int j = 0; j < degree; ++j) {
            int e = logFactor + generator[j + 1];
            if (e > 255) {
                e -= 255;  // an exponent of exactly 255 looks up alpha^255 = 1
            }
            generatorProducts[f][j] = static_cast<std::uint8_t>(ExpOf(e));
        }
    }
    std::memcpy(productsGenerator, generator, sizeof(int) * static_cast<std::size_t>(degree + 1));
    productsDegree = degree;
}

void EncoderState::ComputeRemainder([[maybe_unused]] int c, std::uint8_t* buffer, int k, int n,
                                    const int* generator) {
    const int r = n - 1;
    assert(r > 0 && r <= kMaxGeneratorDegree && c == k + r && c <= kBlockRowStride);
    // Compared by value: a caller may hand another generator at the same address.
    if (r != productsDegree ||
        std::memcmp(generator, productsGenerator, sizeof(int) * static_cast<std::size_t>(n)) != 0) {
        BuildGeneratorProducts(generator, r);
    }
    // A shift register holds the running remainder: each data codeword enters
    // at the top, and the codeword leaving it scales the generator that is
    // subtracted (XOR) from the rest; the same result as long division. Two
    // registers are taken in turn, at a fixed width, so that shifting and
    // subtracting is one vector pass; cells from R on stay 0, since the
    // product columns there are 0.
    std::uint8_t registers[2][kRegisterWidth + 1] = {};
    std::uint8_t* current = registers[0];
    std::uint8_t* next = registers[1];
    for (int i = 0; i < k; ++i) {
        const std::uint8_t* product = generatorProducts[buffer[i] ^ current[0]];
        for (int j = 0; j < kRegisterWidth; ++j) {
            next[j] = current[j + 1] ^ product[j];
        }
        std::swap(current, next);
    }
    std::memcpy(buffer + k, current, static_cast<std::size_t>(r));
}

void EncoderState::EncodeBlocks(int forVersion, int level) {
    std::memset(blockRows, 0, sizeof blockRows);
    std::memset(blockLength, 0, sizeof blockLength);
    const SymbolParameters* p = FindSymbolParameters(forVersion, level);
    if (p == nullptr) {
        return;
    }
    EncodeLayout(p->b1, p->b2, p->c1, p->k1, p->r1, p->c2, p->k2, p->r2);
}

void EncoderState::EncodeLayout(int b1, int b2, int c1, int k1, int r1, int c2, int k2, int r2) {
    (void)r2;  // equal to r1 in every layout: one generator serves both groups
    blockCount = b1 + b2;
    generatorDegree = r1;
    const int* generator = GeneratorOfDegree(r1);
    assert(generator != nullptr && blockCount <= kBlockRowCount);

    int readPosition = 0;
    for (int b = 0; b < blockCount; ++b) {
        const bool groupOne = b < b1;
        const int c = groupOne ? c1 : c2;
        const int k = groupOne ? k1 : k2;
        std::uint8_t* row = blockRows + b * kBlockRowStride;

        std::uint8_t work[kBlockRowStride] = {};
        std::memcpy(work, dataCodewords + readPosition, static_cast<std::size_t>(k));
        readPosition += k;
        ComputeRemainder(c, work, k, r1 + 1, generator);
        std::memcpy(row, work, static_cast<std::size_t>(c));
        blockLength[b] = c;

        // In a two-group layout a group-1 row is one short: a filler 0 after its
        // data lines its error-correction codewords up with the group-2 rows.
        if (b2 > 0 && groupOne) {
            std::memmove(row + k + 1, row + k, static_cast<std::size_t>(c - k));
            row[k] = 0;
        }
    }
}

}  // namespace quirvane
