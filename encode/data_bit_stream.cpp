// The data bit stream of one segment in one mode: mode indicator, character
// count indicator, the data bits, the terminator and the zero fill to a byte
// boundary; then packed into codewords and padded with 0xEC and 0x11.
#include <cassert>
#include <cstring>

#include <quirvane/encoder.h>

#include "encode/bit_string.h"

namespace quirvane {
namespace {

constexpr int kTerminatorBits = 4;
constexpr std::uint8_t kPadCodewords[2] = {0xEC, 0x11};

int DigitValue(char digit) {
    return digit - '0';
}

// Bits of the characters of one mode, before the terminator.
int DataBitsOf(int mode, int count) {
    switch (mode) {
        case kModeNumeric:
            return 10 * (count / 3) + (count % 3 == 2 ? 7 : count % 3 == 1 ? 4 : 0);
        case kModeAlphanumeric:
            return 11 * (count / 2) + 6 * (count % 2);
        default:
            return 8 * count;
    }
}

// The stream can be built: the mode and version are supported, the count
// fits its indicator and the whole stream, fill included, fits the storage.
bool StreamFits(int mode, int forVersion, int count, int dataCodewordsCount) {
    if (!IsSupportedMode(mode) || !IsSupportedVersion(forVersion) || count < 0 ||
        count > kMaxDataText || dataCodewordsCount < 0 || dataCodewordsCount > kMaxCodewords) {
        return false;
    }
    const int width = CountIndicatorWidth(mode, forVersion);
    const int bits = 4 + width + DataBitsOf(mode, count) + kTerminatorBits + 7;
    return count < (1 << width) && bits < kBitStringSize;
}

}  // namespace

void AppendBits(char* bits, int& length, unsigned value, int width) {
    // A local end: the character stores could alias `length`, which would
    // otherwise be reloaded after each of them.
    char* end = bits + length;
    for (int i = width - 1; i >= 0; --i) {
        *end++ = ((value >> i) & 1U) != 0 ? '1' : '0';
    }
    *end = '\0';
    length += width;
}

int AlphanumericValue(unsigned char character) {
    if (character == '\0') {
        return -1;
    }
    const char* found = std::strchr(kAlphanumericSet, character);
    return found != nullptr ? static_cast<int>(found - kAlphanumericSet) : -1;
}

int PackBits(const char* bits, int length, std::uint8_t* bytes) {
    const int count = length / 8;
    for (int i = 0; i < count; ++i) {
        unsigned byte = 0;
        for (int j = 0; j < 8; ++j) {
            byte = (byte << 1) | (bits[8 * i + j] == '1' ? 1U : 0U);
        }
        bytes[i] = static_cast<std::uint8_t>(byte);
    }
    return count;
}

void EncoderState::AppendToStream(const char* bits) {
    const int length = static_cast<int>(std::strlen(bits));
    assert(bitStringLength + length < kBitStringSize);
    std::memcpy(bitString + bitStringLength, bits, static_cast<std::size_t>(length) + 1);
    bitStringLength += length;
}

void EncoderState::BuildDataCodewords(int mode, int forVersion, int dataCodewordsCount) {
    if (!StreamFits(mode, forVersion, dataCharacterCount, dataCodewordsCount)) {
        return;
    }
    StartStream();
    const char* indicator = mode == kModeNumeric        ? "0001"
                            : mode == kModeAlphanumeric ? "0010"
                                                        : "0100";
    std::memcpy(modeIndicator, indicator, 5);
    int countLength = 0;
    AppendBits(countIndicator, countLength, static_cast<unsigned>(dataCharacterCount),
               CountIndicatorWidth(mode, forVersion));
    AppendToStream(modeIndicator);
    AppendToStream(countIndicator);

    const char* text = dataText;
    const int count = dataCharacterCount;
    if (mode == kModeNumeric) {
        AppendNumericData(bitString, bitStringLength, count,
                          [text](int i) { return DigitValue(text[i]); });
    } else if (mode == kModeAlphanumeric) {
        AppendAlphanumericData(bitString, bitStringLength, count, [text](int i) {
            return AlphanumericValue(static_cast<unsigned char>(text[i]));
        });
    } else {
        for (int i = 0; i < count; ++i) {
            AppendBits(bitString, bitStringLength, static_cast<unsigned char>(text[i]), 8);
        }
    }
    FinishDataCodewords(dataCodewordsCount);
}

void EncoderState::StartStream() {
    // Only the part the previous stream used needs clearing.
    std::memset(bitString, 0, static_cast<std::size_t>(bitStringLength));
    bitStringLength = 0;
    std::memset(modeIndicator, 0, sizeof modeIndicator);
    std::memset(countIndicator, 0, sizeof countIndicator);
}

void EncoderState::FinishDataCodewords(int dataCodewordsCount) {
    AppendBits(bitString, bitStringLength, 0, kTerminatorBits);
    while (bitStringLength % 8 != 0) {
        AppendBits(bitString, bitStringLength, 0, 1);
    }

    std::memset(dataCodewords, 0, sizeof dataCodewords);
    // A stream that fills the symbol may spill its terminator into one byte
    // more than the symbol holds; only the first dataCodewordsCount bytes go
    // on, which is how the terminator is shortened. The count reports the
    // bytes that go into the symbol, never more than it holds.
    const int packed = PackBits(bitString, bitStringLength, dataCodewords);
    dataByteCount = packed < dataCodewordsCount ? packed : dataCodewordsCount;
    for (int i = dataByteCount, pad = 0; i < dataCodewordsCount; ++i, pad ^= 1) {
        dataCodewords[i] = kPadCodewords[pad];
    }
}

}  // namespace quirvane
