#include "app/scan_note.h"

#include "check/read_back.h"
#include "check/scan_findings.h"

namespace quirvane::app {
namespace {

const char kReadBack[] = "読み取り確認済み";
const char kNotReadBack[] = "読み取りを確認できませんでした";
const char kMayNotRead[] = "読み取れない可能性があります";
const char kColourCause[] = "この色";
const char kOnePixelCause[] = "1ピクセル";
const char kGradeOf[] = "（コントラスト等級 %1）";

}  // namespace

ScanNote CheckDrawing(const SymbolDrawing& drawing, std::string_view heldBytes) {
    // The window draws on white with a 10-pixel margin: no dark colour is
    // lighter than white, and the margin is at least five modules, so of the
    // findings only the colour's grade and single-pixel modules can apply.
    DrawingOptions options;
    options.moduleWidth = drawing.moduleWidth;
    options.dark = drawing.colour;
    const ScanFindings findings = FindingsOf(options, DrawingKind::Raster);
    const bool poorColour = findings.warnings.Has(ScanWarning::PoorContrast);
    const bool onePixel = findings.warnings.Has(ScanWarning::OnePixelModules);
    const bool readBack = ReadsBackAs(drawing.image, heldBytes);
    if (!poorColour && !onePixel) {
        return readBack ? ScanNote{QString::fromUtf8(kReadBack), false}
                        : ScanNote{QString::fromUtf8(kNotReadBack), true};
    }
    QStringList causes;
    if (poorColour) {
        causes << QString::fromUtf8(kColourCause);
    }
    if (onePixel) {
        causes << QString::fromUtf8(kOnePixelCause);
    }
    // "この色と1ピクセルでは…": one sentence, so that it fits under the symbol.
    QString text = causes.join(QStringLiteral("と")) + QStringLiteral("では") +
                   QString::fromUtf8(readBack ? kMayNotRead : kNotReadBack);
    if (poorColour) {
        // Only D and F are poor.
        const QChar grade = findings.contrast.grade == ContrastGrade::D ? u'D' : u'F';
        text += QString::fromUtf8(kGradeOf).arg(grade);
    }
    return ScanNote{text, true};
}

}  // namespace quirvane::app
