// Structured append: a text over 2-16 symbols of one version and level, each
// opening with a header that names its position, the number of symbols and
// the parity of the whole message. The message is read once, to choose the
// family every part is planned in (the plain one whenever the whole text
// allows it, so that the parts' bytes join into one Shift_JIS text; else
// UTF-8, each part opening with its own ECI 26 so that it reads alone too)
// and to work out the parity of its bytes in that family. The text is then
// cut greedily, each part the longest run of whole characters that fits:
// no cut needs fewer symbols.
#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

#include "encode/encoder_state.h"
#include "encode/symbol_access.h"

namespace quirvane {
namespace {

// More symbols than this are only counted as "too many".
constexpr int kMostPartsCounted = 999;

Result Refused(Outcome outcome) {
    Result result;
    result.outcome = outcome;
    return result;
}

}  // namespace

int EncoderState::ReadCharactersFrom(std::string_view text, std::size_t at, int most) {
    textCharacterCount = 0;
    while (at < text.size() && textCharacterCount < most) {
        TextCharacter& c = textCharacters[textCharacterCount++];
        c = TextCharacter{};
        const int length = ReadTextCharacter(text, at, Fnc1::None, c);
        assert(length > 0);  // the whole text was read as UTF-8 first
        at += static_cast<std::size_t>(length);
    }
    return textCharacterCount;
}

// The parts of a greedy cut at `version`, counted up to `most` + 1; with
// `ends`, where each part ends, in bytes, and its characters. INT_MAX when
// one character alone does not fit a symbol.
int EncoderState::SplitIntoParts(std::string_view text, int version, const Request& request,
                                 int most, std::size_t* ends, int* characters) {
    // No character takes fewer bits than a digit, so a part never holds more
    // characters than the version holds digits: only those are read.
    const int level = LevelNumberOf(request.level);
    const int longest = std::min(
        kMaxSegmentCharacters, CapacityOf(FindSymbolParameters(version, level), kModeNumeric) + 1);
    std::size_t at = 0;
    int parts = 0;
    while (at < text.size() && parts <= most) {
        ReadCharactersFrom(text, at, longest);
        const int fitting = LongestFittingPrefix(version, request);
        if (fitting == 0) {
            return INT_MAX;
        }
        for (int i = 0; i < fitting; ++i) {
            at += textCharacters[i].byteLength;
        }
        if (ends != nullptr && parts < kMostParts) {
            ends[parts] = at;
            characters[parts] = fitting;
        }
        ++parts;
    }
    return parts;
}

Result EncoderState::CreateParts(std::string_view text, const Request& request, int parts,
                                 PartStore& store) {
    ClearWorkingCopies();
    RequestField field = InvalidField(request);
    if (field == RequestField::None && request.mode != Mode::Auto) {
        field = RequestField::Mode;
    } else if (field == RequestField::None && request.fnc1 != Fnc1::None) {
        field = RequestField::Fnc1;
    } else if (field == RequestField::None && parts != 0 && (parts < 2 || parts > kMostParts)) {
        field = RequestField::Parts;
    }
    if (field != RequestField::None) {
        Result result = Refused(Outcome::InvalidRequest);
        result.field = field;
        return result;
    }

    // The whole message: UTF-8, its family, its parity in either family.
    bool kanji = false;
    bool yenOrOverline = false;
    bool utf8Only = false;
    int plainParity = 0;
    int utf8Parity = 0;
    int total = 0;
    for (std::size_t at = 0; at < text.size(); ++total) {
        TextCharacter c{};
        const int length = ReadTextCharacter(text, at, Fnc1::None, c);
        if (length == 0) {
            Result result = Refused(Outcome::NotUtf8);
            result.position = total + 1;
            result.byteOffset = static_cast<int>(std::min<std::size_t>(at, INT_MAX));
            result.character = static_cast<unsigned char>(text[at]);
            return result;
        }
        if (c.code < 0x80) {
            yenOrOverline = yenOrOverline || c.code == U'\\' || c.code == U'~';
            plainParity ^= static_cast<int>(c.code);
        } else if (IsKanjiModeCode(c.kanjiCode)) {
            kanji = true;
            plainParity ^= (c.kanjiCode >> 8) ^ (c.kanjiCode & 0xFF);
        } else {
            utf8Only = true;
        }
        for (int i = 0; i < length; ++i) {
            utf8Parity ^= static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        }
        at += static_cast<std::size_t>(length);
    }
    const bool plain = !utf8Only && !(kanji && yenOrOverline);
    planFamily = plain ? Family::Plain : Family::Utf8;
    streamHeader = StreamHeader{};
    streamHeader.partCount = kMostParts;  // any count: the header's length is what counts here
    streamHeader.parity = plain ? plainParity : utf8Parity;
    const int wanted = parts == 0 ? 2 : parts;
    if (total < wanted) {
        Result result = Refused(Outcome::InvalidRequest);
        result.field = RequestField::Parts;
        result.charactersTotal = total;
        return result;
    }

    const int level = LevelNumberOf(request.level);
    const int largest = request.version != kVersionAuto ? request.version : request.maxVersion;
    const int fewest = SplitIntoParts(text, largest, request, kMostPartsCounted, nullptr, nullptr);
    if (fewest > (parts == 0 ? kMostParts : parts)) {
        Result result = Refused(Outcome::TooLong);
        result.charactersTotal = total;
        result.partsNeeded = fewest == INT_MAX ? 0 : fewest;
        return result;
    }
    const int target = std::max(fewest, wanted);
    int version = request.version;
    // The smallest version whose cut needs no more than the target, tried in
    // turn: a larger version can hold less where its count fields widen.
    for (int v = request.minVersion; version == kVersionAuto; ++v) {
        version =
            SplitIntoParts(text, v, request, target, nullptr, nullptr) <= target ? v : kVersionAuto;
    }
    std::size_t ends[kMostParts];
    int characters[kMostParts];
    int count = SplitIntoParts(text, version, request, target, ends, characters);
    assert(count <= target);
    // Fewer parts than asked: halve the part of the most characters. Either
    // half of a part that fits fits too.
    while (count < target) {
        const int widest =
            static_cast<int>(std::max_element(characters, characters + count) - characters);
        const std::size_t start = widest == 0 ? 0 : ends[widest - 1];
        ReadCharactersFrom(text, start, characters[widest]);
        const int half = characters[widest] / 2;
        std::size_t middle = start;
        for (int i = 0; i < half; ++i) {
            middle += textCharacters[i].byteLength;
        }
        std::copy_backward(ends + widest, ends + count, ends + count + 1);
        std::copy_backward(characters + widest, characters + count, characters + count + 1);
        ends[widest] = middle;
        characters[widest] = half;
        characters[widest + 1] -= half;
        ++count;
    }

    const int side = SideOf(version);
    streamHeader.partCount = count;
    symbolParameters = FindSymbolParameters(version, level);
    for (int i = 0; i < count; ++i) {
        const std::size_t start = i == 0 ? 0 : ends[i - 1];
        streamHeader.partPosition = i;
        ReadCharactersFrom(text, start, characters[i]);
        const bool fits = FirstFit(characters[i], version, request);
        assert(fits);
        static_cast<void>(fits);
        inputByteCount = static_cast<int>(ends[i] - start);
        BuildDataCodewords(text.substr(start), version, symbolParameters.dataCodewords);
        BuildSymbol(version, level, request.mask);
        for (int r = 0; r < side; ++r) {
            std::memcpy(store.cells[i] + r * side, symbolMatrix + r * kPlaneStride,
                        static_cast<std::size_t>(side));
        }
        store.symbols[i] = SymbolAccess::Make(store.cells[i], side, version, request.level,
                                              symbolMask, segmentPlan.eciDesignator, {}, side);
    }
    Result result;
    result.outcome = Outcome::Created;
    result.symbol = store.symbols[0];
    result.parts = std::span<const Symbol>(store.symbols, static_cast<std::size_t>(count));
    result.charactersEncoded = total;
    result.statistics.inputBytes = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    return result;
}

}  // namespace quirvane
