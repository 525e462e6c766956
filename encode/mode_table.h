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

// Data bits of a segment, headers excluded: `characters` counts digits,
// alphanumeric or Kanji characters, `bytes` the bytes of a byte segment.
constexpr int SegmentDataBits(Mode mode, int characters, int bytes) {
    switch (mode) {
        case Mode::Numeric:
            return 10 * (characters / 3) + (characters % 3 == 2 ? 7 : characters % 3 == 1 ? 4 : 0);
        case Mode::Alphanumeric:
            return 11 * (characters / 2) + 6 * (characters % 2);
        case Mode::Byte:
            return 8 * bytes;
        default:
            return 13 * characters;
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
