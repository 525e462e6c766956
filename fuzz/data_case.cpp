// The check of one CreateData run: the window's settings, one mode, the text
// cut to the mode's capacity.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "encode/text_cut.h"
#include "fuzz/case_checks.h"
#include "fuzz/symbol_checker.h"

namespace quirvane::fuzz {
namespace {

constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

bool InCharacterSet(int mode, char c) {
    return mode == kModeNumeric ? c >= '0' && c <= '9'
                                : c != '\0' && std::strchr(kAlphanumeric, c) != nullptr;
}

}  // namespace

std::string CheckCreateData(EncoderState& state, const FuzzCase& c) {
    const EncoderSettings& s = c.settings;
    char where[96];
    std::snprintf(where, sizeof where,
                  "mode %d version %d level %d mask %d, %zu bytes: ", s.characterMode, s.version,
                  s.errorCorrectionLevel, s.maskReference, c.text.size());
    if (c.clearReady) {
        state.dataReady = 0;
    }
    const SymbolSnapshot before = TakeSnapshot(state);
    state.settings = s;
    const GenerationResult result = state.CreateData(c.text);

    // What the command should have done, decided without the encoder's checks.
    const SymbolParameters* p = &FindSymbolParameters(s.version, s.errorCorrectionLevel);
    GenerationOutcome expected =
        s.characterMode == kModeNone ? GenerationOutcome::NoModeChosen : GenerationOutcome::Created;
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
        const std::string fault = CheckRefusal(state, before);
        return fault.empty() ? fault : where + fault;
    }

    if (state.symbolVersion != s.version || state.dataReady != 1) {
        return where + std::string("symbolVersion or dataReady not set");
    }
    const int streamBits = StreamBits(s.characterMode, s.version, static_cast<int>(cut.size()));
    std::string fault = CheckStatistics(result.statistics, static_cast<int>(c.text.size()),
                                        streamBits, s.version, s.errorCorrectionLevel);
    if (fault.empty()) {
        fault = CheckSymbol(state.symbolMatrix, {s.characterMode, s.version, s.errorCorrectionLevel,
                                                 s.maskReference, cut});
    }
    return fault.empty() ? fault : where + fault;
}

}  // namespace quirvane::fuzz
