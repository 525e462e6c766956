// What each mode writes, in one place for the window's single segment, the
// planner and the stream: its indicator, the width of its count field in
// each band of versions, the bits of its data, the characters it holds, and
// how many of them a number of data bits can carry.
#pragma once

#include <cstdint>

#include <quirvane/encoder.h>

namespace quirvane {

inline constexpr int kModeIndicatorBits = 4;
inline constexpr int kTerminatorBits = 4;
inline constexpr unsigned kEciIndicator = 0b0111;
inline constexpr unsigned kStructuredAppendIndicator = 0b0011;
inline constexpr unsigned kFnc1FirstIndicator = 0b0101;
inline constexpr unsigned kFnc1SecondIndicator = 0b1001;

// What a stream carries before its ECI header and segments: the header of a
// part of a structured-append set (its position, the number of symbols and
// the parity of the whole message), then an FNC1 indicator.
struct StreamHeader {
    int partPosition = 0;
    int partCount = 0;  // 0: no structured append
    int parity = 0;
    Fnc1 fnc1 = Fnc1::None;
    int applicationIndicator = 0;
};

constexpr int HeaderBits(const StreamHeader& header) {
    const int fnc1 = header.fnc1 == Fnc1::Gs1        ? kModeIndicatorBits
                     : header.fnc1 == Fnc1::Industry ? kModeIndicatorBits + 8
                                                     : 0;
    return (header.partCount > 0 ? kModeIndicatorBits + 16 : 0) + fnc1;
}

// An application indicator of FNC1 in second position: two digits, or a
// letter's ASCII value + 100.
constexpr bool IsApplicationIndicator(int value) {
    return (value >= 0 && value <= 99) || (value >= 'A' + 100 && value <= 'Z' + 100) ||
           (value >= 'a' + 100 && value <= 'z' + 100);
}

// Modes a segment can be written in, for tables indexed by mode.
inline constexpr int kSegmentModeCount = 4;

constexpr bool IsSegmentMode(Mode mode) {
    return mode == Mode::Numeric || mode == Mode::Alphanumeric || mode == Mode::Byte ||
           mode == Mode::Kanji;
}

constexpr unsigned ModeIndicatorOf(Mode mode) {
    constexpr unsigned kIndicators[kSegmentModeCount] = {0b0001, 0b0010, 0b0100, 0b1000};
    return kIndicators[static_cast<int>(mode)];
}

// Count fields, and so the best plan of a text, change at versions 10 and 27.
constexpr int VersionBandOf(int version) {
    return version <= 9 ? 0 : version <= 26 ? 1 : 2;
}

constexpr int CountIndicatorBits(Mode mode, int version) {
    constexpr int kWidths[3][kSegmentModeCount] = {
        {10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    return kWidths[VersionBandOf(version)][static_cast<int>(mode)];
}

// Data bits of a segment, headers excluded, from what its count field holds:
// digits, alphanumeric characters, bytes or Kanji characters.
constexpr int SegmentDataBits(Mode mode, int count) {
    switch (mode) {
        case Mode::Numeric:
            return 10 * (count / 3) + (count % 3 == 2 ? 7 : count % 3 == 1 ? 4 : 0);
        case Mode::Alphanumeric:
            return 11 * (count / 2) + 6 * (count % 2);
        case Mode::Byte:
            return 8 * count;
        default:
            return 13 * count;
    }
}

// Bits of an ECI header: its indicator and a designator of one, two or three
// bytes.
constexpr int EciHeaderBits(int designator) {
    return kModeIndicatorBits + (designator < 128 ? 8 : designator < 16384 ? 16 : 24);
}

// The most characters (bytes in byte mode) one segment of a single mode holds
// in `dataCodewords` codewords at `version`, after `prefixBits` of headers.
constexpr int SingleSegmentCapacity(Mode mode, int version, int dataCodewords, int prefixBits) {
    const int budget =
        8 * dataCodewords - prefixBits - kModeIndicatorBits - CountIndicatorBits(mode, version);
    if (budget < 0) {
        return 0;
    }
    int units = 0;
    switch (mode) {
        case Mode::Numeric:
            units = 3 * (budget / 10) + (budget % 10 >= 7 ? 2 : budget % 10 >= 4 ? 1 : 0);
            break;
        case Mode::Alphanumeric:
            units = 2 * (budget / 11) + (budget % 11 >= 6 ? 1 : 0);
            break;
        case Mode::Byte:
            units = budget / 8;
            break;
        default:
            units = budget / 13;
            break;
    }
    const int countLimit = (1 << CountIndicatorBits(mode, version)) - 1;
    return units < countLimit ? units : countLimit;
}

// The 45 characters of alphanumeric mode, in value order.
inline constexpr char kAlphanumericSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// The value 0-44 of an alphanumeric character, or -1 for any other.
constexpr int AlphanumericValue(char32_t c) {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'A' && c <= U'Z') {
        return static_cast<int>(c - U'A') + 10;
    }
    for (int i = 36; i < 45; ++i) {
        if (c == static_cast<unsigned char>(kAlphanumericSet[i])) {
            return i;
        }
    }
    return -1;
}

constexpr bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// A Shift_JIS double-byte value that Kanji mode can write.
constexpr bool IsKanjiModeCode(std::uint16_t code) {
    return (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEBBF);
}

}  // namespace quirvane
