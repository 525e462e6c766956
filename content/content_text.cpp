// The shared checks and escapes of the content builders.
#include "content/content_text.h"

#include "encode/shift_jis.h"

namespace quirvane::content {

int ScalarAt(std::string_view text, std::size_t at, char32_t& c) {
    const std::size_t left = text.size() - at;
    return DecodeUtf8(text.data() + at, static_cast<int>(left < 4 ? left : 4), c);
}

bool IsPlainText(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const int length = ScalarAt(text, at, c);
        if (length == 0 || ((c < 0x20 || c == 0x7F) && c != '\t' && c != '\r' && c != '\n')) {
            return false;
        }
        at += static_cast<std::size_t>(length);
    }
    return true;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string LineBreaksAs(std::string_view text, std::string_view replacement) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n') {
            out += replacement;
            if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string BackslashEscaped(std::string_view text, std::string_view specials) {
    std::string out;
    for (const char c : text) {
        if (specials.find(c) != std::string_view::npos) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string EscapedTextValue(std::string_view text) {
    return LineBreaksAs(BackslashEscaped(text, "\\;,"), "\\n");
}

std::string PercentEncoded(std::string_view text, std::string_view alsoKept) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved || alsoKept.find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

}  // namespace quirvane::content
