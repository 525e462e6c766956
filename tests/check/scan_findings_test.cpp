// The findings of drawing options: contrast, quiet zone, module size and
// warnings for the window's drawing, thin rasters, narrow quiet zones and
// transparent backgrounds.
#include "check/scan_findings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quirvane {
namespace {

using W = ScanWarning;

struct Row {
    std::string name;
    DrawingOptions options;
    DrawingKind kind;
    ContrastGrade grade;
    double quietZoneModules;
    std::optional<int> modulePixels;
    std::optional<double> moduleMillimetres;
    ScanWarnings warnings;
};

constexpr SymbolColour kBlack{0, 0, 0};
constexpr SymbolColour kWhite{255, 255, 255};
constexpr SymbolColour kYellow{255, 255, 0};
constexpr auto kRaster = DrawingKind::Raster;
constexpr auto kVector = DrawingKind::Vector;

TEST(ScanFindings, OfTheOptions) {
    const std::vector<Row> rows = {
        {"window drawing", {}, kRaster, ContrastGrade::A, 5, 2, {}, {}},
        {"1-px raster",
         {.moduleWidth = 1},
         kRaster,
         ContrastGrade::A,
         10,
         1,
         {},
         {W::OnePixelModules}},
        {"1-unit vector", {.moduleWidth = 1}, kVector, ContrastGrade::A, 10, {}, {}, {}},
        {"window margin at width 3",
         {.moduleWidth = 3},
         kRaster,
         ContrastGrade::A,
         10.0 / 3,
         3,
         {},
         {W::NarrowQuietZone}},
        {"quiet zone 0",
         {.quietZoneModules = 0},
         kRaster,
         ContrastGrade::A,
         0,
         2,
         {},
         {W::NarrowQuietZone}},
        {"quiet zone 1",
         {.quietZoneModules = 1},
         kVector,
         ContrastGrade::A,
         1,
         {},
         {},
         {W::NarrowQuietZone}},
        {"quiet zone 2",
         {.quietZoneModules = 2},
         kRaster,
         ContrastGrade::A,
         2,
         2,
         {},
         {W::NarrowQuietZone}},
        {"quiet zone 3",
         {.quietZoneModules = 3},
         kRaster,
         ContrastGrade::A,
         3,
         2,
         {},
         {W::NarrowQuietZone}},
        {"quiet zone 4", {.quietZoneModules = 4}, kRaster, ContrastGrade::A, 4, 2, {}, {}},
        {"300 dpi",
         {.moduleWidth = 4, .quietZoneModules = 4, .dpi = 300},
         kVector,
         ContrastGrade::A,
         4,
         {},
         4 * 25.4 / 300,
         {}},
        {"yellow on white",
         {.dark = kYellow},
         kRaster,
         ContrastGrade::F,
         5,
         2,
         {},
         {W::PoorContrast}},
        {"white on black",
         {.dark = kWhite, .background = kBlack},
         kRaster,
         ContrastGrade::A,
         5,
         2,
         {},
         {W::Reversed}},
        {"transparent over black",
         {.transparentBackground = true, .background = kBlack},
         kRaster,
         ContrastGrade::A,
         5,
         2,
         {},
         {}},
        {"white, transparent over black",
         {.dark = kWhite, .transparentBackground = true, .background = kBlack},
         kRaster,
         ContrastGrade::F,
         5,
         2,
         {},
         {W::PoorContrast}},
        {"1-px, no quiet zone, light grey on white, 600 dpi",
         {.moduleWidth = 1, .quietZoneModules = 0, .dpi = 600, .dark = {210, 210, 210}},
         kRaster,
         ContrastGrade::D,
         0,
         1,
         25.4 / 600,
         {W::PoorContrast, W::NarrowQuietZone, W::OnePixelModules}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScanFindings f = FindingsOf(row.options, row.kind);
        EXPECT_EQ(f.contrast.grade, row.grade);
        EXPECT_EQ(f.gradedAgainstWhite, row.options.transparentBackground);
        EXPECT_DOUBLE_EQ(f.quietZoneModules, row.quietZoneModules);
        EXPECT_EQ(f.modulePixels, row.modulePixels);
        ASSERT_EQ(f.moduleMillimetres.has_value(), row.moduleMillimetres.has_value());
        if (row.moduleMillimetres) {
            EXPECT_DOUBLE_EQ(*f.moduleMillimetres, *row.moduleMillimetres);
        }
        for (const W w : {W::PoorContrast, W::Reversed, W::NarrowQuietZone, W::OnePixelModules}) {
            EXPECT_EQ(f.warnings.Has(w), row.warnings.Has(w)) << static_cast<int>(w);
        }
    }
}

}  // namespace
}  // namespace quirvane
