// quirvane-encode: the encoder without the window, for batch use and tests.
#include <csignal>
#include <cstdio>
#include <memory>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

#include "cli/options.h"
#include "cli/symbol_output.h"
#include "text/input_text.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitBadOption = 2;

int Fail(const std::string& line) {
    std::fprintf(stderr, "quirvane-encode: %s\n", line.c_str());
    return kExitBadOption;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quirvane;
    // A file-size limit then fails the write with EFBIG, which is reported,
    // instead of killing the program halfway through the temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    const ParseResult parsed = ParseEncodeOptions(argc, argv);
    if (!parsed.ok) {
        return Fail(parsed.error);
    }
    const EncodeOptions& options = parsed.options;
    if (options.showHelp || options.showVersion) {
        const std::string text =
            options.showHelp ? std::string(kEncodeUsage)
                             : "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n";
        const std::string error = WriteOutput(options.showHelp ? "--help" : "--version", "-", text);
        return error.empty() ? 0 : Fail(error);
    }

    std::string text = options.text;
    if (!options.inputPath.empty()) {
        std::string bytes;
        if (const std::string error = ReadInput(options.inputPath, bytes); !error.empty()) {
            return Fail(error);
        }
        text = JoinLinesWithCrLf(bytes);
    }

    // The record is large (three 64 KiB planes): it lives on the heap, once.
    auto state = std::make_unique<EncoderState>();
    state->settings = options.settings;
    const GenerationResult result = state->CreateData(text);
    if (!result.Created()) {
        std::fprintf(stderr, "%s\n", result.message);
        return kExitRefused;
    }

    const std::string bytes =
        SymbolAsBytes(ViewOf(*state), ResolveFormat(options), options.settings.moduleWidth,
                      options.settings.symbolColour);
    if (bytes.empty()) {
        return Fail("--format: the PNG could not be made");
    }
    if (const std::string error = WriteOutput("--output", options.outputPath, bytes);
        !error.empty()) {
        return Fail(error);
    }
    std::fprintf(stderr, "%s\n", result.status);
    return 0;
}
