// The tool's words for a text it refuses, composed from the numbers the
// encoder gives: which character and where, or how much of the text the
// version holds and which version or level would hold all of it.
#pragma once

#include <string>
#include <string_view>

#include <quirvane/encoder.h>
#include <quirvane/gs1.h>

namespace quirvane {

// A version and level as messages name them: "40-L".
std::string VersionName(int version, Level level);

// Why `encoder` refused `bytes` with `request`. For a text too long, the
// encoder is asked again at other versions and levels, so `refused` must not
// be a view into it (a refusal holds no symbol).
std::string RefusalText(Encoder& encoder, const Result& refused, const Request& request,
                        std::string_view bytes);

// Why structured append refused a text: more symbols needed than it joins,
// or fewer characters than parts.
std::string PartsRefusal(const Result& refused, const Request& request, int parts);

// Why `text` is no GS1 element string: the AI at fault, what is wrong and where.
std::string Gs1Refusal(const Gs1ElementString& refused, std::string_view text);

// Character `position` (1-based) of a text that must go as Shift_JIS has no
// form there.
std::string NoShiftJisForm(char32_t character, int position);

// A character as messages show it: quoted and escaped, with its code point.
std::string CharacterShown(char32_t character);

}  // namespace quirvane
