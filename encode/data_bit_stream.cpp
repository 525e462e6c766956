// The data bit stream of one segment in one mode: mode indicator, character
// count indicator, the data bits, the terminator and the zero fill to a byte
// boundary; then packed into codewords and padded with 0xEC and 0x11. Each
// run clears only what the previous stream wrote.
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
    return count < (1 << width) && bits + kAppendSlack <= kBitStringSize;
}

}  // namespace

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
        bytes[i] = static_cast<std::uint8_t>(GatherLowBitsFirstHigh(LoadEight(bits + 8 * i)));
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
    const int previousLength = StartStream();
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
        AppendBytes(bitString, bitStringLength, text, count);
    }
    FinishDataCodewords(dataCodewordsCount, previousLength);
}

int EncoderState::StartStream() {
    // The new stream writes over the old one; FinishDataCodewords clears
    // whatever of the old is left past the new end, so no cell is written twice.
    const int previousLength = bitStringLength;
    bitStringLength = 0;
    std::memset(modeIndicator, 0, sizeof modeIndicator);
    std::memset(countIndicator, 0, sizeof countIndicator);
    return previousLength;
}

void EncoderState::FinishDataCodewords(int dataCodewordsCount, int previousLength) {
    // The terminator and the zero fill to a whole byte are all zero bits.
    const int fill = (8 - (bitStringLength + kTerminatorBits) % 8) % 8;
    AppendBits(bitString, bitStringLength, 0, kTerminatorBits + fill);
    if (previousLength > bitStringLength) {
        std::memset(bitString + bitStringLength, 0,
                    static_cast<std::size_t>(previousLength - bitStringLength));
    }

    // A stream that fills the symbol may spill its terminator into one byte
    // more than the symbol holds; only the first dataCodewordsCount bytes go
    // on, which is how the terminator is shortened. The count reports the
    // bytes that go into the symbol, never more than it holds.
    const int packed = PackBits(bitString, bitStringLength, dataCodewords);
    dataByteCount = packed < dataCodewordsCount ? packed : dataCodewordsCount;
    for (int i = dataByteCount, pad = 0; i < dataCodewordsCount; ++i, pad ^= 1) {
        dataCodewords[i] = kPadCodewords[pad];
    }
    // Past what this stream wrote, the buffer is zero up to where the previous
    // one's ended.
    const int written = packed > dataCodewordsCount ? packed : dataCodewordsCount;
    if (dataCodewordsUsed > written) {
        std::memset(dataCodewords + written, 0,
                    static_cast<std::size_t>(dataCodewordsUsed - written));
    }
    dataCodewordsUsed = written;
}

}  // namespace quirvane
