// A colour as the program takes it from the user: three channels of 0-255.
// The window's dark modules, the tool's two colours and the scan check's
// contrast all use this one type.
#pragma once

#include <cstdint>

namespace quirvane {

struct SymbolColour {
    int red;
    int green;
    int blue;
};

// The 24-bit colour as 0xRRGGBB, each component reduced to its low 8 bits.
constexpr std::uint32_t PackedRgbOf(SymbolColour colour) {
    return (static_cast<std::uint32_t>(colour.red & 0xFF) << 16) |
           (static_cast<std::uint32_t>(colour.green & 0xFF) << 8) |
           static_cast<std::uint32_t>(colour.blue & 0xFF);
}

}  // namespace quirvane
