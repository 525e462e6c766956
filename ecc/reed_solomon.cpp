// Reed-Solomon error correction: the data codewords are split into the blocks
// of the layout in force, and each block gets the remainder of d(x) * x^R
// divided by the generator polynomial of degree R. Each finished block is one
// row of blockRows, which the interleaving reads back column by column.
#include <cstring>
#include <utility>

#include <quirvane/encoder.h>

#include "ecc/generator_polynomials.h"

namespace quirvane {
namespace {

// A generator of n terms the register can work with: R = n - 1 from 1 to 30,
// a leading term of logarithm 0 and every term a logarithm 0-254.
bool IsUsableGenerator(int n, const int* generator) {
    if (generator == nullptr || n < 2 || n > kMaxGeneratorDegree + 1 || generator[0] != 0) {
        return false;
    }
    for (int j = 1; j < n; ++j) {
        if (generator[j] < 0 || generator[j] > 254) {
            return false;
        }
    }
    return true;
}

// A layout whose blocks fit the block store and whose data the data codewords
// hold: one group, or a second with one data codeword more and the same R.
bool IsUsableLayout(int b1, int b2, int c1, int k1, int r1, int c2, int k2, int r2) {
    const bool groupOne = b1 >= 1 && k1 >= 0 && r1 >= 1 && c1 == k1 + r1;
    const bool groupTwo = b2 == 0 || (b2 >= 1 && k2 == k1 + 1 && r2 == r1 && c2 == k2 + r2);
    if (!groupOne || !groupTwo || b2 < 0 || b1 + b2 > kBlockRowCount) {
        return false;
    }
    const int widest = b2 > 0 ? c2 : c1;
    const long long data = static_cast<long long>(b1) * k1 + static_cast<long long>(b2) * k2;
    return widest <= kBlockRowStride && data <= kMaxCodewords && GeneratorOfDegree(r1) != nullptr;
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

void EncoderState::ComputeRemainder(int c, std::uint8_t* buffer, int k, int n,
                                    const int* generator) {
    const int r = n - 1;
    if (buffer == nullptr || !IsUsableGenerator(n, generator) || k < 0 || c != k + r ||
        c > kBlockRowStride) {
        return;
    }
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
    if (!IsUsableLayout(b1, b2, c1, k1, r1, c2, k2, r2)) {
        return;
    }
    // r2 equals r1 in every layout: one generator serves both groups.
    blockCount = b1 + b2;
    generatorDegree = r1;
    const int* generator = GeneratorOfDegree(r1);

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
