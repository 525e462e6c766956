// GF(256) with the field polynomial x^8 + x^4 + x^3 + x^2 + 1 (0x11D) and
// alpha = 2. Multiplication goes through the exponent and logarithm tables:
// add the logarithms, reduce modulo 255, look up the exponent.
#include <array>

#include "encode/encoder_state.h"

namespace quirvane {
namespace {

constexpr int kFieldPolynomial = 0x11D;

// The powers of alpha, worked out by the compiler: the program carries them
// as constants.
constexpr std::array<int, kGaloisTableSize> MakeExponentTable() {
    std::array<int, kGaloisTableSize> table{};
    int value = 1;
    for (int i = 0; i < 255; ++i) {
        table[i] = value;
        value <<= 1;
        if (value & 0x100) {
            value ^= kFieldPolynomial;
        }
    }
    table[255] = 1;   // alpha^255 = alpha^0, so an exponent of 255 needs no reduction
    table[256] = -1;  // end marker
    return table;
}

constexpr std::array<int, kGaloisTableSize> kExponentTable = MakeExponentTable();

}  // namespace

void EncoderState::BuildGaloisTables() {
    for (int i = 0; i < kGaloisTableSize; ++i) {
        galoisTables.exponent[i] = kExponentTable[i];
    }
    // alpha^0..alpha^254 are distinct, so walking them once gives every value
    // its smallest exponent; the log of 1 is 0, not 255.
    for (int i = 0; i < 255; ++i) {
        galoisTables.logarithm[kExponentTable[i]] = i;
    }
    galoisTables.logarithm[0] = -1;  // zero has no logarithm
    galoisTables.logarithm[256] = -1;
}

}  // namespace quirvane
