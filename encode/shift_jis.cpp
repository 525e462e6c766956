// Lookups in the tables scripts/generate-shift-jis-table.py took from glibc
// iconv: a direct row-and-column index for reading codes, and a binary search
// over scalars in ascending order for writing them.
#include "encode/shift_jis.h"

#include <algorithm>
#include <cstdint>

namespace quirvane {
namespace {

#include "encode/shift_jis_table.inc"

constexpr char32_t kFirstHalfWidthKatakana = 0xFF61;
constexpr char32_t kLastHalfWidthKatakana = 0xFF9F;
constexpr int kFirstHalfWidthKatakanaCode = 0xA1;
constexpr int kLastHalfWidthKatakanaCode = 0xDF;

// Index of c in kEntryScalars, or -1 when c has no double-byte code.
int EntryOf(char32_t c) {
    if (c > 0xFFFF) {
        return -1;
    }
    const std::uint16_t* end = kEntryScalars + kEntryCount;
    const std::uint16_t* found = std::lower_bound(kEntryScalars, end, c);
    if (found == end || *found != c) {
        return -1;
    }
    return static_cast<int>(found - kEntryScalars);
}

bool IsContinuationByte(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

int Cp932CodeOf(char32_t c) {
    if (c < 0x80) {
        return static_cast<int>(c);
    }
    if (c >= kFirstHalfWidthKatakana && c <= kLastHalfWidthKatakana) {
        return static_cast<int>(c - kFirstHalfWidthKatakana) + kFirstHalfWidthKatakanaCode;
    }
    const int entry = EntryOf(c);
    return entry < 0 ? -1 : kEntryCodes[entry];
}

char32_t Cp932Decode(int code) {
    if (code >= 0 && code < 0x80) {
        return static_cast<char32_t>(code);
    }
    if (code >= kFirstHalfWidthKatakanaCode && code <= kLastHalfWidthKatakanaCode) {
        return kFirstHalfWidthKatakana + static_cast<char32_t>(code - kFirstHalfWidthKatakanaCode);
    }
    const int lead = code >> 8;
    const int trail = code & 0xFF;
    if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) {
        return 0;
    }
    const std::uint8_t row = kRowOfLead[lead - kFirstLead];
    return row == kNoRow ? 0 : kCells[row][trail - kFirstTrail];
}

int JisX0208CodeOf(char32_t c) {
    const int entry = EntryOf(c);
    if (entry < 0 || ((kJisX0208Entries[entry / 8] >> (entry % 8)) & 1) == 0) {
        return -1;
    }
    return kEntryCodes[entry];
}

int DecodeUtf8(const char* bytes, int length, char32_t& c) {
    if (length <= 0) {
        return 0;
    }
    const auto at = [bytes](int i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    int size = 0;
    char32_t value = 0;
    char32_t smallest = 0;  // below this the sequence is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;  // a continuation byte, C0, C1 or F5-FF
    }
    if (length < size) {
        return 0;
    }
    for (int i = 1; i < size; ++i) {
        if (!IsContinuationByte(at(i))) {
            return 0;
        }
        value = value << 6 | (at(i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    c = value;
    return size;
}

}  // namespace quirvane
