// Splitting a text into numeric, alphanumeric, byte and Kanji segments so the
// bit stream is as short as it can be, within the two mixes every common
// reader decodes right. Records are fixed-size so nothing is allocated.
#pragma once

#include <cstdint>

#include <quirvane/encoder.h>

namespace quirvane {

// The longest text planned: the numeric capacity of version 40-L, since
// nothing longer fits any symbol.
inline constexpr int kMaxSegmentCharacters = 7089;

// Bits of the ECI header that opens a UTF-8 stream: mode 0111 and designator 26.
inline constexpr int kEciUtf8 = 26;
inline constexpr int kEciShiftJis = 20;

// One character of the text: its scalar (its first byte in byte mode), its
// length in bytes, how many characters an alphanumeric segment writes for it
// (0 when it cannot: 2 for `%` and 1 for the separator GS in an FNC1
// symbol) and, for a JIS X 0208 character, its Shift_JIS double-byte code
// (else 0).
struct TextCharacter {
    char32_t code;
    std::uint8_t byteLength;
    std::uint8_t alphanumericLength;
    std::uint16_t kanjiCode;
};

// Every segment holds at least one character, so a plan never has more
// segments than the text has characters. An empty text is written as one
// empty segment.
struct SegmentPlan {
    int eciDesignator;  // written before the segments; 0 for none
    int count;
    Segment segments[kMaxSegmentCharacters];
    int bits;  // the whole stream, ECI and segment headers included, terminator excluded
};

// For each character and each of the four modes, the mode of the character
// before it on the cheapest way there, two bits per mode; one row per family.
struct SegmentScratch {
    std::uint8_t previousModes[2][kMaxSegmentCharacters];
};

// The two mixes of segments every common reader decodes to the same text.
// Plain: no ECI, byte segments of ASCII only and every other character a
// JIS X 0208 character in a Kanji segment, with no `\` or `~` anywhere
// beside one. Utf8: ECI 26, byte segments of UTF-8, no Kanji segment.
enum class Family : std::uint8_t { Either, Plain, Utf8 };

// The shortest plan for the first `count` characters (at least one) at
// `version`'s count widths within `family`; for Either, the shorter of the
// two, the plain one on a tie. False only when the text does not qualify for
// the plain family asked for.
bool PlanSegments(const TextCharacter* text, int count, int version, Family family,
                  SegmentScratch& scratch, SegmentPlan& plan);

// The plain family holds every character of the text.
bool QualifiesForPlainFamily(const TextCharacter* text, int count);

// A plan of one segment of `mode` holding the first `characters` characters,
// `bytes` bytes (no FNC1 `%`), after an ECI header when `eciDesignator` is
// not 0.
void PlanOneSegment(Mode mode, int characters, int bytes, int eciDesignator, int version,
                    SegmentPlan& plan);

}  // namespace quirvane
