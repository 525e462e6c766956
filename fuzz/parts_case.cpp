// The check of one structured-append run. The checker works out alone how
// the text must be split (the family every part shares, each part the
// longest run of whole characters whose shortest stream fits, the version,
// the parts halved when more are asked for) and the parity of the message,
// then reads every part back: its header, its ECI, its segments and their
// bits.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "encode/part_store.h"
#include "fuzz/case_checks.h"
#include "fuzz/stream_cost.h"
#include "fuzz/stream_reader.h"
#include "fuzz/symbol_checker.h"
#include "fuzz/symbol_geometry.h"

namespace quirvane::fuzz {
namespace {

constexpr int kHeaderBits = 20;
constexpr int kMostCounted = 999;

struct Split {
    std::vector<int> lengths;  // characters of each part
    int count = 0;             // parts counted, up to the limit + 1; INT_MAX: impossible
};

class Splitter {
  public:
    Splitter(const std::vector<CostCharacter>& text, bool utf8, int level)
        : text_(text), utf8_(utf8), level_(level) {}

    // Each part the longest run that fits `version`, counted up to most + 1.
    Split Greedy(int version, int most) const {
        Split split;
        const int dataBits = 8 * FindSymbolParameters(version, level_).dataCodewords;
        // A digit is the cheapest character: no part holds more characters
        // than 10/3 bits each fill.
        const std::size_t longest = static_cast<std::size_t>(3 * dataBits / 10 + 1);
        for (std::size_t at = 0; at < text_.size() && split.count <= most;) {
            const std::vector<CostCharacter> rest(
                text_.begin() + static_cast<long>(at),
                text_.begin() + static_cast<long>(std::min(text_.size(), at + longest)));
            const std::vector<int> bits = ShortestStreams(rest, version, utf8_);
            int k = 0;
            while (k < static_cast<int>(rest.size()) && bits[k + 1] + kHeaderBits <= dataBits) {
                ++k;
            }
            if (k == 0) {
                split.count = INT_MAX;
                return split;
            }
            split.lengths.push_back(k);
            ++split.count;
            at += static_cast<std::size_t>(k);
        }
        return split;
    }

    int Bits(std::size_t start, int length, int version) const {
        const std::vector<CostCharacter> part(text_.begin() + static_cast<long>(start),
                                              text_.begin() + static_cast<long>(start) + length);
        return kHeaderBits +
               ShortestStreams(part, version, utf8_)[static_cast<std::size_t>(length)];
    }

  private:
    const std::vector<CostCharacter>& text_;
    bool utf8_;
    int level_;
};

bool IsPlain(const std::vector<CostCharacter>& text) {
    bool kanji = false;
    bool yenOrOverline = false;
    for (const CostCharacter& c : text) {
        if (c.code >= 0x80 && c.kanjiCode == 0) {
            return false;
        }
        kanji = kanji || c.code >= 0x80;
        yenOrOverline = yenOrOverline || c.code == U'\\' || c.code == U'~';
    }
    return !(kanji && yenOrOverline);
}

// The parity of the message's bytes in its family: ASCII and Kanji as their
// Shift_JIS bytes, or the UTF-8 as it is.
int Parity(std::string_view text, const std::vector<CostCharacter>& characters, bool plain) {
    int parity = 0;
    if (plain) {
        for (const CostCharacter& c : characters) {
            parity ^= c.code < 0x80 ? static_cast<int>(c.code)
                                    : (c.kanjiCode >> 8) ^ (c.kanjiCode & 0xFF);
        }
    } else {
        for (const char b : text) {
            parity ^= static_cast<unsigned char>(b);
        }
    }
    return parity;
}

std::string Utf8Of(const std::vector<CostCharacter>& text, std::size_t start, int length,
                   std::string_view bytes) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < start; ++i) {
        from += static_cast<std::size_t>(text[i].bytes);
    }
    std::size_t size = 0;
    for (int i = 0; i < length; ++i) {
        size += static_cast<std::size_t>(text[start + static_cast<std::size_t>(i)].bytes);
    }
    return std::string(bytes.substr(from, size));
}

std::string CheckPart(const Symbol& part, int index, int count, int parity, bool plain,
                      const std::string& expected, int expectedBits, const Request& q) {
    std::vector<char> matrix(static_cast<std::size_t>(kStride) * kStride, '0');
    for (int r = 0; r < part.Side(); ++r) {
        for (int c = 0; c < part.Side(); ++c) {
            matrix[static_cast<std::size_t>(r * kStride + c)] = part.IsDark(r, c) ? '1' : '0';
        }
    }
    std::vector<std::uint8_t> data;
    const int level = static_cast<int>(q.level) + 1;
    if (std::string fault = ReadSymbolData(matrix.data(), part.Version(), level, part.Mask(), data);
        !fault.empty()) {
        return fault;
    }
    DataStream stream;
    if (std::string fault = ReadDataStream(data, part.Version(), stream); !fault.empty()) {
        return fault;
    }
    const auto& items = stream.items;
    if (items.empty() || items[0].indicator != kIndicatorStructuredAppend ||
        items[0].value != index || items[0].partCount != count || items[0].parity != parity) {
        return "no header for part " + std::to_string(index + 1) + " of " + std::to_string(count) +
               " with parity " + std::to_string(parity);
    }
    const bool eci = items.size() > 1 && items[1].indicator == kIndicatorEci;
    if (eci == plain || (eci && items[1].value != 26)) {
        return plain ? "an ECI in a part of a plain message" : "no ECI 26 after the header";
    }
    std::string read;
    for (std::size_t i = eci ? 2 : 1; i < items.size(); ++i) {
        if (items[i].indicator == kIndicatorEci ||
            items[i].indicator == kIndicatorStructuredAppend) {
            return "a header among the segments";
        }
        read += items[i].text;
    }
    if (read != expected) {
        return "part " + std::to_string(index + 1) + " reads back as " +
               std::to_string(read.size()) + " bytes that differ from the " +
               std::to_string(expected.size()) + " expected";
    }
    if (stream.bits != expectedBits) {
        return "part " + std::to_string(index + 1) + " has a stream of " +
               std::to_string(stream.bits) + " bits, the shortest is " +
               std::to_string(expectedBits);
    }
    if (q.mask != kMaskAuto && part.Mask() != q.mask) {
        return "mask " + std::to_string(part.Mask()) + " where " + std::to_string(q.mask) +
               " was asked";
    }
    return {};
}

}  // namespace

std::string CheckCreateParts(EncoderState& state, const FuzzCase& c) {
    static const std::unique_ptr<PartStore> store = std::make_unique<PartStore>();
    const Request& q = c.request;
    char where[160];
    std::snprintf(where, sizeof where,
                  "CreateParts %d parts, mode %d version %d (%d-%d) level %d mask %d, %zu bytes: ",
                  c.parts, static_cast<int>(q.mode), q.version, q.minVersion, q.maxVersion,
                  static_cast<int>(q.level), q.mask, c.text.size());
    const SymbolSnapshot before = TakeSnapshot(state);
    const Result result = state.CreateParts(c.text, q, c.parts, *store);
    const auto outcome = [&](Outcome expected) -> std::string {
        if (result.outcome != expected) {
            return where + std::string("outcome ") +
                   std::to_string(static_cast<int>(result.outcome)) + ", expected " +
                   std::to_string(static_cast<int>(expected));
        }
        const std::string fault = CheckRefusal(state, before);
        return fault.empty() ? fault : where + fault;
    };

    const auto version = [](int v) { return v >= 1 && v <= 40; };
    const bool valid = q.mode == Mode::Auto && q.fnc1 == Fnc1::None && q.eci == 0 &&
                       static_cast<int>(q.level) <= 3 && static_cast<int>(q.byteEncoding) <= 1 &&
                       (q.version == kVersionAuto || version(q.version)) && version(q.minVersion) &&
                       version(q.maxVersion) && q.minVersion <= q.maxVersion &&
                       (q.mask == kMaskAuto || (q.mask >= 0 && q.mask <= 7)) &&
                       (c.parts == 0 || (c.parts >= 2 && c.parts <= 16));
    if (!valid) {
        return outcome(Outcome::InvalidRequest);
    }
    std::vector<CostCharacter> text;
    std::size_t badByte = 0;
    if (!ReadCostCharacters(c.text, text, badByte)) {
        return outcome(Outcome::NotUtf8);
    }
    const int wanted = c.parts == 0 ? 2 : c.parts;
    if (static_cast<int>(text.size()) < wanted) {
        return outcome(Outcome::InvalidRequest);
    }
    const bool plain = IsPlain(text);
    const int level = static_cast<int>(q.level) + 1;
    const Splitter splitter(text, !plain, level);
    const int largest = q.version != kVersionAuto ? q.version : q.maxVersion;
    const int fewest = splitter.Greedy(largest, kMostCounted).count;
    if (fewest > (c.parts == 0 ? 16 : c.parts)) {
        if (std::string fault = outcome(Outcome::TooLong); !fault.empty()) {
            return fault;
        }
        const int needed = fewest == INT_MAX ? 0 : fewest;
        return result.partsNeeded == needed
                   ? std::string()
                   : where + std::string("needs ") + std::to_string(result.partsNeeded) +
                         " parts, expected " + std::to_string(needed);
    }
    const int target = std::max(fewest, wanted);
    int chosen = q.version;
    for (int v = q.minVersion; chosen == kVersionAuto && v <= largest; ++v) {
        chosen = splitter.Greedy(v, target).count <= target ? v : kVersionAuto;
    }
    std::vector<int> lengths = splitter.Greedy(chosen, target).lengths;
    while (static_cast<int>(lengths.size()) < target) {
        const auto widest = std::max_element(lengths.begin(), lengths.end());
        const int half = *widest / 2;
        *widest -= half;
        lengths.insert(widest, half);
    }

    if (result.outcome != Outcome::Created) {
        return outcome(Outcome::Created);
    }
    if (result.parts.size() != lengths.size()) {
        return where + std::to_string(result.parts.size()) + " parts, expected " +
               std::to_string(lengths.size());
    }
    const int parity = Parity(c.text, text, plain);
    std::size_t start = 0;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const Symbol& part = result.parts[i];
        if (part.Version() != chosen) {
            return where + std::string("part at version ") + std::to_string(part.Version()) +
                   ", expected " + std::to_string(chosen);
        }
        const std::string fault = CheckPart(
            part, static_cast<int>(i), static_cast<int>(lengths.size()), parity, plain,
            Utf8Of(text, start, lengths[i], c.text), splitter.Bits(start, lengths[i], chosen), q);
        if (!fault.empty()) {
            return where + fault;
        }
        start += static_cast<std::size_t>(lengths[i]);
    }
    return {};
}

}  // namespace quirvane::fuzz
