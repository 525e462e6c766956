// Saving a drawn symbol: "名前を付けて保存..." in a symbol frame's context
// menu. Qt's own save dialog (Japanese, as every window of the program)
// offers PNG, the very bitmap the frame shows and the clipboard gets, and
// SVG, the same drawing as vectors. The file is written whole or not at all
// (text/file_bytes.h); a failure is told in a message with the system's reason.
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "app/symbol_drawing.h"

class QFileDialog;
class QWidget;

namespace quirvane::app {

inline constexpr char kSaveEntry[] = "名前を付けて保存...";
// The filters of the dialog, PNG first.
inline constexpr char kPngFilter[] = "PNG 画像 (*.png)";
inline constexpr char kSvgFilter[] = "SVG 画像 (*.svg)";

enum class SaveFormat { Png, Svg };

struct SaveTarget {
    QString path;  // "": cancelled
    SaveFormat format = SaveFormat::Png;
};

// Qt's own dialog whatever the desktop (the one that is translated), the two
// filters, the working folder to start in; a name typed without an extension
// gets the chosen filter's, before the dialog asks about replacing a file.
void ConfigureSaveDialog(QFileDialog& dialog);

// A name ending in .png or .svg (in any case) is saved as that; any other
// name in the format of the filter chosen.
SaveFormat FormatOf(const QString& path, const QString& selectedFilter);

// Shows the dialog modally over parent (or asks the test's chooser).
SaveTarget ChooseSaveTarget(QWidget* parent);

// The file's bytes: the drawing's image as PNG, or its SVG with the window's
// geometry (RenderSymbolSvg).
std::string SymbolFileBytes(const SymbolDrawing& drawing, SaveFormat format);

// Asks for a file and writes drawing to it; a failure shows a message over
// parent and leaves any file of that name as it was.
void SaveDrawing(QWidget* parent, const SymbolDrawing& drawing);

// Tests replace the dialog by a function that returns the target (an empty
// function restores it).
void SetSaveChooserForTesting(std::function<SaveTarget(QWidget*)> chooser);

}  // namespace quirvane::app
