// Dialog units to pixels, the way the platform lays out a dialog template:
// with the dialog font's base units, x * baseX / 4 and y * baseY / 8, where
// baseX is the average width of the 52 letters A-Z and a-z and baseY the
// font's height. Each edge of a rectangle is converted on its own (with
// rounding, like MulDiv), so controls that touch in dialog units touch in
// pixels too.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace quirvane::app {

struct DialogBaseUnits {
    int x = 0;  // average letter width, pixels
    int y = 0;  // font height, pixels

    int ToPixelsX(int du) const;
    int ToPixelsY(int du) const;
    QRect ToPixels(const QRect& du) const;
    QSize ToPixels(const QSize& du) const;
};

DialogBaseUnits BaseUnitsOf(const QFont& dialogFont);

}  // namespace quirvane::app
