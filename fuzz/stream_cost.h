// The fewest bits any stream of each family can spend on each prefix of a
// text, worked out afresh: a walk over the characters keeping, for each mode,
// the cheapest stream whose last segment is still open and how many of its
// characters are left over from whole digit triples or character pairs, so
// that every cost is a whole number of bits. Count fields are taken as wide
// enough: a run too long for its field overflows every symbol of its band
// alone, so the limit never changes which streams fit.
#pragma once

#include <string_view>
#include <vector>

namespace quirvane::fuzz {

// Above every stream that fits a symbol, and safe to add a few costs to.
inline constexpr int kNoStream = 1 << 28;

struct CostCharacter {
    char32_t code;
    int bytes;      // its length in UTF-8
    int kanjiCode;  // its Kanji-mode code, 0 for none
};

// The characters of a UTF-8 text, or false at the first byte that is not
// part of a well-formed character (its index in `badByte`).
bool ReadCostCharacters(std::string_view text, std::vector<CostCharacter>& characters,
                        std::size_t& badByte);

// bits[k], k = 0..n: the fewest bits of a stream holding the first k
// characters at `version`'s count widths, headers included, terminator not.
// Without `eci`: no ECI, byte segments of ASCII only, every other character
// in a Kanji segment, and no `\` or `~` in a prefix that has Kanji
// (kNoStream where a prefix breaks these). With `eci`: a 12-bit ECI 26
// header, byte segments of UTF-8, no Kanji segment. bits[0] is the header
// alone.
// With `fnc1` (an FNC1 symbol, no ECI) alphanumeric segments also hold the
// separator GS, written `%`, and write a `%` as `%%`.
std::vector<int> ShortestStreams(const std::vector<CostCharacter>& text, int version, bool eci,
                                 bool fnc1 = false);

}  // namespace quirvane::fuzz
