// The penalty rules on packed symbols. Every rule is worked across lines:
// bit c of neighbouring rows are neighbouring modules of column c, so runs
// and finder-like patterns down 64 columns come from plain AND and OR of
// whole words, with no shifting; the columns, packed the same way, give the
// rules along the rows. Only the 2 x 2 blocks need a one-bit shift.
#include "matrix/mask_evaluation.h"

#include <bit>
#include <cassert>
#include <cstdlib>

#include "encode/encoder_state.h"
#include "matrix/cell_words.h"
#include "matrix/format_placement.h"
#include "matrix/format_word.h"
#include "matrix/mask_condition.h"

namespace quirvane {
namespace {

using Word = std::uint64_t;
using Lines = Word[kLineWords][kPackedLines];
constexpr int kWordBits = 64;
constexpr int kFirstVersionWithVersionInfo = 7;

// The block rule reads the word after the last one in use, so one is always spare.
static_assert(kLargestSide <= (kLineWords - 1) * kWordBits);

// Scoring the masks of a version 40 symbol counts bits some 30,000 times.
// Baseline x86-64 has no population count instruction, so std::popcount is
// a library call there; the scoring is also built for processors that have
// the instruction, and for those with AVX2 besides, which runs the array
// loops four words at a time. The loader picks the copy that fits. The
// helpers are inlined into every copy, so each counts its own way.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__)
#define QUIRVANE_COUNTING_CLONES [[gnu::target_clones("arch=x86-64-v3", "popcnt", "default")]]
#define QUIRVANE_INLINED_INTO_CLONES [[gnu::always_inline]]
#else
#define QUIRVANE_COUNTING_CLONES
#define QUIRVANE_INLINED_INTO_CLONES
#endif

int WordsFor(int side) {
    return (side + kWordBits - 1) / kWordBits;
}

// The bits of word w that stand for modules inside a line of `side` modules.
Word InsideBits(int side, int w) {
    const int count = side - w * kWordBits;
    return count >= kWordBits ? ~Word{0} : count <= 0 ? 0 : (Word{1} << count) - 1;
}

// Word w of every line, line 0 first: index -1 is the last padding line
// before the symbol, index side the first one after it.
Word* LineWords(Lines& lines, int w) {
    return lines[w] + kLinePadding;
}
const Word* LineWords(const Lines& lines, int w) {
    return lines[w] + kLinePadding;
}

void SetBit(Lines& lines, int line, int index, int bit) {
    const Word mask = Word{1} << (index % kWordBits);
    Word& word = LineWords(lines, index / kWordBits)[line];
    word = bit != 0 ? (word | mask) : (word & ~mask);
}

// ---- Packing cells into bits, eight cells per step ----

// The finished symbol without its mask and format information (the
// function patterns joined with the data, the marks light), and the data
// modules. These planes hold only '0', '1' and the mark '*' (0x30, 0x31,
// 0x2A): the lowest bit of a cell is 1 exactly on '1', and bit 4 is 1
// exactly on '0' and '1', so one bit of each byte says all, at a third of
// the cost of comparing whole bytes. Reads up to seven cells past the side.
void PackUnmasked(const char* dataPlane, const char* patternPlane, int side,
                  MaskEvaluation& scratch) {
    for (int r = 0; r < side; ++r) {
        const char* data = dataPlane + r * kPlaneStride;
        const char* pattern = patternPlane + r * kPlaneStride;
        for (int w = 0; w < kLineWords; ++w) {
            Word dark = 0;
            Word maskable = 0;
            for (int c = w * kWordBits; c < (w + 1) * kWordBits && c < side; c += 8) {
                const Word cells = LoadEight(data + c);
                dark |= GatherLowBits(cells | LoadEight(pattern + c)) << (c % kWordBits);
                maskable |= GatherLowBits(cells >> 4) << (c % kWordBits);
            }
            LineWords(scratch.unmasked.rows, w)[r] = dark & InsideBits(side, w);
            LineWords(scratch.maskable.rows, w)[r] = maskable & InsideBits(side, w);
        }
    }
}

// Transposes a 64 x 64 bit matrix in place (bit j of block[i] trades places
// with bit i of block[j]): the two off-diagonal 32 x 32 quarters swap, then
// the 16 x 16 ones inside every quarter, and so on down to single bits.
void TransposeBlock(Word (&block)[kWordBits]) {
    Word mask = 0x00000000FFFFFFFF;
    for (int j = 32; j != 0; j >>= 1, mask ^= mask << j) {
        for (int k = 0; k < kWordBits; k = ((k | j) + 1) & ~j) {
            const Word t = ((block[k] >> j) ^ block[k | j]) & mask;
            block[k] ^= t << j;
            block[k | j] ^= t;
        }
    }
}

// Fills the columns of a symbol from its rows, 64 x 64 modules at a time.
void FillColumns(PackedSymbol& symbol, int side) {
    const int words = WordsFor(side);
    for (int rowWord = 0; rowWord < words; ++rowWord) {
        for (int columnWord = 0; columnWord < words; ++columnWord) {
            const Word* rows = LineWords(symbol.rows, columnWord) + rowWord * kWordBits;
            Word* columns = LineWords(symbol.columns, rowWord) + columnWord * kWordBits;
            Word block[kWordBits];
            for (int i = 0; i < kWordBits; ++i) {
                block[i] = rowWord * kWordBits + i < side ? rows[i] : 0;
            }
            TransposeBlock(block);
            for (int i = 0; i < kWordBits && columnWord * kWordBits + i < side; ++i) {
                columns[i] = block[i];
            }
        }
    }
}

// Clears what the rules read around a symbol: the padding lines, which are
// the light outside it, and the words past its side in every line.
void ClearOutside(PackedSymbol& symbol, int side) {
    for (Lines* lines : {&symbol.rows, &symbol.columns}) {
        for (int w = 0; w < kLineWords; ++w) {
            Word* line = LineWords(*lines, w);
            const bool used = w < WordsFor(side);
            for (int k = -kLinePadding; k < side + kLinePadding; ++k) {
                if (!used || k < 0 || k >= side) {
                    line[k] = 0;
                }
            }
        }
    }
}

// ---- The rules ----

// Each rule works out, in plain bitwise loops over arrays that the compiler
// can run several words per instruction, one word of bits per line to be
// counted; the counting is a loop of its own.

QUIRVANE_INLINED_INTO_CLONES inline int CountBits(const Word* words, int count) {
    int bits = 0;
    for (int k = 0; k < count; ++k) {
        bits += std::popcount(words[k]);
    }
    return bits;
}

// Word arrays for one word of every line, padding included: index k is
// line k, for k = -4..side+3.
class LineArray {
  public:
    Word& operator[](int k) { return words_[kLinePadding + k]; }
    Word* Line(int k) { return words_ + kLinePadding + k; }

  private:
    Word words_[kPackedLines];
};

// N1 and N3 across the lines, on one word of each: down 64 columns when the
// lines are rows, along 64 rows when they are columns. line[k] is the word
// of line k for k = -4..side+3, the padding light; `inside` marks the bits
// of the word that lie in the symbol.
QUIRVANE_INLINED_INTO_CLONES inline int CrossLinePenalty(const Word* line, int side, Word inside) {
    // Lines k..k+3 hold a dark module. Past the symbol every line is light.
    LineArray anyDark4;
    for (int k = -kLinePadding; k < side; ++k) {
        anyDark4[k] = line[k] | line[k + 1] | line[k + 2] | line[k + 3];
    }
    for (int k = side; k < side + kLinePadding; ++k) {
        anyDark4[k] = 0;
    }

    // N1. A run of length L >= 5 scores 3 + (L - 5) = (L - 4) + 2: the
    // number of five-module windows inside it, plus 2 for the run. So mark
    // the windows of one colour; a window with none just before starts a
    // run. A dark and a light window cannot share a module, so the two
    // colours share one mark.
    // N3. Dark, light, dark, dark, dark, light, dark, with four light
    // modules before it or after it: not both of those fours hold a dark
    // module. Light on both sides still counts once. Near the end, where the
    // pattern cannot fit, its last dark module falls on the light padding.
    LineArray window, finderLike;
    const int windowCount = side - 4;  // windows start at lines 0..side-5
    window[-1] = 0;
    for (int j = 0; j < windowCount; ++j) {
        const Word dark3 = line[j + 2] & line[j + 3] & line[j + 4];
        window[j] = (line[j] & line[j + 1] & dark3) | (~(anyDark4[j] | line[j + 4]) & inside);
        finderLike[j] = line[j] & ~(line[j + 1] | line[j + 5]) & dark3 & line[j + 6] &
                        ~(anyDark4[j - 4] & anyDark4[j + 7]);
    }

    int windows = 0;
    int runs = 0;
    int patterns = 0;
    for (int j = 0; j < windowCount; ++j) {
        windows += std::popcount(window[j]);
        runs += std::popcount(window[j] & ~window[j - 1]);
        patterns += std::popcount(finderLike[j]);
    }
    return windows + 2 * runs + 40 * patterns;
}

// N2: 3 for every 2 x 2 block of one colour. Two neighbouring rows give the
// columns where both modules are dark (or both light); a block is two such
// columns side by side, found by a one-bit shift that takes the column
// right of bit 63 from the next word.
QUIRVANE_INLINED_INTO_CLONES inline int BlockPenalty(const Lines& rows, int side) {
    int blocks = 0;
    for (int w = 0; w < WordsFor(side); ++w) {
        const Word* row = LineWords(rows, w);
        const Word* next = LineWords(rows, w + 1);
        const Word inside = InsideBits(side, w);
        const Word insideNext = InsideBits(side, w + 1);
        LineArray block;
        for (int r = 0; r + 1 < side; ++r) {
            const Word dark = row[r] & row[r + 1];
            const Word light = ~(row[r] | row[r + 1]) & inside;
            const Word darkRight = (dark >> 1) | ((next[r] & next[r + 1]) << (kWordBits - 1));
            const Word lightRight =
                (light >> 1) | ((~(next[r] | next[r + 1]) & insideNext) << (kWordBits - 1));
            block[r] = (dark & darkRight) | (light & lightRight);
        }
        blocks += CountBits(block.Line(0), side - 1);
    }
    return 3 * blocks;
}

// N4: 10 x floor(|p - 50| / 5) with p = 100 x dark / total, which is
// 10 x floor(|20 x dark - 10 x total| / total): integers, so 45 % and 55 %
// fall exactly on their step.
QUIRVANE_INLINED_INTO_CLONES inline int BalancePenalty(const Lines& rows, int side) {
    int dark = 0;
    for (int w = 0; w < WordsFor(side); ++w) {
        dark += CountBits(LineWords(rows, w), side);
    }
    const int total = side * side;
    return 10 * (std::abs(20 * dark - 10 * total) / total);
}

// The whole penalty of a packed symbol whose outside is clear.
QUIRVANE_COUNTING_CLONES int Penalty(const PackedSymbol& symbol, int side) {
    int penalty = BlockPenalty(symbol.rows, side) + BalancePenalty(symbol.rows, side);
    for (int w = 0; w < WordsFor(side); ++w) {
        penalty += CrossLinePenalty(LineWords(symbol.rows, w), side, InsideBits(side, w));
        penalty += CrossLinePenalty(LineWords(symbol.columns, w), side, InsideBits(side, w));
    }
    return penalty;
}

// ---- The masks ----

// Every mask condition repeats every 12 rows and every 12 columns (it uses i
// and j mod 2 and mod 3, i div 2 mod 2 and j div 3 mod 2 at most), so twelve
// lines each way hold a mask whole; they are worked out when compiling.
constexpr int kMaskPeriod = 12;

struct MaskLines {
    Word rows[kMaskCount][kLineWords][kMaskPeriod];     // [m][w][i % 12]: word w of row i of mask m
    Word columns[kMaskCount][kLineWords][kMaskPeriod];  // [m][w][j % 12]: word w of column j
};

constexpr MaskLines MakeMaskLines() {
    MaskLines lines{};
    for (int m = 0; m < kMaskCount; ++m) {
        for (int p = 0; p < kMaskPeriod; ++p) {
            for (int k = 0; k < kLineWords * kWordBits; ++k) {
                const Word bit = Word{1} << (k % kWordBits);
                if (MaskCondition(m, p, k)) {
                    lines.rows[m][k / kWordBits][p] |= bit;
                }
                if (MaskCondition(m, k, p)) {
                    lines.columns[m][k / kWordBits][p] |= bit;
                }
            }
        }
    }
    return lines;
}

constexpr MaskLines kMaskLines = MakeMaskLines();

// One word of every line under a mask: the unmasked word with the mask's
// modules inverted where they are data modules. The mask's words repeat
// every twelve lines.
void MaskWords(const Word* unmasked, const Word* maskable, const Word (&mask)[kMaskPeriod],
               int side, Word* masked) {
    int first = 0;
    for (; first + kMaskPeriod <= side; first += kMaskPeriod) {
        for (int p = 0; p < kMaskPeriod; ++p) {
            masked[first + p] = unmasked[first + p] ^ (maskable[first + p] & mask[p]);
        }
    }
    for (int p = 0; first + p < side; ++p) {
        masked[first + p] = unmasked[first + p] ^ (maskable[first + p] & mask[p]);
    }
}

void ApplyPackedMask(MaskEvaluation& scratch, int side, int mask) {
    for (int w = 0; w < WordsFor(side); ++w) {
        MaskWords(LineWords(scratch.unmasked.rows, w), LineWords(scratch.maskable.rows, w),
                  kMaskLines.rows[mask][w], side, LineWords(scratch.masked.rows, w));
        MaskWords(LineWords(scratch.unmasked.columns, w), LineWords(scratch.maskable.columns, w),
                  kMaskLines.columns[mask][w], side, LineWords(scratch.masked.columns, w));
    }
}

}  // namespace

int EvaluateMasks(const char* dataPlane, const char* patternPlane, int version, int level,
                  MaskEvaluation& scratch) {
    assert(IsSupportedVersion(version) && IsSupportedLevel(level));
    const int side = SideOf(version);
    PackUnmasked(dataPlane, patternPlane, side, scratch);
    // The version information is the same under every mask: it goes in once.
    if (version >= kFirstVersionWithVersionInfo) {
        PlaceVersionBits(side, VersionWordOf(version), [&scratch](int row, int column, int bit) {
            SetBit(scratch.unmasked.rows, row, column, bit);
        });
    }
    FillColumns(scratch.unmasked, side);
    FillColumns(scratch.maskable, side);
    ClearOutside(scratch.masked, side);

    int best = 0;
    for (int mask = 0; mask < kMaskCount; ++mask) {
        ApplyPackedMask(scratch, side, mask);
        // The format information names the mask, so it is patched in per mask.
        PlaceFormatBits(side, FormatWordOf(level, mask), [&scratch](int row, int column, int bit) {
            SetBit(scratch.masked.rows, row, column, bit);
            SetBit(scratch.masked.columns, column, row, bit);
        });
        scratch.penalties[mask] = Penalty(scratch.masked, side);
        if (scratch.penalties[mask] < scratch.penalties[best]) {
            best = mask;
        }
    }
    return best;
}

}  // namespace quirvane
