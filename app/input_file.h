// Reading the text of a file into the input box: QRcode.ini at start-up and
// the file chosen with "ファイル選択". The bytes are read whole; every line
// that ends with a line feed gets CR LF instead (a CR LF already there counts
// as one line feed), the text after the last line feed stays as it is, and
// no line is ever cut, however long. Then the bytes are decoded: as UTF-8,
// the code page of this system; a file that is not valid UTF-8 as Shift_JIS,
// the code page the program's texts come from; and a file that is neither is
// refused, never loaded with replacement characters.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

namespace quirvane::app {

inline constexpr char kStartupFileName[] = "QRcode.ini";

enum class ReadOutcome {
    Read,        // text holds the content
    CannotOpen,  // the file could not be opened or read
    NotText,     // neither UTF-8 nor Shift_JIS; reason says so
};

struct InputFileText {
    ReadOutcome outcome = ReadOutcome::Read;
    QString text;    // lines joined with CR LF
    QString reason;  // for NotText: the message box text
};

// Decodes file bytes (lines already joined) as described above.
InputFileText DecodeInputBytes(const QByteArray& bytes);

// Reads and decodes a whole file.
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
