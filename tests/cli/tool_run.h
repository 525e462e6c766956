// Running quirvane-encode as a shell would, for its tests: arguments and file
// names as bytes, messages in English unless a test asks otherwise, and what
// the tool should have made, from the encoder and the renderers directly.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/symbol_output.h"
#include "tests/support/run_process.h"

namespace quirvane::testing {

using Args = std::vector<std::string>;

inline std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

inline ProcessSpec ToolLaunch(const Args& args, const std::string& input = {},
                              const Args& environment = {}) {
    ProcessSpec launch;
    launch.args = args;
    launch.args.insert(launch.args.begin(), QUIRVANE_ENCODE_PATH);
    launch.input = input;
    launch.environment = {"LC_ALL=", "LC_MESSAGES=", "LANG=C.UTF-8"};  // what `environment` leaves
    launch.environment.insert(launch.environment.end(), environment.begin(), environment.end());
    return launch;
}

inline ProcessRun RunTool(const Args& args, const std::string& input = {},
                          const Args& environment = {}) {
    return RunProcess(ToolLaunch(args, input, environment));
}

// `script` run by sh with the tool as $0 and `args` as $1 on: for what only a
// shell sets up (limits, descriptors, names made of the tool's own ID).
inline ProcessSpec ShellLaunch(const std::string& script, const Args& args) {
    ProcessSpec launch = ToolLaunch({});
    launch.args = {"/bin/sh", "-c", script, QUIRVANE_ENCODE_PATH};
    launch.args.insert(launch.args.end(), args.begin(), args.end());
    return launch;
}

// The shim of tests/support/fault_injection.cpp, allowed before ASan's run-time.
inline Args FaultEnvironment(const std::string& fault) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    return {
        std::string("LD_PRELOAD=") + QUIRVANE_FAULT_INJECTION_PATH, "QUIRVANE_FAULT=" + fault,
        std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":verify_asan_link_order=0"};
}

// The names in a folder, as ScratchFolder::Names gives them.
inline std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// What the tool writes for `text` made as `request` asks, drawn as `drawing`.
inline std::string Expected(std::string_view text, const Request& request, OutputFormat format,
                            const DrawingOptions& drawing = {.quietZoneModules = 4}) {
    Encoder encoder;
    const Result made = encoder.Encode(text, request);
    return made ? SymbolAsBytes(made.symbol, format, drawing, TerminalColours::None) : "(refused)";
}

}  // namespace quirvane::testing
