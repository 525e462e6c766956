// The mask penalty rules N1-N4, written as plainly as they are stated, and
// the score every mask would give a finished symbol. Slow on purpose: it
// checks the encoder's packed, word-at-a-time scoring, so it shares none of
// its tricks.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quirvane::fuzz {

// N1 + N2 + N3 + N4 of an n x n symbol, dark[r * n + c] 1 where dark.
int NaivePenalty(const std::vector<std::uint8_t>& dark, int n);

// The penalty of the symbol at `matrix` (row stride 256, '1' dark), made with
// `mask` at (version, level), had it been made with each mask 0-7 instead:
// the data modules unmasked and masked again, and the format information
// written for the other mask.
std::array<int, 8> ScoreEveryMask(const char* matrix, int version, int level, int mask);

}  // namespace quirvane::fuzz
