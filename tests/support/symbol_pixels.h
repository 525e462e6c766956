// The drawing of a symbol, pixel by pixel: a white square of side n w + 20,
// module (r, c) the w x w square at (10 + c w, 10 + r w) in `dark` where it is
// dark. Shared by the render tests and the desktop program's tests.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

#include <quirvane/encoder.h>

namespace quirvane::testing {

// The first thing wrong ("" when nothing is); `painted`, where given, counts
// how often each pixel was painted (an SVG's rectangles), once where dark.
inline QString WrongPixel(const QImage& drawn, const EncoderState& st, int w, QRgb dark,
                          const std::vector<int>* painted = nullptr) {
    const QImage image = drawn.convertToFormat(QImage::Format_RGB32);
    const int s = st.SymbolSide() * w + 20;
    if (image.size() != QSize(s, s)) {
        return QString("size %1 x %2, not %3").arg(image.width()).arg(image.height()).arg(s);
    }
    for (int i = 0; i < s * s; ++i) {
        const int x = i % s, y = i / s;
        const bool on =
            x >= 10 && y >= 10 && x < s - 10 && y < s - 10 && st.IsDark((y - 10) / w, (x - 10) / w);
        if (image.pixel(x, y) != (on ? dark : qRgb(255, 255, 255)) ||
            (painted && (*painted)[i] != int(on))) {
            return QString("pixel (%1, %2)").arg(x).arg(y);
        }
    }
    return {};
}

}  // namespace quirvane::testing
