#include "cli/option_values.h"

namespace quirvane {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c) {
    c = Lower(c);
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool ParseHexColour(std::string_view text, SymbolColour& colour, int& alpha) {
    if (text.starts_with('#')) {
        text.remove_prefix(1);
    }
    if (text.size() != 6 && text.size() != 8) {
        return false;
    }
    int channels[4] = {0, 0, 0, 255};
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        channels[i / 2] = high * 16 + low;
    }
    colour = {channels[0], channels[1], channels[2]};
    alpha = channels[3];
    return true;
}

}  // namespace

bool ParseInteger(std::string_view text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    int result = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
        result = result * 10 + (ch - '0');
    }
    if (result < low || result > high) {
        return false;
    }
    value = result;
    return true;
}

bool ParseColour(std::string_view text, SymbolColour& colour, int& alpha) {
    if (text.find(',') == std::string_view::npos) {
        return ParseHexColour(text, colour, alpha);
    }
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i == 2;
        if (last != (comma == std::string_view::npos) ||
            !ParseInteger(text.substr(0, comma), 0, 255, parts[i])) {
            return false;
        }
        text = last ? std::string_view() : text.substr(comma + 1);
    }
    colour = {parts[0], parts[1], parts[2]};
    alpha = 255;
    return true;
}

int IndexOfName(std::string_view text, std::initializer_list<std::string_view> names) {
    int index = 0;
    for (const std::string_view name : names) {
        bool same = name.size() == text.size();
        for (std::size_t i = 0; same && i < name.size(); ++i) {
            same = Lower(name[i]) == Lower(text[i]);
        }
        if (same) {
            return index;
        }
        ++index;
    }
    return -1;
}

}  // namespace quirvane
