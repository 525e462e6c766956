// Will the symbol just drawn scan: the note the window shows under a symbol
// after 「パターン作成」, from the colour's contrast grade, the module width
// and zbar reading back the very bitmap the clipboard gets. It names the
// cause of any doubt, in Japanese, and says quietly when all is well.
#pragma once

#include <QString>

#include <string_view>

#include "app/symbol_drawing.h"

namespace quirvane::app {

struct ScanNote {
    QString text;  // "": no note
    bool warning = false;
};

// The note on `drawing`, whose symbol holds `heldBytes` (what zbar must read
// back). Reads the image back once: a few milliseconds for version 40.
ScanNote CheckDrawing(const SymbolDrawing& drawing, std::string_view heldBytes);

}  // namespace quirvane::app
