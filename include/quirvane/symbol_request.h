// What a program asks of CreateSymbol, beyond the window's settings: Kanji
// mode and an automatic mix of modes, the version and the mask chosen
// automatically, and an ECI designator for 8-bit byte mode. The window never
// uses it; quirvane-encode is built on it.
#pragma once

#include <quirvane/encoder_settings.h>
#include <quirvane/symbol_parameters.h>

namespace quirvane {

// Modes beyond the window's three: JIS X 0208 characters in 13 bits each, and
// the shortest mix of numeric, alphanumeric, byte and Kanji segments that
// common readers decode to the same text.
inline constexpr int kModeKanji = 4;
inline constexpr int kModeAuto = 5;

// The smallest version that holds the whole text, within the request's bounds.
inline constexpr int kVersionAuto = 0;
// The mask whose finished symbol has the lowest penalty.
inline constexpr int kMaskAuto = -1;

// ECI designators of the two byte-mode encodings the program writes.
inline constexpr int kEciShiftJis = 20;
inline constexpr int kEciUtf8 = 26;
inline constexpr int kLargestEciDesignator = 999999;

// Bits of an ECI header: its mode indicator and a designator of one, two or
// three bytes.
constexpr int EciHeaderBits(int designator) {
    return 4 + (designator < 128 ? 8 : designator < 16384 ? 16 : 24);
}

struct SymbolRequest {
    int characterMode = kModeAuto;  // a window mode, kModeKanji or kModeAuto
    int version = kVersionAuto;     // 1-40 or kVersionAuto
    int minVersion = 1;             // the bounds of an automatic version
    int maxVersion = kLargestVersion;
    int errorCorrectionLevel = kLevelL;
    int maskReference = kMaskAuto;  // 0-7 or kMaskAuto
    // 8-bit byte mode only: the designator written before the data (0: none),
    // and what the bytes are, so that a cut never splits a character.
    int eciDesignator = 0;
    TextEncoding byteEncoding = TextEncoding::Utf8;
};

// The request's values all exist and fit together: an ECI only with byte mode,
// bounds with min <= max.
constexpr bool IsValidRequest(const SymbolRequest& r) {
    const bool mode = IsSupportedMode(r.characterMode) || r.characterMode == kModeKanji ||
                      r.characterMode == kModeAuto;
    const bool version = r.version == kVersionAuto || IsSupportedVersion(r.version);
    const bool bounds = IsSupportedVersion(r.minVersion) && IsSupportedVersion(r.maxVersion) &&
                        r.minVersion <= r.maxVersion;
    const bool eci = r.eciDesignator == 0 || (r.characterMode == kModeByte && r.eciDesignator > 0 &&
                                              r.eciDesignator <= kLargestEciDesignator);
    return mode && version && bounds && eci && IsSupportedLevel(r.errorCorrectionLevel) &&
           (r.maskReference == kMaskAuto || IsSupportedMask(r.maskReference));
}

}  // namespace quirvane
