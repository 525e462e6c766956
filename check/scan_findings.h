// What a drawing's options mean for scanning, worked out before anything is
// drawn: the colours' contrast and grade, the quiet zone, the module size,
// and the warnings that apply. Callers put the warnings into words.
#pragma once

#include <initializer_list>
#include <optional>

#include <quirvane/contrast.h>

#include "render/drawing_options.h"

namespace quirvane {

enum class ScanWarning {
    PoorContrast,     // contrast grade D or F
    Reversed,         // the dark modules are lighter than the background
    NarrowQuietZone,  // fewer than kLeastQuietZoneModules light modules around the symbol
    OnePixelModules,  // a raster whose modules are single pixels
};

class ScanWarnings {
  public:
    constexpr ScanWarnings() = default;
    constexpr ScanWarnings(std::initializer_list<ScanWarning> warnings) {
        for (const ScanWarning warning : warnings) {
            Add(warning);
        }
    }
    constexpr void Add(ScanWarning warning) { bits_ |= BitOf(warning); }
    constexpr bool Has(ScanWarning warning) const { return (bits_ & BitOf(warning)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const ScanWarnings&) const = default;

  private:
    static constexpr unsigned BitOf(ScanWarning warning) {
        return 1U << static_cast<unsigned>(warning);
    }
    unsigned bits_ = 0;
};

// The light border readers need around a symbol to find it.
inline constexpr double kLeastQuietZoneModules = 4;

enum class DrawingKind {
    Raster,  // pixels: PNG, the window, the clipboard
    Vector,  // SVG, EPS, PDF
};

struct ScanFindings {
    ColourContrast contrast;
    // The background is transparent, so the contrast is that of the dark
    // colour on white paper, not on the background colour.
    bool gradedAgainstWhite = false;
    // Light modules on every side; the window's 10-pixel margin in modules
    // of the width drawn, which need not be whole.
    double quietZoneModules = 0;
    std::optional<int> modulePixels;          // a raster's pixels a module
    std::optional<double> moduleMillimetres;  // when a dpi is given
    ScanWarnings warnings;
};

// `options` must be sound: DrawingOptionsProblem(options) is "".
ScanFindings FindingsOf(const DrawingOptions& options, DrawingKind kind);

}  // namespace quirvane
