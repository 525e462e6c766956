// The 15-bit format information word of a level and mask reference, with its
// BCH(15,5) check bits and the format mask applied; bit 14 is the first bit
// placed (F[0]).
#pragma once

namespace quirvane {

// -1 for a level or mask that does not exist.
int FormatWordOf(int level, int mask);

}  // namespace quirvane
