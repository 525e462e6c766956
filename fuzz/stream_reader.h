// Reads a symbol's data codewords back into what they hold, the way a scanner
// does: a structured-append header, FNC1 indicators, ECI headers with
// designators of one, two or three bytes, numeric, alphanumeric, byte and
// Kanji segments, then the terminator, the fill to a whole byte and the pad
// codewords.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quirvane::fuzz {

inline constexpr int kIndicatorNumeric = 0b0001;
inline constexpr int kIndicatorAlphanumeric = 0b0010;
inline constexpr int kIndicatorStructuredAppend = 0b0011;
inline constexpr int kIndicatorFnc1First = 0b0101;
inline constexpr int kIndicatorFnc1Second = 0b1001;
inline constexpr int kIndicatorByte = 0b0100;
inline constexpr int kIndicatorEci = 0b0111;
inline constexpr int kIndicatorKanji = 0b1000;

// One ECI header or segment, in stream order.
struct StreamItem {
    int indicator = 0;
    // The count field of a segment; the designator of an ECI; the position
    // of a structured-append part; the application indicator of FNC1 in
    // second position.
    int value = 0;
    int partCount = 0;  // structured append: the number of symbols
    int parity = 0;     // and the parity byte
    // A segment's characters: digits and alphanumerics as ASCII, bytes as
    // they are, Kanji as the UTF-8 of the character each code names.
    std::string text;
};

struct DataStream {
    std::vector<StreamItem> items;
    int bits = 0;  // everything before the terminator
};

// Width of the count field of a segment's indicator at `version`.
int CountFieldBits(int indicator, int version);

// Reads `data` (every data codeword of a symbol of `version`) into `stream`.
// Returns what does not read as a stream, or an empty string.
std::string ReadDataStream(const std::vector<std::uint8_t>& data, int version, DataStream& stream);

}  // namespace quirvane::fuzz
