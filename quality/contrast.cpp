// The symbol contrast of two colours: each colour's relative luminance is
// the reflectance a scanner would measure, and the grade follows from their
// difference.
#include <cmath>

#include <quirvane/contrast.h>

namespace quirvane {
namespace {

bool IsChannel(int value) {
    return value >= 0 && value <= 255;
}

bool IsColour(SymbolColour colour) {
    return IsChannel(colour.red) && IsChannel(colour.green) && IsChannel(colour.blue);
}

// An sRGB channel without its transfer curve: light intensity, 0-1.
double LinearOf(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminanceOf(SymbolColour colour) {
    return 0.2126 * LinearOf(colour.red) + 0.7152 * LinearOf(colour.green) +
           0.0722 * LinearOf(colour.blue);
}

}  // namespace

ContrastGrade GradeOfContrast(double percent) {
    return percent >= 70   ? ContrastGrade::A
           : percent >= 55 ? ContrastGrade::B
           : percent >= 40 ? ContrastGrade::C
           : percent >= 20 ? ContrastGrade::D
                           : ContrastGrade::F;
}

ColourContrast ContrastOf(SymbolColour dark, SymbolColour light) {
    if (!IsColour(dark) || !IsColour(light)) {
        return {.outcome = ContrastOutcome::ChannelOutOfRange};
    }
    const double darkY = RelativeLuminanceOf(dark);
    const double lightY = RelativeLuminanceOf(light);
    const double percent = std::abs(lightY - darkY) * 100;
    return {.percent = percent, .grade = GradeOfContrast(percent), .reversed = darkY > lightY};
}

}  // namespace quirvane
