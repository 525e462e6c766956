// The check of one CreateSymbol run. What the command must do is decided here
// from the request and the text alone: whether it refuses and why, the
// version, how much of the text the symbol holds and how long its stream is;
// then the symbol is read back, segment by segment, and held to that, to the
// rules of its family of segments and, for an automatic mask, to the lowest
// penalty.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/case_checks.h"
#include "fuzz/mask_penalty.h"
#include "fuzz/stream_cost.h"
#include "fuzz/stream_reader.h"
#include "fuzz/symbol_checker.h"
#include "fuzz/text_reference.h"

namespace quirvane::fuzz {
namespace {

constexpr char kLevelLetters[] = "LMQH";

struct Decision {
    GenerationOutcome outcome = GenerationOutcome::Created;
    int version = 0;
    int characters = 0;     // of the text, that the symbol holds
    int total = 0;          // of the whole text
    std::size_t bytes = 0;  // of the text, that the symbol holds
    int bits = 0;           // of the stream, before the terminator
    bool eci = false;       // automatic mode: the stream opens with ECI 26
    // A refusal for length: what the largest version allowed holds, or -1
    // when the cut falls inside a character and the count is not judged.
    int heldAtLargest = -1;
};

bool IsValid(const SymbolRequest& q) {
    const auto version = [](int v) { return v >= 1 && v <= 40; };
    const bool mode = q.characterMode >= kModeByte && q.characterMode <= kModeAuto;
    const bool eci = q.eciDesignator == 0 || (q.characterMode == kModeByte &&
                                              q.eciDesignator >= 1 && q.eciDesignator <= 999999);
    return mode && (q.version == kVersionAuto || version(q.version)) && version(q.minVersion) &&
           version(q.maxVersion) && q.minVersion <= q.maxVersion && q.errorCorrectionLevel >= 1 &&
           q.errorCorrectionLevel <= 4 &&
           (q.maskReference == kMaskAuto || (q.maskReference >= 0 && q.maskReference <= 7)) && eci;
}

int DataBits(int version, int level) {
    return 8 * FindSymbolParameters(version, level)->dataCodewords;
}

// The most characters of a window mode a version holds, from its data bits.
int WindowCapacity(int mode, int version, int level) {
    const int bits = DataBits(version, level) - StreamBits(mode, version, 0);
    if (bits < 0) {
        return 0;
    }
    if (mode == kModeByte) {
        return bits / 8;
    }
    if (mode == kModeAlphanumeric) {
        return 2 * (bits / 11) + (bits % 11 >= 6 ? 1 : 0);
    }
    return 3 * (bits / 10) + (bits % 10 >= 7 ? 2 : bits % 10 >= 4 ? 1 : 0);
}

int EciHeaderBits(int designator) {
    return 4 + (designator < 128 ? 8 : designator < 16384 ? 16 : 24);
}

// The prefix of whole characters within `limit` bytes: characters, bytes.
std::pair<int, std::size_t> WholeCharacters(const std::vector<int>& lengths, std::size_t limit) {
    std::size_t bytes = 0;
    int k = 0;
    for (; k < static_cast<int>(lengths.size()) &&
           bytes + static_cast<std::size_t>(lengths[k]) <= limit;
         ++k) {
        bytes += static_cast<std::size_t>(lengths[k]);
    }
    return {k, bytes};
}

Decision DecideWindowMode(std::string_view text, const SymbolRequest& q) {
    Decision d;
    const int mode = q.characterMode;
    const int level = q.errorCorrectionLevel;
    const std::vector<int> lengths =
        ByteModeCharacters(text, q.byteEncoding == TextEncoding::ShiftJis);
    d.total = static_cast<int>(lengths.size());
    // The number of characters in `bytes` bytes, or -1 when that cuts one.
    const auto charactersIn = [&](std::size_t bytes) {
        const auto [k, whole] = WholeCharacters(lengths, bytes);
        return whole == bytes ? k : -1;
    };
    const auto cutAt = [&](int capacity) {
        const std::size_t limit = std::min(text.size(), static_cast<std::size_t>(capacity));
        return mode == kModeByte ? WholeCharacters(lengths, limit).second : limit;
    };
    d.version = q.version;
    if (q.version == kVersionAuto) {
        d.version = 0;
        for (int v = q.minVersion; v <= q.maxVersion && d.version == 0; ++v) {
            if (static_cast<std::size_t>(WindowCapacity(mode, v, level)) >= text.size()) {
                d.version = v;
            }
        }
        if (d.version == 0) {
            d.outcome = GenerationOutcome::DoesNotFit;
            d.heldAtLargest = charactersIn(cutAt(WindowCapacity(mode, q.maxVersion, level)));
            return d;
        }
    }
    d.bytes = cutAt(WindowCapacity(mode, d.version, level));
    for (char c : text.substr(0, d.bytes)) {
        const bool digit = c >= '0' && c <= '9';
        const bool alphanumeric = digit || (c >= 'A' && c <= 'Z') ||
                                  std::string_view(" $%*+-./:").find(c) != std::string_view::npos;
        if (mode == kModeNumeric && !digit) {
            d.outcome = GenerationOutcome::NotNumeric;
            return d;
        }
        if (mode == kModeAlphanumeric && !alphanumeric) {
            d.outcome = GenerationOutcome::NotAlphanumeric;
            return d;
        }
    }
    // Digits and alphanumerics are single bytes, so the cut is between characters.
    d.characters = charactersIn(d.bytes);
    d.bits = StreamBits(mode, d.version, static_cast<int>(d.bytes));
    return d;
}

// Kanji mode, automatic mode and byte mode with an ECI: the shortest stream
// of each prefix is known, so both the version and the cut follow from it.
Decision DecideSegments(std::string_view text, const SymbolRequest& q) {
    Decision d;
    const int mode = q.characterMode;
    const int level = q.errorCorrectionLevel;
    std::vector<int> prefixBytes{0};
    std::vector<CostCharacter> characters;
    if (mode == kModeByte) {
        for (int length : ByteModeCharacters(text, q.byteEncoding == TextEncoding::ShiftJis)) {
            prefixBytes.push_back(prefixBytes.back() + length);
        }
    } else {
        std::size_t badByte = 0;
        const bool utf8 = ReadCostCharacters(text, characters, badByte);
        for (const CostCharacter& c : characters) {
            if (mode == kModeKanji && c.kanjiCode == 0) {
                d.outcome = GenerationOutcome::NotKanji;
                return d;
            }
            prefixBytes.push_back(prefixBytes.back() + c.bytes);
        }
        if (!utf8) {
            d.outcome = GenerationOutcome::NotUtf8;
            return d;
        }
    }
    d.total = static_cast<int>(prefixBytes.size()) - 1;

    // Stream bits of the first k characters at a version, per band for
    // automatic mode (the two families' shortest streams).
    std::vector<int> plain[3];
    std::vector<int> utf8[3];
    const auto band = [](int v) { return v <= 9 ? 0 : v <= 26 ? 1 : 2; };
    const auto bitsOf = [&](int k, int v) {
        if (mode == kModeKanji) {
            return 4 + CountFieldBits(kIndicatorKanji, v) + 13 * k;
        }
        const int emptyByteSegment = 4 + CountFieldBits(kIndicatorByte, v);
        if (mode == kModeByte) {
            return EciHeaderBits(q.eciDesignator) + emptyByteSegment + 8 * prefixBytes[k];
        }
        if (k == 0) {
            return emptyByteSegment;  // as the window writes an empty text
        }
        const int b = band(v);
        if (plain[b].empty()) {
            plain[b] = ShortestStreams(characters, v, false);
            utf8[b] = ShortestStreams(characters, v, true);
        }
        return std::min(plain[b][k], utf8[b][k]);
    };
    const auto fits = [&](int k, int v) { return bitsOf(k, v) <= DataBits(v, level); };
    const auto longestFitting = [&](int v) {
        int k = d.total;
        while (k > 0 && !fits(k, v)) {
            --k;
        }
        return k;
    };

    d.version = q.version;
    d.characters = d.total;
    if (q.version == kVersionAuto) {
        d.version = 0;
        for (int v = q.minVersion; v <= q.maxVersion && d.version == 0; ++v) {
            if (fits(d.total, v)) {
                d.version = v;
            }
        }
        if (d.version == 0) {
            d.outcome = GenerationOutcome::DoesNotFit;
            d.heldAtLargest = longestFitting(q.maxVersion);
            return d;
        }
    } else {
        d.characters = longestFitting(d.version);
    }
    d.bytes = static_cast<std::size_t>(prefixBytes[d.characters]);
    d.bits = bitsOf(d.characters, d.version);
    if (mode == kModeAuto && d.characters > 0) {
        // On a tie the stream without the ECI, which more readers take.
        const int b = band(d.version);
        d.eci = plain[b][d.characters] > utf8[b][d.characters];
    }
    return d;
}

Decision Decide(std::string_view text, const SymbolRequest& q) {
    if (!IsValid(q)) {
        return {GenerationOutcome::UnsupportedSettings};
    }
    const bool windowMode = q.characterMode <= kModeNumeric && q.eciDesignator == 0;
    return windowMode ? DecideWindowMode(text, q) : DecideSegments(text, q);
}

// "the text is N characters too long: version V-L holds the first H of its T"
std::string CheckTooLongMessage(const GenerationResult& result, const Decision& d,
                                const SymbolRequest& q) {
    if (d.heldAtLargest < 0) {
        return {};
    }
    const std::string_view message = result.message;
    const std::size_t at = message.find("version ");
    int leftOut = 0;
    int version = 0;
    char letter = 0;
    int held = 0;
    int total = 0;
    if (std::sscanf(result.message, "the text is %d character", &leftOut) != 1 ||
        at == std::string_view::npos ||
        std::sscanf(result.message + at, "version %d-%c holds the first %d of its %d", &version,
                    &letter, &held, &total) != 4) {
        return std::string("refusal message unreadable: ") + result.message;
    }
    if (version != q.maxVersion || letter != kLevelLetters[q.errorCorrectionLevel - 1] ||
        held != d.heldAtLargest || total != d.total || leftOut != d.total - d.heldAtLargest) {
        char expected[128];
        std::snprintf(expected, sizeof expected,
                      "; expected %d too long, version %d-%c holding %d of %d",
                      d.total - d.heldAtLargest, q.maxVersion,
                      kLevelLetters[q.errorCorrectionLevel - 1], d.heldAtLargest, d.total);
        return std::string("refusal message \"") + result.message + "\"" + expected;
    }
    return {};
}

std::string Concatenated(const DataStream& stream) {
    std::string text;
    for (const StreamItem& item : stream.items) {
        text += item.text;
    }
    return text;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t ignored = 0;
        const int length = ReadUtf8(text, at, ignored);
        if (length == 0) {
            return false;
        }
        at += static_cast<std::size_t>(length);
    }
    return true;
}

// What may stand in the stream of each kind of request.
std::string CheckItems(const DataStream& stream, const Decision& d, const SymbolRequest& q,
                       std::string_view held) {
    const auto& items = stream.items;
    const int mode = q.characterMode;
    bool eci = false;
    bool kanji = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const StreamItem& item = items[i];
        if (item.indicator == kIndicatorEci) {
            if (i != 0) {
                return "an ECI header after the first item";
            }
            eci = true;
            const int designator = mode == kModeAuto ? 26 : q.eciDesignator;
            if (item.value != designator) {
                return "ECI designator " + std::to_string(item.value) + ", expected " +
                       std::to_string(designator);
            }
        }
        kanji = kanji || item.indicator == kIndicatorKanji;
    }
    const bool windowMode = mode <= kModeNumeric && q.eciDesignator == 0;
    if (windowMode || mode == kModeKanji) {
        const int indicator = mode == kModeByte           ? kIndicatorByte
                              : mode == kModeAlphanumeric ? kIndicatorAlphanumeric
                              : mode == kModeNumeric      ? kIndicatorNumeric
                                                          : kIndicatorKanji;
        for (const StreamItem& item : items) {
            if (item.indicator != indicator) {
                return "an item of mode " + std::to_string(item.indicator) + " in a stream of " +
                       std::to_string(indicator);
            }
        }
    } else if (mode == kModeByte) {
        if (!eci) {
            return "no ECI header before the byte segments";
        }
        for (std::size_t i = 1; i < items.size(); ++i) {
            if (items[i].indicator != kIndicatorByte) {
                return "an item of mode " + std::to_string(items[i].indicator) + " after an ECI";
            }
        }
    } else {
        bool ascii = true;
        for (char c : held) {
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        }
        if (eci && ascii && !held.empty()) {
            return "an ECI in a text of ASCII only";
        }
        if (eci != d.eci) {
            return eci ? "an ECI header where the stream without one is as short"
                       : "no ECI header where the stream with one is shorter";
        }
        for (const StreamItem& item : items) {
            if (eci && item.indicator == kIndicatorKanji) {
                return "a Kanji segment after an ECI";
            }
            if (item.indicator != kIndicatorByte) {
                continue;
            }
            if (eci && !IsUtf8(item.text)) {
                return "a byte segment after the ECI that is not whole UTF-8 characters";
            }
            for (char c : item.text) {
                if (!eci && static_cast<unsigned char>(c) >= 0x80) {
                    return "a byte segment without an ECI holds byte " +
                           std::to_string(static_cast<unsigned char>(c)) + ", not ASCII";
                }
                if (kanji && (c == '\\' || c == '~')) {
                    return std::string("a byte segment holds '") + c + "' beside Kanji";
                }
            }
        }
    }
    if (held.empty() && mode != kModeNumeric && mode != kModeAlphanumeric) {
        // As the window writes an empty text: one empty segment.
        const int indicator = mode == kModeKanji ? kIndicatorKanji : kIndicatorByte;
        if (items.size() != (eci ? 2u : 1u) || items.back().indicator != indicator ||
            items.back().value != 0) {
            return "an empty text is not one empty segment";
        }
    }
    if (Concatenated(stream) != held) {
        return "the segments read back as " + std::to_string(Concatenated(stream).size()) +
               " bytes that differ from the " + std::to_string(held.size()) + " expected";
    }
    return {};
}

std::string CheckMask(const EncoderState& state, const GenerationResult& result, int version,
                      const SymbolRequest& q) {
    if (q.maskReference != kMaskAuto) {
        return result.mask == q.maskReference
                   ? std::string()
                   : "mask " + std::to_string(result.mask) + " where mask " +
                         std::to_string(q.maskReference) + " was asked";
    }
    const std::array<int, 8> scores =
        ScoreEveryMask(state.symbolMatrix, version, q.errorCorrectionLevel, result.mask);
    int best = 0;
    for (int m = 1; m < 8; ++m) {
        best = scores[m] < scores[best] ? m : best;
    }
    if (best == result.mask) {
        return {};
    }
    std::string listed;
    for (int m = 0; m < 8; ++m) {
        listed += (m == 0 ? "" : ", ") + std::to_string(scores[m]);
    }
    return "automatic mask " + std::to_string(result.mask) + ", but mask " + std::to_string(best) +
           " scores lower or as low with a lower reference (" + listed + ")";
}

std::string CheckCreated(const EncoderState& state, const GenerationResult& result,
                         const Decision& d, const FuzzCase& c) {
    const SymbolRequest& q = c.request;
    if (result.version != d.version || state.symbolVersion != d.version || state.dataReady != 1) {
        return "version " + std::to_string(result.version) + " (symbol " +
               std::to_string(state.symbolVersion) + "), expected " + std::to_string(d.version);
    }
    if (result.charactersLeftOut != d.total - d.characters) {
        return std::to_string(result.charactersLeftOut) + " characters left out, expected " +
               std::to_string(d.total - d.characters);
    }
    if (std::string fault = CheckStatusLine(result, static_cast<int>(c.text.size()), d.bits,
                                            d.version, q.errorCorrectionLevel);
        !fault.empty()) {
        return fault;
    }
    std::vector<std::uint8_t> data;
    if (std::string fault = ReadSymbolData(state.symbolMatrix, d.version, q.errorCorrectionLevel,
                                           result.mask, data);
        !fault.empty()) {
        return fault;
    }
    DataStream stream;
    if (std::string fault = ReadDataStream(data, d.version, stream); !fault.empty()) {
        return fault;
    }
    const std::string_view held = std::string_view(c.text).substr(0, d.bytes);
    if (std::string fault = CheckItems(stream, d, q, held); !fault.empty()) {
        return fault;
    }
    if (stream.bits != d.bits) {
        return "a stream of " + std::to_string(stream.bits) + " bits, the shortest is " +
               std::to_string(d.bits);
    }
    return CheckMask(state, result, d.version, q);
}

}  // namespace

std::string CheckCreateSymbol(EncoderState& state, const FuzzCase& c) {
    const SymbolRequest& q = c.request;
    char where[160];
    std::snprintf(where, sizeof where,
                  "CreateSymbol mode %d version %d (%d-%d) level %d mask %d ECI %d %s, %zu bytes: ",
                  q.characterMode, q.version, q.minVersion, q.maxVersion, q.errorCorrectionLevel,
                  q.maskReference, q.eciDesignator,
                  q.byteEncoding == TextEncoding::ShiftJis ? "Shift_JIS" : "UTF-8", c.text.size());
    if (c.clearReady) {
        state.dataReady = 0;
    }
    const SymbolSnapshot before = TakeSnapshot(state);
    const GenerationResult result = state.CreateSymbol(c.text, q);
    const Decision d = Decide(c.text, q);
    if (result.outcome != d.outcome) {
        return where + std::string("outcome ") + std::to_string(static_cast<int>(result.outcome)) +
               ", expected " + std::to_string(static_cast<int>(d.outcome)) + " (" + result.message +
               ")";
    }
    std::string fault;
    if (!result.Created()) {
        fault = CheckRefusal(state, before, result);
        if (fault.empty() && result.outcome == GenerationOutcome::DoesNotFit) {
            fault = CheckTooLongMessage(result, d, q);
        }
    } else if (result.mask < 0 || result.mask > 7) {
        fault = "mask " + std::to_string(result.mask) + " out of range";
    } else {
        fault = CheckCreated(state, result, d, c);
    }
    return fault.empty() ? fault : where + fault;
}

}  // namespace quirvane::fuzz
