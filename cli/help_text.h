// quirvane-encode --help, made from the option table in the user's
// language. Each option is one line that starts with spaces and a dash, with
// its letters and its long name, so that bash-completion's _parse_help and
// help2man read it; further usage lines start with "  or:  ", as help2man
// expects.
#pragma once

#include <string>

namespace quirvane {

std::string HelpText();

}  // namespace quirvane
