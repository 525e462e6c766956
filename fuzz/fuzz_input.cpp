#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include <quirvane/text_cut.h>

#include "fuzz/symbol_checker.h"

namespace quirvane::fuzz {
namespace {

constexpr int kModes[] = {kModeByte, kModeAlphanumeric, kModeNumeric};
constexpr int kVersions[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                             15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                             29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
constexpr int kLevels[] = {kLevelL, kLevelM, kLevelQ, kLevelH};
constexpr int kMasks[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
constexpr char kStatusFormat[] =
    "入力バイト数：%d  データバイト数：%d　訂正ブロック数：%d　訂正次数GA：%d  総コード数：%d";

template <std::size_t N>
int Pick(std::uint8_t byte, const int (&valid)[N], int rawBase) {
    if (byte < 0xC0) {
        return valid[byte % N];
    }
    if (byte >= 0xFE) {
        return byte == 0xFE ? INT_MAX : INT_MIN;
    }
    return rawBase + (byte - 0xC0);
}

bool InCharacterSet(int mode, char c) {
    return mode == kModeNumeric ? c >= '0' && c <= '9'
                                : c != '\0' && std::strchr(kAlphanumeric, c) != nullptr;
}

}  // namespace

FuzzCase DecodeFuzzInput(const std::uint8_t* data, std::size_t size) {
    const auto at = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t{0}; };
    FuzzCase c;
    EncoderSettings& s = c.settings;
    s.characterMode = Pick(at(0), kModes, -8);  // 0xC8: 0, no mode chosen
    s.version = Pick(at(1), kVersions, -6);     // 0xC6: 0; 0xEF: 41
    s.errorCorrectionLevel = Pick(at(2), kLevels, -8);
    s.maskReference = Pick(at(3), kMasks, -8);
    c.clearReady = (at(4) & 1) != 0;
    const std::size_t start = size < 5 ? size : 5;
    c.text.assign(reinterpret_cast<const char*>(data + start),
                  size - start < kMaxText ? size - start : kMaxText);
    if ((at(4) & 2) != 0 &&
        (s.characterMode == kModeAlphanumeric || s.characterMode == kModeNumeric)) {
        for (char& ch : c.text) {
            const auto b = static_cast<unsigned char>(ch);
            ch = s.characterMode == kModeNumeric ? static_cast<char>('0' + b % 10)
                                                 : kAlphanumeric[b % 45];
        }
    }
    return c;
}

std::string RunCase(EncoderState& state, const FuzzCase& c) {
    const EncoderSettings& s = c.settings;
    char where[96];
    std::snprintf(where, sizeof where,
                  "mode %d version %d level %d mask %d, %zu bytes: ", s.characterMode, s.version,
                  s.errorCorrectionLevel, s.maskReference, c.text.size());
    const std::vector<char> before(state.symbolMatrix, state.symbolMatrix + kPlaneCells);
    const int versionBefore = state.symbolVersion;
    if (c.clearReady) {
        state.dataReady = 0;
    }
    const int readyBefore = state.dataReady;
    state.settings = s;
    const GenerationResult result = state.CreateData(c.text);

    // What the command should have done, decided without the encoder's checks.
    const bool supported = s.characterMode >= kModeByte && s.characterMode <= kModeNumeric &&
                           s.version >= 1 && s.version <= 40 && s.errorCorrectionLevel >= kLevelL &&
                           s.errorCorrectionLevel <= kLevelH && s.maskReference >= 0 &&
                           s.maskReference <= 7;
    const SymbolParameters* p =
        supported ? FindSymbolParameters(s.version, s.errorCorrectionLevel) : nullptr;
    if (supported && p == nullptr) {
        return where + std::string("no table row");
    }
    GenerationOutcome expected = s.characterMode == kModeNone ? GenerationOutcome::NoModeChosen
                                 : supported                  ? GenerationOutcome::Created
                                             : GenerationOutcome::UnsupportedSettings;
    std::string_view cut;
    if (expected == GenerationOutcome::Created) {
        const int capacity = s.characterMode == kModeByte           ? p->byteCapacity
                             : s.characterMode == kModeAlphanumeric ? p->alphanumericCapacity
                                                                    : p->numericCapacity;
        const int limit = c.text.size() < static_cast<std::size_t>(capacity)
                              ? static_cast<int>(c.text.size())
                              : capacity;
        int length = limit;
        if (s.characterMode == kModeByte) {
            // Never through a UTF-8 character: back to the lead byte of a
            // sequence the limit cuts, at most three bytes.
            length = Utf8SafeCut(c.text, limit);
            const bool cutsBefore = length < limit;
            const auto lead = cutsBefore ? static_cast<unsigned char>(c.text[length]) : 0xC2;
            if (length > limit || length < limit - 3 || lead < 0xC2 || lead > 0xF4) {
                return where + std::string("UTF-8 safe cut of ") + std::to_string(limit) +
                       " bytes gives " + std::to_string(length);
            }
        }
        cut = std::string_view(c.text).substr(0, static_cast<std::size_t>(length));
        for (char ch : cut) {
            if (s.characterMode != kModeByte && !InCharacterSet(s.characterMode, ch)) {
                expected = s.characterMode == kModeNumeric ? GenerationOutcome::NotNumeric
                                                           : GenerationOutcome::NotAlphanumeric;
                break;
            }
        }
    }
    if (result.outcome != expected) {
        return where + std::string("outcome ") + std::to_string(static_cast<int>(result.outcome)) +
               ", expected " + std::to_string(static_cast<int>(expected));
    }

    if (!result.Created()) {
        if (std::memcmp(before.data(), state.symbolMatrix, kPlaneCells) != 0 ||
            state.symbolVersion != versionBefore || state.dataReady != readyBefore) {
            return where + std::string("a refusal changed the previous symbol");
        }
        if (result.hasStatus) {
            return where + std::string("a refusal wrote a status line");
        }
        return {};
    }

    if (state.symbolVersion != s.version || state.dataReady != 1) {
        return where + std::string("symbolVersion or dataReady not set");
    }
    int numbers[5] = {};
    if (std::sscanf(result.status, kStatusFormat, &numbers[0], &numbers[1], &numbers[2],
                    &numbers[3], &numbers[4]) != 5) {
        return where + std::string("statistics line unreadable: ") + result.status;
    }
    // Stream, terminator and fill in whole bytes, before the pad codewords.
    const int streamBytes =
        (StreamBits(s.characterMode, s.version, static_cast<int>(cut.size())) + 4 + 7) / 8;
    const int dataBytes = std::min(streamBytes, p->dataCodewords);
    const int want[5] = {static_cast<int>(c.text.size()), dataBytes, p->b1 + p->b2, p->r1,
                         p->totalCodewords};
    for (int i = 0; i < 5; ++i) {
        if (numbers[i] != want[i]) {
            return where + std::string("statistics line number ") + std::to_string(i + 1) + " is " +
                   std::to_string(numbers[i]) + ", expected " + std::to_string(want[i]);
        }
    }
    const std::string fault =
        CheckSymbol(state.symbolMatrix,
                    {s.characterMode, s.version, s.errorCorrectionLevel, s.maskReference, cut});
    return fault.empty() ? fault : where + fault;
}

}  // namespace quirvane::fuzz
