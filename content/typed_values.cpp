// Phone numbers as people type them, in half- or full-width characters, made
// into what tel: takes; the minimal checks on mail and web addresses.
#include "content/typed_values.h"

#include <algorithm>

#include "content/content_text.h"

namespace quirvane::content {
namespace {

// What people put between the groups of a number, Japanese input included:
// full-width forms and the prolonged sound mark an input method types for -.
constexpr char32_t kSeparators[] = {U' ',      U'\t',     U'.',      U'-',      U'(',
                                    U')',      U'\u3000', U'\uFF0E', U'\uFF0D', U'\uFF08',
                                    U'\uFF09', U'\u30FC', U'\u2010', U'\u2212'};

bool IsSeparator(char32_t c) {
    return std::find(std::begin(kSeparators), std::end(kSeparators), c) != std::end(kSeparators);
}

// True when the text has a byte that is a blank, a control character or not
// part of well-formed UTF-8.
bool HasBlankOrControl(std::string_view text) {
    return !IsPlainText(text) || std::any_of(text.begin(), text.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    });
}

}  // namespace

ContentOutcome NormalisePhoneNumber(std::string_view typed, std::string& number) {
    std::string digits;
    bool plus = false;
    bool separated = false;
    for (std::size_t at = 0; at < typed.size();) {
        char32_t c = 0;
        const int length = ScalarAt(typed, at, c);
        if (length == 0) {
            return ContentOutcome::Invalid;
        }
        at += static_cast<std::size_t>(length);
        if (c == U'\uFF0B' || (c >= U'\uFF10' && c <= U'\uFF19')) {
            c -= 0xFEE0;  // full-width + and digits to ASCII
        }
        if (c >= '0' && c <= '9') {
            if (separated && !digits.empty()) {
                digits += '-';
            }
            digits += static_cast<char>(c);
            separated = false;
        } else if (c == '+' && digits.empty() && !plus) {
            plus = true;
        } else if (IsSeparator(c)) {
            separated = true;
        } else {
            return ContentOutcome::Invalid;
        }
    }
    if (digits.empty()) {
        return plus ? ContentOutcome::Invalid : ContentOutcome::Missing;
    }
    number = plus ? "+" + digits : digits;
    return ContentOutcome::Built;
}

bool IsMailAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    return at != std::string_view::npos && at > 0 && at + 1 < address.size() &&
           address.find('@', at + 1) == std::string_view::npos && !HasBlankOrControl(address);
}

bool IsWebAddress(std::string_view url) {
    return !HasBlankOrControl(url);
}

}  // namespace quirvane::content
