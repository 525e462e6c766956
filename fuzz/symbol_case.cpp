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

struct Decision {
    Outcome outcome = Outcome::Created;
    int version = 0;
    int characters = 0;     // of the text, that the symbol holds
    int total = 0;          // of the whole text
    std::size_t bytes = 0;  // of the text, that the symbol holds
    int bits = 0;           // of the stream, before the terminator
    bool eci = false;       // automatic mode: the stream opens with ECI 26
    // A refusal for length: what the version tried holds, or -1 when the cut
    // falls inside a character and the count is not judged; the bits the
    // text needs beyond that version, or kNoStream when not judged.
    int heldAtLargest = -1;
    int bitsOver = kNoStream;
};

bool IsValid(const Request& q) {
    const auto version = [](int v) { return v >= 1 && v <= 40; };
    const bool mode = static_cast<int>(q.mode) <= static_cast<int>(Mode::Auto);
    const bool eci = q.eci == 0 || (q.mode == Mode::Byte && q.eci >= 1 && q.eci <= 999999);
    const int indicator = q.applicationIndicator;
    const bool letter =
        (indicator >= 165 && indicator <= 190) || (indicator >= 197 && indicator <= 222);
    const bool fnc1 = q.fnc1 == Fnc1::None ||
                      (q.mode == Mode::Auto &&
                       (q.fnc1 == Fnc1::Gs1 || (q.fnc1 == Fnc1::Industry &&
                                                ((indicator >= 0 && indicator <= 99) || letter))));
    return mode && fnc1 && (q.version == kVersionAuto || version(q.version)) &&
           version(q.minVersion) && version(q.maxVersion) && q.minVersion <= q.maxVersion &&
           static_cast<int>(q.level) <= 3 && static_cast<int>(q.byteEncoding) <= 1 &&
           (q.mask == kMaskAuto || (q.mask >= 0 && q.mask <= 7)) && eci;
}

int LevelOf(const Request& q) {
    return static_cast<int>(q.level) + 1;
}

// The window's mode number of a segment mode.
int WindowModeOf(Mode mode) {
    return mode == Mode::Byte           ? kModeByte
           : mode == Mode::Alphanumeric ? kModeAlphanumeric
                                        : kModeNumeric;
}

int DataBits(int version, int level) {
    return 8 * FindSymbolParameters(version, level).dataCodewords;
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

int EciBits(int designator) {
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

Decision DecideWindowMode(std::string_view text, const Request& q) {
    Decision d;
    const int mode = WindowModeOf(q.mode);
    const int level = LevelOf(q);
    const std::vector<int> lengths =
        ByteModeCharacters(text, q.byteEncoding == ByteEncoding::ShiftJis);
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
    }
    const int tried = d.version != 0 ? d.version : q.maxVersion;
    if (d.version == 0 || (!q.cutToFit && text.size() > static_cast<std::size_t>(
                                                            WindowCapacity(mode, tried, level)))) {
        d.outcome = Outcome::TooLong;
        d.heldAtLargest = charactersIn(cutAt(WindowCapacity(mode, tried, level)));
        if (text.size() < kMaxText) {
            d.bitsOver =
                StreamBits(mode, tried, static_cast<int>(text.size())) - DataBits(tried, level);
        }
        return d;
    }
    d.bytes = cutAt(WindowCapacity(mode, d.version, level));
    for (char c : text.substr(0, d.bytes)) {
        const bool digit = c >= '0' && c <= '9';
        const bool alphanumeric = digit || (c >= 'A' && c <= 'Z') ||
                                  std::string_view(" $%*+-./:").find(c) != std::string_view::npos;
        if (mode == kModeNumeric && !digit) {
            d.outcome = Outcome::NotNumeric;
            return d;
        }
        if (mode == kModeAlphanumeric && !alphanumeric) {
            d.outcome = Outcome::NotAlphanumeric;
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
Decision DecideSegments(std::string_view text, const Request& q) {
    Decision d;
    const Mode mode = q.mode;
    const int level = LevelOf(q);
    std::vector<int> prefixBytes{0};
    std::vector<CostCharacter> characters;
    if (mode == Mode::Byte) {
        for (int length : ByteModeCharacters(text, q.byteEncoding == ByteEncoding::ShiftJis)) {
            prefixBytes.push_back(prefixBytes.back() + length);
        }
    } else {
        std::size_t badByte = 0;
        const bool utf8 = ReadCostCharacters(text, characters, badByte);
        for (const CostCharacter& c : characters) {
            if (mode == Mode::Kanji && c.kanjiCode == 0) {
                d.outcome = Outcome::NotKanji;
                return d;
            }
            if (q.fnc1 != Fnc1::None && c.code >= 0x80) {
                d.outcome = Outcome::NotAscii;
                return d;
            }
            prefixBytes.push_back(prefixBytes.back() + c.bytes);
        }
        if (!utf8) {
            d.outcome = Outcome::NotUtf8;
            return d;
        }
    }
    d.total = static_cast<int>(prefixBytes.size()) - 1;

    // Stream bits of the first k characters at a version, per band for
    // automatic mode (the two families' shortest streams).
    std::vector<int> plain[3];
    std::vector<int> utf8[3];
    const auto band = [](int v) { return v <= 9 ? 0 : v <= 26 ? 1 : 2; };
    // An FNC1 indicator, and a second-position indicator's byte.
    const int fnc1Bits = q.fnc1 == Fnc1::Gs1 ? 4 : q.fnc1 == Fnc1::Industry ? 12 : 0;
    const auto streamBits = [&](int k, int v) {
        if (mode == Mode::Kanji) {
            return 4 + CountFieldBits(kIndicatorKanji, v) + 13 * k;
        }
        const int emptyByteSegment = 4 + CountFieldBits(kIndicatorByte, v);
        if (mode == Mode::Byte) {
            return EciBits(q.eci) + emptyByteSegment + 8 * prefixBytes[k];
        }
        if (k == 0) {
            return emptyByteSegment;  // as the window writes an empty text
        }
        const int b = band(v);
        if (plain[b].empty()) {
            const bool fnc1 = q.fnc1 != Fnc1::None;
            plain[b] = ShortestStreams(characters, v, false, fnc1);
            // No ECI in an FNC1 symbol.
            utf8[b] = fnc1 ? std::vector<int>(characters.size() + 1, kNoStream)
                           : ShortestStreams(characters, v, true);
        }
        return std::min(plain[b][k], utf8[b][k]);
    };
    const auto bitsOf = [&](int k, int v) { return fnc1Bits + streamBits(k, v); };
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
    } else {
        d.characters = longestFitting(d.version);
    }
    if (d.version == 0 || (!q.cutToFit && d.characters < d.total)) {
        const int tried = d.version != 0 ? d.version : q.maxVersion;
        d.outcome = Outcome::TooLong;
        d.heldAtLargest = longestFitting(tried);
        // Judged where no run can outgrow its count field (the fewest bits
        // here take the fields as wide enough), and within the characters the
        // encoder plans (past them it gives a lower bound).
        if (prefixBytes[static_cast<std::size_t>(d.total)] <= 255) {
            d.bitsOver = bitsOf(d.total, tried) - DataBits(tried, level);
        }
        return d;
    }
    d.bytes = static_cast<std::size_t>(prefixBytes[d.characters]);
    d.bits = bitsOf(d.characters, d.version);
    if (mode == Mode::Auto && d.characters > 0) {
        // On a tie the stream without the ECI, which more readers take.
        const int b = band(d.version);
        d.eci = plain[b][d.characters] > utf8[b][d.characters];
    }
    return d;
}

bool IsWindowMode(const Request& q) {
    return (q.mode == Mode::Byte || q.mode == Mode::Alphanumeric || q.mode == Mode::Numeric) &&
           q.eci == 0;
}

Decision Decide(std::string_view text, const Request& q) {
    if (!IsValid(q)) {
        return {Outcome::InvalidRequest};
    }
    return IsWindowMode(q) ? DecideWindowMode(text, q) : DecideSegments(text, q);
}

std::string CheckTooLong(const Result& result, const Decision& d) {
    if (result.charactersTotal != d.total ||
        (d.heldAtLargest >= 0 && result.charactersHeld != d.heldAtLargest)) {
        return "too long: " + std::to_string(result.charactersHeld) + " of " +
               std::to_string(result.charactersTotal) + " characters held, expected " +
               std::to_string(d.heldAtLargest) + " of " + std::to_string(d.total);
    }
    if (d.bitsOver != kNoStream && result.bitsOver != d.bitsOver) {
        return "too long by " + std::to_string(result.bitsOver) + " bits, expected " +
               std::to_string(d.bitsOver);
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

// The FNC1 indicator an FNC1 request must open its stream with, taken off
// the stream, and its alphanumeric segments read as FNC1 symbols write them:
// `%` for the separator GS, `%%` for a `%`.
std::string TakeFnc1(DataStream& stream, const Request& q) {
    if (q.fnc1 == Fnc1::None) {
        return {};
    }
    const int indicator = q.fnc1 == Fnc1::Gs1 ? kIndicatorFnc1First : kIndicatorFnc1Second;
    if (stream.items.empty() || stream.items[0].indicator != indicator ||
        (q.fnc1 == Fnc1::Industry && stream.items[0].value != q.applicationIndicator)) {
        return "the stream does not open with the FNC1 indicator asked for";
    }
    stream.items.erase(stream.items.begin());
    for (StreamItem& item : stream.items) {
        if (item.indicator != kIndicatorAlphanumeric) {
            continue;
        }
        std::string read;
        for (std::size_t i = 0; i < item.text.size(); ++i) {
            const bool doubled =
                item.text[i] == '%' && i + 1 < item.text.size() && item.text[i + 1] == '%';
            read += item.text[i] != '%' ? item.text[i] : doubled ? '%' : '\x1D';
            i += doubled ? 1 : 0;
        }
        item.text = read;
    }
    return {};
}

// What may stand in the stream of each kind of request.
std::string CheckItems(const DataStream& stream, const Decision& d, const Request& q,
                       std::string_view held) {
    const auto& items = stream.items;
    const Mode mode = q.mode;
    bool eci = false;
    bool kanji = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const StreamItem& item = items[i];
        if (item.indicator == kIndicatorEci) {
            if (i != 0) {
                return "an ECI header after the first item";
            }
            eci = true;
            const int designator = mode == Mode::Auto ? 26 : q.eci;
            if (item.value != designator) {
                return "ECI designator " + std::to_string(item.value) + ", expected " +
                       std::to_string(designator);
            }
        }
        kanji = kanji || item.indicator == kIndicatorKanji;
    }
    if (IsWindowMode(q) || mode == Mode::Kanji) {
        const int indicator = mode == Mode::Byte           ? kIndicatorByte
                              : mode == Mode::Alphanumeric ? kIndicatorAlphanumeric
                              : mode == Mode::Numeric      ? kIndicatorNumeric
                                                           : kIndicatorKanji;
        for (const StreamItem& item : items) {
            if (item.indicator != indicator) {
                return "an item of mode " + std::to_string(item.indicator) + " in a stream of " +
                       std::to_string(indicator);
            }
        }
    } else if (mode == Mode::Byte) {
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
    if (held.empty() && mode != Mode::Numeric && mode != Mode::Alphanumeric) {
        // As the window writes an empty text: one empty segment.
        const int indicator = mode == Mode::Kanji ? kIndicatorKanji : kIndicatorByte;
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

std::string CheckMask(const EncoderState& state, const Result& result, int version,
                      const Request& q) {
    const int mask = result.symbol.Mask();
    if (q.mask != kMaskAuto) {
        return mask == q.mask ? std::string()
                              : "mask " + std::to_string(mask) + " where mask " +
                                    std::to_string(q.mask) + " was asked";
    }
    const std::array<int, 8> scores = ScoreEveryMask(state.symbolMatrix, version, LevelOf(q), mask);
    int best = 0;
    for (int m = 1; m < 8; ++m) {
        best = scores[m] < scores[best] ? m : best;
    }
    if (best == mask) {
        return {};
    }
    std::string listed;
    for (int m = 0; m < 8; ++m) {
        listed += (m == 0 ? "" : ", ") + std::to_string(scores[m]);
    }
    return "automatic mask " + std::to_string(mask) + ", but mask " + std::to_string(best) +
           " scores lower or as low with a lower reference (" + listed + ")";
}

std::string CheckCreated(const EncoderState& state, const Result& result, const Decision& d,
                         const FuzzCase& c) {
    const Request& q = c.request;
    const Symbol& symbol = result.symbol;
    if (symbol.Version() != d.version || symbol.Side() != 4 * d.version + 17 ||
        state.symbolVersion != d.version) {
        return "version " + std::to_string(symbol.Version()) + " (symbol " +
               std::to_string(state.symbolVersion) + "), expected " + std::to_string(d.version);
    }
    if (result.charactersLeftOut != d.total - d.characters ||
        result.charactersEncoded != d.characters) {
        return std::to_string(result.charactersEncoded) + " characters encoded and " +
               std::to_string(result.charactersLeftOut) + " left out, expected " +
               std::to_string(d.characters) + " and " + std::to_string(d.total - d.characters);
    }
    if (std::string fault = CheckStatistics(result.statistics, static_cast<int>(c.text.size()),
                                            d.bits, d.version, LevelOf(q));
        !fault.empty()) {
        return fault;
    }
    std::vector<std::uint8_t> data;
    if (std::string fault =
            ReadSymbolData(state.symbolMatrix, d.version, LevelOf(q), symbol.Mask(), data);
        !fault.empty()) {
        return fault;
    }
    DataStream stream;
    if (std::string fault = ReadDataStream(data, d.version, stream); !fault.empty()) {
        return fault;
    }
    const int bits = stream.bits;
    if (std::string fault = TakeFnc1(stream, q); !fault.empty()) {
        return fault;
    }
    const std::string_view held = std::string_view(c.text).substr(0, d.bytes);
    if (std::string fault = CheckItems(stream, d, q, held); !fault.empty()) {
        return fault;
    }
    if (bits != d.bits) {
        return "a stream of " + std::to_string(bits) + " bits, the shortest is " +
               std::to_string(d.bits);
    }
    return CheckMask(state, result, d.version, q);
}

}  // namespace

std::string CheckCreateSymbol(EncoderState& state, const FuzzCase& c) {
    const Request& q = c.request;
    char where[200];
    std::snprintf(
        where, sizeof where,
        "CreateSymbol mode %d version %d (%d-%d) level %d mask %d ECI %d %s%s FNC1 %d/%d, "
        "%zu bytes: ",
        static_cast<int>(q.mode), q.version, q.minVersion, q.maxVersion, static_cast<int>(q.level),
        q.mask, q.eci, q.byteEncoding == ByteEncoding::ShiftJis ? "Shift_JIS" : "UTF-8",
        q.cutToFit ? " cut" : "", static_cast<int>(q.fnc1), q.applicationIndicator, c.text.size());
    if (c.clearReady) {
        state.dataReady = 0;
    }
    const SymbolSnapshot before = TakeSnapshot(state);
    const Result result = state.CreateSymbol(c.text, q);
    const Decision d = Decide(c.text, q);
    if (result.outcome != d.outcome) {
        return where + std::string("outcome ") + std::to_string(static_cast<int>(result.outcome)) +
               ", expected " + std::to_string(static_cast<int>(d.outcome));
    }
    std::string fault;
    if (!result) {
        fault = CheckRefusal(state, before);
        if (fault.empty() && result.outcome == Outcome::TooLong) {
            fault = CheckTooLong(result, d);
        }
    } else if (result.symbol.Mask() < 0 || result.symbol.Mask() > 7) {
        fault = "mask " + std::to_string(result.symbol.Mask()) + " out of range";
    } else {
        fault = CheckCreated(state, result, d, c);
    }
    return fault.empty() ? fault : where + fault;
}

}  // namespace quirvane::fuzz
