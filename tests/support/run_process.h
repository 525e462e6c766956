// Running a program the way a shell would, for the tests of quirvane-encode:
// arguments and file names as bytes (QProcess would take them through
// QString and change those that are not UTF-8), limits set in the child,
// standard input that can go on for ever, and a terminal for its output.
#pragma once

#include <string>
#include <sys/resource.h>
#include <vector>

namespace quirvane::testing {

struct ProcessSpec {
    std::vector<std::string> args;         // args[0] is the program's path
    std::string input;                     // standard input, then its end
    bool endlessInput = false;             // `input` over and over until it stops reading
    std::vector<std::string> environment;  // NAME=VALUE over the tests' own; a later one wins
    std::string outputFile;                // standard output into this file, not a pipe
    bool onTerminal = false;  // standard output and error on one raw pseudo-terminal, read as `out`
    rlim_t fileSizeLimit = RLIM_INFINITY;      // RLIMIT_FSIZE, in bytes
    rlim_t addressSpaceLimit = RLIM_INFINITY;  // RLIMIT_AS, in bytes
};

struct ProcessRun {
    int exitCode = -1;  // -1 when a signal ended it
    int signal = 0;     // the signal that ended it, or 0
    std::string out, err;
    long maxResidentKiB = 0;  // its peak memory, from wait4
};

ProcessRun RunProcess(const ProcessSpec& launch);

}  // namespace quirvane::testing
