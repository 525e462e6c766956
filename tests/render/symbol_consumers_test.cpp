// The vector files as other programs draw them: each rasterised by its
// consumer at four pixels a unit (the resolution following from the file's
// physical size) and every unit checked; those printed on a ground with a
// quiet zone of four modules or more are read back by zbarimg as well.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_svg.h"
#include "tests/support/drawing_reference.h"
#include "tests/support/rasterise.h"
#include "tests/support/zbar_decode.h"

namespace quirvane {
namespace {

using testing::Raster;
using testing::VectorFormat;

struct Drawing {
    int version;
    DrawingOptions options;
};

TEST(SymbolConsumers, DrawEveryUnitInPlaceAtThePhysicalSizeAndScan) {
    constexpr int kPixelsPerUnit = 4;
    for (const Drawing& d : std::vector<Drawing>{
             {1, {.moduleWidth = 1}},
             {2,
              {.moduleWidth = 3,
              .quietZoneModules = 4,
              .dark = {0, 0, 128},
              .background = {255, 255, 204}}},
             {7,
              {.moduleWidth = 2, .quietZoneModules = 0, .dpi = 300, .transparentBackground = true}},
             {1,
              {.moduleWidth = 5,
              .quietZoneModules = 4,
              .dpi = 600,
              .dark = {200, 0, 0},
              .transparentBackground = true,
              .background = {255, 255, 204}}},
             {3, {.moduleWidth = 4, .quietZoneModules = 1, .dpi = 254, .dark = {40, 40, 40}}},
             {40, {.moduleWidth = 1, .quietZoneModules = 4, .dpi = 96}},
         }) {
        const auto state = testing::MakeSymbol(d.version, kLevelM, kModeByte, "consumers");
        ASSERT_NE(state, nullptr);
        const DrawingOptions& o = d.options;
        const bool printed =
            !o.transparentBackground && testing::ReferenceMargin(o) >= 4 * o.moduleWidth;
        for (const VectorFormat format :
             {VectorFormat::Svg, VectorFormat::Pdf, VectorFormat::Eps}) {
            SCOPED_TRACE("format " + std::to_string(static_cast<int>(format)) + " version " +
                         std::to_string(d.version) + " width " + std::to_string(o.moduleWidth) +
                         " dpi " + std::to_string(o.dpi));
            // Units per inch as the file says: the dpi, else a CSS pixel in SVG, a point in PDF and
            // EPS.
            const int unitsPerInch = o.dpi > 0 ? o.dpi : format == VectorFormat::Svg ? 96 : 72;
            const std::string bytes =
                format == VectorFormat::Svg   ? RenderSymbolSvg(ViewOf(*state), o)
                : format == VectorFormat::Pdf ? RenderSymbolPdf(ViewOf(*state), o)
                                              : RenderSymbolEps(ViewOf(*state), o);
            QTemporaryDir dir;
            const QString png = dir.filePath("drawn.png");
            ASSERT_EQ(testing::Rasterise(format, bytes, o, kPixelsPerUnit * unitsPerInch,
                                         o.transparentBackground ? Raster::Alpha : Raster::Colour,
                                         dir.path(), png),
                      "");
            EXPECT_EQ(testing::WrongUnit(QImage(png), kPixelsPerUnit, *state, o), "");
            if (printed) {
                EXPECT_EQ(testing::ZbarRead(png.toStdString()), "consumers");
            }
        }
    }
}

}  // namespace
}  // namespace quirvane
