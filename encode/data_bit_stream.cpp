// The data bit stream of a segment plan: an optional ECI header, then each
// segment with its mode indicator, character count and data bits, then the
// terminator, the zero fill to a byte boundary, the packing into codewords
// and the pad codewords 0xEC and 0x11. The window's single segment and the
// planner's mix are written by this one road. Each run clears only what the
// previous stream wrote.
#include <cassert>
#include <cstring>

#include "encode/bit_string.h"
#include "encode/encoder_state.h"
#include "encode/mode_table.h"

namespace quirvane {
namespace {

constexpr std::uint8_t kPadCodewords[2] = {0xEC, 0x11};

// Kanji mode writes a Shift_JIS double-byte code in 13 bits: the offset from
// the start of its range, high byte times 0xC0 plus low byte.
unsigned KanjiValueOf(std::uint16_t code) {
    const unsigned offset = code <= 0x9FFC ? code - 0x8140U : code - 0xC140U;
    return (offset >> 8) * 0xC0 + (offset & 0xFF);
}

// GS1's separator GS is written as `%` in an alphanumeric segment of an
// FNC1 symbol, and a `%` of the text as `%%`.
constexpr int kPercentValue = 38;
constexpr char kGroupSeparator = 0x1D;

void AppendHeader(char* bits, int& length, const StreamHeader& header) {
    if (header.partCount > 0) {
        AppendBits(bits, length, kStructuredAppendIndicator, kModeIndicatorBits);
        AppendBits(bits, length, static_cast<unsigned>(header.partPosition), 4);
        AppendBits(bits, length, static_cast<unsigned>(header.partCount - 1), 4);
        AppendBits(bits, length, static_cast<unsigned>(header.parity), 8);
    }
    if (header.fnc1 == Fnc1::Gs1) {
        AppendBits(bits, length, kFnc1FirstIndicator, kModeIndicatorBits);
    } else if (header.fnc1 == Fnc1::Industry) {
        AppendBits(bits, length, kFnc1SecondIndicator, kModeIndicatorBits);
        AppendBits(bits, length, static_cast<unsigned>(header.applicationIndicator), 8);
    }
}

void AppendEciHeader(char* bits, int& length, int designator) {
    AppendBits(bits, length, kEciIndicator, kModeIndicatorBits);
    // One, two or three bytes, told apart by their leading bits 0, 10, 110.
    const auto value = static_cast<unsigned>(designator);
    if (designator < 128) {
        AppendBits(bits, length, value, 8);
    } else if (designator < 16384) {
        AppendBits(bits, length, 0x8000U | value, 16);
    } else {
        AppendBits(bits, length, 0xC00000U | value, 24);
    }
}

}  // namespace

void EncoderState::AppendFnc1AlphanumericData(const char* bytes, int byteCount,
                                              [[maybe_unused]] int count) {
    assert(count <= kMaxFnc1Alphanumeric);
    std::uint8_t values[kMaxFnc1Alphanumeric];
    int written = 0;
    for (int i = 0; i < byteCount; ++i) {
        const char c = bytes[i];
        values[written++] = static_cast<std::uint8_t>(
            c == kGroupSeparator ? kPercentValue
                                 : AlphanumericValue(static_cast<unsigned char>(c)));
        if (c == '%') {
            values[written++] = kPercentValue;
        }
    }
    AppendAlphanumericData(bitString, bitStringLength, written,
                           [&values](int i) { return values[i]; });
}

int PackBits(const char* bits, int length, std::uint8_t* bytes) {
    const int count = length / 8;
    for (int i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(GatherLowBitsFirstHigh(LoadEight(bits + 8 * i)));
    }
    return count;
}

void EncoderState::BuildDataCodewords(std::string_view source, int forVersion,
                                      int dataCodewordsCount) {
    assert(IsSupportedVersion(forVersion) && dataCodewordsCount <= kMaxCodewords);
    assert(segmentPlan.bits + kTerminatorBits + 7 + kAppendSlack <= kBitStringSize);
    // The new stream writes over the old one; whatever of the old is left
    // past the new end is cleared below, so no cell is written twice.
    const int previousLength = bitStringLength;
    bitStringLength = 0;
    AppendHeader(bitString, bitStringLength, streamHeader);
    if (segmentPlan.eciDesignator != 0) {
        AppendEciHeader(bitString, bitStringLength, segmentPlan.eciDesignator);
    }
    for (int s = 0; s < segmentPlan.count; ++s) {
        const Segment& segment = segmentPlan.segments[s];
        const char* bytes = source.data() + segment.byteStart;
        assert(segment.count < 1 << CountIndicatorBits(segment.mode, forVersion));
        AppendBits(bitString, bitStringLength, ModeIndicatorOf(segment.mode), kModeIndicatorBits);
        AppendBits(bitString, bitStringLength, static_cast<unsigned>(segment.count),
                   CountIndicatorBits(segment.mode, forVersion));
        switch (segment.mode) {
            case Mode::Numeric:
                AppendNumericData(bitString, bitStringLength, segment.length,
                                  [bytes](int i) { return bytes[i] - '0'; });
                break;
            case Mode::Alphanumeric:
                if (streamHeader.fnc1 == Fnc1::None) {
                    AppendAlphanumericData(
                        bitString, bitStringLength, segment.count, [bytes](int i) {
                            return AlphanumericValue(static_cast<unsigned char>(bytes[i]));
                        });
                } else {
                    AppendFnc1AlphanumericData(bytes, segment.bytes, segment.count);
                }
                break;
            case Mode::Byte:
                AppendBytes(bitString, bitStringLength, bytes, segment.bytes);
                break;
            default: {
                const TextCharacter* characters = textCharacters + segment.start;
                for (int i = 0; i < segment.length; ++i) {
                    AppendBits(bitString, bitStringLength, KanjiValueOf(characters[i].kanjiCode),
                               13);
                }
                break;
            }
        }
    }

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
