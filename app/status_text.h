// The texts the main window shows: the status line of each settings handler
// and the ten result fields (controls 1014-1023) of the symbol parameters.
// The formats are the program's own printf formats, kept character for
// character, full-width characters and blanks included.
#pragma once

#include <QString>

#include <array>

#include "encode/encoder_settings.h"

namespace quirvane::app {

// Status of a mode radio button: mode 1, 2 or 3 and the capacity of that mode.
QString ModeStatus(int mode, int capacity);

// Status of the version list: the item's text, the version and the total
// codewords of the symbol (shown as the highest module index 4v + 16 and the
// total code bits).
QString VersionStatus(const QString& itemText, int version, int totalCodewords);

QString LevelStatus(const QString& itemText, int level);
QString MaskStatus(const QString& itemText, int position);
QString ModuleWidthStatus(const QString& itemText);
QString FileSelectedStatus(const QString& path);

// The caption of the main window, and the caption once a file is chosen.
QString MainCaption();
QString MainCaptionWithFile(const QString& path);

// Ids of the result fields, and their texts for a parameter record, in the
// order 1014, 1015, ..., 1023.
inline constexpr int kFirstResultField = 1014;
inline constexpr int kResultFieldCount = 10;
using ResultTexts = std::array<QString, kResultFieldCount>;
ResultTexts ShowSymbolParameters(const SymbolParameters& p);

}  // namespace quirvane::app
