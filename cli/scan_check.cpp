#include "cli/scan_check.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/tool_messages.h"
#include "render/symbol_image.h"

namespace quirvane {
namespace {

// Module width at which a vector drawing is rasterised to be read back.
constexpr int kCheckedModulePixels = 4;
// 64 MiB of pixels: a PNG beyond that is checked at kCheckedModulePixels.
constexpr long long kMostCheckedPixels = 16LL << 20;

// `value` with up to `places` decimals, trailing zeros dropped.
std::string Decimal(double value, int places) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    std::string shown = text;
    while (shown.find('.') != std::string::npos && (shown.back() == '0' || shown.back() == '.')) {
        shown.pop_back();
    }
    return shown;
}

std::string GradeName(ContrastGrade grade) {
    return std::string(1, "ABCDF"[static_cast<int>(grade)]);
}

bool IsDrawing(OutputFormat format) {
    return format != OutputFormat::Text && format != OutputFormat::Terminal;
}

// The images side by side, each `overlap` pixels over the one before it.
QImage SideBySide(const std::vector<QImage>& images, int overlap) {
    if (images.size() == 1 || std::any_of(images.begin(), images.end(),
                                          [](const QImage& image) { return image.isNull(); })) {
        return images.size() == 1 ? images.front() : QImage();
    }
    int width = overlap, height = 0;
    for (const QImage& image : images) {
        width += image.width() - overlap;
        height = std::max(height, image.height());
    }
    QImage joined(width, height, QImage::Format_ARGB32);
    if (joined.isNull()) {
        return joined;
    }
    joined.fill(Qt::transparent);
    int left = 0;
    for (const QImage& part : images) {
        const QImage argb = part.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            std::memcpy(joined.scanLine(y) + left * 4, argb.constScanLine(y),
                        static_cast<std::size_t>(argb.width()) * 4);
        }
        left += argb.width() - overlap;
    }
    return joined;
}

}  // namespace

ScanFindings ToolFindings(OutputFormat format, const DrawingOptions& drawing) {
    if (!IsDrawing(format)) {
        return FindingsOf({.moduleWidth = 1, .quietZoneModules = kToolQuietZoneModules},
                          DrawingKind::Vector);
    }
    return FindingsOf(drawing,
                      format == OutputFormat::Png ? DrawingKind::Raster : DrawingKind::Vector);
}

std::vector<std::string> WarningLines(const ScanFindings& findings) {
    std::vector<std::string> lines;
    const ScanWarnings& warnings = findings.warnings;
    if (warnings.Has(ScanWarning::PoorContrast)) {
        lines.push_back(
            Fill(translate("quirvane-encode",
                           "warning: the colours' contrast is %1 %, grade %2: "
                           "readers may not see the symbol"),
                 {Decimal(findings.contrast.percent, 1), GradeName(findings.contrast.grade)}));
    }
    if (warnings.Has(ScanWarning::Reversed)) {
        lines.push_back(translate("quirvane-encode",
                                  "warning: the dark modules are lighter than the background: "
                                  "many readers do not read such a symbol"));
    }
    if (warnings.Has(ScanWarning::NarrowQuietZone)) {
        lines.push_back(Fill(translate("quirvane-encode",
                                       "warning: the quiet zone in modules is %1, where "
                                       "readers need 4 to find the symbol"),
                             {Decimal(findings.quietZoneModules, 2)}));
    }
    if (warnings.Has(ScanWarning::OnePixelModules)) {
        lines.push_back(translate("quirvane-encode",
                                  "warning: modules of 1 pixel often do not scan: use -s 2 or "
                                  "more"));
    }
    return lines;
}

QImage CheckedImage(OutputFormat format, const DrawingOptions& drawing,
                    std::span<const Symbol> symbols, std::span<const std::string> files) {
    const int side = symbols.front().Side();
    const bool row = files.size() == 1 && symbols.size() > 1;
    const long long pixels = 1LL * RowWidthOf(side, static_cast<int>(symbols.size()), drawing) *
                             DrawingSideOf(side, drawing);
    std::vector<QImage> images;
    if (format == OutputFormat::Png && pixels <= kMostCheckedPixels) {
        for (const std::string& png : files) {
            images.push_back(QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                              static_cast<int>(png.size()), "PNG"));
        }
        return SideBySide(images, 0);
    }
    DrawingOptions raster =
        IsDrawing(format) ? drawing : DrawingOptions{.quietZoneModules = kToolQuietZoneModules};
    raster.moduleWidth = kCheckedModulePixels;
    for (const Symbol& symbol : symbols) {
        images.push_back(RenderSymbolImage(symbol, raster));
    }
    // A row's parts share the border between them, as in the file.
    return SideBySide(images, row ? MarginOf(raster) : 0);
}

std::vector<std::string> ReportLines(const ScanFindings& findings, bool readsBack) {
    const ColourContrast& contrast = findings.contrast;
    std::vector<std::string> lines = {
        Fill(translate("quirvane-encode",
                       contrast.reversed
                           ? QT_TRANSLATE_NOOP("quirvane-encode",
                                               "contrast: %1 %, grade %2, reversed: light modules "
                                               "on a dark background")
                           : QT_TRANSLATE_NOOP("quirvane-encode",
                                               "contrast: %1 %, grade %2, dark modules on a light "
                                               "background")),
             {Decimal(contrast.percent, 1), GradeName(contrast.grade)})};
    if (findings.gradedAgainstWhite) {
        lines.push_back(translate("quirvane-encode",
                                  "the background is transparent: graded against white paper"));
    }
    lines.push_back(Fill(translate("quirvane-encode", "quiet zone in modules: %1"),
                         {Decimal(findings.quietZoneModules, 2)}));
    const std::string pixels =
        findings.modulePixels ? std::to_string(*findings.modulePixels) : std::string();
    const std::string millimetres =
        findings.moduleMillimetres ? Decimal(*findings.moduleMillimetres, 2) : std::string();
    if (!pixels.empty() && !millimetres.empty()) {
        lines.push_back(
            Fill(translate("quirvane-encode", "module: %1 px, %2 mm"), {pixels, millimetres}));
    } else if (!pixels.empty() || !millimetres.empty()) {
        lines.push_back(
            Fill(translate("quirvane-encode",
                           pixels.empty() ? QT_TRANSLATE_NOOP("quirvane-encode", "module: %1 mm")
                                          : QT_TRANSLATE_NOOP("quirvane-encode", "module: %1 px")),
                 {pixels + millimetres}));
    }
    lines.push_back(translate("quirvane-encode",
                              readsBack ? QT_TRANSLATE_NOOP("quirvane-encode", "read back: yes")
                                        : QT_TRANSLATE_NOOP("quirvane-encode", "read back: no")));
    return lines;
}

bool PassesCheck(const ScanFindings& findings, bool readsBack) {
    return readsBack && findings.contrast.grade != ContrastGrade::F;
}

}  // namespace quirvane
