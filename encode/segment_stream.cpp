// The bit stream of a segment plan: an optional ECI header, then each segment
// with its mode indicator, character count and data bits, then the
// terminator, the fill and the pad codewords as for a single mode.
#include <quirvane/encoder.h>

#include "encode/bit_string.h"

namespace quirvane {
namespace {

constexpr unsigned kEciIndicator = 0b0111;

unsigned ModeIndicatorOf(SegmentMode mode) {
    switch (mode) {
        case SegmentMode::Numeric:
            return 0b0001;
        case SegmentMode::Alphanumeric:
            return 0b0010;
        case SegmentMode::Byte:
            return 0b0100;
        default:
            return 0b1000;
    }
}

// Kanji mode writes a Shift_JIS double-byte code in 13 bits: the offset from
// the start of its range, high byte times 0xC0 plus low byte.
unsigned KanjiValueOf(std::uint16_t code) {
    const unsigned offset = code <= 0x9FFC ? code - 0x8140U : code - 0xC140U;
    return (offset >> 8) * 0xC0 + (offset & 0xFF);
}

}  // namespace

void EncoderState::BuildSegmentCodewords(std::string_view source, int eciDesignator, int version,
                                         int dataCodewordsCount) {
    const int previousLength = StartStream();
    if (segmentPlan.eci) {
        AppendBits(bitString, bitStringLength, kEciIndicator, 4);
        // One, two or three bytes, told apart by their leading bits 0, 10, 110.
        if (eciDesignator < 128) {
            AppendBits(bitString, bitStringLength, static_cast<unsigned>(eciDesignator), 8);
        } else if (eciDesignator < 16384) {
            AppendBits(bitString, bitStringLength, 0x8000U | static_cast<unsigned>(eciDesignator),
                       16);
        } else {
            AppendBits(bitString, bitStringLength, 0xC00000U | static_cast<unsigned>(eciDesignator),
                       24);
        }
    }
    std::size_t offset = 0;  // of the segment's first byte in source
    for (int s = 0; s < segmentPlan.count; ++s) {
        const Segment& segment = segmentPlan.segments[s];
        const TextCharacter* chars = textCharacters + segment.start;
        int bytes = 0;
        for (int i = 0; i < segment.length; ++i) {
            bytes += chars[i].utf8Length;
        }
        AppendBits(bitString, bitStringLength, ModeIndicatorOf(segment.mode), 4);
        const int count = segment.mode == SegmentMode::Byte ? bytes : segment.length;
        AppendBits(bitString, bitStringLength, static_cast<unsigned>(count),
                   CountIndicatorBits(segment.mode, version));
        switch (segment.mode) {
            case SegmentMode::Numeric:
                AppendNumericData(bitString, bitStringLength, segment.length, [chars](int i) {
                    return static_cast<int>(chars[i].code - U'0');
                });
                break;
            case SegmentMode::Alphanumeric:
                AppendAlphanumericData(bitString, bitStringLength, segment.length, [chars](int i) {
                    return AlphanumericValue(static_cast<unsigned char>(chars[i].code));
                });
                break;
            case SegmentMode::Byte:
                AppendBytes(bitString, bitStringLength, source.data() + offset, bytes);
                break;
            case SegmentMode::Kanji:
                for (int i = 0; i < segment.length; ++i) {
                    AppendBits(bitString, bitStringLength, KanjiValueOf(chars[i].kanjiCode), 13);
                }
                break;
        }
        offset += static_cast<std::size_t>(bytes);
    }
    FinishDataCodewords(dataCodewordsCount, previousLength);
}

}  // namespace quirvane
