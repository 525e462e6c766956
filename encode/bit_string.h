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

}  // namespace quirvane
