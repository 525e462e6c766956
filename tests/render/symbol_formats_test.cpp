// Each file format as written, for drawings of every kind of option: its size
// and physical size, its background, and its rectangles read back and laid on
// the symbol, each dark unit covered once and nothing else. Row 8 of every
// symbol is marked '*' and a '1' lies just beyond its side: only a '1' inside
// is dark. How consumers draw the vector files is checked in
// symbol_consumers_test.cpp.
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "render/symbol_eps.h"
#include "render/symbol_image.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "tests/support/drawing_reference.h"

namespace quirvane {
namespace {

using testing::DarkUnit;

struct Case {
    int version;
    DrawingOptions options;
};

const std::vector<Case> kCases = {
    {1, {.moduleWidth = 1}},
    {2,
     {.moduleWidth = 3, .quietZoneModules = 4, .dark = {0, 0, 128}, .background = {255, 255, 204}}},
    {7, {.moduleWidth = 5, .quietZoneModules = 0, .dpi = 300, .transparentBackground = true}},
    {1,
     {.moduleWidth = 8,
      .quietZoneModules = 4,
      .dpi = 600,
      .dark = {40, 40, 40},
      .transparentBackground = true,
      .background = {255, 255, 204}}},
    {3, {.moduleWidth = 7, .quietZoneModules = 1, .dpi = 254}},
    {1, {.moduleWidth = 100, .quietZoneModules = 2, .dpi = 1200}},
    {40, {.moduleWidth = 2, .quietZoneModules = 4, .dpi = 96}},
};

// The physical side: inches = units / dpi, written in `perInch` units (25.4
// for mm, 72 for points), or the units themselves when no dpi is given.
double ExpectedLength(int units, const DrawingOptions& o, double perInch) {
    return o.dpi > 0 ? units * perInch / o.dpi : units;
}

// A written length is the exact one to 0.0001, never above it (a renderer
// rounding up to whole pixels would add a row).
void ExpectLength(const std::string& written, double exact) {
    const double value = std::stod(written);
    EXPECT_LE(value, exact + 1e-9) << written;
    EXPECT_GT(value, exact - 1e-4) << written;
}

// Counts how often the rectangles of a file paint each unit.
class UnitCover {
  public:
    UnitCover(const EncoderState& st, const DrawingOptions& o)
        : st_(st), o_(o), side_(testing::ReferenceSide(st, o)), count_(side_ * side_) {}

    // False when the rectangle leaves the drawing.
    bool Add(int x, int y, int width, int height) {
        if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > side_ || y + height > side_) {
            return false;
        }
        for (int i = 0; i < width * height; ++i) {
            ++count_[(y + i / width) * side_ + x + i % width];
        }
        return true;
    }
    // A run of `length` modules from (row, column).
    bool AddRun(int column, int row, int length) {
        const int m = testing::ReferenceMargin(o_), w = o_.moduleWidth;
        return Add(m + column * w, m + row * w, length * w, w);
    }

    // The first unit painted other than once where dark and never where light.
    std::string Wrong() const {
        for (int i = 0; i < side_ * side_; ++i) {
            if (count_[i] != int(DarkUnit(st_, o_, i % side_, i / side_))) {
                return "unit (" + std::to_string(i % side_) + ", " + std::to_string(i / side_) +
                       ") painted " + std::to_string(count_[i]) + " times";
            }
        }
        return {};
    }

  private:
    const EncoderState& st_;
    const DrawingOptions& o_;
    int side_;
    std::vector<int> count_;
};

std::string Hex(SymbolColour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

class SymbolFormats : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        state_ =
            testing::MakeSymbol(GetParam().version, kLevelM, kModeByte, "formats \xE2\x96\xA0");
        ASSERT_NE(state_, nullptr);
        char* cells = state_->symbolMatrix;
        const int n = state_->SymbolSide();
        std::replace(cells + 8 * kPlaneStride, cells + 9 * kPlaneStride, '0', '*');
        for (int r = 0; r < n; ++r) {
            cells[r * kPlaneStride + n] = '1';
        }
        side_ = testing::ReferenceSide(*state_, GetParam().options);
    }

    std::unique_ptr<EncoderState> state_;
    int side_ = 0;
};

TEST_P(SymbolFormats, PngHasEveryPixelItsDpiAndItsAlpha) {
    const DrawingOptions& o = GetParam().options;
    const std::string png = RenderSymbolPng(ViewOf(*state_), o);
    const QImage image = QImage::fromData(QByteArray::fromStdString(png), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.hasAlphaChannel(), o.transparentBackground);
    EXPECT_EQ(testing::WrongUnit(image, 1, *state_, o), "");
    if (o.transparentBackground) {
        // Light under alpha 0, so that a reader ignoring alpha sees it light too.
        int i = 0;
        while (DarkUnit(*state_, o, i % side_, i / side_)) {
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
    const std::string svg = RenderSymbolSvg(ViewOf(*state_), o);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        svg, m,
        std::regex("<svg [^>]*width=\"([0-9.]+)(mm)?\" height=\"([0-9.]+)(mm)?\" viewBox=\"0 0 "
                   "([0-9]+) ([0-9]+)\" shape-rendering=\"crispEdges\">")))
        << svg.substr(0, 200);
    EXPECT_EQ(m[1], m[3]);
    EXPECT_EQ(m[2].matched, o.dpi > 0);
    ExpectLength(m[1], ExpectedLength(side_, o, 25.4));
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
    UnitCover cover(*state_, o);
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
    const std::string eps = RenderSymbolEps(ViewOf(*state_), o);
    EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0U);
    const double points = ExpectedLength(side_, o, 72);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(eps, m, std::regex("\n%%BoundingBox: 0 0 ([0-9]+) ([0-9]+)\n")));
    EXPECT_EQ(m[1], m[2]);
    EXPECT_EQ(std::stoi(m[1]), static_cast<int>(std::ceil(points - 1e-9)));
    ASSERT_TRUE(
        std::regex_search(eps, m, std::regex("\n%%HiResBoundingBox: 0 0 ([0-9.]+) ([0-9.]+)\n")));
    EXPECT_EQ(m[1], m[2]);
    ExpectLength(m[1], points);
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
    UnitCover cover(*state_, o);
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
    const std::string pdf = RenderSymbolPdf(ViewOf(*state_), o);
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
    ExpectLength(m[1], ExpectedLength(side_, o, 72));

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
    UnitCover cover(*state_, o);
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

INSTANTIATE_TEST_SUITE_P(Drawings, SymbolFormats, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             const DrawingOptions& o = info.param.options;
                             return "version_" + std::to_string(info.param.version) + "_width_" +
                                    std::to_string(o.moduleWidth) + "_quiet_zone_" +
                                    (o.quietZoneModules < 0 ? std::string("window")
                                                            : std::to_string(o.quietZoneModules)) +
                                    "_dpi_" + std::to_string(o.dpi) +
                                    (o.transparentBackground ? "_transparent" : "");
                         });

// The window's own overloads draw with the options' defaults.
TEST(SymbolFormats, TheWindowsDrawingIsTheDefaultOptions) {
    const auto state = testing::MakeSymbol(2, kLevelQ, kModeByte, "window");
    ASSERT_NE(state, nullptr);
    for (int w : {1, 2}) {
        const DrawingOptions o{.moduleWidth = w, .dark = {0, 128, 255}};
        const QImage window = RenderSymbolImage(ViewOf(*state), w, o.dark);
        EXPECT_EQ(window.format(), QImage::Format_RGB32);
        EXPECT_EQ(window, RenderSymbolImage(ViewOf(*state), o));
        EXPECT_EQ(testing::WrongUnit(window, 1, *state, o), "");
        EXPECT_EQ(RenderSymbolSvg(ViewOf(*state), w, o.dark), RenderSymbolSvg(ViewOf(*state), o));
    }
}

}  // namespace
}  // namespace quirvane
