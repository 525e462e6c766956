#include "app/input_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringDecoder>

#include <quirvane/input_text.h>

namespace quirvane::app {
namespace {

// The two entries of the filter list, as the user sees them.
const char kAllFilesFilter[] = "すべて(*.*)";
const char kTextFilesFilter[] = "ﾃｷｽﾄ(*.txt)";

// The text, or a null string when the bytes are not valid in the encoding.
// Stateless, so that a lead byte left over at the end counts as an error.
// (The decoder is made here and never moved: a moved ICU decoder of Qt 6.4
// stops reporting errors.)
template <typename Encoding>
QString DecodeStrictly(const QByteArray& bytes, Encoding encoding) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return QString();
    }
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return QString();
    }
    if (text.isNull()) {
        text = QString("");  // an empty file is valid, and not null
    }
    return text;
}

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
    InputFileText result;
    const std::string joined = JoinLinesWithCrLf(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    const QByteArray crlf(joined.data(), static_cast<qsizetype>(joined.size()));

    result.text = DecodeStrictly(crlf, QStringConverter::Utf8);
    if (!result.text.isNull()) {
        return result;
    }
    result.text = DecodeStrictly(crlf, "Shift_JIS");
    if (!result.text.isNull()) {
        return result;
    }
    result.outcome = ReadOutcome::NotText;
    result.text.clear();
    result.reason = QStringLiteral(
        "ファイルの文字を読み取れません（UTF-8 でも Shift_JIS でもありません）。\n"
        "入力コードは変更しません。");
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
