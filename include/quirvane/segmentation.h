// Splitting a text into numeric, alphanumeric, byte and Kanji segments so the
// bit stream is as short as it can be, within the two mixes every common
// reader decodes right. Records are fixed-size so nothing is allocated.
#pragma once

#include <cstdint>

namespace quirvane {

// The longest text planned: the numeric capacity of version 40-L, since
// nothing longer fits any symbol.
inline constexpr int kMaxSegmentCharacters = 7089;

// Bits of the ECI header that opens a UTF-8 stream: mode 0111 and designator 26.
inline constexpr int kUtf8EciHeaderBits = 12;
inline constexpr int kModeIndicatorBits = 4;

enum class SegmentMode : std::uint8_t { Numeric, Alphanumeric, Byte, Kanji };

// One character of the text, filled by the caller. kanjiCode is the
// Shift_JIS double-byte code of a JIS X 0208 character, else 0; utf8Length is
// the character's length in UTF-8 (1 to 4).
struct TextCharacter {
    char32_t code;
    std::uint8_t utf8Length;
    std::uint16_t kanjiCode;
};

// A run of characters [start, start + length) written in one mode.
struct Segment {
    SegmentMode mode;
    int start;
    int length;
};

// Every segment holds at least one character, so a plan never has more
// segments than the text has characters.
struct SegmentPlan {
    bool eci;  // the stream opens with ECI 26 and its byte segments are UTF-8
    int count;
    Segment segments[kMaxSegmentCharacters];
    int bits;  // the whole stream, ECI and segment headers included, terminator excluded
};

// For each character and each of the four modes, the mode of the character
// before it on the cheapest way there, two bits per mode; one row per family.
struct SegmentScratch {
    std::uint8_t previousModes[2][kMaxSegmentCharacters];
};

// Width of the character count indicator of `mode` at `version` (bands 1-9,
// 10-26, 27-40).
int CountIndicatorBits(SegmentMode mode, int version);

// Data bits of a segment, headers excluded: `characters` counts digits,
// alphanumeric characters or Kanji characters, `bytes` the bytes of a byte
// segment (the other modes ignore it).
int SegmentDataBits(SegmentMode mode, int characters, int bytes);

// True for the 45 characters alphanumeric mode writes.
bool IsAlphanumericCharacter(char32_t code);

// True when `code` is a Shift_JIS double-byte value that Kanji mode can write.
bool IsKanjiModeCode(std::uint16_t code);

// The shortest plan within one family, or false when the text does not
// qualify for it or is longer than kMaxSegmentCharacters. Without the ECI,
// byte segments hold ASCII only and every other character must be a JIS X
// 0208 character in a Kanji segment, with no `\` or `~` anywhere beside it;
// with the ECI, byte segments hold UTF-8 and there is no Kanji segment.
bool PlanSegmentsInFamily(const TextCharacter* text, int count, int version, bool eci,
                          SegmentScratch& scratch, SegmentPlan& plan);

// The shorter of the two families' plans at `version`'s count widths, the
// plan without the ECI on a tie. False only when `count` is negative or
// longer than kMaxSegmentCharacters. An empty text gets no segments.
bool PlanSegments(const TextCharacter* text, int count, int version, SegmentScratch& scratch,
                  SegmentPlan& plan);

}  // namespace quirvane
