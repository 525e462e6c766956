// A drawing is an s x s white square, s = n * w + 20, module (r, c) the w x w square at
// (10 + c * w, 10 + r * w): checked pixel by pixel in the image and the SVG's rectangles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "render/symbol_image.h"
#include "render/symbol_svg.h"
#include "tests/support/symbol_pixels.h"

namespace quirvane {
namespace {

TEST(SymbolDrawing, ImageAndSvgPutEveryDarkModuleOnItsPixelsInTheColour) {
    for (const auto& [version, n] : {std::pair{1, 21}, std::pair{40, 177}}) {
        auto state = std::make_unique<EncoderState>();
        state->settings.version = version;
        state->settings.characterMode = kModeByte;
        ASSERT_TRUE(state->CreateData("drawing \xE2\x96\xA0").Created());
        // Only '1' is dark: '*' cells in row 8 and '1's just beyond the side are not drawn.
        char* cells = state->symbolMatrix;
        std::replace(cells + 8 * kPlaneStride, cells + 9 * kPlaneStride, '0', '*');
        for (int r = 0; r < n; ++r) {
            cells[r * kPlaneStride + n] = '1';
        }
        for (int w : {1, 2}) {
            const int s = n * w + 20;
            SCOPED_TRACE("version " + std::to_string(version) + " width " + std::to_string(w));
            const std::string svg = RenderSymbolSvg(ViewOf(*state), w, {255, 0, 0});
            const QString size = QString("width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\"").arg(s);
            EXPECT_NE(svg.find(size.toStdString()), std::string::npos) << svg.substr(0, 200);
            // Paint the path's rectangles "Mx yhWvHh-Wz"; each dark pixel once, nothing else.
            const std::size_t d = svg.find("<path fill=\"#ff0000\" d=\"");
            ASSERT_NE(d, std::string::npos);
            const char* at = svg.c_str() + d + 24;
            std::vector<int> painted(s * s);
            int x = 0, y = 0, rw = 0, rh = 0, back = 0, used = 0;
            while (std::sscanf(at, "M%d %dh%dv%dh-%dz%n", &x, &y, &rw, &rh, &back, &used) == 5) {
                ASSERT_TRUE(rw > 0 && rh > 0 && back == rw && x >= 0 && y >= 0 && x + rw <= s &&
                            y + rh <= s);
                for (int i = 0; i < rw * rh; ++i) {
                    ++painted[(y + i / rw) * s + x + i % rw];
                }
                at += used;
            }
            EXPECT_EQ(std::string(at, 3), "\"/>") << "path data left unread";
            const QImage image = RenderSymbolImage(ViewOf(*state), w, {255, 0, 0});
            const QString wrong = testing::WrongPixel(image, *state, w, qRgb(255, 0, 0), &painted);
            EXPECT_EQ(wrong.toStdString(), "");
        }
    }
}

}  // namespace
}  // namespace quirvane
