// The scan findings of a drawing's options: plain arithmetic on the options,
// so that a warning can be given before the symbol is even made.
#include "check/scan_findings.h"

#include <cassert>

namespace quirvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr SymbolColour kWhitePaper{255, 255, 255};

}  // namespace

ScanFindings FindingsOf(const DrawingOptions& options, DrawingKind kind) {
    assert(DrawingOptionsProblem(options).empty());
    ScanFindings findings;
    findings.gradedAgainstWhite = options.transparentBackground;
    findings.contrast =
        ContrastOf(options.dark, options.transparentBackground ? kWhitePaper : options.background);
    findings.quietZoneModules = options.quietZoneModules == kWindowMargin
                                    ? static_cast<double>(kMarginPixels) / options.moduleWidth
                                    : options.quietZoneModules;
    if (kind == DrawingKind::Raster) {
        findings.modulePixels = options.moduleWidth;
    }
    if (options.dpi > 0) {
        findings.moduleMillimetres = options.moduleWidth * kMillimetresPerInch / options.dpi;
    }
    const ContrastGrade grade = findings.contrast.grade;
    if (grade == ContrastGrade::D || grade == ContrastGrade::F) {
        findings.warnings.Add(ScanWarning::PoorContrast);
    }
    if (findings.contrast.reversed) {
        findings.warnings.Add(ScanWarning::Reversed);
    }
    if (findings.quietZoneModules < kLeastQuietZoneModules) {
        findings.warnings.Add(ScanWarning::NarrowQuietZone);
    }
    if (kind == DrawingKind::Raster && options.moduleWidth == 1) {
        findings.warnings.Add(ScanWarning::OnePixelModules);
    }
    return findings;
}

}  // namespace quirvane
