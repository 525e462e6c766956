// Each file format as written, for drawings of every kind of option: its size
// and physical size, its background, and its rectangles read back and laid on
// the symbol (each dark module covered once, nothing else). How consumers
// draw the vector files is checked in symbol_consumers_test.cpp.
#include <QImage>
#include <gtest/gtest.h>

#include <cctype>
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
#include "tests/render/drawing_reference.h"

namespace quirvane {
namespace {

struct Case {
    int version;
    DrawingOptions options;
};

const std::vector<Case> kCases = {
    {1, {.moduleWidth = 1}},
    {1, {.moduleWidth = 2, .dark = {255, 0, 0}}},
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

std::string Describe(const Case& c) {
    const DrawingOptions& o = c.options;
    return "version " + std::to_string(c.version) + " width " + std::to_string(o.moduleWidth) +
           " quiet zone " + std::to_string(o.quietZoneModules) + " dpi " + std::to_string(o.dpi) +
           (o.transparentBackground ? " transparent" : "");
}

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

// Counts how often each module is covered by runs (column, row, length).
class ModuleCover {
  public:
    explicit ModuleCover(int side) : side_(side), count_(side * side) {}

    // False when the run leaves the symbol.
    bool Add(int column, int row, int length) {
        if (row < 0 || row >= side_ || column < 0 || length < 1 || column + length > side_) {
            return false;
        }
        for (int c = column; c < column + length; ++c) {
            ++count_[row * side_ + c];
        }
        return true;
    }

    // The first module covered other than once where dark and never where light.
    std::string Wrong(const EncoderState& st) const {
        for (int i = 0; i < side_ * side_; ++i) {
            if (count_[i] != int(st.IsDark(i / side_, i % side_))) {
                return "module (" + std::to_string(i / side_) + ", " + std::to_string(i % side_) +
                       ") covered " + std::to_string(count_[i]) + " times";
            }
        }
        return {};
    }

  private:
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
        while (testing::DarkUnit(*state_, o, i % side_, i / side_)) {
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
    EXPECT_EQ(m[5], std::to_string(side_));
    EXPECT_EQ(m[6], std::to_string(side_));
    const bool background = svg.find("<rect width=\"100%\" height=\"100%\" fill=\"" +
                                     Hex(o.background) + "\"/>") != std::string::npos;
    EXPECT_EQ(background, !o.transparentBackground);

    // Paint the path's rectangles "Mx yhWvHh-Wz" on the units: each dark unit once, nothing else.
    const std::string head = "<path fill=\"" + Hex(o.dark) + "\" d=\"";
    const std::size_t d = svg.find(head);
    ASSERT_NE(d, std::string::npos);
    EXPECT_EQ(svg.find("<path", d + 1), std::string::npos) << "one path only";
    const char* at = svg.c_str() + d + head.size();
    std::vector<int> painted(side_ * side_);
    int x = 0, y = 0, rw = 0, rh = 0, back = 0, used = 0;
    while (std::sscanf(at, "M%d %dh%dv%dh-%dz%n", &x, &y, &rw, &rh, &back, &used) == 5) {
        ASSERT_TRUE(rw > 0 && rh > 0 && back == rw && x >= 0 && y >= 0 && x + rw <= side_ &&
                    y + rh <= side_);
        for (int i = 0; i < rw * rh; ++i) {
            ++painted[(y + i / rw) * side_ + x + i % rw];
        }
        at += used;
    }
    EXPECT_EQ(std::string(at, 3), "\"/>") << "path data left unread";
    for (int i = 0; i < side_ * side_; ++i) {
        ASSERT_EQ(painted[i], int(testing::DarkUnit(*state_, o, i % side_, i / side_)))
            << "unit (" << i % side_ << ", " << i / side_ << ")";
    }
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
    ModuleCover cover(state_->SymbolSide());
    std::string column, row, length, r;
    while (tokens >> column && column != "restore") {
        ASSERT_TRUE(tokens >> row >> length >> r);
        ASSERT_EQ(r, "r");
        ASSERT_TRUE(cover.Add(std::stoi(column), std::stoi(row), std::stoi(length)));
    }
    EXPECT_EQ(cover.Wrong(*state_), "");
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
    ModuleCover cover(state_->SymbolSide());
    std::string line;
    int column = 0, row = 0, length = 0, used = 0;
    while (std::getline(lines, line) &&
           std::sscanf(line.c_str(), "%d %d %d 1 re%n", &column, &row, &length, &used) == 3) {
        ASSERT_EQ(used, static_cast<int>(line.size())) << line;
        ASSERT_TRUE(cover.Add(column, row, length));
    }
    EXPECT_EQ(line, "f");
    EXPECT_FALSE(std::getline(lines, line)) << "after the fill: " << line;
    EXPECT_EQ(cover.Wrong(*state_), "");
}

INSTANTIATE_TEST_SUITE_P(Drawings, SymbolFormats, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = Describe(info.param);
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

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
