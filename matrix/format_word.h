// The words written into the format and version information areas. The
// format word of a level and mask reference carries BCH(15,5) check bits and
// the format mask; bit 14 is the first bit placed (F[0]). The version word
// carries the version in its upper 6 bits and BCH(18,6) check bits below.
#pragma once

namespace quirvane {

// -1 for a level or mask that does not exist.
int FormatWordOf(int level, int mask);

// The 18-bit version information word of versions 7-40; 0 for any other.
int VersionWordOf(int version);

}  // namespace quirvane
