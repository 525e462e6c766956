// The files as other programs read them. Each vector file is rasterised by its
// consumer at four pixels a unit (the resolution following from the file's
// physical size) and every unit checked; and at module width 8 with a quiet
// zone of 4, every format, drawn at 300 dpi, is read back by zbarimg.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "tests/render/consumer_tools.h"
#include "tests/render/drawing_reference.h"
#include "tests/support/zbar_decode.h"

namespace quirvane {
namespace {

using testing::Raster;
using testing::VectorFormat;

constexpr VectorFormat kVectorFormats[] = {VectorFormat::Svg, VectorFormat::Pdf, VectorFormat::Eps};

const char* NameOf(VectorFormat format) {
    return format == VectorFormat::Svg ? "SVG" : format == VectorFormat::Pdf ? "PDF" : "EPS";
}

std::string Render(VectorFormat format, const EncoderState& state, const DrawingOptions& o) {
    return format == VectorFormat::Svg   ? RenderSymbolSvg(ViewOf(state), o)
           : format == VectorFormat::Pdf ? RenderSymbolPdf(ViewOf(state), o)
                                         : RenderSymbolEps(ViewOf(state), o);
}

// Units per inch as the file says: the dpi, else a CSS pixel in SVG, a point in PDF and EPS.
int UnitsPerInch(VectorFormat format, const DrawingOptions& o) {
    return o.dpi > 0 ? o.dpi : format == VectorFormat::Svg ? 96 : 72;
}

struct Drawing {
    int version;
    DrawingOptions options;
};

TEST(SymbolConsumers, DrawEveryUnitInPlaceAtThePhysicalSize) {
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
        for (const VectorFormat format : kVectorFormats) {
            SCOPED_TRACE(std::string(NameOf(format)) + " version " + std::to_string(d.version) +
                         " width " + std::to_string(o.moduleWidth) + " dpi " +
                         std::to_string(o.dpi));
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            const QString png = dir.filePath("drawn.png");
            const std::string error = testing::Rasterise(
                format, Render(format, *state, o), o, kPixelsPerUnit * UnitsPerInch(format, o),
                o.transparentBackground ? Raster::Alpha : Raster::Colour, dir.path(), png);
            ASSERT_EQ(error, "");
            EXPECT_EQ(testing::WrongUnit(QImage(png), kPixelsPerUnit, *state, o), "");
        }
    }
}

struct Text {
    int version, level, mode;
    const char* text;
};

const Text kTexts[] = {
    {2, kLevelL, kModeByte, "Quirvane \xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"},  // テスト
    {7, kLevelQ, kModeAlphanumeric, "HTTPS://EXAMPLE.COM/QUIRVANE/PRINT-TEST"},
    {15, kLevelH, kModeNumeric, "31415926535897932384626433832795028841971693993751"},
};

// Module width 8 and the quiet zone of 4: with no dpi, on a coloured ground,
// and transparent on the page.
const DrawingOptions kPrinted[] = {
    {.moduleWidth = 8, .quietZoneModules = 4},
    {.moduleWidth = 8,
     .quietZoneModules = 4,
     .dpi = 300,
     .dark = {0, 0, 128},
     .background = {255, 255, 204}},
    {.moduleWidth = 8, .quietZoneModules = 4, .dpi = 600, .transparentBackground = true},
};

TEST(SymbolConsumers, ZbarReadsTheTextOfEveryFormat) {
    for (const Text& t : kTexts) {
        const auto state = testing::MakeSymbol(t.version, t.level, t.mode, t.text);
        ASSERT_NE(state, nullptr);
        for (const DrawingOptions& o : kPrinted) {
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            const std::string trace = "version " + std::to_string(t.version) + " dpi " +
                                      std::to_string(o.dpi) +
                                      (o.transparentBackground ? " transparent" : "");
            {
                SCOPED_TRACE("PNG " + trace);
                const QString png = dir.filePath("symbol.png");
                QFile file(png);
                const std::string bytes = RenderSymbolPng(ViewOf(*state), o);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(bytes.data(), static_cast<qint64>(bytes.size()));
                file.close();
                std::string decoded;
                ASSERT_TRUE(testing::DecodePngWithZbar(png.toStdString(), decoded)) << decoded;
                EXPECT_EQ(decoded, t.text);
            }
            for (const VectorFormat format : kVectorFormats) {
                SCOPED_TRACE(std::string(NameOf(format)) + " " + trace);
                const QString png = dir.filePath(QString(NameOf(format)) + ".png");
                const Raster raster = format == VectorFormat::Eps ? Raster::Grey : Raster::Colour;
                ASSERT_EQ(testing::Rasterise(format, Render(format, *state, o), o, 300, raster,
                                             dir.path(), png),
                          "");
                std::string decoded;
                ASSERT_TRUE(testing::DecodePngWithZbar(png.toStdString(), decoded)) << decoded;
                EXPECT_EQ(decoded, t.text);
            }
        }
    }
}

}  // namespace
}  // namespace quirvane
