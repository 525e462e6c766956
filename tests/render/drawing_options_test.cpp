// The options of a drawing: the values every format refuses, and the numbers
// written into the vector files. (The border and side they give are checked
// in every drawing of symbol_formats_test.cpp.)
#include "render/drawing_options.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/decimal_text.h"
#include "render/symbol_eps.h"
#include "render/symbol_image.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "render/symbol_terminal.h"

namespace quirvane {
namespace {

TEST(DrawingOptions, EveryFormatRefusesWhatItCannotDraw) {
    auto state = std::make_unique<EncoderState>();
    state->settings.characterMode = kModeByte;
    ASSERT_TRUE(state->CreateData("options").Created());
    const SymbolView symbol = ViewOf(*state);
    const auto drawsNothing = [](SymbolView view, const DrawingOptions& o) {
        return RenderSymbolImage(view, o).isNull() && RenderSymbolPng(view, o).empty() &&
               RenderSymbolSvg(view, o).empty() && RenderSymbolEps(view, o).empty() &&
               RenderSymbolPdf(view, o).empty();
    };
    struct Case {
        DrawingOptions options;
        std::string named;  // in the problem's text
    };
    for (const Case& c : std::vector<Case>{
             {{.moduleWidth = 0}, "module width"},
             {{.moduleWidth = 101}, "module width"},
             {{.quietZoneModules = -2}, "quiet zone"},
             {{.quietZoneModules = 101}, "quiet zone"},
             {{.dpi = -1}, "dpi"},
             {{.dpi = 10001}, "dpi"},
             {{.dark = {0, 256, 0}}, "dark colour"},
             {{.dark = {-1, 0, 0}}, "dark colour"},
             {{.background = {255, 255, 256}}, "background"},
             {{.transparentBackground = true, .background = {0, -5, 0}}, "background"},
         }) {
        const std::string problem = DrawingOptionsProblem(c.options);
        EXPECT_NE(problem.find(c.named), std::string::npos) << "'" << problem << "'";
        EXPECT_TRUE(drawsNothing(symbol, c.options)) << c.named;
    }
    for (const DrawingOptions& sound : std::vector<DrawingOptions>{
             {},
             {.moduleWidth = 1, .quietZoneModules = 0, .dpi = 1},
             {.moduleWidth = 100, .quietZoneModules = 100, .dpi = 10000},
             {.dark = {255, 255, 255}, .transparentBackground = true, .background = {0, 0, 0}},
         }) {
        EXPECT_EQ(DrawingOptionsProblem(sound), "");
        EXPECT_FALSE(RenderSymbolSvg(symbol, sound).empty());
    }
    for (const SymbolView view :
         {SymbolView{nullptr, 21}, SymbolView{symbol.cells, 0}, SymbolView{symbol.cells, 178}}) {
        EXPECT_TRUE(drawsNothing(view, {})) << view.side;
        EXPECT_EQ(RenderSymbolTerminal(view, TerminalColours::None), "") << view.side;
    }
}

TEST(DecimalText, PointSeparatedTrimmedAndSizesNeverRoundedUp) {
    struct Rounded {
        double value;
        int places;
        const char* text;
    };
    for (const Rounded& c : std::vector<Rounded>{{1.0, 4, "1"},
                                                 {128 / 255.0, 4, "0.502"},
                                                 {0.24, 10, "0.24"},
                                                 {72 / 7.0, 4, "10.2857"},
                                                 {0.0, 4, "0"},
                                                 {-0.00001, 4, "0"}}) {
        EXPECT_EQ(DecimalText(c.value, c.places), c.text) << c.value;
    }
    struct Fraction {
        long long numerator, denominator;
        int places;
        const char* text;
    };
    for (const Fraction& c : std::vector<Fraction>{
             {125 * 254, 6000, 4, "5.2916"},  // 5.29166... mm: down, not up to 5.2917
             {300 * 254, 3000, 4, "25.4"},
             {266 * 72, 300, 4, "63.84"},
             {87, 1, 4, "87"},
             {1, 20000, 4, "0"},
             {1, 10000, 4, "0.0001"},
             {7, 3, 0, "2"},
         }) {
        EXPECT_EQ(LengthText(c.numerator, c.denominator, c.places), c.text) << c.numerator;
    }
    EXPECT_EQ(ColourFractions({255, 128, 0}), "1 0.502 0");
}

}  // namespace
}  // namespace quirvane
