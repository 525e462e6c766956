// What the tool shows of a value it was given: option values and file names
// come from anywhere, and a line feed or an escape sequence in one must not
// break the message line or reach the terminal as a command.
#pragma once

#include <string>
#include <string_view>

namespace quirvane {

// `bytes` with every control character (C0, DEL and C1), every byte that is
// not part of well-formed UTF-8 and the backslash itself written as an escape:
// \n, \r, \t, \\ or \xHH (a C1 character as the two bytes of its UTF-8).
// Everything else, any language's letters included, is kept as it is.
std::string Printable(std::string_view bytes);

// Printable(bytes) in single quotes, as messages name a file or a value.
std::string Quoted(std::string_view bytes);

}  // namespace quirvane
