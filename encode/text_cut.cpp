#include "encode/text_cut.h"

#include "encode/shift_jis.h"

namespace quirvane {

int Utf8SafeCut(std::string_view text, int limit) {
    if (limit <= 0 || static_cast<std::size_t>(limit) >= text.size()) {
        return limit;
    }
    // A character is at most 4 bytes: one that the limit cuts through starts
    // at most 3 bytes before it.
    for (int start = limit - 1; start >= 0 && start >= limit - 3; --start) {
        char32_t ignored = 0;
        const int left = static_cast<int>(text.size()) - start;
        const int length = DecodeUtf8(text.data() + start, left < 4 ? left : 4, ignored);
        if (length > 0) {
            return start + length > limit ? start : limit;
        }
    }
    return limit;
}

int ShiftJisSafeCut(std::string_view text, int limit) {
    if (limit <= 0 || static_cast<std::size_t>(limit) >= text.size()) {
        return limit;
    }
    int i = 0;
    while (i < limit) {
        const auto lead = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        const int length = doubleByte ? 2 : 1;
        if (i + length > limit) {
            return i;
        }
        i += length;
    }
    return limit;
}

}  // namespace quirvane
