#include "cli/printable.h"

namespace quirvane {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0.
std::size_t SequenceLength(std::string_view bytes) {
    const auto at = [&bytes](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    const unsigned lead = at(0);
    // The second byte's range is narrower after some leads: that is what
    // rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned low = 0x80, high = 0xBF;
    std::size_t length = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

void AppendHex(std::string& out, unsigned char byte) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

}  // namespace

std::string Printable(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto lead = static_cast<unsigned char>(bytes[0]);
        const std::size_t length = SequenceLength(bytes);
        const bool c1 = lead == 0xC2 && length == 2 && static_cast<unsigned char>(bytes[1]) < 0xA0;
        if (length == 0 || c1) {
            const std::size_t escaped = c1 ? 2 : 1;
            for (std::size_t i = 0; i < escaped; ++i) {
                AppendHex(out, static_cast<unsigned char>(bytes[i]));
            }
            bytes.remove_prefix(escaped);
            continue;
        }
        if (lead == '\n') {
            out += "\\n";
        } else if (lead == '\r') {
            out += "\\r";
        } else if (lead == '\t') {
            out += "\\t";
        } else if (lead == '\\') {
            out += "\\\\";
        } else if (lead < 0x20 || lead == 0x7F) {
            AppendHex(out, lead);
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    return out;
}

std::string Quoted(std::string_view bytes) {
    std::string quoted = "'";
    quoted += Printable(bytes);
    quoted += '\'';
    return quoted;
}

}  // namespace quirvane
