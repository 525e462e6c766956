#include "app/dialog_units.h"

#include <QFontMetrics>

#include <cmath>

namespace quirvane::app {
namespace {

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLetterCount = 52;

// value * base / divisor, rounded half away from zero as MulDiv does.
int Scale(int value, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(value) * base / divisor));
}

}  // namespace

int DialogBaseUnits::ToPixelsX(int du) const {
    return Scale(du, x, 4);
}

int DialogBaseUnits::ToPixelsY(int du) const {
    return Scale(du, y, 8);
}

QRect DialogBaseUnits::ToPixels(const QRect& du) const {
    const int left = ToPixelsX(du.x());
    const int top = ToPixelsY(du.y());
    const int right = ToPixelsX(du.x() + du.width());
    const int bottom = ToPixelsY(du.y() + du.height());
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogBaseUnits::ToPixels(const QSize& du) const {
    return QSize(ToPixelsX(du.width()), ToPixelsY(du.height()));
}

DialogBaseUnits BaseUnitsOf(const QFont& dialogFont) {
    const QFontMetricsF metrics(dialogFont);
    DialogBaseUnits units;
    units.x = static_cast<int>(
        std::lround(metrics.horizontalAdvance(QLatin1String(kLetters)) / kLetterCount));
    units.y = QFontMetrics(dialogFont).height();
    return units;
}

}  // namespace quirvane::app
