// CreateSymbol: the generation command for what the window cannot ask. A
// window mode without an ECI goes through the window's own steps, at the
// version chosen here, so that it gives exactly the window's symbol; Kanji
// mode, the automatic mix and byte mode with an ECI are written as segments
// over the text's characters. The version is the one asked for (the text cut
// to what it holds) or the smallest that holds the whole text; the mask the
// one asked for or the one with the lowest penalty.
#include <climits>
#include <cstdio>
#include <cstring>

#include <quirvane/encoder.h>
#include <quirvane/shift_jis.h>
#include <quirvane/text_cut.h>

namespace quirvane {
namespace {

constexpr char kLevelLetters[] = "LMQH";

void Refuse(GenerationResult& result, GenerationOutcome outcome, const char* message) {
    result.outcome = outcome;
    std::snprintf(result.message, sizeof result.message, "%s", message);
}

// Bytes of the character at `at` of a byte-mode text: 2 for a Shift_JIS
// double-byte character, 1-4 for a UTF-8 one; 1 for a byte that opens none.
int CharacterLength(std::string_view text, std::size_t at, TextEncoding encoding) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (encoding == TextEncoding::ShiftJis) {
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        return doubleByte && at + 1 < text.size() ? 2 : 1;
    }
    char32_t ignored = 0;
    const int length = DecodeUtf8(
        text.data() + at, static_cast<int>(text.size() - at > 4 ? 4 : text.size() - at), ignored);
    return length > 0 ? length : 1;
}

int CountCharacters(std::string_view text, TextEncoding encoding) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        at += static_cast<std::size_t>(CharacterLength(text, at, encoding));
    }
    return count;
}

int DataBitsOf(int version, int level) {
    return 8 * FindSymbolParameters(version, level)->dataCodewords;
}

// The smallest version within the request's bounds whose capacity in a
// window mode holds `units` (bytes or characters), or 0.
int SmallestVersionHolding(int units, int mode, const SymbolRequest& request) {
    for (int v = request.minVersion; v <= request.maxVersion; ++v) {
        if (CapacityOf(*FindSymbolParameters(v, request.errorCorrectionLevel), mode) >= units) {
            return v;
        }
    }
    return 0;
}

void RefuseTooLong(GenerationResult& result, int leftOut, int version, int level, int held,
                   int total) {
    result.outcome = GenerationOutcome::DoesNotFit;
    std::snprintf(result.message, sizeof result.message,
                  "the text is %d character%s too long: version %d-%c holds the first %d of its %d",
                  leftOut, leftOut == 1 ? "" : "s", version, kLevelLetters[level - kLevelL], held,
                  total);
}

}  // namespace

bool EncoderState::ReadTextCharacters(std::string_view text, const SymbolRequest& request,
                                      GenerationResult& result) {
    textCharacterCount = 0;
    textCharacterTotal = 0;
    const bool bytes = request.characterMode == kModeByte;
    for (std::size_t at = 0; at < text.size(); ++textCharacterTotal) {
        TextCharacter c{};
        if (bytes) {
            c.code = static_cast<unsigned char>(text[at]);
            c.utf8Length =
                static_cast<std::uint8_t>(CharacterLength(text, at, request.byteEncoding));
        } else {
            const int left = static_cast<int>(text.size() - at > 4 ? 4 : text.size() - at);
            const int length = DecodeUtf8(text.data() + at, left, c.code);
            if (length == 0) {
                std::snprintf(result.message, sizeof result.message,
                              "the text is not UTF-8: byte %zu is no character's", at + 1);
                result.outcome = GenerationOutcome::NotUtf8;
                return false;
            }
            c.utf8Length = static_cast<std::uint8_t>(length);
            const int kanji = JisX0208CodeOf(c.code);
            c.kanjiCode = static_cast<std::uint16_t>(kanji > 0 ? kanji : 0);
            if (request.characterMode == kModeKanji && c.kanjiCode == 0) {
                std::snprintf(result.message, sizeof result.message,
                              "Kanji mode cannot write character %d, \"%.*s\" (U+%04X): it is "
                              "not a JIS X 0208 character",
                              textCharacterTotal + 1, length, text.data() + at,
                              static_cast<unsigned>(c.code));
                result.outcome = GenerationOutcome::NotKanji;
                return false;
            }
        }
        if (textCharacterCount < kMaxSegmentCharacters) {
            textCharacters[textCharacterCount++] = c;
        }
        at += c.utf8Length;
    }
    return true;
}

bool EncoderState::PlanFirst(int characters, int version, const SymbolRequest& request) {
    if (characters > textCharacterCount) {
        return false;  // longer than any symbol holds
    }
    const bool automatic = request.characterMode == kModeAuto;
    if (automatic && characters > 0) {
        return PlanSegments(textCharacters, characters, version, segmentScratch, segmentPlan);
    }
    // One segment: Kanji, bytes after an ECI, or an empty text written as the
    // window writes it, an empty byte segment.
    const SegmentMode mode =
        request.characterMode == kModeKanji ? SegmentMode::Kanji : SegmentMode::Byte;
    int bytes = 0;
    for (int i = 0; i < characters; ++i) {
        bytes += textCharacters[i].utf8Length;
    }
    const int count = mode == SegmentMode::Byte ? bytes : characters;
    const int countBits = CountIndicatorBits(mode, version);
    if (count >= 1 << countBits) {
        return false;
    }
    segmentPlan.eci = request.eciDesignator != 0;
    segmentPlan.count = 1;
    segmentPlan.segments[0] = Segment{mode, 0, characters};
    segmentPlan.bits = (segmentPlan.eci ? EciHeaderBits(request.eciDesignator) : 0) +
                       kModeIndicatorBits + countBits + SegmentDataBits(mode, characters, bytes);
    return true;
}

bool EncoderState::FirstFit(int characters, int version, const SymbolRequest& request) {
    return PlanFirst(characters, version, request) &&
           segmentPlan.bits <= DataBitsOf(version, request.errorCorrectionLevel);
}

int EncoderState::LongestFittingPrefix(int version, const SymbolRequest& request) {
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

GenerationResult EncoderState::CreateSymbol(std::string_view text, const SymbolRequest& request) {
    GenerationResult result;
    ClearWorkingCopies();
    if (!IsValidRequest(request)) {
        Refuse(result, GenerationOutcome::UnsupportedSettings,
               "文字種別、バージョン、誤り訂正レベル、マスクの指定が範囲外です");
        return result;
    }
    const int mode = request.characterMode;
    const int level = request.errorCorrectionLevel;
    const TextEncoding encoding = request.byteEncoding;

    if (IsSupportedMode(mode) && request.eciDesignator == 0) {
        const int units =
            static_cast<int>(text.size() < kInputCopySize ? text.size() : kInputCopySize);
        int version = request.version;
        if (version == kVersionAuto) {
            version = SmallestVersionHolding(units, mode, request);
            if (version == 0) {
                const int capacity =
                    CapacityOf(*FindSymbolParameters(request.maxVersion, level), mode);
                const std::string_view kept = text.substr(
                    0, static_cast<std::size_t>(mode == kModeByte
                                                    ? (encoding == TextEncoding::ShiftJis
                                                           ? ShiftJisSafeCut(text, capacity)
                                                           : Utf8SafeCut(text, capacity))
                                                    : capacity));
                const int held = CountCharacters(kept, encoding);
                const int total = held + CountCharacters(text.substr(kept.size()), encoding);
                RefuseTooLong(result, total - held, request.maxVersion, level, held, total);
                return result;
            }
        }
        result = EncodeOneMode(text, encoding, mode, version, level, request.maskReference);
        if (result.Created()) {
            result.charactersLeftOut = CountCharacters(
                text.substr(static_cast<std::size_t>(dataCharacterCount)), encoding);
        }
        return result;
    }

    if (!ReadTextCharacters(text, request, result)) {
        return result;
    }
    const int total = textCharacterTotal;
    int version = request.version;
    int characters = total;
    if (version != kVersionAuto) {
        if (!FirstFit(total, version, request)) {
            characters = LongestFittingPrefix(version, request);
        }
    } else {
        // The best plan is the same for every version of a count-width band,
        // so one plan per band tells which versions of it hold the text.
        version = 0;
        int plannedBand = -1;
        bool planned = false;
        for (int v = request.minVersion; v <= request.maxVersion && version == 0; ++v) {
            const int band = v <= 9 ? 0 : v <= 26 ? 1 : 2;
            if (band != plannedBand) {
                planned = PlanFirst(total, v, request);
                plannedBand = band;
            }
            if (planned && segmentPlan.bits <= DataBitsOf(v, level)) {
                version = v;
            }
        }
        if (version == 0) {
            const int held = LongestFittingPrefix(request.maxVersion, request);
            RefuseTooLong(result, total - held, request.maxVersion, level, held, total);
            return result;
        }
    }
    PlanFirst(characters, version, request);
    dataCharacterCount = characters;

    symbolParameters = *FindSymbolParameters(version, level);
    inputByteCount = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    const int designator = request.eciDesignator != 0 ? request.eciDesignator : kEciUtf8;
    BuildSegmentCodewords(text, designator, version, symbolParameters.dataCodewords);
    result.version = version;
    result.mask = BuildSymbol(version, level, request.maskReference);
    result.charactersLeftOut = total - characters;
    WriteStatistics(result);
    return result;
}

}  // namespace quirvane
