// Reading the text of a file into the input box: QRcode.ini at start-up and
// the file chosen with "ファイル選択". Both go through the shared reader
// (text/): a regular file only, refused from its status before it is opened,
// so that a FIFO never blocks the window and a device is never touched; at
// most 16 MiB; decoded as UTF-8 or Shift_JIS with CR LF line ends and no line
// ever cut (text/input_text.h), or refused, never loaded with replacement
// characters.
#pragma once

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

namespace quirvane::app {

inline constexpr char kStartupFileName[] = "QRcode.ini";

enum class ReadOutcome {
    Read,        // text holds the content
    CannotOpen,  // the system could not open or read it (a folder, no such file, ...)
    Refused,     // longer than 16 MiB, not a regular file, or neither UTF-8 nor Shift_JIS
};

struct InputFileText {
    ReadOutcome outcome = ReadOutcome::Read;
    QString text;    // lines joined with CR LF
    QString reason;  // CannotOpen: the system's reason; Refused: the message box text
};

// Reads and decodes a whole file as described above.
InputFileText ReadInputFile(const QString& path);

// The file dialog of "ファイル選択": the two filter entries "すべて(*.*)",
// which matches every file, names without a dot included, and "ﾃｷｽﾄ(*.txt)";
// the working directory to start in.
void ConfigureInputFileDialog(QFileDialog& dialog);

// Shows that dialog modally and returns the chosen path, or "" on cancel.
QString ChooseInputFile(QWidget* parent);

// Tests replace the dialog by a function that returns a path.
void SetFileChooserForTesting(std::function<QString(QWidget*)> chooser);

}  // namespace quirvane::app
