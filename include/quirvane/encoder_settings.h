// The settings a symbol is made with, in one record that the window, the
// command-line tool and the fuzzer all fill, and the presets every front end
// starts from. The colour is packed here too, so that the window, the files
// and the clipboard agree on it.
#pragma once

#include <quirvane/colour.h>
#include <quirvane/symbol_parameters.h>

namespace quirvane {

struct EncoderSettings {
    int characterMode = kModeNone;       // 0 none chosen, 1 byte, 2 alphanumeric, 3 numeric
    int version = 1;                     // 1-20 or 40
    int errorCorrectionLevel = kLevelL;  // 1 L, 2 M, 3 Q, 4 H
    int maskReference = 3;               // 0-7, applied as chosen
    int moduleWidth = 2;                 // pixels per module when drawn: 1 or 2
    SymbolColour symbolColour{0, 0, 0};  // dark modules; light ones are white
};

// What the bytes of an 8-bit byte mode text are, so that a cut to capacity
// never splits a character: UTF-8 (also for bytes that are not text) or
// Shift_JIS, the program's code page.
enum class TextEncoding { Utf8, ShiftJis };

// What the window's lists and colour fields start on, and the tool's defaults.
inline constexpr EncoderSettings kPresetSettings{};

}  // namespace quirvane
