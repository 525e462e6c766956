#include "render/drawing_options.h"

#include <algorithm>

namespace quirvane {
namespace {

bool IsChannel(int value) {
    return value >= 0 && value <= 255;
}

bool IsColour(SymbolColour colour) {
    return IsChannel(colour.red) && IsChannel(colour.green) && IsChannel(colour.blue);
}

}  // namespace

std::string DrawingOptionsProblem(const DrawingOptions& options) {
    if (options.moduleWidth < 1 || options.moduleWidth > kMaxModuleWidth) {
        return "module width " + std::to_string(options.moduleWidth) + " is not 1-" +
               std::to_string(kMaxModuleWidth);
    }
    if (options.quietZoneModules != kWindowMargin &&
        (options.quietZoneModules < 0 || options.quietZoneModules > kMaxQuietZoneModules)) {
        return "quiet zone " + std::to_string(options.quietZoneModules) + " is not 0-" +
               std::to_string(kMaxQuietZoneModules) + " modules";
    }
    if (options.dpi < 0 || options.dpi > kMaxDpi) {
        return "dpi " + std::to_string(options.dpi) + " is not 1-" + std::to_string(kMaxDpi);
    }
    if (!IsColour(options.dark)) {
        return "the dark colour has a component outside 0-255";
    }
    if (!IsColour(options.background)) {
        return "the background colour has a component outside 0-255";
    }
    return {};
}

bool CanDraw(const Symbol& symbol, const DrawingOptions& options) {
    return symbol.Side() >= 1 && DrawingOptionsProblem(options).empty();
}

bool CanDrawRow(std::span<const Symbol> row, const DrawingOptions& options) {
    return !row.empty() && CanDraw(row.front(), options) &&
           std::all_of(row.begin(), row.end(),
                       [&](const Symbol& s) { return s.Side() == row.front().Side(); });
}

}  // namespace quirvane
