// The terminal's text read back: the half blocks turned into modules again
// (with the colours the escape codes name, from the 256-colour palette), laid
// on the symbol and its 4-module border, then drawn as an image for zbarimg.
#include "render/symbol_terminal.h"

#include <QImage>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/drawing_reference.h"
#include "tests/support/zbar_decode.h"

namespace quirvane {
namespace {

// A colour of the 256-colour palette's 6 x 6 x 6 cube (indices 16-231).
QRgb CubeColour(int index) {
    const auto level = [](int v) { return v == 0 ? 0 : 55 + 40 * v; };
    const int i = index - 16;
    return qRgb(level(i / 36), level(i / 6 % 6), level(i % 6));
}

// The text as rows of inked (true) and blank half cells, with the colours of
// ink and ground; "" in `error` or what is malformed.
struct ReadBack {
    std::vector<std::vector<bool>> ink;
    QRgb foreground = qRgb(0, 0, 0);  // without colours: ink on paper
    QRgb background = qRgb(255, 255, 255);
    std::string error;
};

ReadBack Read(const std::string& text, TerminalColours colours) {
    static const std::vector<std::pair<std::string, std::pair<bool, bool>>> kGlyphs = {
        {" ", {false, false}},
        {"\xE2\x96\x80", {true, false}},  // upper half block
        {"\xE2\x96\x84", {false, true}},  // lower half block
        {"\xE2\x96\x88", {true, true}},   // full block
    };
    ReadBack read;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (colours == TerminalColours::BlackOnWhite) {
            std::smatch m;
            if (!std::regex_match(line, m,
                                  std::regex("\x1B\\[38;5;([0-9]+);48;5;([0-9]+)m(.*)\x1B\\[0m"))) {
                read.error = "line without its colours and reset: " + line;
                return read;
            }
            read.foreground = CubeColour(std::stoi(m[1]));
            read.background = CubeColour(std::stoi(m[2]));
            line = m[3];
        }
        std::vector<bool> top, bottom;
        for (std::size_t at = 0; at < line.size();) {
            auto glyph = kGlyphs.begin();
            while (glyph != kGlyphs.end() && line.compare(at, glyph->first.size(), glyph->first)) {
                ++glyph;
            }
            if (glyph == kGlyphs.end()) {
                read.error = "unexpected byte at " + std::to_string(at) + " of " + line;
                return read;
            }
            top.push_back(glyph->second.first);
            bottom.push_back(glyph->second.second);
            at += glyph->first.size();
        }
        read.ink.push_back(top);
        read.ink.push_back(bottom);
    }
    return read;
}

TEST(SymbolTerminal, HalfBlocksHoldEveryModuleInsideALightBorderAndScan) {
    for (const auto& [version, text] :
         std::vector<std::pair<int, std::string>>{{1, "terminal"}, {40, "version forty"}}) {
        const auto state = testing::MakeSymbol(version, kLevelM, kModeByte, text);
        ASSERT_NE(state, nullptr);
        const int n = state->SymbolSide();
        const int side = n + 2 * kTerminalQuietZoneModules;
        for (const TerminalColours colours :
             {TerminalColours::BlackOnWhite, TerminalColours::None}) {
            SCOPED_TRACE("version " + std::to_string(version) +
                         (colours == TerminalColours::None ? " plain" : " coloured"));
            const std::string written = RenderSymbolTerminal(ViewOf(*state), colours);
            ASSERT_FALSE(written.empty());
            EXPECT_EQ(written.back(), '\n');
            EXPECT_EQ(written.find('\x1B') == std::string::npos, colours == TerminalColours::None);
            const ReadBack read = Read(written, colours);
            ASSERT_EQ(read.error, "");
            // The colours are black on white whatever the terminal's scheme.
            EXPECT_EQ(read.foreground, qRgb(0, 0, 0));
            EXPECT_EQ(read.background, qRgb(255, 255, 255));
            // The side is odd: the last line's lower halves are one more light row.
            ASSERT_EQ(read.ink.size(), static_cast<std::size_t>(side + 1));
            for (int r = 0; r <= side; ++r) {
                ASSERT_EQ(read.ink[r].size(), static_cast<std::size_t>(side)) << "row " << r;
                for (int c = 0; c < side; ++c) {
                    const int sr = r - kTerminalQuietZoneModules,
                              sc = c - kTerminalQuietZoneModules;
                    const bool dark =
                        sr >= 0 && sc >= 0 && sr < n && sc < n && state->IsDark(sr, sc);
                    ASSERT_EQ(read.ink[r][c], dark) << "module row " << r << " column " << c;
                }
            }
            if (colours != TerminalColours::None) {
                continue;  // the same modules: one reading by zbarimg is enough
            }
            // Drawn as the terminal shows it, a module 8 pixels square.
            QImage image(side * 8, side * 8, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    image.setPixel(x, y,
                                   read.ink[y / 8][x / 8] ? read.foreground : read.background);
                }
            }
            EXPECT_EQ(testing::ZbarRead(image), text);
        }
    }
}

}  // namespace
}  // namespace quirvane
