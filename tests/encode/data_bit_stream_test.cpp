// The data bit stream and the padded data codewords: the worked examples,
// how each mode ends its data, the count indicator widths, and the edge of
// the data capacity in every version, level and mode.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "encode/bit_string.h"
#include "encode/encoder_state.h"

namespace quirvane {
namespace {

struct Encoded {
    std::string bits;
    std::vector<std::uint8_t> codewords;  // as many as the symbol has data codewords
    int dataByteCount;
};

Encoded Encode(int mode, int version, int level, const std::string& text) {
    auto state = std::make_unique<EncoderState>();
    std::memcpy(state->dataText, text.data(), text.size());
    state->dataCharacterCount = static_cast<int>(text.size());
    const int d = FindSymbolParameters(version, level)->dataCodewords;
    state->BuildDataCodewords(mode, version, d);
    return {
        state->bitString, {state->dataCodewords, state->dataCodewords + d}, state->dataByteCount};
}

// Codewords written in hexadecimal, then 0xEC and 0x11 in turn up to count.
std::vector<std::uint8_t> Padded(const char* hex, int count) {
    std::vector<std::uint8_t> codewords;
    std::istringstream in(hex);
    for (unsigned value = 0; in >> std::hex >> value;) {
        codewords.push_back(static_cast<std::uint8_t>(value));
    }
    for (int pad = 0; static_cast<int>(codewords.size()) < count; pad ^= 1) {
        codewords.push_back(pad == 0 ? 0xEC : 0x11);
    }
    return codewords;
}

TEST(DataCodewords, WorkedExamples) {
    struct Example {
        int mode, version, level;
        const char* text;
        const char* codewords;  // before the pad codewords
        int dataByteCount;
    };
    const Example examples[] = {
        {kModeNumeric, 1, kLevelM, "01234567", "10 20 0C 56 61 80", 6},
        {kModeAlphanumeric, 1, kLevelH, "AC-42", "20 29 CE E7 21 00", 6},
        {kModeNumeric, 1, kLevelL, "12", "10 08 60 00", 4},
        {kModeByte, 1, kLevelL, "AB", "40 24 14 20", 4},
        {kModeByte, 1, kLevelL, "", "40 00", 2},
        {kModeAlphanumeric, 1, kLevelL, "", "20 00 00", 3},
        {kModeNumeric, 1, kLevelL, "", "10 00 00", 3},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.text);
        const Encoded got = Encode(e.mode, e.version, e.level, e.text);
        EXPECT_EQ(got.codewords,
                  Padded(e.codewords, FindSymbolParameters(e.version, e.level)->dataCodewords));
        EXPECT_EQ(got.dataByteCount, e.dataByteCount);
    }
}

TEST(DataBitStream, EndsAsEachModeRequires) {
    struct Example {
        int mode;
        const char* text;
        const char* bits;  // fields separated by blanks
    };
    const Example examples[] = {
        {kModeNumeric, "007", "0001 0000000011 0000000111 0000 0000"},  // leading zeros
        {kModeNumeric, "1234", "0001 0000000100 0001111011 0100 0000"},
        {kModeNumeric, "12345", "0001 0000000101 0001111011 0101101 0000 00000"},
        {kModeAlphanumeric, "AB", "0010 000000010 00111001101 0000 0000"},
        {kModeAlphanumeric, "ABC", "0010 000000011 00111001101 001100 0000 000000"},
        {kModeAlphanumeric, " :", "0010 000000010 11010000000 0000 0000"},
        {kModeByte, "\x80\xFF", "0100 00000010 10000000 11111111 0000"},  // never sign-extended
        {kModeByte, "\r\n", "0100 00000010 00001101 00001010 0000"},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.text);
        std::string bits = e.bits;
        std::erase(bits, ' ');
        EXPECT_EQ(Encode(e.mode, 1, kLevelL, e.text).bits, bits);
    }
}

TEST(DataBitStream, CountIndicatorWidensAtVersions10And40) {
    const int versions[] = {1, 9, 10, 20, 40};
    const int widths[3][5] = {{8, 8, 16, 16, 16}, {9, 9, 11, 11, 13}, {10, 10, 12, 12, 14}};
    for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << " version " << versions[i]);
            const int width = widths[mode - 1][i];
            // "5" is valid in every mode; its count of 1 ends the indicator.
            EXPECT_EQ(Encode(mode, versions[i], kLevelL, "5").bits.substr(4, width),
                      std::string(width - 1, '0') + "1");
        }
    }
}

TEST(DataCodewords, OneByteShortTakesOnePadAndAnExactFitNone) {
    // Byte mode 1-L has 19 data codewords: 16 bytes pack into 18, 17 into 19.
    const Encoded one = Encode(kModeByte, 1, kLevelL, std::string(16, 'A'));
    EXPECT_EQ(one.dataByteCount, 18);
    EXPECT_EQ(one.codewords[18], 0xEC);
    const Encoded none = Encode(kModeByte, 1, kLevelL, std::string(17, 'A'));
    EXPECT_EQ(none.dataByteCount, 19);
    EXPECT_EQ(none.codewords[18], 0x10);  // low half of 'A', then the terminator
}

// A text of exactly the capacity leaves no room for a pad codeword; what
// does not fit of the terminator and fill is dropped.
TEST(DataCodewords, FullCapacityInEveryVersionLevelAndMode) {
    std::mt19937 random(7);
    for (int version :
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 40}) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            const SymbolParameters& p = *FindSymbolParameters(version, level);
            for (int mode = kModeByte; mode <= kModeNumeric; ++mode) {
                SCOPED_TRACE(::testing::Message() << version << "-" << level << " mode " << mode);
                std::string text;
                for (int i = 0; i < CapacityOf(p, mode); ++i) {
                    const unsigned r = random();
                    text += mode == kModeNumeric        ? static_cast<char>('0' + r % 10)
                            : mode == kModeAlphanumeric ? kAlphanumericSet[r % 45]
                                                        : static_cast<char>(1 + r % 255);
                }
                const Encoded e = Encode(mode, version, level, text);
                EXPECT_EQ(e.dataByteCount, p.dataCodewords);
                std::vector<std::uint8_t> packed(kMaxCodewords);
                PackBits(e.bits.c_str(), 8 * p.dataCodewords, packed.data());
                packed.resize(static_cast<std::size_t>(p.dataCodewords));
                EXPECT_EQ(e.codewords, packed);
            }
        }
    }
}

TEST(AlphanumericValue, IsThePositionInTheSetAndMinusOneElsewhere) {
    for (int c = 0; c < 256; ++c) {
        const char* found = c == 0 ? nullptr : std::strchr(kAlphanumericSet, c);  // not the NUL
        EXPECT_EQ(AlphanumericValue(static_cast<unsigned char>(c)),
                  found != nullptr ? found - kAlphanumericSet : -1)
            << c;
    }
    EXPECT_EQ(AlphanumericValue(':'), 44);
}

}  // namespace
}  // namespace quirvane
