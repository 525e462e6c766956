#include <quirvane/input_text.h>

namespace quirvane {
namespace {

bool IsContinuationByte(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the sequence a lead byte opens, or 0 when it opens none.
int SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The lead bytes E0, ED, F0 and F4 narrow the range of the byte after them.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0;
        case 0xED:
            return second <= 0x9F;
        case 0xF0:
            return second >= 0x90;
        case 0xF4:
            return second <= 0x8F;
        default:
            return true;
    }
}

}  // namespace

std::string JoinLinesWithCrLf(std::string_view fileBytes) {
    std::string text;
    text.reserve(fileBytes.size() + fileBytes.size() / 16);
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t feed = fileBytes.find('\n', start);
        if (feed == std::string_view::npos) {
            text.append(fileBytes.substr(start));
            break;
        }
        std::size_t end = feed;
        if (end > start && fileBytes[end - 1] == '\r') {
            --end;
        }
        text.append(fileBytes.substr(start, end - start));
        text.append("\r\n");
        start = feed + 1;
    }
    return text;
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

int Utf8SafeCut(std::string_view text, int limit) {
    if (limit <= 0 || static_cast<std::size_t>(limit) >= text.size()) {
        return limit;
    }
    const auto at = [&](int i) {
        return static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
    };
    if (!IsContinuationByte(at(limit))) {
        return limit;
    }
    for (int lead = limit - 1; lead >= 0 && lead >= limit - 3; --lead) {
        if (IsContinuationByte(at(lead))) {
            continue;
        }
        const int length = SequenceLength(at(lead));
        if (length == 0 || lead + length <= limit ||
            static_cast<std::size_t>(lead + length) > text.size()) {
            return limit;
        }
        for (int i = lead + 1; i < lead + length; ++i) {
            if (!IsContinuationByte(at(i))) {
                return limit;
            }
        }
        if (!SecondByteFits(at(lead), at(lead + 1))) {
            return limit;  // overlong, surrogate or beyond U+10FFFF: not a character
        }
        return lead;
    }
    return limit;
}

}  // namespace quirvane
