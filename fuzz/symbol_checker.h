// Reads a finished symbol back from its modules alone, the way a scanner
// would, and says what disagrees with the settings and text it was made for.
// It shares nothing with the encoder but the parameter table's counts, so a
// fault in a stage cannot hide behind the same fault in its check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirvane::fuzz {

struct Expectation {
    int mode;               // 1 byte, 2 alphanumeric, 3 numeric
    int version;            // 1-40
    int level;              // 1 L, 2 M, 3 Q, 4 H
    int mask;               // 0-7
    std::string_view text;  // what the symbol must hold, already cut to capacity
};

// Bits of the data stream before the terminator: mode indicator, count
// indicator and the data bits of `count` characters.
int StreamBits(int mode, int version, int count);

// Checks that the n x n symbol at `matrix` (row stride 256, '1' dark, '0'
// light) is well formed for (version, level, mask): every cell '0' or '1',
// the function patterns, both copies of the format and version information,
// the remainder bits and the Reed-Solomon syndromes of every block. Fills
// `data` with the data codewords, blocks in order. Returns what is wrong, or
// an empty string.
std::string ReadSymbolData(const char* matrix, int version, int level, int mask,
                           std::vector<std::uint8_t>& data);

// ReadSymbolData, then one segment of the expected mode holding exactly the
// expected text. Returns what is wrong with it, or an empty string.
std::string CheckSymbol(const char* matrix, const Expectation& expected);

}  // namespace quirvane::fuzz
