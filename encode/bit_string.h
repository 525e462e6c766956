// The data stream is built as text of '0' and '1' characters, most
// significant bit first, and only packed into bytes at the end.
#pragma once

#include <cstdint>

namespace quirvane {

// The 45 characters of alphanumeric mode, in value order.
inline constexpr char kAlphanumericSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// Writes the lowest `width` bits of value at bits + length, most significant
// first, keeps the text zero-terminated and advances length.
void AppendBits(char* bits, int& length, unsigned value, int width);

// The value 0-44 of an alphanumeric character, or -1 when it is not in the set.
int AlphanumericValue(unsigned char character);

// Packs eight characters into each byte, the first as the most significant
// bit ('1' a one, anything else a zero). A trailing group of fewer than eight
// is not written. Returns the number of bytes written.
int PackBits(const char* bits, int length, std::uint8_t* bytes);

// The data bits of `count` digits, digit(i) giving the value 0-9 of the i-th:
// 10 bits per group of three, 7 for two left over, 4 for one.
template <typename DigitAt>
void AppendNumericData(char* bits, int& length, int count, DigitAt digit) {
    int i = 0;
    for (; i + 3 <= count; i += 3) {
        const int group = digit(i) * 100 + digit(i + 1) * 10 + digit(i + 2);
        AppendBits(bits, length, static_cast<unsigned>(group), 10);
    }
    if (count - i == 2) {
        AppendBits(bits, length, static_cast<unsigned>(digit(i) * 10 + digit(i + 1)), 7);
    } else if (count - i == 1) {
        AppendBits(bits, length, static_cast<unsigned>(digit(i)), 4);
    }
}

// The data bits of `count` alphanumeric characters, value(i) giving the value
// 0-44 of the i-th: 11 bits per pair, 6 for one left over.
template <typename ValueAt>
void AppendAlphanumericData(char* bits, int& length, int count, ValueAt value) {
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        AppendBits(bits, length, static_cast<unsigned>(45 * value(i) + value(i + 1)), 11);
    }
    if (i < count) {
        AppendBits(bits, length, static_cast<unsigned>(value(i)), 6);
    }
}

}  // namespace quirvane
