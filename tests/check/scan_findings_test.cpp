// The findings of drawing options: quiet zone, module size and warnings for
// the window's drawing, thin rasters, narrow quiet zones and transparent
// backgrounds.
#include "check/scan_findings.h"

#include <gtest/gtest.h>

namespace quirvane {
namespace {

using W = ScanWarning;
constexpr SymbolColour kBlack{0, 0, 0}, kWhite{255, 255, 255};
constexpr auto kRaster = DrawingKind::Raster, kVector = DrawingKind::Vector;

TEST(ScanFindings, WarningsAndQuietZone) {
    // clang-format off
    const struct {
        DrawingOptions options; DrawingKind kind; double quietZone; ScanWarnings warnings;
    } rows[] = {
        {{}, kRaster, 5, {}},
        {{.moduleWidth = 1}, kVector, 10, {}},
        {{.moduleWidth = 3}, kRaster, 10.0 / 3, {W::NarrowQuietZone}},
        {{.quietZoneModules = 3}, kVector, 3, {W::NarrowQuietZone}},
        {{.quietZoneModules = 4}, kRaster, 4, {}},
        {{.dark = {255, 255, 0}}, kRaster, 5, {W::PoorContrast}},
        {{.dark = kWhite, .background = kBlack}, kRaster, 5, {W::Reversed}},
        // A transparent background is paper: white, whatever colour it keeps.
        {{.transparentBackground = true, .background = kBlack}, kRaster, 5, {}},
        {{.dark = kWhite, .transparentBackground = true}, kRaster, 5, {W::PoorContrast}},
        {{.moduleWidth = 1, .quietZoneModules = 2, .dark = {210, 210, 210}}, kRaster, 2,
         {W::PoorContrast, W::NarrowQuietZone, W::OnePixelModules}},
    };
    // clang-format on
    for (const auto& row : rows) {
        const ScanFindings f = FindingsOf(row.options, row.kind);
        EXPECT_DOUBLE_EQ(f.quietZoneModules, row.quietZone);
        EXPECT_TRUE(f.warnings == row.warnings) << row.quietZone << " " << f.contrast.percent;
        EXPECT_EQ(f.gradedAgainstWhite, row.options.transparentBackground);
    }
}

TEST(ScanFindings, ModuleSize) {
    const DrawingOptions print{.moduleWidth = 4, .quietZoneModules = 4, .dpi = 300};
    EXPECT_EQ(FindingsOf(print, kRaster).modulePixels, 4);
    EXPECT_EQ(FindingsOf(print, kVector).modulePixels, std::nullopt);
    EXPECT_NEAR(FindingsOf(print, kVector).moduleMillimetres.value_or(0), 0.3387, 1e-4);
    EXPECT_EQ(FindingsOf({}, kRaster).moduleMillimetres, std::nullopt);
}

}  // namespace
}  // namespace quirvane
