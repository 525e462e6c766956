// The data stream is built as text of '0' and '1' characters, most
// significant bit first, and only packed into bytes at the end. Bits go in as
// whole groups of eight characters, copied from a table, and come out eight
// characters to a word.
#pragma once

#include <cstdint>
#include <cstring>

#include "matrix/cell_words.h"

namespace quirvane {

// Room past the end of the text that appending needs: a group of eight
// characters may reach seven past the new end, and eight zero bytes follow it.
inline constexpr int kAppendSlack = 16;

// Writes the lowest `width` bits (0-32) of value at bits + length, most
// significant first, keeps the text zero-terminated and advances length. The
// value is moved to the top of a word and written as whole groups of eight
// characters; the eight zero bytes after the new end are the terminator and
// clear what the last group wrote past it.
inline void AppendBits(char* bits, int& length, unsigned value, int width) {
    char* end = bits + length;
    const std::uint64_t top = (std::uint64_t{value} << 32 >> width) & 0xFFFFFFFF;
    for (int done = 0; done < width; done += 8) {
        CopyByteCharacters(end + done, static_cast<unsigned>(top >> (24 - done)));
    }
    std::memset(end + width, 0, 8);
    length += width;
}

// Writes the eight bits of each of `count` bytes, as AppendBits would one at a
// time, but each byte is one copy of its characters.
inline void AppendBytes(char* bits, int& length, const char* bytes, int count) {
    char* end = bits + length;
    for (int i = 0; i < count; ++i) {
        CopyByteCharacters(end + 8 * i, static_cast<unsigned char>(bytes[i]));
    }
    length += 8 * count;
    bits[length] = '\0';
}

// Packs eight '0'/'1' characters into each byte, the first as the most
// significant bit, eight characters to a word: the stream holds no other
// characters, so the lowest bit of each is its bit. A trailing group of fewer
// than eight is not written. Returns the number of bytes written.
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
