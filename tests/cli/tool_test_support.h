// What the tests of quirvane-encode share: running the tool as a shell would,
// the drawing and statistics line it should print, worked out from the render
// functions and the symbol's modules, and the shim that fails a system call
// on purpose.
#pragma once

#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/options.h"
#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "render/symbol_terminal.h"
#include "tests/support/run_process.h"
#include "tests/support/scratch_folder.h"

namespace quirvane::testing {

using Args = std::vector<std::string>;
using ToolRun = ProcessRun;

// `piece` `times` over.
inline std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// The number of characters of well-formed UTF-8, and its first `count` of them.
inline int CountUtf8(std::string_view text) {
    int count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}
inline std::string FirstCharacters(std::string_view text, int count) {
    std::size_t end = 0;
    for (int seen = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == count) {
            break;
        }
    }
    return std::string(text.substr(0, end));
}

// The tool, started as a shell would: arguments and names exactly as bytes.
inline ToolRun RunEncodeToolWith(ProcessSpec launch) {
    launch.args.insert(launch.args.begin(), QUIRVANE_ENCODE_PATH);
    return RunProcess(launch);
}

inline ProcessSpec ToolSpec(const Args& args, const std::string& input = {}, bool endless = false) {
    ProcessSpec launch;
    launch.args = args;
    launch.input = input;
    launch.endlessInput = endless;
    return launch;
}

inline ToolRun RunEncodeTool(const Args& args, const std::string& input = {}) {
    return RunEncodeToolWith(ToolSpec(args, input));
}

// What the tool should write of `state` in `format`: the text format is a
// line of '0' and '1' for each row of modules.
inline std::string Drawn(const EncoderState& state, OutputFormat format,
                         const DrawingOptions& options = {}) {
    const SymbolView view = ViewOf(state);
    switch (format) {
        case OutputFormat::Png:
            return RenderSymbolPng(view, options);
        case OutputFormat::Svg:
            return RenderSymbolSvg(view, options);
        case OutputFormat::Eps:
            return RenderSymbolEps(view, options);
        case OutputFormat::Pdf:
            return RenderSymbolPdf(view, options);
        case OutputFormat::Terminal:
            return RenderSymbolTerminal(view, TerminalColours::None);
        default:
            break;
    }
    std::string text;
    for (int r = 0; r < state.SymbolSide(); ++r) {
        for (int c = 0; c < state.SymbolSide(); ++c) {
            text += state.IsDark(r, c) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}

// The statistics line the tool prints, with its version and mask.
inline std::string Statistics(const GenerationResult& r) {
    return std::string(r.status) + "  バージョン：" + std::to_string(r.version) + "  マスク：" +
           std::to_string(r.mask) + "\n";
}

// The version and the mask the statistics line at the end of `err` tells, or -1s.
inline std::pair<int, int> VersionAndMask(const std::string& err) {
    static const std::regex kEnd("  バージョン：([0-9]+)  マスク：([0-7])\n$");
    std::smatch m;
    return std::regex_search(err, m, kEnd) ? std::pair(std::stoi(m[1]), std::stoi(m[2]))
                                           : std::pair(-1, -1);
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
