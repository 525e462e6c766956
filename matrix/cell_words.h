// Eight one-byte cells or bit characters in one 64-bit word. The planes and
// the bit string hold a character per bit, so the stages that read or write
// them many at a time (packing the stream, masking, joining, scoring) work on
// words, with exact byte tests that need no branch.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace quirvane {

using CellWord = std::uint64_t;

inline constexpr CellWord kLowBytes = 0x0101010101010101;

// Cell k in byte k, whatever the byte order; compilers make this one load.
inline CellWord LoadEight(const char* cells) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(cells);
    return CellWord{bytes[0]} | CellWord{bytes[1]} << 8 | CellWord{bytes[2]} << 16 |
           CellWord{bytes[3]} << 24 | CellWord{bytes[4]} << 32 | CellWord{bytes[5]} << 40 |
           CellWord{bytes[6]} << 48 | CellWord{bytes[7]} << 56;
}

// 0x80 in every byte of `value` that equals `cell`, 0 elsewhere. Adding 0x7F
// to the low seven bits of a byte cannot carry into the next byte, so each
// byte is judged on its own and the answer is exact.
inline CellWord EqualBytes(CellWord value, char cell) {
    constexpr CellWord kLowSeven = 0x7F7F7F7F7F7F7F7F;
    const CellWord x = value ^ (kLowBytes * static_cast<unsigned char>(cell));
    return ~(((x & kLowSeven) + kLowSeven) | x | kLowSeven);
}

// The top bit of byte k to bit k: the multiplier moves bit 8k to bit 56 + k,
// and no two of its products land on the same bit, so nothing carries.
inline CellWord GatherTopBits(CellWord flags) {
    return ((flags >> 7) * 0x0102040810204080) >> 56;
}

// The lowest bit of byte k to bit k, as GatherTopBits does with the top bit.
inline CellWord GatherLowBits(CellWord bytes) {
    return ((bytes & kLowBytes) * 0x0102040810204080) >> 56;
}

// The lowest bit of byte k to bit 7 - k, so that cell 0 becomes the most
// significant bit, as the bit string reads. Here the multiplier moves bit 8k
// to bit 63 - k, again without two products on one bit.
inline unsigned GatherLowBitsFirstHigh(CellWord bytes) {
    return static_cast<unsigned>(((bytes & kLowBytes) * 0x8040201008040201) >> 56);
}

// Rows are worked in chunks of 16 cells, copied into local arrays so that the
// compiler, knowing they overlap nothing, runs each chunk as a few vector
// instructions. A row's last chunk may reach up to 15 cells past the side,
// which the row stride always has room for; there it writes back what it
// read, so the cells outside the symbol stay as they were.
inline constexpr int kChunkCells = 16;

// Row c: 0xFF in the first c cells of a chunk and 0 in the rest, the cells
// of a row's last chunk that are inside the symbol.
inline constexpr auto kChunkInside = [] {
    std::array<std::array<unsigned char, kChunkCells>, kChunkCells + 1> rows{};
    for (int count = 0; count <= kChunkCells; ++count) {
        for (int k = 0; k < count; ++k) {
            rows[count][k] = 0xFF;
        }
    }
    return rows;
}();

// Writes `count` (at least kSize) copies of w from `cells` on, in stores of
// kSize cells, the last of which may overlap the one before it: writing a
// cell twice with the same value does no harm.
template <int kSize>
void FillInPieces(char* cells, int count, char w) {
    char piece[kSize];
    std::memset(piece, w, kSize);
    for (int i = 0; i + kSize < count; i += kSize) {
        std::memcpy(cells + i, piece, kSize);
    }
    std::memcpy(cells + count - kSize, piece, kSize);
}

// Writes `count` (0 or more) copies of w from `cells` on. Most rows of a
// function area are 1 to 9 cells wide, too few to be worth a library call
// each; and a library fill of a whole row, which the compiler may expand into
// a string instruction, costs several times more than a few 16-cell stores.
inline void FillCells(char* cells, int count, char w) {
    if (count >= 16) {
        FillInPieces<16>(cells, count, w);
    } else if (count >= 8) {
        FillInPieces<8>(cells, count, w);
    } else if (count >= 4) {
        FillInPieces<4>(cells, count, w);
    } else if (count >= 2) {
        FillInPieces<2>(cells, count, w);
    } else if (count == 1) {
        cells[0] = w;
    }
}

// The eight '0'/'1' characters of every byte value, most significant bit
// first: a byte becomes its characters in one 8-byte copy, not eight choices.
inline constexpr auto kByteCharacters = [] {
    std::array<std::array<char, 8>, 256> table{};
    for (int value = 0; value < 256; ++value) {
        for (int j = 0; j < 8; ++j) {
            table[value][j] = ((value >> (7 - j)) & 1) != 0 ? '1' : '0';
        }
    }
    return table;
}();

// Writes the characters of `value` at `cells`.
inline void CopyByteCharacters(char* cells, unsigned value) {
    std::memcpy(cells, kByteCharacters[value & 0xFF].data(), 8);
}

}  // namespace quirvane
