#include "render/decimal_text.h"

#include <charconv>

namespace quirvane {
namespace {

// Drops the zeros after the last significant decimal, and the point if no decimal is left.
std::string Trimmed(std::string text) {
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

}  // namespace

std::string DecimalText(double value, int places) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    const std::string text = Trimmed(std::string(buffer, error == std::errc() ? end : buffer));
    return text == "-0" ? "0" : text;
}

std::string LengthText(long long numerator, long long denominator, int places) {
    long long scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    const long long scaled = numerator * scale / denominator;
    std::string decimals = std::to_string(scaled % scale + scale).substr(1);  // leading zeros kept
    return Trimmed(std::to_string(scaled / scale) + (places > 0 ? "." + decimals : ""));
}

std::string ColourFractions(SymbolColour colour) {
    // Four places tell the 256 levels of a channel apart: k/255 comes back as k.
    return DecimalText(colour.red / 255.0, 4) + ' ' + DecimalText(colour.green / 255.0, 4) + ' ' +
           DecimalText(colour.blue / 255.0, 4);
}

}  // namespace quirvane
