#include "cli/exit_status.h"

#include <cstdio>

namespace quirvane {

void Say(const std::string& line) {
    // Nothing more can be done when standard error itself fails.
    std::fprintf(stderr, "quirvane-encode: %s\n", line.c_str());
}

int Fail(const std::string& line) {
    Say(line);
    return kExitBadOption;
}

int Refuse(const std::string& line) {
    Say(line);
    return kExitRefused;
}

}  // namespace quirvane
