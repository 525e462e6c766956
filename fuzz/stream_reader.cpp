// A reader that stops at the first thing a scanner could not read: an
// unknown mode, a value too large for its group, a Kanji code of no
// character, a segment running past the data, or anything but zeros and the
// two pad codewords after the terminator.
#include "fuzz/stream_reader.h"

#include <cstdio>

#include "fuzz/symbol_geometry.h"
#include "fuzz/text_reference.h"

namespace quirvane::fuzz {
namespace {

constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

struct BitReader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t position = 0;
    bool overrun = false;  // a read went past the last bit

    std::size_t Left() const { return bytes.size() * 8 - position; }
    int Read(int width) {
        if (static_cast<std::size_t>(width) > Left()) {
            overrun = true;
            position = bytes.size() * 8;
            return 0;
        }
        int value = 0;
        for (int k = 0; k < width; ++k, ++position) {
            value = value << 1 | (bytes[position / 8] >> (7 - position % 8) & 1);
        }
        return value;
    }
};

std::string ReadDesignator(BitReader& in, int& designator) {
    const int first = in.Read(8);
    if ((first & 0x80) == 0) {
        designator = first;
    } else if ((first & 0xC0) == 0x80) {
        designator = (first & 0x3F) << 8 | in.Read(8);
    } else if ((first & 0xE0) == 0xC0) {
        designator = (first & 0x1F) << 16 | in.Read(16);
    } else {
        return Format("ECI designator opens with byte 0x%02X", first);
    }
    return {};
}

std::string ReadNumeric(BitReader& in, int count, std::string& text) {
    for (int i = 0; i < count && !in.overrun;) {
        const int digits = count - i >= 3 ? 3 : count - i;
        const int value = in.Read(digits == 3 ? 10 : digits == 2 ? 7 : 4);
        if (value >= (digits == 3 ? 1000 : digits == 2 ? 100 : 10)) {
            return Format("numeric group value %d for %d digits", value, digits);
        }
        for (int k = digits - 1; k >= 0; --k) {
            text += static_cast<char>('0' + value / (k == 2 ? 100 : k == 1 ? 10 : 1) % 10);
        }
        i += digits;
    }
    return {};
}

std::string ReadAlphanumeric(BitReader& in, int count, std::string& text) {
    for (int i = 0; i < count && !in.overrun;) {
        if (count - i >= 2) {
            const int value = in.Read(11);
            if (value >= 45 * 45) {
                return Format("alphanumeric pair value %d", value);
            }
            text += kAlphanumeric[value / 45];
            text += kAlphanumeric[value % 45];
            i += 2;
        } else {
            const int value = in.Read(6);
            if (value >= 45) {
                return Format("alphanumeric value %d", value);
            }
            text += kAlphanumeric[value];
            i += 1;
        }
    }
    return {};
}

std::string ReadKanji(BitReader& in, int count, std::string& text) {
    for (int i = 0; i < count && !in.overrun; ++i) {
        const int value = in.Read(13);
        // The high byte of the offset times 0xC0 plus its low byte, from
        // 0x8140 or, past 0x9FFC, from 0xC140.
        const int offset = (value / 0xC0) << 8 | value % 0xC0;
        const int code = offset + 0x8140 <= 0x9FFC ? offset + 0x8140 : offset + 0xC140;
        const char32_t character = KanjiCharacterOf(code);
        if (character == 0) {
            return Format("Kanji value %d, Shift_JIS 0x%04X, is no JIS X 0208 character", value,
                          code);
        }
        AppendUtf8(text, character);
    }
    return {};
}

}  // namespace

int CountFieldBits(int indicator, int version) {
    static const int widths[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};
    const int row = indicator == kIndicatorNumeric        ? 0
                    : indicator == kIndicatorAlphanumeric ? 1
                    : indicator == kIndicatorByte         ? 2
                                                          : 3;
    return widths[row][version <= 9 ? 0 : version <= 26 ? 1 : 2];
}

std::string ReadDataStream(const std::vector<std::uint8_t>& data, int version, DataStream& stream) {
    BitReader in{data};
    stream = {};
    while (true) {
        if (in.Left() < 4) {
            stream.bits = static_cast<int>(in.position);
            if (in.Read(static_cast<int>(in.Left())) != 0) {
                return "the shortened terminator is not zero";
            }
            break;
        }
        const int start = static_cast<int>(in.position);
        StreamItem item;
        item.indicator = in.Read(4);
        if (item.indicator == 0) {
            stream.bits = start;
            break;
        }
        std::string fault;
        if (item.indicator == kIndicatorEci) {
            fault = ReadDesignator(in, item.value);
        } else if (item.indicator == kIndicatorStructuredAppend) {
            item.value = in.Read(4);
            item.partCount = in.Read(4) + 1;
            item.parity = in.Read(8);
        } else if (item.indicator == kIndicatorFnc1First) {
        } else if (item.indicator == kIndicatorFnc1Second) {
            item.value = in.Read(8);
        } else if (item.indicator == kIndicatorNumeric ||
                   item.indicator == kIndicatorAlphanumeric || item.indicator == kIndicatorByte ||
                   item.indicator == kIndicatorKanji) {
            item.value = in.Read(CountFieldBits(item.indicator, version));
            switch (item.indicator) {
                case kIndicatorNumeric:
                    fault = ReadNumeric(in, item.value, item.text);
                    break;
                case kIndicatorAlphanumeric:
                    fault = ReadAlphanumeric(in, item.value, item.text);
                    break;
                case kIndicatorByte:
                    for (int i = 0; i < item.value && !in.overrun; ++i) {
                        item.text += static_cast<char>(in.Read(8));
                    }
                    break;
                default:
                    fault = ReadKanji(in, item.value, item.text);
                    break;
            }
        } else {
            return Format("mode indicator %d at bit %d", item.indicator, start);
        }
        if (!fault.empty()) {
            return Format("item %zu at bit %d: ", stream.items.size() + 1, start) + fault;
        }
        if (in.overrun) {
            return Format("item %zu at bit %d, mode %d, runs past the %zu data codewords",
                          stream.items.size() + 1, start, item.indicator, data.size());
        }
        stream.items.push_back(std::move(item));
    }
    if (in.Read(static_cast<int>((8 - in.position % 8) % 8)) != 0) {
        return "fill bits to the byte boundary not zero";
    }
    for (int pad = 0; in.Left() > 0; ++pad) {
        if (const int byte = in.Read(8); byte != (pad % 2 == 0 ? 0xEC : 0x11)) {
            return Format("pad codeword %d is 0x%02X", pad, byte);
        }
    }
    return {};
}

}  // namespace quirvane::fuzz
