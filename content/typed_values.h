// Values people type that the formats want in one shape: phone numbers, mail
// addresses and web addresses. Used by the single-purpose builders and the
// contacts alike.
#pragma once

#include <string>
#include <string_view>

#include <quirvane/content.h>

namespace quirvane::content {

// The number as digits with an optional leading + and a hyphen wherever the
// typed one had separators between digits: Built with `number` set, Missing
// when nothing but blanks and separators was typed, Invalid otherwise.
ContentOutcome NormalisePhoneNumber(std::string_view typed, std::string& number);

// One @ with something on both sides, no blank or control character, UTF-8.
bool IsMailAddress(std::string_view address);

// No blank or control character, UTF-8: the rest is the reader's business.
bool IsWebAddress(std::string_view url);

}  // namespace quirvane::content
