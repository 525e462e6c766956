// The contrast grade against colour pairs of published luminance, colours
// found just either side of every grade's edge, and colours refused.
#include <gtest/gtest.h>

#include <cmath>

#include <quirvane/contrast.h>

namespace quirvane {
namespace {

using G = ContrastGrade;
constexpr SymbolColour kBlack{0, 0, 0}, kWhite{255, 255, 255};

TEST(Contrast, KnownPairs) {
    // Relative luminance: #808080 0.2159, pure green 0.7152, yellow 0.9278.
    const struct {
        SymbolColour dark, light;
        double percent;
        G grade;
        bool reversed;
    } pairs[] = {{kBlack, kWhite, 100, G::A, false},
                 {{255, 255, 0}, kWhite, 7.22, G::F, false},
                 {{128, 128, 128}, kWhite, 78.41, G::A, false},
                 {kBlack, {128, 128, 128}, 21.59, G::D, false},
                 {{0, 255, 0}, kWhite, 28.48, G::D, false},
                 {kWhite, kBlack, 100, G::A, true},
                 {{255, 255, 0}, {0, 0, 128}, 91.22, G::A, true},
                 {kWhite, kWhite, 0, G::F, false}};
    for (const auto& p : pairs) {
        const ColourContrast c = ContrastOf(p.dark, p.light);
        EXPECT_TRUE(c.outcome == ContrastOutcome::Graded && c.grade == p.grade &&
                    c.reversed == p.reversed && std::abs(c.percent - p.percent) < 0.01)
            << p.percent << " % is " << c.percent;
    }
    EXPECT_EQ(ContrastOf({-1, 0, 0}, kWhite).outcome, ContrastOutcome::ChannelOutOfRange);
    EXPECT_EQ(ContrastOf(kBlack, {0, 256, 0}).outcome, ContrastOutcome::ChannelOutOfRange);
}

TEST(Contrast, ColoursEitherSideOfEachEdge) {
    // The luminance written out again for red = green, to find the light
    // colours (g, g, b) under black nearest each edge from above and below.
    const auto linear = [](int v) {
        return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    const struct {
        double edge;
        G above, below;
    } edges[] = {{20, G::D, G::F}, {40, G::C, G::D}, {55, G::B, G::C}, {70, G::A, G::B}};
    for (const auto& e : edges) {
        EXPECT_EQ(GradeOfContrast(e.edge), e.above);
        EXPECT_EQ(GradeOfContrast(std::nextafter(e.edge, 0.0)), e.below);
        SymbolColour above{}, below{};
        double up = 101, down = -1;
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const double percent = (0.9278 * linear(g) + 0.0722 * linear(b)) * 100;
                if (percent >= e.edge && percent < up) {
                    up = percent, above = {g, g, b};
                } else if (percent < e.edge && percent > down) {
                    down = percent, below = {g, g, b};
                }
            }
        }
        ASSERT_LT(up - down, 0.05) << e.edge;
        EXPECT_EQ(ContrastOf(kBlack, above).grade, e.above) << e.edge;
        EXPECT_EQ(ContrastOf(kBlack, below).grade, e.below) << e.edge;
        EXPECT_EQ(ContrastOf(above, kBlack).grade, e.above) << e.edge;  // reversed alike
    }
}

}  // namespace
}  // namespace quirvane
