#include "app/input_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>

#include <cerrno>

#include "text/file_bytes.h"
#include "text/input_text.h"

namespace quirvane::app {
namespace {

// The two entries of the filter list, as the user sees them.
const char kAllFilesFilter[] = "すべて(*.*)";
const char kTextFilesFilter[] = "ﾃｷｽﾄ(*.txt)";

// What the window refuses to read, in the words of its other file messages.
const char kTooLong[] =
    "ファイルが大きすぎて読み込めません（%1 MiB、%2 バイトまで）。\n"
    "入力コードは変更しません。";
const char kNotRegularFile[] =
    "通常のファイルではないため読み込めません（名前付きパイプ、デバイスなど）。\n"
    "入力コードは変更しません。";

std::function<QString(QWidget*)>& TheChooser() {
    static std::function<QString(QWidget*)> chooser;
    return chooser;
}

// Keeps "*.*" meaning every file, as on the platform the program comes
// from; Qt's own pattern would hide names without a dot.
void MatchEveryFileForAllFilter(QFileDialog& dialog, const QString& filter) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model != nullptr && filter == QString::fromUtf8(kAllFilesFilter)) {
        model->setNameFilters({QStringLiteral("*")});
    }
}

}  // namespace

InputFileText ReadInputFile(const QString& path) {
    const FileBytes file = ReadBoundedBytes(QFile::encodeName(path).toStdString(), kMaxInputBytes,
                                            ReadPolicy::RegularFilesOnly);
    InputFileText result;
    if (file.error == EFBIG) {
        result.outcome = ReadOutcome::Refused;
        result.reason = QString::fromUtf8(kTooLong).arg(kMaxInputBytes >> 20).arg(kMaxInputBytes);
        return result;
    }
    if (file.error == EINVAL) {
        result.outcome = ReadOutcome::Refused;
        result.reason = QString::fromUtf8(kNotRegularFile);
        return result;
    }
    if (!file.Ok()) {
        result.outcome = ReadOutcome::CannotOpen;
        result.reason = QString::fromStdString(file.reason);
        return result;
    }
    const DecodedText decoded = DecodeFileText(file.bytes);
    result.outcome = decoded.ok ? ReadOutcome::Read : ReadOutcome::Refused;
    result.text = decoded.text;
    result.reason = decoded.reason;
    return result;
}

void ConfigureInputFileDialog(QFileDialog& dialog) {
    // Qt's own dialog, whatever the desktop: it is the one that can be told
    // that "*.*" means every file.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(QDir::currentPath());
    dialog.setNameFilters(
        {QString::fromUtf8(kAllFilesFilter), QString::fromUtf8(kTextFilesFilter)});
    dialog.selectNameFilter(QString::fromUtf8(kAllFilesFilter));
    MatchEveryFileForAllFilter(dialog, QString::fromUtf8(kAllFilesFilter));
    dialog.selectFile(QStringLiteral("*.*"));  // the name box starts as the original's did
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { MatchEveryFileForAllFilter(dialog, filter); });
}

QString ChooseInputFile(QWidget* parent) {
    if (TheChooser()) {
        return TheChooser()(parent);
    }
    QFileDialog dialog(parent);
    ConfigureInputFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void SetFileChooserForTesting(std::function<QString(QWidget*)> chooser) {
    TheChooser() = std::move(chooser);
}

}  // namespace quirvane::app
