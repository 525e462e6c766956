// What the tests of quirvane-encode share: running the tool as a shell would,
// the drawing and statistics line it should print, files as bytes, and the
// shim that fails a system call on purpose.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/options.h"
#include "cli/symbol_output.h"
#include "tests/support/run_process.h"

namespace quirvane::testing {

using Args = std::vector<std::string>;
using ToolRun = ProcessRun;

// The tool, started as a shell would: arguments and names exactly as bytes.
inline ToolRun RunEncodeToolWith(ProcessSpec spec) {
    spec.args.insert(spec.args.begin(), QUIRVANE_ENCODE_PATH);
    return RunProcess(spec);
}

inline ProcessSpec ToolSpec(const Args& args, const std::string& input = {}, bool endless = false) {
    ProcessSpec spec;
    spec.args = args;
    spec.input = input;
    spec.endlessInput = endless;
    return spec;
}

inline ToolRun RunEncodeTool(const Args& args, const std::string& input = {}) {
    return RunEncodeToolWith(ToolSpec(args, input));
}

// The drawing the tool writes by default (the window's), in `format`.
inline std::string Drawn(const EncoderState& state, OutputFormat format,
                         const DrawingOptions& options = {}) {
    return SymbolAsBytes(ViewOf(state), format, options, TerminalColours::None);
}

// The statistics line the tool prints, with its version and mask.
inline std::string Statistics(const GenerationResult& r) {
    return std::string(r.status) + "  バージョン：" + std::to_string(r.version) + "  マスク：" +
           std::to_string(r.mask) + "\n";
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<no file>";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The shim that fails one system call (tests/support/fault_injection.cpp).
// A sanitized tool would refuse a library loaded before its run-time.
inline std::vector<std::string> FaultEnvironment(const std::string& fault) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    return {
        std::string("LD_PRELOAD=") + QUIRVANE_FAULT_INJECTION_PATH, "QUIRVANE_FAULT=" + fault,
        std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":verify_asan_link_order=0"};
}

}  // namespace quirvane::testing
