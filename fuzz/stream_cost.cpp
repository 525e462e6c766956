// Not the encoder's method: it counts in sixths of a bit and rounds when a
// segment closes; this keeps a digit triple's or a pair's position as part of
// the state, so the two can only agree by both being right.
#include "fuzz/stream_cost.h"

#include <algorithm>

#include "fuzz/stream_reader.h"
#include "fuzz/text_reference.h"

namespace quirvane::fuzz {
namespace {

bool IsAlphanumeric(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U' ' || c == U'$' ||
           c == U'%' || c == U'*' || c == U'+' || c == U'-' || c == U'.' || c == U'/' || c == U':';
}

int Add(int cost, int bits) {
    return cost >= kNoStream ? kNoStream : std::min(cost + bits, kNoStream);
}

// The cheapest streams whose last segment is open, by its mode and by how
// many of its characters are past the last whole triple or pair.
struct OpenStreams {
    int numeric[3] = {kNoStream, kNoStream, kNoStream};
    int alphanumeric[2] = {kNoStream, kNoStream};
    int byte = kNoStream;
    int kanji = kNoStream;

    int Cheapest() const {
        return std::min(
            {numeric[0], numeric[1], numeric[2], alphanumeric[0], alphanumeric[1], byte, kanji});
    }
};

}  // namespace

bool ReadCostCharacters(std::string_view text, std::vector<CostCharacter>& characters,
                        std::size_t& badByte) {
    characters.clear();
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const int length = ReadUtf8(text, at, code);
        if (length == 0) {
            badByte = at;
            return false;
        }
        characters.push_back({code, length, KanjiCodeOf(code)});
        at += static_cast<std::size_t>(length);
    }
    return true;
}

std::vector<int> ShortestStreams(const std::vector<CostCharacter>& text, int version, bool eci,
                                 bool fnc1) {
    const int header[4] = {4 + CountFieldBits(kIndicatorNumeric, version),
                           4 + CountFieldBits(kIndicatorAlphanumeric, version),
                           4 + CountFieldBits(kIndicatorByte, version),
                           4 + CountFieldBits(kIndicatorKanji, version)};
    std::vector<int> bits(text.size() + 1, kNoStream);
    bits[0] = eci ? 12 : 0;
    OpenStreams open;
    bool kanjiSeen = false;
    bool yenOrOverlineSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const CostCharacter& c = text[i];
        const int closed = i == 0 ? bits[0] : open.Cheapest();
        const bool ascii = c.code < 0x80;
        const bool kanji = !eci && !ascii && c.kanjiCode != 0;
        kanjiSeen = kanjiSeen || kanji;
        yenOrOverlineSeen = yenOrOverlineSeen || c.code == U'\\' || c.code == U'~';
        OpenStreams next;
        if (c.code >= U'0' && c.code <= U'9') {
            // A segment's digits go 4, 7, 10 bits for one, two, three.
            next.numeric[1] = std::min(Add(open.numeric[0], 4), Add(closed, header[0] + 4));
            next.numeric[2] = Add(open.numeric[1], 3);
            next.numeric[0] = Add(open.numeric[2], 3);
        }
        // Under FNC1 `%` is written `%%` and GS `%`, except a GS that a GS
        // or a `%` follows: `%%` would read as `%`.
        const bool separator =
            fnc1 && c.code == 0x1D &&
            (i + 1 == text.size() || (text[i + 1].code != 0x1D && text[i + 1].code != U'%'));
        const int written = fnc1 && c.code == U'%'                ? 2
                            : IsAlphanumeric(c.code) || separator ? 1
                                                                  : 0;
        if (written > 0) {
            // 6 bits for a single character, 11 for a pair.
            next.alphanumeric[1] =
                std::min(Add(open.alphanumeric[0], 6), Add(closed, header[1] + 6));
            next.alphanumeric[0] = Add(open.alphanumeric[1], 5);
            if (written == 2) {
                const OpenStreams one = next;
                next.alphanumeric[1] = Add(one.alphanumeric[0], 6);
                next.alphanumeric[0] = Add(one.alphanumeric[1], 5);
            }
        }
        if (eci || ascii) {
            next.byte = std::min(Add(open.byte, 8 * c.bytes), Add(closed, header[2] + 8 * c.bytes));
        }
        if (kanji) {
            next.kanji = std::min(Add(open.kanji, 13), Add(closed, header[3] + 13));
        }
        open = next;
        const bool plainBroken = !eci && kanjiSeen && yenOrOverlineSeen;
        bits[i + 1] = plainBroken ? kNoStream : open.Cheapest();
    }
    return bits;
}

}  // namespace quirvane::fuzz
