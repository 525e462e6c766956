// The contrast grade against colour pairs whose luminance is published or
// worked out here the plain way, colours found just either side of every
// grade's edge, the reversed flag, and colours that are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include <quirvane/contrast.h>

namespace quirvane {
namespace {

struct Pair {
    SymbolColour dark;
    SymbolColour light;
    double percent;
    ContrastGrade grade;
    bool reversed;
};

TEST(Contrast, KnownPairs) {
    // #808080 has relative luminance 0.2159; pure green 0.7152, yellow 0.9278.
    const std::vector<Pair> pairs = {
        {{0, 0, 0}, {255, 255, 255}, 100.0, ContrastGrade::A, false},
        {{255, 255, 0}, {255, 255, 255}, 7.22, ContrastGrade::F, false},
        {{128, 128, 128}, {255, 255, 255}, 78.41, ContrastGrade::A, false},
        {{0, 0, 0}, {128, 128, 128}, 21.59, ContrastGrade::D, false},
        {{0, 255, 0}, {255, 255, 255}, 28.48, ContrastGrade::D, false},
        {{0, 0, 0}, {0, 255, 0}, 71.52, ContrastGrade::A, false},
        {{255, 255, 255}, {0, 0, 0}, 100.0, ContrastGrade::A, true},
        {{255, 255, 0}, {0, 0, 128}, 91.22, ContrastGrade::A, true},
        {{90, 90, 90}, {90, 90, 90}, 0.0, ContrastGrade::F, false},
    };
    for (const Pair& p : pairs) {
        const ColourContrast c = ContrastOf(p.dark, p.light);
        SCOPED_TRACE(testing::Message()
                     << p.dark.red << "," << p.dark.green << "," << p.dark.blue << " on "
                     << p.light.red << "," << p.light.green << "," << p.light.blue);
        EXPECT_EQ(c.outcome, ContrastOutcome::Graded);
        EXPECT_NEAR(c.percent, p.percent, 0.01);
        EXPECT_EQ(c.grade, p.grade);
        EXPECT_EQ(c.reversed, p.reversed);
    }
}

// The luminance written out again, from the sRGB definition.
double Luminance(int r, int g, int b) {
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

TEST(Contrast, ColoursEitherSideOfEachEdge) {
    const struct {
        double edge;
        ContrastGrade above;
        ContrastGrade below;
    } edges[] = {{20, ContrastGrade::D, ContrastGrade::F},
                 {40, ContrastGrade::C, ContrastGrade::D},
                 {55, ContrastGrade::B, ContrastGrade::C},
                 {70, ContrastGrade::A, ContrastGrade::B}};
    for (const auto& e : edges) {
        EXPECT_EQ(GradeOfContrast(e.edge), e.above);
        EXPECT_EQ(GradeOfContrast(std::nextafter(e.edge, 0.0)), e.below);
        // Black on (g, g, b): the light colour of contrast nearest the edge
        // from above and from below, a few hundredths of a percent apart.
        SymbolColour above{}, below{};
        double nearestAbove = std::numeric_limits<double>::max(), nearestBelow = nearestAbove;
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const double percent = Luminance(g, g, b) * 100;
                if (percent >= e.edge && percent - e.edge < nearestAbove) {
                    nearestAbove = percent - e.edge, above = {g, g, b};
                } else if (percent < e.edge && e.edge - percent < nearestBelow) {
                    nearestBelow = e.edge - percent, below = {g, g, b};
                }
            }
        }
        ASSERT_LT(nearestAbove + nearestBelow, 0.05) << e.edge;
        EXPECT_EQ(ContrastOf({0, 0, 0}, above).grade, e.above) << e.edge;
        EXPECT_EQ(ContrastOf({0, 0, 0}, below).grade, e.below) << e.edge;
        EXPECT_EQ(ContrastOf(above, {0, 0, 0}).grade, e.above) << e.edge;  // reversed alike
    }
}

TEST(Contrast, SwappingTheColoursKeepsThePercentAndFlipsReversed) {
    const SymbolColour colours[] = {{0, 0, 0}, {255, 0, 0}, {12, 200, 90}, {250, 250, 251}};
    for (const SymbolColour a : colours) {
        for (const SymbolColour b : colours) {
            const ColourContrast ab = ContrastOf(a, b), ba = ContrastOf(b, a);
            EXPECT_DOUBLE_EQ(ab.percent, ba.percent);
            EXPECT_EQ(ab.grade, ba.grade);
            EXPECT_EQ(ab.reversed && ba.reversed, false);
            EXPECT_EQ(ab.reversed || ba.reversed, ab.percent > 0);
        }
    }
}

TEST(Contrast, ChannelsOutsideTheRangeAreRefused) {
    const SymbolColour bad[] = {{-1, 0, 0}, {0, 256, 0}, {0, 0, 1000}};
    for (const SymbolColour c : bad) {
        EXPECT_EQ(ContrastOf(c, {255, 255, 255}).outcome, ContrastOutcome::ChannelOutOfRange);
        EXPECT_EQ(ContrastOf({0, 0, 0}, c).outcome, ContrastOutcome::ChannelOutOfRange);
    }
}

}  // namespace
}  // namespace quirvane
