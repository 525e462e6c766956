// Each format's size and rectangles laid on the symbol, each dark unit covered
// once; then every unit and colour as rsvg-convert, pdftoppm, gs and a
// terminal draw it, and zbarimg's reading of those drawings.
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "render/drawing_options.h"
#include "render/symbol_eps.h"
#include "render/symbol_image.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "render/symbol_terminal.h"
#include "tests/support/drawing_reference.h"
#include "tests/support/rasterise.h"
#include "tests/support/zbar_decode.h"

namespace quirvane {
namespace {

using testing::VectorFormat;

struct Case {
    std::string name;
    int version;
    DrawingOptions options;
};

// Colours of three different channels, so that two swapped show. The module
// of 100 units last: its vector files are not rasterised.
// clang-format off
const std::vector<Case> kCases = {
    {"window_border", 1, {.moduleWidth = 1}},
    {"colours", 2, {.moduleWidth = 8, .quietZoneModules = 4, .dark = {0, 40, 128},
                    .background = {255, 240, 204}}},
    {"transparent_300_dpi", 7, {.moduleWidth = 5, .quietZoneModules = 0, .dpi = 300,
                                .dark = {40, 60, 20}, .transparentBackground = true,
                                .background = {255, 240, 204}}},
    {"version_40_96_dpi", 40, {.moduleWidth = 2, .quietZoneModules = 4, .dpi = 96}},
    {"widest_1200_dpi", 1, {.moduleWidth = 100, .quietZoneModules = 2, .dpi = 1200}},
};
// clang-format on

// CTest lists each case by its name, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// A physical length in `perInch` units to the inch, exact to 0.0001 and never
// above (a renderer rounding up to whole pixels would add a row).
void ExpectLength(const std::string& written, int units, const DrawingOptions& o, double perInch) {
    const double exact = o.dpi > 0 ? units * perInch / o.dpi : units;
    EXPECT_LE(std::stod(written), exact + 1e-9) << written;
    EXPECT_GT(std::stod(written), exact - 1e-4) << written;
}

// The runs after `before`, each `run` as column, row and length in modules (or,
// `inUnits`, x, y, width and height): the first unit painted other than once
// where dark and never where light, or "" when all is right and `end` follows.
std::string Painted(const Symbol& st, const DrawingOptions& o, const std::string& file,
                    const char* before, const char* run, bool inUnits, const std::string& end) {
    const int side = testing::ReferenceSide(st, o), m = testing::ReferenceMargin(o);
    const int w = o.moduleWidth;
    std::smatch r;
    if (!std::regex_search(file, r, std::regex(before))) {
        return std::string("no ") + before;
    }
    std::vector<int> count(side * side);
    const std::regex runs(run);
    auto at = r[0].second;
    for (; std::regex_search(at, file.cend(), r, runs, std::regex_constants::match_continuous);
         at = r[0].second) {
        const int a = std::stoi(r[1]), b = std::stoi(r[2]), c = std::stoi(r[3]);
        const int x = inUnits ? a : m + a * w, y = inUnits ? b : m + b * w;
        const int width = inUnits ? c : c * w, height = inUnits ? std::stoi(r[4]) : w;
        if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > side || y + height > side) {
            return "a rectangle outside: " + r.str();
        }
        for (int i = 0; i < width * height; ++i) {
            ++count[(y + i / width) * side + x + i % width];
        }
    }
    if (std::string(at, file.cend()) != end) {
        return "after the runs: " + std::string(at, file.cend()).substr(0, 80);
    }
    for (int i = 0; i < side * side; ++i) {
        if (count[i] != int(testing::DarkUnit(st, o, i % side, i / side))) {
            return "unit (" + std::to_string(i % side) + ", " + std::to_string(i / side) +
                   ") painted " + std::to_string(count[i]) + " times";
        }
    }
    return {};
}

class SymbolFormats : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        made_ =
            testing::MakeSymbol(GetParam().version, Level::M, Mode::Byte, "formats \xE2\x96\xA0");
        ASSERT_NE(made_, nullptr);
        side_ = testing::ReferenceSide(made_->symbol, GetParam().options);
    }

    std::unique_ptr<testing::MadeSymbol> made_;
    int side_ = 0;
};

TEST_P(SymbolFormats, PngHasEveryPixelItsDpiAndItsAlpha) {
    const DrawingOptions& o = GetParam().options;
    const QImage image =
        QImage::fromData(QByteArray::fromStdString(RenderSymbolPng(made_->symbol, o)), "PNG");
    EXPECT_EQ(testing::WrongUnit(image, 1, made_->symbol, o), "");
    if (o.transparentBackground) {
        // Light (the separator beside a finder pattern) under alpha 0, so that
        // a reader ignoring alpha sees it light too.
        EXPECT_EQ(image.pixel(testing::ReferenceMargin(o) + 7 * o.moduleWidth, 0),
                  qRgba(o.background.red, o.background.green, o.background.blue, 0));
    }
    if (o.dpi > 0) {
        // pHYs holds whole dots per metre: the dpi comes back to within rounding.
        EXPECT_NEAR(image.dotsPerMeterX(), o.dpi / 0.0254, 0.5);
        EXPECT_EQ(image.dotsPerMeterY(), image.dotsPerMeterX());
    }
}

// SVG, EPS and PDF: the size in physical units, one rectangle for each run of
// dark modules and nothing else drawn; EPS's boxes and lines, PDF's offsets.
TEST_P(SymbolFormats, VectorFilesHaveTheirSizeAndOneRectanglePerRun) {
    const DrawingOptions& o = GetParam().options;
    const std::string svg = RenderSymbolSvg(made_->symbol, o);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex("<svg [^>]*width=\"([0-9.]+)(mm|)\" height=\"\\1\\2\" viewBox=\"0 0 ([0-9]+) "
                   "\\3\" shape-rendering=\"crispEdges\">")))
        << svg.substr(0, 200);
    EXPECT_EQ(m.length(2) > 0, o.dpi > 0);
    ExpectLength(m[1], side_, o, 25.4);
    EXPECT_EQ(m.str(3), std::to_string(side_));
    EXPECT_EQ(Painted(made_->symbol, o, svg, " d=\"", "M([0-9]+) ([0-9]+)h([0-9]+)v([0-9]+)h-\\3z",
                      true, "\"/>\n</svg>\n"),
              "");

    const std::string eps = RenderSymbolEps(made_->symbol, o);
    ASSERT_TRUE(std::regex_search(eps, m, std::regex("\n%%BoundingBox: 0 0 ([0-9]+) \\1\n")));
    const double points = o.dpi > 0 ? side_ * 72.0 / o.dpi : side_;
    EXPECT_EQ(std::stoi(m[1]), static_cast<int>(std::ceil(points - 1e-9)));
    ASSERT_TRUE(std::regex_search(eps, m, std::regex("\n%%HiResBoundingBox: 0 0 ([0-9.]+) \\1\n")));
    ExpectLength(m[1], side_, o, 72);

    EXPECT_FALSE(std::regex_search(eps, std::regex("[^\n]{256}")))
        << "longer than a DSC line may be";
    EXPECT_EQ(Painted(made_->symbol, o, eps, " neg scale\n[0-9. ]+ setrgbcolor\n",
                      "([0-9]+) ([0-9]+) ([0-9]+) r[ \n]", false, "restore\nshowpage\n%%EOF\n"),
              "");

    const std::string pdf = RenderSymbolPdf(made_->symbol, o);
    // startxref points at the table, and every entry at its object.
    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("\nstartxref\n([0-9]+)\n%%EOF\n$")));
    const std::size_t xref = std::stoul(m[1]);
    ASSERT_EQ(pdf.compare(xref, 12, "xref\n0 5\n000"), 0);
    for (int object = 1; object <= 4; ++object) {
        const std::string entry = pdf.substr(xref + 9 + 20 * object, 20);
        ASSERT_TRUE(std::regex_match(entry, std::regex("[0-9]{10} 00000 n \n"))) << entry;
        const std::string head = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(std::stoul(entry.substr(0, 10)), head.size(), head), 0) << object;
    }
    EXPECT_EQ(pdf.compare(xref + 9 + 100, 8, "trailer\n"), 0);

    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("/MediaBox \\[0 0 ([0-9.]+) \\1\\]")));
    ExpectLength(m[1], side_, o, 72);

    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("/Length ([0-9]+) >>\nstream\n")));
    const std::size_t start = m.position(0) + m.length(0);
    const std::string content = pdf.substr(start, std::stoul(m[1]));
    EXPECT_EQ(pdf.compare(start + content.size(), 10, "endstream\n"), 0);
    EXPECT_EQ(Painted(made_->symbol, o, content, " cm\n[0-9. ]+ rg\n",
                      "([0-9]+) ([0-9]+) ([0-9]+) 1 re\n", false, "f\n"),
              "");
}

// Each vector file as its consumer draws it at four pixels a unit of its size:
// every unit in its colour, light ones in the background's or unpainted when it
// is transparent; zbarimg reads it when printed with a quiet zone of four.
class SymbolConsumers : public SymbolFormats {};

TEST_P(SymbolConsumers, DrawEveryUnitInPlaceAtThePhysicalSizeAndScan) {
    const DrawingOptions& o = GetParam().options;
    const bool printed =
        !o.transparentBackground && testing::ReferenceMargin(o) >= 4 * o.moduleWidth;
    for (const VectorFormat format : {VectorFormat::Svg, VectorFormat::Pdf, VectorFormat::Eps}) {
        SCOPED_TRACE("format " + std::to_string(static_cast<int>(format)));
        // Units per inch: the dpi, else a CSS pixel in SVG and a point in PDF and EPS.
        const int unitsPerInch = o.dpi > 0 ? o.dpi : format == VectorFormat::Svg ? 96 : 72;
        const std::string bytes = format == VectorFormat::Svg   ? RenderSymbolSvg(made_->symbol, o)
                                  : format == VectorFormat::Pdf ? RenderSymbolPdf(made_->symbol, o)
                                                                : RenderSymbolEps(made_->symbol, o);
        QTemporaryDir dir;
        const QString png = dir.filePath("drawn.png");
        const auto raster =
            o.transparentBackground ? testing::Raster::Alpha : testing::Raster::Colour;
        ASSERT_EQ(testing::Rasterise(format, bytes, o, 4 * unitsPerInch, raster, dir.path(), png),
                  "");
        EXPECT_EQ(testing::WrongUnit(QImage(png), 4, made_->symbol, o), "");
        if (printed) {
            EXPECT_EQ(testing::ZbarRead(png.toStdString()), "formats \xE2\x96\xA0");
        }
    }
}

const auto kCaseName = [](const auto& info) { return info.param.name; };
INSTANTIATE_TEST_SUITE_P(Drawings, SymbolFormats, ::testing::ValuesIn(kCases), kCaseName);
INSTANTIATE_TEST_SUITE_P(Drawings, SymbolConsumers,
                         ::testing::ValuesIn(kCases.begin(), kCases.end() - 1), kCaseName);

// The terminal's half blocks read back into modules, one pixel each: the
// symbol inside its light border, then scanned by zbarimg.
TEST(SymbolTerminal, HalfBlocksHoldEveryModuleInsideALightBorderAndScan) {
    const auto made = testing::MakeSymbol(1, Level::M, Mode::Byte, "terminal");
    ASSERT_NE(made, nullptr);
    const int side = made->symbol.Side() + 2 * kTerminalQuietZoneModules;
    const std::string plain = RenderSymbolTerminal(made->symbol, TerminalColours::None);
    // Indexed by the halves they ink: 1 the upper, 2 the lower.
    const QString glyphs = QString::fromUtf8(" \u2580\u2584\u2588");
    QImage drawn(side, side, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    std::string coloured;
    std::istringstream lines(plain);
    int y = 0;
    for (std::string line; std::getline(lines, line); y += 2) {
        // In colour, every line black (cube colour 16) on white (231) whatever
        // the terminal's scheme, then reset.
        coloured += "\x1B[38;5;16;48;5;231m" + line + "\x1B[0m\n";
        const QString cells = QString::fromStdString(line);
        ASSERT_EQ(cells.size(), side) << line;
        for (int x = 0; x < side; ++x) {
            const int ink = static_cast<int>(glyphs.indexOf(cells[x]));
            ASSERT_NE(ink, -1) << line;
            for (int half = 0; half < 2; ++half) {
                if (ink >> half & 1) {
                    // The side is odd: the last line's lower halves are one more light row.
                    ASSERT_LT(y + half, side) << "inked below the border";
                    drawn.setPixel(x, y + half, qRgb(0, 0, 0));
                }
            }
        }
    }
    ASSERT_EQ(y, side + 1);
    EXPECT_EQ(RenderSymbolTerminal(made->symbol, TerminalColours::BlackOnWhite), coloured);
    EXPECT_EQ(testing::WrongUnit(drawn, 1, made->symbol,
                                 {.moduleWidth = 1, .quietZoneModules = kTerminalQuietZoneModules}),
              "");
    EXPECT_EQ(testing::ZbarRead(drawn.scaled(side * 8, side * 8)), "terminal");
}

// A value out of range is named and nothing drawn; nor from a broken symbol.
TEST(DrawingOptions, EveryFormatRefusesWhatItCannotDraw) {
    const auto made = testing::MakeSymbol(1, Level::L, Mode::Byte, "options");
    ASSERT_NE(made, nullptr);
    const Symbol& symbol = made->symbol;
    const auto drawsNothing = [](const Symbol& view, const DrawingOptions& o) {
        return RenderSymbolImage(view, o).isNull() && RenderSymbolPng(view, o).empty() &&
               RenderSymbolSvg(view, o).empty() && RenderSymbolEps(view, o).empty() &&
               RenderSymbolPdf(view, o).empty();
    };
    // clang-format off
    const std::pair<DrawingOptions, std::string> rows[] = {  // the options, what is named
        {{.moduleWidth = 0}, "module width"}, {{.moduleWidth = 101}, "module width"},
        {{.quietZoneModules = -2}, "quiet zone"}, {{.quietZoneModules = 101}, "quiet zone"},
        {{.dpi = -1}, "dpi"}, {{.dpi = 10001}, "dpi"},
        {{.dark = {0, 256, 0}}, "dark colour"}, {{.dark = {-1, 0, 0}}, "dark colour"},
        {{.background = {255, 255, 256}}, "background"},
        {{.transparentBackground = true, .background = {0, -5, 0}}, "background"},
        // Sound, the edges of each range: nothing named.
        {{}, ""}, {{.moduleWidth = 1, .quietZoneModules = 0, .dpi = 1}, ""},
        {{.moduleWidth = 100, .quietZoneModules = 100, .dpi = 10000}, ""},
        {{.dark = {255, 255, 255}, .transparentBackground = true, .background = {0, 0, 0}}, ""}};
    // clang-format on
    for (const auto& [options, named] : rows) {
        const std::string problem = DrawingOptionsProblem(options);
        EXPECT_TRUE(named.empty() ? problem.empty() : problem.find(named) != std::string::npos)
            << named << ": '" << problem << "'";
        // The sound ones drawn as SVG only: the widest would be a PNG of 22,100 pixels square.
        EXPECT_TRUE(named.empty() ? !RenderSymbolSvg(symbol, options).empty()
                                  : drawsNothing(symbol, options))
            << named;
    }
    EXPECT_TRUE(drawsNothing(Symbol{}, {}));
    EXPECT_EQ(RenderSymbolTerminal(Symbol{}, TerminalColours::None), "");
}

}  // namespace
}  // namespace quirvane
