// What each unit of a drawing should be, worked out the plain way from the
// options, and a check of a raster against it: a PNG, the window's bitmap, or
// an SVG, PDF or EPS file as a consumer rasterised it.
#pragma once

#include <QImage>

#include <memory>
#include <string>
#include <string_view>

#include <quirvane/encoder.h>

#include "render/drawing_options.h"

namespace quirvane::testing {

// A finished symbol with the encoder that holds it.
struct MadeSymbol {
    Encoder encoder;
    Symbol symbol;
};

// The symbol of the text at (version, level) with mask 3, the window's
// preset, or nullptr when the encoder refuses it.
inline std::unique_ptr<MadeSymbol> MakeSymbol(int version, Level level, Mode mode,
                                              std::string_view text) {
    auto made = std::make_unique<MadeSymbol>();
    const Result result =
        made->encoder.Encode(text, {.mode = mode, .level = level, .version = version, .mask = 3});
    made->symbol = result.symbol;
    return result ? std::move(made) : nullptr;
}

inline int ReferenceMargin(const DrawingOptions& o) {
    return o.quietZoneModules < 0 ? 10 : o.quietZoneModules * o.moduleWidth;
}

inline int ReferenceSide(const Symbol& st, const DrawingOptions& o) {
    return st.Side() * o.moduleWidth + 2 * ReferenceMargin(o);
}

// Unit (x, y) is dark when it lies on the symbol and its module is dark.
inline bool DarkUnit(const Symbol& st, const DrawingOptions& o, int x, int y) {
    const int m = ReferenceMargin(o);
    const int end = m + st.Side() * o.moduleWidth;
    return x >= m && y >= m && x < end && y < end &&
           st.IsDark((y - m) / o.moduleWidth, (x - m) / o.moduleWidth);
}

// The first unit of `raster` (`scale` pixels a unit, each unit read at the
// centre of its square, away from a rasteriser's rounding at the edges) that
// is wrong, or "". Dark units are opaque in the dark colour; light ones
// transparent, or opaque in the background colour.
inline std::string WrongUnit(const QImage& raster, int scale, const Symbol& st,
                             const DrawingOptions& o) {
    const QImage image = raster.convertToFormat(QImage::Format_ARGB32);
    const int s = ReferenceSide(st, o);
    if (image.width() != s * scale || image.height() != s * scale) {
        return "size " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
               ", not " + std::to_string(s * scale);
    }
    const QRgb dark = qRgb(o.dark.red, o.dark.green, o.dark.blue);
    const QRgb light = qRgb(o.background.red, o.background.green, o.background.blue);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const QRgb p = image.pixel(x * scale + scale / 2, y * scale + scale / 2);
            const bool right = DarkUnit(st, o, x, y)     ? p == dark
                               : o.transparentBackground ? qAlpha(p) == 0
                                                         : p == light;
            if (!right) {
                return "unit (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                       QString::number(p, 16).toStdString();
            }
        }
    }
    return {};
}

}  // namespace quirvane::testing
