// The contrast grade against colour pairs of published luminance, colours
// found just either side of every grade's edge, and colours refused.
#include <gtest/gtest.h>

#include <cmath>

#include <quirvane/contrast.h>

namespace quirvane {
namespace {

using G = ContrastGrade;
constexpr SymbolColour kBlack{0, 0, 0}, kWhite{255, 255, 255};

TEST(Contrast, KnownPairsAndEachEdge) {
    // Relative luminance: #808080 0.2159, pure green 0.7152, yellow 0.9278,
    // navy 0.0156, #0a0a0a 0.0030 (below the knee of the sRGB curve).
    // clang-format off
    const struct { SymbolColour dark, light; double percent; G grade; bool reversed; } pairs[] = {
        {{255, 255, 0}, kWhite, 7.22, G::F, false},
        {{128, 128, 128}, kWhite, 78.41, G::A, false},
        {{0, 255, 0}, kWhite, 28.48, G::D, false},
        {kWhite, {10, 10, 10}, 99.70, G::A, true},
        {{255, 255, 0}, {0, 0, 128}, 91.22, G::A, true},
        {kWhite, kWhite, 0, G::F, false}};
    const struct { double edge; G above, below; } edges[] = {
        {20, G::D, G::F}, {40, G::C, G::D}, {55, G::B, G::C}, {70, G::A, G::B}};
    // clang-format on
    for (const auto& p : pairs) {
        const ColourContrast c = ContrastOf(p.dark, p.light);
        EXPECT_TRUE(c.outcome == ContrastOutcome::Graded && c.grade == p.grade &&
                    c.reversed == p.reversed && std::abs(c.percent - p.percent) < 0.01)
            << p.percent << " % is " << c.percent;
    }
    EXPECT_EQ(ContrastOf({-1, 0, 0}, kWhite).outcome, ContrastOutcome::ChannelOutOfRange);
    EXPECT_EQ(ContrastOf(kBlack, {0, 256, 0}).outcome, ContrastOutcome::ChannelOutOfRange);
    // The light colours (g, g, b) under black whose contrast lies nearest each
    // edge from above and from below take the grades either side of it, and
    // so do those pairs reversed.
    for (const auto& e : edges) {
        EXPECT_EQ(GradeOfContrast(e.edge), e.above);
        EXPECT_EQ(GradeOfContrast(std::nextafter(e.edge, 0.0)), e.below);
        SymbolColour above{}, below{};
        double up = 101, down = -1;
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const double percent = ContrastOf(kBlack, {g, g, b}).percent;
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
        EXPECT_EQ(ContrastOf(above, kBlack).grade, e.above) << e.edge;
        EXPECT_EQ(ContrastOf(below, kBlack).grade, e.below) << e.edge;
    }
}

}  // namespace
}  // namespace quirvane
