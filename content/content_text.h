// What every builder shares: the refusal record, the check that a field is
// text the formats can carry, and the escapes they use.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include <quirvane/content.h>

namespace quirvane::content {

inline ContentText Refused(ContentOutcome outcome, ContentField field, int entry = 0) {
    return ContentText{outcome, field, entry, {}};
}

inline ContentText Made(std::string text) {
    return ContentText{ContentOutcome::Built, ContentField::None, 0, std::move(text)};
}

// The length (1-4) of the UTF-8 scalar at `at`, stored in c; 0 when the bytes
// there are not one.
int ScalarAt(std::string_view text, std::size_t at, char32_t& c);

// Well-formed UTF-8 with no control character but a tab, CR and LF.
bool IsPlainText(std::string_view text);

bool HasLineBreak(std::string_view text);

// The text without the spaces and tabs around it.
std::string_view Trimmed(std::string_view text);

// Each line break (CR LF, LF or CR) replaced by `replacement`.
std::string LineBreaksAs(std::string_view text, std::string_view replacement);

// A backslash before each character of `specials`.
std::string BackslashEscaped(std::string_view text, std::string_view specials);

// A text value of vCard and iCalendar: \ ; , escaped, a line break as \n.
std::string EscapedTextValue(std::string_view text);

// Every byte but ASCII letters, digits, - . _ ~ and those of `alsoKept` as %XX.
std::string PercentEncoded(std::string_view text, std::string_view alsoKept = {});

}  // namespace quirvane::content
