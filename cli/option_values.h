// The values options take, read strictly: whole numbers in a range, colours
// as R,G,B or hex, and names from a list in either case.
#pragma once

#include <initializer_list>
#include <string_view>

#include <quirvane/colour.h>

namespace quirvane {

// A whole decimal number in [low, high] into `value`, else false.
bool ParseInteger(std::string_view text, int low, int high, int& value);

// R,G,B (each 0-255), or RRGGBB or RRGGBBAA in hex with or without '#';
// `alpha` is 255 unless given.
bool ParseColour(std::string_view text, SymbolColour& colour, int& alpha);

// The index of `text` among `names`, ignoring the case of ASCII letters, or -1.
int IndexOfName(std::string_view text, std::initializer_list<std::string_view> names);

}  // namespace quirvane
