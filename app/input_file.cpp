#include "app/input_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>

#include "text/input_text.h"

namespace quirvane::app {
namespace {

// The two entries of the filter list, as the user sees them.
const char kAllFilesFilter[] = "すべて(*.*)";
const char kTextFilesFilter[] = "ﾃｷｽﾄ(*.txt)";

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

InputFileText DecodeInputBytes(const QByteArray& bytes) {
    const DecodedText decoded =
        DecodeFileText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    InputFileText result;
    result.outcome = decoded.ok ? ReadOutcome::Read : ReadOutcome::NotText;
    result.text = decoded.text;
    result.reason = decoded.reason;
    return result;
}

InputFileText ReadInputFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        InputFileText result;
        result.outcome = ReadOutcome::CannotOpen;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        InputFileText result;
        result.outcome = ReadOutcome::CannotOpen;
        return result;
    }
    return DecodeInputBytes(bytes);
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
