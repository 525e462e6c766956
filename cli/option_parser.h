// Reading quirvane-encode's command line as command-line users expect:
// -lH and -l H, --level=H and --level H, letters that take no value run
// together (-8V), "--" ending the options; an unknown option suggests the
// nearest known one.
#pragma once

#include <string>

#include "cli/options.h"

namespace quirvane {

struct ParseResult {
    bool ok = false;
    EncodeOptions options;
    std::string error;  // one line naming the option as typed and what it accepts
};

ParseResult ParseEncodeOptions(int argc, const char* const* argv);

}  // namespace quirvane
