#include "app/symbol_saving.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "app/message_box.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "text/file_bytes.h"

namespace quirvane::app {
namespace {

const char kCannotSave[] = "%1\nファイルを保存できません。\n%2";
const char kCannotEncode[] = "画像を書き出せません";

std::function<SaveTarget(QWidget*)>& TheChooser() {
    static std::function<SaveTarget(QWidget*)> chooser;
    return chooser;
}

QString SuffixOf(const QString& filter) {
    return filter == QString::fromUtf8(kSvgFilter) ? QStringLiteral("svg") : QStringLiteral("png");
}

}  // namespace

void ConfigureSaveDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(QDir::currentPath());
    dialog.setNameFilters({QString::fromUtf8(kPngFilter), QString::fromUtf8(kSvgFilter)});
    dialog.selectNameFilter(QString::fromUtf8(kPngFilter));
    dialog.setDefaultSuffix(SuffixOf(QString::fromUtf8(kPngFilter)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
}

SaveFormat FormatOf(const QString& path, const QString& selectedFilter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("svg")) {
        return suffix == QLatin1String("svg") ? SaveFormat::Svg : SaveFormat::Png;
    }
    return SuffixOf(selectedFilter) == QLatin1String("svg") ? SaveFormat::Svg : SaveFormat::Png;
}

SaveTarget ChooseSaveTarget(QWidget* parent) {
    if (TheChooser()) {
        return TheChooser()(parent);
    }
    QFileDialog dialog(parent);
    ConfigureSaveDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().constFirst();
    return SaveTarget{path, FormatOf(path, dialog.selectedNameFilter())};
}

std::string SymbolFileBytes(const SymbolDrawing& drawing, SaveFormat format) {
    if (format == SaveFormat::Svg) {
        return RenderSymbolSvg(drawing.View(), drawing.moduleWidth, drawing.colour);
    }
    return PngOf(drawing.image);
}

void SaveDrawing(QWidget* parent, const SymbolDrawing& drawing) {
    const SaveTarget target = ChooseSaveTarget(parent);
    if (target.path.isEmpty()) {
        return;
    }
    // Absolute, so that no name is ever taken for standard output ("-").
    const QString path = QFileInfo(target.path).absoluteFilePath();
    const std::string bytes = SymbolFileBytes(drawing, target.format);
    const std::string reason = bytes.empty()
                                   ? std::string(kCannotEncode)
                                   : WriteWhole(QFile::encodeName(path).toStdString(), bytes);
    if (!reason.empty()) {
        ShowMessage(parent,
                    QString::fromUtf8(kCannotSave)
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
    }
}

void SetSaveChooserForTesting(std::function<SaveTarget(QWidget*)> chooser) {
    TheChooser() = std::move(chooser);
}

}  // namespace quirvane::app
