#include "app/status_text.h"

#include "app/dialog_template.h"

namespace quirvane::app {

QString ModeStatus(int mode, int capacity) {
    switch (mode) {
        case kModeByte:
            return QString::asprintf("「８ビットバイト」の選択[最大容量：%d　バイト]（フラグ：%d）",
                                     capacity, mode);
        case kModeAlphanumeric:
            return QString::asprintf("「英数字」の選択[最大容量：%d　文字]（フラグ：%d）", capacity,
                                     mode);
        case kModeNumeric:
            return QString::asprintf("「数字」の選択[最大容量：%d　桁]（フラグ：%d）", capacity,
                                     mode);
        default:
            return QString();
    }
}

QString VersionStatus(const QString& itemText, int version, int totalCodewords) {
    return QString::asprintf("バージョン：%s　、一辺：０～%d 　、総コードビット数：%d",
                             itemText.toUtf8().constData(), 4 * version + 16, totalCodewords * 8);
}

QString LevelStatus(const QString& itemText, int level) {
    return QString::asprintf("誤り訂正レベルは「%s（%d）」の選択", itemText.toUtf8().constData(),
                             level);
}

QString MaskStatus(const QString& itemText, int position) {
    return QString::asprintf("マスクパターン参照子は「%s（%d）」が選択されました",
                             itemText.toUtf8().constData(), position);
}

QString ModuleWidthStatus(const QString& itemText) {
    return QString::asprintf("モジュール幅は「%s」が選択されました", itemText.toUtf8().constData());
}

QString FileSelectedStatus(const QString& path) {
    return QStringLiteral("ファイル：") + path + QStringLiteral(" が選択されました");
}

QString MainCaption() {
    return LoadDialogTemplate(kMainTemplate).caption;
}

QString MainCaptionWithFile(const QString& path) {
    return MainCaption() + QStringLiteral("   ") + path;
}

ResultTexts ShowSymbolParameters(const SymbolParameters& p) {
    return ResultTexts{
        QString::asprintf("%d", p.totalCodewords),
        QString::asprintf("%d", p.dataCodewords),
        QString::asprintf("%d", p.errorCorrectionCodewords),
        QString::asprintf("%d", p.b1),
        QString::asprintf("( %d, %d, %d )", p.c1, p.k1, p.r1),
        QString::asprintf("%d", p.b2),
        QString::asprintf("( %d, %d, %d )", p.c2, p.k2, p.r2),
        QString::asprintf("%d バイト", p.byteCapacity),
        QString::asprintf("%d 文字", p.alphanumericCapacity),
        QString::asprintf("%d 桁", p.numericCapacity),
    };
}

}  // namespace quirvane::app
