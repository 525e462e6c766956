// CreateSymbol: the public Encoder's generation command. A window mode goes
// the window's way, one segment straight from the bytes (after an ECI header
// when asked), so that an explicit version and mask give exactly the
// window's symbol; Kanji and automatic mode read the text's characters and
// plan their segments. The version is the one asked for or the smallest that
// holds the whole text, the mask the one asked for or the lowest penalty.
#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

#include "encode/encoder_state.h"
#include "encode/mode_table.h"
#include "encode/shift_jis.h"
#include "encode/symbol_access.h"

namespace quirvane {

RequestField InvalidField(const Request& r) {
    if (static_cast<int>(r.mode) > static_cast<int>(Mode::Auto)) {
        return RequestField::Mode;
    }
    if (static_cast<int>(r.level) > static_cast<int>(Level::H)) {
        return RequestField::Level;
    }
    if (r.version != kVersionAuto && !IsSupportedVersion(r.version)) {
        return RequestField::Version;
    }
    if (!IsSupportedVersion(r.minVersion) || !IsSupportedVersion(r.maxVersion) ||
        r.minVersion > r.maxVersion) {
        return RequestField::VersionBounds;
    }
    if (r.mask != kMaskAuto && !IsSupportedMask(r.mask)) {
        return RequestField::Mask;
    }
    if (static_cast<int>(r.byteEncoding) > static_cast<int>(ByteEncoding::ShiftJis)) {
        return RequestField::ByteEncoding;
    }
    if (r.eci != 0 && (r.mode != Mode::Byte || r.eci < 0 || r.eci > kLargestEciDesignator)) {
        return RequestField::Eci;
    }
    const bool industry = r.fnc1 == Fnc1::Industry;
    if (static_cast<int>(r.fnc1) > static_cast<int>(Fnc1::Industry) ||
        (r.fnc1 != Fnc1::None && r.mode != Mode::Auto) ||
        (industry && !IsApplicationIndicator(r.applicationIndicator))) {
        return RequestField::Fnc1;
    }
    return RequestField::None;
}

int ReadTextCharacter(std::string_view text, std::size_t at, Fnc1 fnc1, TextCharacter& c) {
    const int left = static_cast<int>(std::min<std::size_t>(text.size() - at, 4));
    const int length = DecodeUtf8(text.data() + at, left, c.code);
    if (length == 0) {
        return 0;
    }
    c.byteLength = static_cast<std::uint8_t>(length);
    const int kanji = c.code < 0x80 ? 0 : JisX0208CodeOf(c.code);
    c.kanjiCode = static_cast<std::uint16_t>(kanji > 0 ? kanji : 0);
    // An FNC1 symbol writes the separator GS as `%` and a `%` as `%%`. A GS
    // before another GS or a `%` would make `%%`, which reads as a `%`: such a
    // GS goes in a byte segment instead.
    const bool fnc1Text = fnc1 != Fnc1::None;
    const std::size_t next = at + static_cast<std::size_t>(length);
    const bool gsAlone = next == text.size() || (text[next] != 0x1D && text[next] != '%');
    c.alphanumericLength = static_cast<std::uint8_t>(fnc1Text && c.code == U'%'       ? 2
                                                     : fnc1Text && c.code == 0x1D     ? gsAlone
                                                     : AlphanumericValue(c.code) >= 0 ? 1
                                                                                      : 0);
    return length;
}

namespace {

Result Refused(Outcome outcome) {
    Result result;
    result.outcome = outcome;
    return result;
}

bool IsShiftJisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Characters of a byte-mode text. In Shift_JIS a lead byte takes the byte
// after it; in UTF-8 a well-formed character is one, and so is each byte
// that starts none. Eight ASCII bytes at a time, since long texts are mostly
// ASCII and this runs on every symbol.
int CountCharacters(std::string_view text, ByteEncoding encoding) {
    int count = 0;
    std::size_t at = 0;
    if (encoding == ByteEncoding::ShiftJis) {
        for (; at < text.size(); ++count) {
            at += IsShiftJisLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2
                                                                                               : 1;
        }
        return count;
    }
    while (at < text.size()) {
        std::uint64_t eight = 0;
        if (text.size() - at >= 8 &&
            (std::memcpy(&eight, text.data() + at, 8), (eight & 0x8080808080808080ULL) == 0)) {
            count += 8;
            at += 8;
            continue;
        }
        char32_t ignored = 0;
        const int left = static_cast<int>(std::min<std::size_t>(text.size() - at, 4));
        const int length = DecodeUtf8(text.data() + at, left, ignored);
        at += static_cast<std::size_t>(length > 0 ? length : 1);
        ++count;
    }
    return count;
}

int DataBitsOf(int version, int level) {
    return 8 * FindSymbolParameters(version, level).dataCodewords;
}

int ClampToInt(long long value) {
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

Result EncoderState::CreateSymbol(std::string_view text, const Request& request) {
    ClearWorkingCopies();
    if (const RequestField field = InvalidField(request); field != RequestField::None) {
        Result result = Refused(Outcome::InvalidRequest);
        result.field = field;
        return result;
    }
    streamHeader = StreamHeader{};
    streamHeader.fnc1 = request.fnc1;
    streamHeader.applicationIndicator = request.applicationIndicator;
    // FNC1 symbols carry no ECI: their ASCII text goes in the plain family.
    planFamily = request.fnc1 != Fnc1::None ? Family::Plain : Family::Either;
    return request.mode == Mode::Kanji || request.mode == Mode::Auto
               ? EncodeCharacters(text, request)
               : EncodeSingleMode(text, request);
}

Result EncoderState::EncodeSingleMode(std::string_view text, const Request& request) {
    const Mode mode = request.mode;
    const int level = LevelNumberOf(request.level);
    const int prefixBits = request.eci != 0 ? EciHeaderBits(request.eci) : 0;
    const auto capacity = [&](int version) {
        return SingleSegmentCapacity(
            mode, version, FindSymbolParameters(version, level).dataCodewords, prefixBits);
    };
    CopyInput(text);
    const int available = std::min(inputByteCount, kInputCopySize - 1);

    int version = request.version;
    if (version == kVersionAuto) {
        for (int v = request.minVersion; v <= request.maxVersion && version == 0; ++v) {
            version = capacity(v) >= available ? v : 0;
        }
    }
    const int tried = version != kVersionAuto ? version : request.maxVersion;
    if (version == kVersionAuto || (!request.cutToFit && available > capacity(version))) {
        Result result = Refused(Outcome::TooLong);
        const int held = CutPoint(capacity(tried), mode, request.byteEncoding);
        result.charactersHeld =
            CountCharacters(text.substr(0, static_cast<std::size_t>(held)), request.byteEncoding);
        result.charactersTotal = CountCharacters(text, request.byteEncoding);
        const long long units = static_cast<long long>(text.size());
        const long long dataBits = mode == Mode::Numeric        ? (units * 10 + 2) / 3
                                   : mode == Mode::Alphanumeric ? (units * 11 + 1) / 2
                                                                : units * 8;
        result.bitsOver =
            ClampToInt(prefixBits + kModeIndicatorBits + CountIndicatorBits(mode, tried) +
                       dataBits - DataBitsOf(tried, level));
        return result;
    }

    const int count = CutPoint(capacity(version), mode, request.byteEncoding);
    std::memcpy(dataText, inputCopy, static_cast<std::size_t>(count));
    dataCharacterCount = count;
    for (int i = 0; i < count && mode != Mode::Byte; ++i) {
        const auto c = static_cast<unsigned char>(dataText[i]);
        const bool valid = mode == Mode::Numeric ? IsDigit(c) : AlphanumericValue(c) >= 0;
        if (!valid) {
            Result result =
                Refused(mode == Mode::Numeric ? Outcome::NotNumeric : Outcome::NotAlphanumeric);
            result.position = i + 1;
            result.byteOffset = i;
            result.character = c;
            return result;
        }
    }

    const std::string_view data(dataText, static_cast<std::size_t>(count));
    const int characters = mode == Mode::Byte ? CountCharacters(data, request.byteEncoding) : count;
    const int total =
        count == inputByteCount
            ? characters
            : characters + CountCharacters(text.substr(static_cast<std::size_t>(count)),
                                           request.byteEncoding);
    PlanOneSegment(mode, characters, count, request.eci, version, segmentPlan);
    symbolParameters = FindSymbolParameters(version, level);
    BuildDataCodewords(data, version, symbolParameters.dataCodewords);
    BuildSymbol(version, level, request.mask);
    return Finish(request, version, characters, total);
}

bool EncoderState::ReadTextCharacters(std::string_view text, const Request& request,
                                      Result& result) {
    textCharacterCount = 0;
    textCharacterTotal = 0;
    for (std::size_t at = 0; at < text.size(); ++textCharacterTotal) {
        TextCharacter c{};
        const int length = ReadTextCharacter(text, at, request.fnc1, c);
        const Outcome refusal = length == 0 ? Outcome::NotUtf8
                                : request.mode == Mode::Kanji && c.kanjiCode == 0
                                    ? Outcome::NotKanji
                                : request.fnc1 != Fnc1::None && c.code >= 0x80 ? Outcome::NotAscii
                                                                               : Outcome::Created;
        if (refusal != Outcome::Created) {
            result = Refused(refusal);
            result.position = textCharacterTotal + 1;
            result.byteOffset = static_cast<int>(std::min<std::size_t>(at, INT_MAX));
            result.character = length == 0 ? static_cast<unsigned char>(text[at]) : c.code;
            return false;
        }
        if (textCharacterCount < kMaxSegmentCharacters) {
            textCharacters[textCharacterCount++] = c;
        }
        at += static_cast<std::size_t>(length);
    }
    return true;
}

bool EncoderState::PlanFirst(int characters, int version, const Request& request) {
    if (characters > textCharacterCount) {
        return false;  // longer than any symbol holds
    }
    if (request.mode == Mode::Auto && characters > 0) {
        return PlanSegments(textCharacters, characters, version, planFamily, segmentScratch,
                            segmentPlan);
    }
    // One segment: Kanji, or an empty text written as the window writes it,
    // an empty byte segment.
    int bytes = 0;
    for (int i = 0; i < characters; ++i) {
        bytes += textCharacters[i].byteLength;
    }
    PlanOneSegment(request.mode == Mode::Kanji ? Mode::Kanji : Mode::Byte, characters, bytes, 0,
                   version, segmentPlan);
    return true;
}

bool EncoderState::FirstFit(int characters, int version, const Request& request) {
    return PlanFirst(characters, version, request) &&
           segmentPlan.bits + HeaderBits(streamHeader) <=
               DataBitsOf(version, LevelNumberOf(request.level));
}

int EncoderState::LongestFittingPrefix(int version, const Request& request) {
    // A longer prefix never needs fewer bits, so the lengths that fit are
    // those below some bound: find it by halving.
    int fits = 0;
    int fails = textCharacterCount + 1;
    while (fails - fits > 1) {
        const int middle = fits + (fails - fits) / 2;
        (FirstFit(middle, version, request) ? fits : fails) = middle;
    }
    return fits;
}

Result EncoderState::EncodeCharacters(std::string_view text, const Request& request) {
    Result result;
    if (!ReadTextCharacters(text, request, result)) {
        return result;
    }
    const int level = LevelNumberOf(request.level);
    const int total = textCharacterTotal;
    int version = request.version;
    if (version == kVersionAuto) {
        // The best plan is the same for every version of a count-width band,
        // so one plan per band tells which versions of it hold the text.
        int plannedBand = -1;
        bool planned = false;
        for (int v = request.minVersion; v <= request.maxVersion && version == 0; ++v) {
            if (VersionBandOf(v) != plannedBand) {
                planned = PlanFirst(total, v, request);
                plannedBand = VersionBandOf(v);
            }
            version = planned && segmentPlan.bits + HeaderBits(streamHeader) <= DataBitsOf(v, level)
                          ? v
                          : 0;
        }
    } else if (!request.cutToFit && !FirstFit(total, version, request)) {
        version = kVersionAuto;
    }
    if (version == kVersionAuto) {
        const int tried = request.version != kVersionAuto ? request.version : request.maxVersion;
        result = Refused(Outcome::TooLong);
        result.charactersTotal = total;
        result.charactersHeld = LongestFittingPrefix(tried, request);
        // Beyond the characters kept, the plan of those kept: a lower bound.
        PlanFirst(textCharacterCount, tried, request);
        result.bitsOver = segmentPlan.bits + HeaderBits(streamHeader) - DataBitsOf(tried, level);
        return result;
    }

    const int characters =
        FirstFit(total, version, request) ? total : LongestFittingPrefix(version, request);
    PlanFirst(characters, version, request);
    inputByteCount = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    symbolParameters = FindSymbolParameters(version, level);
    BuildDataCodewords(text, version, symbolParameters.dataCodewords);
    BuildSymbol(version, level, request.mask);
    return Finish(request, version, characters, total);
}

Result EncoderState::Finish(const Request& request, int version, int charactersEncoded,
                            int charactersTotal) {
    Result result;
    result.outcome = Outcome::Created;
    result.symbol =
        SymbolAccess::Make(symbolMatrix, SideOf(version), version, request.level, symbolMask,
                           segmentPlan.eciDesignator,
                           std::span<const Segment>(segmentPlan.segments,
                                                    static_cast<std::size_t>(segmentPlan.count)));
    result.charactersEncoded = charactersEncoded;
    result.charactersLeftOut = charactersTotal - charactersEncoded;
    result.statistics = StatisticsOfSymbol();
    return result;
}

}  // namespace quirvane
