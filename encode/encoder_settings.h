// The window's settings in one record, and the presets its lists start on.
#pragma once

#include <quirvane/colour.h>
#include <quirvane/encoder.h>

#include "ecc/symbol_parameters.h"

namespace quirvane {

// Character modes, as the window's mode radio buttons set them.
inline constexpr int kModeNone = 0;
inline constexpr int kModeByte = 1;
inline constexpr int kModeAlphanumeric = 2;
inline constexpr int kModeNumeric = 3;

constexpr bool IsSupportedMode(int characterMode) {
    return characterMode >= kModeByte && characterMode <= kModeNumeric;
}

// The segment mode of a mode button.
constexpr Mode ModeOfCharacterMode(int characterMode) {
    return characterMode == kModeNumeric        ? Mode::Numeric
           : characterMode == kModeAlphanumeric ? Mode::Alphanumeric
                                                : Mode::Byte;
}

struct EncoderSettings {
    int characterMode = kModeNone;       // 0 none chosen, 1 byte, 2 alphanumeric, 3 numeric
    int version = 1;                     // 1-20 or 40
    int errorCorrectionLevel = kLevelL;  // 1 L, 2 M, 3 Q, 4 H
    int maskReference = 3;               // 0-7, applied as chosen
    int moduleWidth = 2;                 // pixels per module when drawn: 1 or 2
    SymbolColour symbolColour{0, 0, 0};  // dark modules; light ones are white
};

inline constexpr EncoderSettings kPresetSettings{};

// The capacity of a mode button's mode in a row of the table.
int CapacityOf(const SymbolParameters& parameters, int characterMode);

}  // namespace quirvane
