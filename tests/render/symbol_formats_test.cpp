// Each format's size, background and rectangles laid on the symbol, each dark
// unit covered once; then as rsvg-convert, pdftoppm, gs, a terminal and zbarimg
// read it. Row 8 is marked '*' and a '1' lies beyond the side: only a '1' inside
// is dark.
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "render/decimal_text.h"
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

using testing::DarkUnit;
using testing::Raster;
using testing::VectorFormat;

struct Case {
    int version;
    DrawingOptions options;
};

// The module of 100 units last: its vector files are not rasterised.
const std::vector<Case> kCases = {
    {1, {.moduleWidth = 1}},
    {2,
     {.moduleWidth = 8, .quietZoneModules = 4, .dark = {0, 0, 128}, .background = {255, 255, 204}}},
    {7, {.moduleWidth = 5, .quietZoneModules = 0, .dpi = 300, .transparentBackground = true}},
    {1,
     {.moduleWidth = 8,
      .quietZoneModules = 4,
      .dpi = 600,
      .dark = {40, 40, 40},
      .transparentBackground = true,
      .background = {255, 255, 204}}},
    {3, {.moduleWidth = 4, .quietZoneModules = 1, .dpi = 254, .dark = {40, 40, 40}}},
    {40, {.moduleWidth = 2, .quietZoneModules = 4, .dpi = 96}},
    {1, {.moduleWidth = 100, .quietZoneModules = 2, .dpi = 1200}},
};

// A physical length in `perInch` units to the inch, exact to 0.0001 and never
// above (a renderer rounding up to whole pixels would add a row).
void ExpectLength(const std::string& written, int units, const DrawingOptions& o, double perInch) {
    const double exact = o.dpi > 0 ? units * perInch / o.dpi : units;
    EXPECT_LE(std::stod(written), exact + 1e-9) << written;
    EXPECT_GT(std::stod(written), exact - 1e-4) << written;
}

// How often the rectangles of a file paint each unit.
struct UnitCover {
    const Symbol& st;
    const DrawingOptions& o;
    int side = testing::ReferenceSide(st, o);
    std::vector<int> count = std::vector<int>(side * side);

    // False when the rectangle leaves the drawing.
    bool Add(int x, int y, int width, int height) {
        if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > side || y + height > side) {
            return false;
        }
        for (int i = 0; i < width * height; ++i) {
            ++count[(y + i / width) * side + x + i % width];
        }
        return true;
    }
    // A run of `length` modules from (row, column).
    bool AddRun(int column, int row, int length) {
        const int m = testing::ReferenceMargin(o), w = o.moduleWidth;
        return Add(m + column * w, m + row * w, length * w, w);
    }
    // The first unit painted other than once where dark and never where light.
    std::string Wrong() const {
        for (int i = 0; i < side * side; ++i) {
            if (count[i] != int(DarkUnit(st, o, i % side, i / side))) {
                return "unit (" + std::to_string(i % side) + ", " + std::to_string(i / side) +
                       ") painted " + std::to_string(count[i]) + " times";
            }
        }
        return {};
    }
};

std::string Hex(SymbolColour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
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
    const std::string png = RenderSymbolPng(made_->symbol, o);
    const QImage image = QImage::fromData(QByteArray::fromStdString(png), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.hasAlphaChannel(), o.transparentBackground);
    EXPECT_EQ(testing::WrongUnit(image, 1, made_->symbol, o), "");
    if (o.transparentBackground) {
        // Light under alpha 0, so that a reader ignoring alpha sees it light too.
        int i = 0;
        while (DarkUnit(made_->symbol, o, i % side_, i / side_)) {
            ++i;
        }
        EXPECT_EQ(image.pixel(i % side_, i / side_),
                  qRgba(o.background.red, o.background.green, o.background.blue, 0));
    }
    if (o.dpi > 0) {
        // pHYs holds whole dots per metre: the dpi comes back to within rounding.
        EXPECT_NEAR(image.dotsPerMeterX(), o.dpi / 0.0254, 0.5);
        EXPECT_EQ(image.dotsPerMeterY(), image.dotsPerMeterX());
        EXPECT_EQ(std::lround(image.dotsPerMeterX() * 0.0254), o.dpi);
    }
}

TEST_P(SymbolFormats, SvgHasItsSizeBackgroundAndOneRectanglePerRun) {
    const DrawingOptions& o = GetParam().options;
    const std::string svg = RenderSymbolSvg(made_->symbol, o);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex("<svg [^>]*width=\"([0-9.]+)(mm)?\" height=\"([0-9.]+)(mm)?\" viewBox=\"0 0 "
                   "([0-9]+) ([0-9]+)\" shape-rendering=\"crispEdges\">")))
        << svg.substr(0, 200);
    EXPECT_EQ(m[1], m[3]);
    EXPECT_EQ(m[2].matched, o.dpi > 0);
    ExpectLength(m[1], side_, o, 25.4);
    EXPECT_EQ(m.str(5) + " " + m.str(6), std::to_string(side_) + " " + std::to_string(side_));
    const bool background = svg.find("<rect width=\"100%\" height=\"100%\" fill=\"" +
                                     Hex(o.background) + "\"/>") != std::string::npos;
    EXPECT_EQ(background, !o.transparentBackground);

    // The path's rectangles, "Mx yhWvHh-Wz" each.
    const std::string head = "<path fill=\"" + Hex(o.dark) + "\" d=\"";
    const std::size_t d = svg.find(head);
    ASSERT_NE(d, std::string::npos);
    EXPECT_EQ(svg.find("<path", d + 1), std::string::npos) << "one path only";
    const char* at = svg.c_str() + d + head.size();
    UnitCover cover{made_->symbol, o};
    int x = 0, y = 0, rw = 0, rh = 0, back = 0, used = 0;
    while (std::sscanf(at, "M%d %dh%dv%dh-%dz%n", &x, &y, &rw, &rh, &back, &used) == 5) {
        ASSERT_EQ(back, rw);
        ASSERT_TRUE(cover.Add(x, y, rw, rh));
        at += used;
    }
    EXPECT_EQ(std::string(at, 3), "\"/>") << "path data left unread";
    EXPECT_EQ(cover.Wrong(), "");
}

TEST_P(SymbolFormats, EpsHasItsBoxesBackgroundAndOneRectanglePerRun) {
    const DrawingOptions& o = GetParam().options;
    const std::string eps = RenderSymbolEps(made_->symbol, o);
    EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0U);
    const double points = o.dpi > 0 ? side_ * 72.0 / o.dpi : side_;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(eps, m, std::regex("\n%%BoundingBox: 0 0 ([0-9]+) ([0-9]+)\n")));
    EXPECT_EQ(m[1], m[2]);
    EXPECT_EQ(std::stoi(m[1]), static_cast<int>(std::ceil(points - 1e-9)));
    ASSERT_TRUE(
        std::regex_search(eps, m, std::regex("\n%%HiResBoundingBox: 0 0 ([0-9.]+) ([0-9.]+)\n")));
    EXPECT_EQ(m[1], m[2]);
    ExpectLength(m[1], side_, o, 72);
    const std::string units = std::to_string(side_);
    EXPECT_EQ(
        eps.find(" setrgbcolor 0 0 " + units + ' ' + units + " rectfill\n") != std::string::npos,
        !o.transparentBackground);

    std::istringstream lines(eps);
    std::string line;
    while (std::getline(lines, line)) {
        ASSERT_LE(line.size(), 255U) << "longer than a DSC line may be";
    }
    // After the dark colour, groups "column row length r" up to "restore".
    const std::size_t runs = eps.find("setrgbcolor\n", eps.find(" neg scale\n"));
    ASSERT_NE(runs, std::string::npos);
    std::istringstream tokens(eps.substr(runs + 12));
    UnitCover cover{made_->symbol, o};
    std::string column, row, length, r;
    while (tokens >> column && column != "restore") {
        ASSERT_TRUE(tokens >> row >> length >> r);
        ASSERT_EQ(r, "r");
        ASSERT_TRUE(cover.AddRun(std::stoi(column), std::stoi(row), std::stoi(length)));
    }
    EXPECT_EQ(cover.Wrong(), "");
    EXPECT_EQ(column, "restore");
}

TEST_P(SymbolFormats, PdfIsOneExactPageOfRectanglesWithExactOffsets) {
    const DrawingOptions& o = GetParam().options;
    const std::string pdf = RenderSymbolPdf(made_->symbol, o);
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0U);
    EXPECT_EQ(pdf.find("/Image"), std::string::npos);
    EXPECT_EQ(pdf.find("/XObject"), std::string::npos);

    // startxref points at the table, and every entry at its object.
    std::smatch m;
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

    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")));
    EXPECT_EQ(m[1], m[2]);
    ExpectLength(m[1], side_, o, 72);

    ASSERT_TRUE(std::regex_search(pdf, m, std::regex("/Length ([0-9]+) >>\nstream\n")));
    const std::size_t start = m.position(0) + m.length(0);
    const std::string content = pdf.substr(start, std::stoul(m[1]));
    EXPECT_EQ(pdf.compare(start + content.size(), 10, "endstream\n"), 0);
    const std::string units = std::to_string(side_);
    EXPECT_EQ(content.find(" rg 0 0 " + units + ' ' + units + " re f\n") != std::string::npos,
              !o.transparentBackground);
    // After the dark colour, lines "column row length 1 re", then one fill.
    const std::size_t runs =
        content.find(" rg\n", content.find(" cm\n", content.find(" cm\n") + 1));
    ASSERT_NE(runs, std::string::npos);
    std::istringstream lines(content.substr(runs + 4));
    UnitCover cover{made_->symbol, o};
    std::string line;
    int column = 0, row = 0, length = 0, used = 0;
    while (std::getline(lines, line) &&
           std::sscanf(line.c_str(), "%d %d %d 1 re%n", &column, &row, &length, &used) == 3) {
        ASSERT_EQ(used, static_cast<int>(line.size())) << line;
        ASSERT_TRUE(cover.AddRun(column, row, length));
    }
    EXPECT_EQ(line, "f");
    EXPECT_FALSE(std::getline(lines, line)) << "after the fill: " << line;
    EXPECT_EQ(cover.Wrong(), "");
}

// Each vector file as its consumer draws it at four pixels a unit of its
// physical size; zbarimg reads it when printed with a quiet zone of four.
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
        ASSERT_EQ(testing::Rasterise(format, bytes, o, 4 * unitsPerInch,
                                     o.transparentBackground ? Raster::Alpha : Raster::Colour,
                                     dir.path(), png),
                  "");
        EXPECT_EQ(testing::WrongUnit(QImage(png), 4, made_->symbol, o), "");
        if (printed) {
            EXPECT_EQ(testing::ZbarRead(png.toStdString()), "formats \xE2\x96\xA0");
        }
    }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    const DrawingOptions& o = info.param.options;
    return "version_" + std::to_string(info.param.version) + "_width_" +
           std::to_string(o.moduleWidth) + "_quiet_zone_" +
           (o.quietZoneModules < 0 ? std::string("window") : std::to_string(o.quietZoneModules)) +
           "_dpi_" + std::to_string(o.dpi) + (o.transparentBackground ? "_transparent" : "");
}

INSTANTIATE_TEST_SUITE_P(Drawings, SymbolFormats, ::testing::ValuesIn(kCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Drawings, SymbolConsumers,
                         ::testing::ValuesIn(kCases.begin(), kCases.end() - 1), CaseName);

// The terminal's half blocks read back into modules, then scanned by zbarimg.
TEST(SymbolTerminal, HalfBlocksHoldEveryModuleInsideALightBorderAndScan) {
    // Each glyph, and whether it inks its upper and its lower half.
    const std::pair<std::string, std::pair<bool, bool>> glyphs[] = {{" ", {false, false}},
                                                                    {"\xE2\x96\x80", {true, false}},
                                                                    {"\xE2\x96\x84", {false, true}},
                                                                    {"\xE2\x96\x88", {true, true}}};
    for (const auto& [version, text] :
         std::vector<std::pair<int, std::string>>{{1, "terminal"}, {40, "version forty"}}) {
        SCOPED_TRACE(version);
        const auto made = testing::MakeSymbol(version, Level::M, Mode::Byte, text);
        ASSERT_NE(made, nullptr);
        const int n = made->symbol.Side(), side = n + 2 * kTerminalQuietZoneModules;
        const std::string plain = RenderSymbolTerminal(made->symbol, TerminalColours::None);
        ASSERT_FALSE(plain.empty());
        EXPECT_EQ(plain.back(), '\n');
        // In colour, every line black (cube colour 16) on white (231) whatever the
        // terminal's scheme, then reset.
        std::vector<std::vector<bool>> ink;  // rows of half cells
        std::string coloured;
        std::istringstream lines(plain);
        for (std::string line; std::getline(lines, line);) {
            coloured += "\x1B[38;5;16;48;5;231m" + line + "\x1B[0m\n";
            ink.resize(ink.size() + 2);
            for (std::size_t at = 0; at < line.size();) {
                const auto* glyph = std::find_if(
                    std::begin(glyphs), std::end(glyphs),
                    [&](const auto& g) { return line.compare(at, g.first.size(), g.first) == 0; });
                ASSERT_NE(glyph, std::end(glyphs)) << "byte " << at << " of " << line;
                ink[ink.size() - 2].push_back(glyph->second.first);
                ink.back().push_back(glyph->second.second);
                at += glyph->first.size();
            }
        }
        EXPECT_EQ(RenderSymbolTerminal(made->symbol, TerminalColours::BlackOnWhite), coloured);
        // The side is odd: the last line's lower halves are one more light row.
        ASSERT_EQ(ink.size(), static_cast<std::size_t>(side + 1));
        for (int r = 0; r <= side; ++r) {
            ASSERT_EQ(ink[r].size(), static_cast<std::size_t>(side)) << "row " << r;
            for (int c = 0; c < side; ++c) {
                const int sr = r - kTerminalQuietZoneModules, sc = c - kTerminalQuietZoneModules;
                const bool dark =
                    sr >= 0 && sc >= 0 && sr < n && sc < n && made->symbol.IsDark(sr, sc);
                ASSERT_EQ(ink[r][c], dark) << "module row " << r << " column " << c;
            }
        }
        // Drawn as the terminal shows it, a module 8 pixels square.
        QImage image(side * 8, side * 8, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, ink[y / 8][x / 8] ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
        EXPECT_EQ(testing::ZbarRead(image), text);
    }
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
    const std::pair<DrawingOptions, std::string> refused[] = {  // the options, what is named
        {{.moduleWidth = 0}, "module width"}, {{.moduleWidth = 101}, "module width"},
        {{.quietZoneModules = -2}, "quiet zone"}, {{.quietZoneModules = 101}, "quiet zone"},
        {{.dpi = -1}, "dpi"}, {{.dpi = 10001}, "dpi"},
        {{.dark = {0, 256, 0}}, "dark colour"}, {{.dark = {-1, 0, 0}}, "dark colour"},
        {{.background = {255, 255, 256}}, "background"},
        {{.transparentBackground = true, .background = {0, -5, 0}}, "background"}};
    const DrawingOptions sound[] = {
        {}, {.moduleWidth = 1, .quietZoneModules = 0, .dpi = 1},
        {.moduleWidth = 100, .quietZoneModules = 100, .dpi = 10000},
        {.dark = {255, 255, 255}, .transparentBackground = true, .background = {0, 0, 0}}};
    // clang-format on
    for (const auto& [options, named] : refused) {
        const std::string problem = DrawingOptionsProblem(options);
        EXPECT_NE(problem.find(named), std::string::npos) << "'" << problem << "'";
        EXPECT_TRUE(drawsNothing(symbol, options)) << named;
    }
    for (const DrawingOptions& options : sound) {
        EXPECT_EQ(DrawingOptionsProblem(options), "");
        EXPECT_FALSE(RenderSymbolSvg(symbol, options).empty());
    }
    EXPECT_TRUE(drawsNothing(Symbol{}, {}));
    EXPECT_EQ(RenderSymbolTerminal(Symbol{}, TerminalColours::None), "");
}

// Numbers in the vector files: trimmed, no "-0", lengths never rounded up.
TEST(DecimalText, PointSeparatedTrimmedAndSizesNeverRoundedUp) {
    // clang-format off
    const std::tuple<double, int, std::string> rounded[] = {
        {1.0, 4, "1"}, {128 / 255.0, 4, "0.502"}, {0.24, 10, "0.24"}, {72 / 7.0, 4, "10.2857"},
        {0.0, 4, "0"}, {-0.00001, 4, "0"}};
    const std::tuple<long long, long long, int, std::string> lengths[] = {
        {125 * 254, 6000, 4, "5.2916"},  // 5.29166... mm: down, not up to 5.2917
        {300 * 254, 3000, 4, "25.4"}, {266 * 72, 300, 4, "63.84"}, {87, 1, 4, "87"},
        {1, 20000, 4, "0"}, {1, 10000, 4, "0.0001"}, {7, 3, 0, "2"}};
    // clang-format on
    for (const auto& [value, places, text] : rounded) {
        EXPECT_EQ(DecimalText(value, places), text) << value;
    }
    for (const auto& [numerator, denominator, places, text] : lengths) {
        EXPECT_EQ(LengthText(numerator, denominator, places), text) << numerator;
    }
    EXPECT_EQ(ColourFractions({255, 128, 0}), "1 0.502 0");
}

}  // namespace
}  // namespace quirvane
