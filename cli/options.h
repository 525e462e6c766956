// The command line of quirvane-encode.
#pragma once

#include <string>

#include <quirvane/encoder.h>

namespace quirvane {

enum class OutputFormat { FromExtension, Text, Png, Svg };

// The tool starts from the window's presets, in 8-bit byte mode.
inline constexpr EncoderSettings kToolDefaults = [] {
    EncoderSettings settings = kPresetSettings;
    settings.characterMode = kModeByte;
    return settings;
}();

struct EncodeOptions {
    EncoderSettings settings = kToolDefaults;
    bool hasText = false;  // the text came as an argument
    std::string text;
    std::string inputPath;  // --input; "-" is standard input
    std::string outputPath = "-";
    OutputFormat format = OutputFormat::FromExtension;
    bool showHelp = false;
    bool showVersion = false;
};

struct ParseResult {
    bool ok = false;
    EncodeOptions options;
    std::string error;  // one line naming the option and what it accepts
};

ParseResult ParseEncodeOptions(int argc, const char* const* argv);

// The format to write: the one asked for, else by the output's extension
// (.png, .svg), else text.
OutputFormat ResolveFormat(const EncodeOptions& options);

extern const char kEncodeUsage[];

}  // namespace quirvane
