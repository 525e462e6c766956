// The options of quirvane-encode, one table for reading the command line and
// for --help: each with its letters, its long name, the other names users of
// the common command-line QR tool know it by, its value and what it does.
// They come in groups, in the order --help shows them; a new kind of option
// (structured append, GS1, checks, content formats) comes as a new group.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"

namespace quirvane {

enum class OptionGroup {
    Symbol,
    Parts,
    Industry,
    Content,
    ContentFields,
    Drawing,
    Check,
    Files,
    Batch,
    Messages
};

// "" when the value is taken, else what the option accepts ("use 1 to 40"),
// in the user's language.
using ApplyOption = std::string (*)(std::string_view value, EncodeOptions& options);

struct OptionEntry {
    OptionGroup group;
    const char* letters;  // its short names ("sw" is -s and -w), "" for none
    const char* name;     // its long name
    const char* aliases;  // other long names, separated by spaces
    // Its value as --help shows it, or nullptr for none; "[=VALUE]" for one
    // that is optional, given only after '=' (apply then gets a null view
    // when it is not given).
    const char* value;
    const char* help;  // the lines of its --help text, in English
    ApplyOption apply;
};

std::span<const OptionEntry> Options();

}  // namespace quirvane
