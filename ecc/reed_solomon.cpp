// Reed-Solomon error correction: the data codewords are split into the blocks
// of the layout in force, and each block gets the remainder of d(x) * x^R
// divided by the generator polynomial of degree R. Each finished block is one
// row of blockRows, which the interleaving reads back column by column.
#include <cstring>

#include "ecc/generator_polynomials.h"
#include "encode/encoder_state.h"
#include "matrix/cell_words.h"

namespace quirvane {
namespace {

// The remainder register, R <= 30 codewords held in four words: codeword j
// is byte j % 8 of word j / 8, so moving every codeword one place up is a
// shift of each word with the next word's lowest byte carried in, not 32
// byte moves through memory.
constexpr int kRegisterWords = kRegisterWidth / 8;
struct Register {
    std::uint64_t words[kRegisterWords];
};

// One data codeword into the register: the codeword leaving it, added to the
// data codeword, scales the generator, which is subtracted (XOR) from the
// rest, moved one place up; the same result as a step of long division.
// Row f of the products is f times the generator's lower terms, 0 from R on,
// so the cells from R on stay 0.
inline void Shift(Register& reg, const std::uint8_t (*products)[kRegisterWidth],
                  std::uint8_t data) {
    const auto* product = reinterpret_cast<const char*>(products[(data ^ reg.words[0]) & 0xFF]);
    for (int w = 0; w < kRegisterWords; ++w) {
        const std::uint64_t next = w + 1 < kRegisterWords ? reg.words[w + 1] << 56 : 0;
        reg.words[w] = ((reg.words[w] >> 8) | next) ^ LoadEight(product + 8 * w);
    }
}

// The first `count` codewords of the register, in order.
inline void Unload(const Register& reg, std::uint8_t* out, int count) {
    for (int j = 0; j < count; ++j) {
        out[j] = static_cast<std::uint8_t>(reg.words[j / 8] >> (8 * (j % 8)));
    }
}

}  // namespace

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

void EncoderState::UseGenerator(const int* generator, int degree) {
    // Compared by value: a caller may hand another generator at the same address.
    if (degree != productsDegree ||
        std::memcmp(generator, productsGenerator,
                    sizeof(int) * static_cast<std::size_t>(degree + 1)) != 0) {
        BuildGeneratorProducts(generator, degree);
    }
}

void EncoderState::EncodeBlocks(int forVersion, int level) {
    const SymbolParameters* p = &FindSymbolParameters(forVersion, level);
    // Only the rows the last blocks were written into can hold anything.
    std::memset(blockRows, 0, static_cast<std::size_t>(blockRowsUsed) * kBlockRowStride);
    std::memset(blockLength, 0, sizeof blockLength);
    blockRowsUsed = 0;
    EncodeLayout(p->b1, p->b2, p->c1, p->k1, p->r1, p->c2, p->k2);
}

void EncoderState::EncodeLayout(int b1, int b2, int c1, int k1, int r1, int c2, int k2) {
    // r2 equals r1 in every layout: one generator serves both groups.
    blockCount = b1 + b2;
    generatorDegree = r1;
    UseGenerator(GeneratorOfDegree(r1), r1);

    int readPosition = 0;
    for (int b = 0; b < blockCount; ++b) {
        const int k = b < b1 ? k1 : k2;
        std::memcpy(blockRows + b * kBlockRowStride, dataCodewords + readPosition,
                    static_cast<std::size_t>(k));
        readPosition += k;
        blockLength[b] = b < b1 ? c1 : c2;
    }

    // Every block's register goes one data codeword further in turn: each
    // shift waits on a table read chosen by the previous one, and taking
    // the blocks by turns lets those waits overlap instead of adding up.
    Register remainders[kBlockRowCount];
    for (int b = 0; b < blockCount; ++b) {
        remainders[b] = Register{};
    }
    for (int i = 0; i < k1; ++i) {
        const std::uint8_t* column = blockRows + i;
        for (int b = 0; b < blockCount; ++b) {
            Shift(remainders[b], generatorProducts, column[b * kBlockRowStride]);
        }
    }
    for (int b = b1; b < blockCount; ++b) {
        Shift(remainders[b], generatorProducts, blockRows[b * kBlockRowStride + k2 - 1]);
    }

    for (int b = 0; b < blockCount; ++b) {
        // In a two-group layout a group-1 row is one short: a filler 0 after its
        // data lines its error-correction codewords up with the group-2 rows.
        const bool filler = b2 > 0 && b < b1;
        const int k = b < b1 ? k1 : k2;
        std::uint8_t* row = blockRows + b * kBlockRowStride;
        if (filler) {
            row[k] = 0;
        }
        Unload(remainders[b], row + k + (filler ? 1 : 0), r1);
    }
    blockRowsUsed = blockRowsUsed > blockCount ? blockRowsUsed : blockCount;
}

}  // namespace quirvane
