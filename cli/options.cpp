#include "cli/options.h"

#include <string_view>

#include "cli/printable.h"

namespace quirvane {

const char kEncodeUsage[] =
    "Usage: quirvane-encode [OPTION]... [--] TEXT\n"
    "       quirvane-encode [OPTION]... --input FILE\n"
    "Encode TEXT (taken byte for byte) or the content of FILE as a QR Code symbol.\n"
    "\n"
    "  -m, --mode byte|alnum|numeric   character mode (default byte)\n"
    "  -s, --symbol-version N          symbol version, 1-40 (default 1)\n"
    "  -l, --level L|M|Q|H             error-correction level (default L)\n"
    "  -k, --mask 0..7                 mask pattern reference (default 3)\n"
    "  -w, --module-width 1|2          pixels per module in png and svg (default 2)\n"
    "  -c, --colour R,G,B              colour of dark modules, each 0-255 (default 0,0,0)\n"
    "  -i, --input FILE                read the text from FILE, - for standard input;\n"
    "                                  each line feed becomes CR LF\n"
    "  -o, --output FILE               where to write (default -, standard output)\n"
    "  -f, --format text|png|svg       output format (default: from the output's\n"
    "                                  extension, else text)\n"
    "  -h, --help                      show this help\n"
    "  -V, --version                   show the program's version\n"
    "\n"
    "The text format is n lines of n characters, 1 dark and 0 light.\n"
    "The statistics line goes to standard error.\n"
    "Exit status: 0 symbol written, 1 text refused, 2 bad option or file.\n";

namespace {

struct OptionName {
    const char* longName;
    char shortName;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {"mode", 'm', true},  {"symbol-version", 's', true}, {"level", 'l', true},
    {"mask", 'k', true},  {"module-width", 'w', true},   {"colour", 'c', true},
    {"input", 'i', true}, {"output", 'o', true},         {"format", 'f', true},
    {"help", 'h', false}, {"version", 'V', false},
};

// Whole decimal number in [low, high], or false.
bool ParseInteger(std::string_view text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    int result = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
        result = result * 10 + (ch - '0');
    }
    if (result < low || result > high) {
        return false;
    }
    value = result;
    return true;
}

bool ParseColour(std::string_view text, SymbolColour& colour) {
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i == 2;
        if (last != (comma == std::string_view::npos)) {
            return false;
        }
        if (!ParseInteger(text.substr(0, comma), 0, 255, parts[i])) {
            return false;
        }
        text = last ? std::string_view() : text.substr(comma + 1);
    }
    colour = SymbolColour{parts[0], parts[1], parts[2]};
    return true;
}

std::string Bad(std::string_view option, std::string_view value, std::string_view accepts) {
    return "--" + std::string(option) + ": " + Quoted(value) + " is not accepted; " +
           std::string(accepts);
}

// Applies one option with its value; returns an error line or "".
std::string Apply(const OptionName& option, std::string_view value, EncodeOptions& o) {
    const std::string_view name = option.longName;
    if (name == "mode") {
        if (value == "byte") {
            o.settings.characterMode = kModeByte;
        } else if (value == "alnum") {
            o.settings.characterMode = kModeAlphanumeric;
        } else if (value == "numeric") {
            o.settings.characterMode = kModeNumeric;
        } else {
            return Bad(name, value, "use byte, alnum or numeric");
        }
    } else if (name == "symbol-version") {
        int v = 0;
        if (!ParseInteger(value, 1, 40, v) || !IsSupportedVersion(v)) {
            return Bad(name, value, "use 1 to 40");
        }
        o.settings.version = v;
    } else if (name == "level") {
        constexpr std::string_view kLevels = "LMQH";
        const std::size_t at = value.size() == 1 ? kLevels.find(value[0]) : std::string_view::npos;
        if (at == std::string_view::npos) {
            return Bad(name, value, "use L, M, Q or H");
        }
        o.settings.errorCorrectionLevel = kLevelL + static_cast<int>(at);
    } else if (name == "mask") {
        if (!ParseInteger(value, 0, kMaskCount - 1, o.settings.maskReference)) {
            return Bad(name, value, "use 0 to 7");
        }
    } else if (name == "module-width") {
        if (!ParseInteger(value, 1, 2, o.settings.moduleWidth)) {
            return Bad(name, value, "use 1 or 2");
        }
    } else if (name == "colour") {
        if (!ParseColour(value, o.settings.symbolColour)) {
            return Bad(name, value, "use R,G,B with each 0 to 255, such as 0,0,255");
        }
    } else if (name == "input") {
        if (value.empty()) {
            return Bad(name, value, "use a file name, or - for standard input");
        }
        o.inputPath = value;
    } else if (name == "output") {
        if (value.empty()) {
            return Bad(name, value, "use a file name, or - for standard output");
        }
        o.outputPath = value;
    } else if (name == "format") {
        if (value == "text") {
            o.format = OutputFormat::Text;
        } else if (value == "png") {
            o.format = OutputFormat::Png;
        } else if (value == "svg") {
            o.format = OutputFormat::Svg;
        } else {
            return Bad(name, value, "use text, png or svg");
        }
    } else if (name == "help") {
        o.showHelp = true;
    } else if (name == "version") {
        o.showVersion = true;
    }
    return {};
}

const OptionName* FindLong(std::string_view name) {
    for (const OptionName& option : kOptions) {
        if (name == option.longName) {
            return &option;
        }
    }
    return nullptr;
}

const OptionName* FindShort(char name) {
    for (const OptionName& option : kOptions) {
        if (name == option.shortName) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

ParseResult ParseEncodeOptions(int argc, const char* const* argv) {
    ParseResult result;
    EncodeOptions& o = result.options;
    bool optionsEnded = false;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (++positional > 1) {
                result.error = "more than one text given: quote the text, or use --input FILE";
                return result;
            }
            o.hasText = true;
            o.text = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionName* option = nullptr;
        std::string_view value;
        bool hasInlineValue = false;
        if (arg.substr(0, 2) == "--") {
            std::string_view name = arg.substr(2);
            const std::size_t equals = name.find('=');
            if (equals != std::string_view::npos) {
                value = name.substr(equals + 1);
                name = name.substr(0, equals);
                hasInlineValue = true;
            }
            option = FindLong(name);
            if (option == nullptr) {
                result.error = "unknown option " + Quoted(arg) + "; see --help";
                return result;
            }
        } else {
            option = arg.size() == 2 ? FindShort(arg[1]) : nullptr;
            if (option == nullptr) {
                result.error = "unknown option " + Quoted(arg) + "; see --help";
                return result;
            }
        }
        if (option->takesValue && !hasInlineValue) {
            if (i + 1 >= argc) {
                result.error = "--" + std::string(option->longName) + " needs a value; see --help";
                return result;
            }
            value = argv[++i];
        } else if (!option->takesValue && hasInlineValue) {
            result.error = "--" + std::string(option->longName) + " takes no value";
            return result;
        }
        result.error = Apply(*option, value, o);
        if (!result.error.empty()) {
            return result;
        }
    }
    if (!o.showHelp && !o.showVersion) {
        if (o.hasText && !o.inputPath.empty()) {
            result.error = "--input: give the text either as an argument or with --input, not both";
            return result;
        }
        if (!o.hasText && o.inputPath.empty()) {
            result.error = "no text given: pass it as an argument or with --input FILE; see --help";
            return result;
        }
    }
    result.ok = true;
    return result;
}

OutputFormat ResolveFormat(const EncodeOptions& options) {
    if (options.format != OutputFormat::FromExtension) {
        return options.format;
    }
    const std::string& path = options.outputPath;
    const auto endsWith = [&path](std::string_view suffix) {
        if (path.size() < suffix.size()) {
            return false;
        }
        for (std::size_t i = 0; i < suffix.size(); ++i) {
            const char c = path[path.size() - suffix.size() + i];
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (lower != suffix[i]) {
                return false;
            }
        }
        return true;
    };
    if (endsWith(".png")) {
        return OutputFormat::Png;
    }
    if (endsWith(".svg")) {
        return OutputFormat::Svg;
    }
    return OutputFormat::Text;
}

}  // namespace quirvane
