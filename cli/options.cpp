#include "cli/options.h"

#include <string_view>

#include "cli/printable.h"

namespace quirvane {

const char kEncodeUsage[] =
    "Usage: quirvane-encode [OPTION]... [--] TEXT\n"
    "       quirvane-encode [OPTION]... --input FILE\n"
    "       quirvane-encode [OPTION]... --batch FILE --output PATTERN\n"
    "Encode TEXT or the content of FILE as a QR Code symbol. By default the tool\n"
    "picks the smallest version, the mask that scans best and the shortest mix of\n"
    "modes that every common reader decodes to the same text.\n"
    "\n"
    "What to make:\n"
    "  -m, --mode auto|byte|alnum|numeric|kanji\n"
    "                                  character mode (default auto)\n"
    "  -s, --symbol-version auto|N     symbol version 1-40 (default auto); a text\n"
    "                                  longer than version N holds is cut\n"
    "      --min-version N             smallest version auto may pick (default 1)\n"
    "      --max-version N             largest version auto may pick (default 40)\n"
    "  -l, --level L|M|Q|H             error-correction level (default L)\n"
    "  -k, --mask auto|0..7            mask pattern reference (default auto)\n"
    "      --encoding shift_jis|utf-8|bytes\n"
    "                                  how byte mode writes the text (default: Shift_JIS\n"
    "                                  when every character has a form there, else\n"
    "                                  UTF-8; bytes: exactly as given); implies byte mode\n"
    "      --eci                       write the ECI designator of that encoding (20 or\n"
    "                                  26) before the data; implies byte mode\n"
    "\n"
    "How to draw it:\n"
    "  -f, --format text|png|svg|eps|pdf|terminal\n"
    "                                  output format (default: from the output's\n"
    "                                  extension; else terminal when standard output\n"
    "                                  is a terminal, else text)\n"
    "  -w, --module-width N            units (pixels in png) per module, 1-100 (default 2)\n"
    "      --quiet-zone M              light modules around the symbol, 0-100 (default:\n"
    "                                  a margin of 10 units, as the window draws)\n"
    "      --dpi D                     resolution recorded in png, svg, eps and pdf\n"
    "  -c, --colour R,G,B              colour of dark modules, each 0-255 (default 0,0,0)\n"
    "      --background R,G,B|transparent\n"
    "                                  colour of light modules (default 255,255,255)\n"
    "\n"
    "Where from and where to:\n"
    "  -i, --input FILE                read the text from FILE, - for standard input\n"
    "                                  (UTF-8 or Shift_JIS; each line feed becomes CR LF)\n"
    "  -o, --output FILE               where to write (default -, standard output)\n"
    "      --batch FILE                one text per line of FILE (- for standard input),\n"
    "                                  one symbol each; --output is then a name pattern\n"
    "                                  with {n} (the line number) and {text}\n"
    "  -j, --jobs N                    symbols made at once in a batch (default: one per\n"
    "                                  core)\n"
    "  -h, --help                      show this help\n"
    "  -V, --version                   show the program's version\n"
    "\n"
    "The text format is n lines of n characters, 1 dark and 0 light; the terminal\n"
    "format draws two module rows per line with half blocks, black on white.\n"
    "The statistics line goes to standard error; in a batch, a progress bar when\n"
    "standard error is a terminal, and a summary.\n"
    "Exit status: 0 symbol written, 1 text refused, 2 bad option or file.\n";

namespace {

using Apply = std::string (*)(std::string_view value, EncodeOptions& options);

struct Option {
    const char* longName;
    char shortName;  // 0: none
    bool takesValue;
    Apply apply;
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

// One of `names`, which stand for `values` in the same order.
template <typename T, std::size_t N>
bool ParseName(std::string_view text, const char* const (&names)[N], const T (&values)[N],
               T& value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            value = values[i];
            return true;
        }
    }
    return false;
}

// A version 1-40, or "auto" when `automatic` is given.
bool ParseVersion(std::string_view text, int automatic, int& version) {
    if (automatic >= 0 && text == "auto") {
        version = automatic;
        return true;
    }
    return ParseInteger(text, 1, kLargestVersion, version);
}

constexpr int kNoAuto = -1;

// The options, each with what it does to EncodeOptions; the order is that of --help.
constexpr Option kOptions[] = {
    {"mode", 'm', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         constexpr const char* kNames[] = {"auto", "byte", "alnum", "numeric", "kanji"};
         constexpr Mode kModes[] = {Mode::Auto, Mode::Byte, Mode::Alphanumeric, Mode::Numeric,
                                    Mode::Kanji};
         return ParseName(v, kNames, kModes, o.request.mode)
                    ? ""
                    : Bad("mode", v, "use auto, byte, alnum, numeric or kanji");
     }},
    {"symbol-version", 's', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseVersion(v, kVersionAuto, o.request.version)
                    ? ""
                    : Bad("symbol-version", v, "use auto or 1 to 40");
     }},
    {"min-version", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseVersion(v, kNoAuto, o.request.minVersion)
                    ? ""
                    : Bad("min-version", v, "use 1 to 40");
     }},
    {"max-version", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseVersion(v, kNoAuto, o.request.maxVersion)
                    ? ""
                    : Bad("max-version", v, "use 1 to 40");
     }},
    {"level", 'l', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         constexpr const char* kNames[] = {"L", "M", "Q", "H"};
         constexpr Level kLevels[] = {Level::L, Level::M, Level::Q, Level::H};
         return ParseName(v, kNames, kLevels, o.request.level)
                    ? ""
                    : Bad("level", v, "use L, M, Q or H");
     }},
    {"mask", 'k', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         if (v == "auto") {
             o.request.mask = kMaskAuto;
             return "";
         }
         return ParseInteger(v, 0, 7, o.request.mask) ? "" : Bad("mask", v, "use auto or 0 to 7");
     }},
    {"encoding", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         constexpr const char* kNames[] = {"shift_jis", "utf-8", "bytes"};
         constexpr int kEncodings[] = {static_cast<int>(InputEncoding::ShiftJis),
                                       static_cast<int>(InputEncoding::Utf8),
                                       static_cast<int>(InputEncoding::Bytes)};
         int encoding = 0;
         if (!ParseName(v, kNames, kEncodings, encoding)) {
             return Bad("encoding", v, "use shift_jis, utf-8 or bytes");
         }
         o.encoding = static_cast<InputEncoding>(encoding);
         return "";
     }},
    {"eci", 0, false,
     [](std::string_view, EncodeOptions& o) -> std::string {
         o.eci = true;
         return "";
     }},
    {"format", 'f', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         constexpr const char* kNames[] = {"text", "png", "svg", "eps", "pdf", "terminal"};
         constexpr int kFormats[] = {
             static_cast<int>(OutputFormat::Text), static_cast<int>(OutputFormat::Png),
             static_cast<int>(OutputFormat::Svg),  static_cast<int>(OutputFormat::Eps),
             static_cast<int>(OutputFormat::Pdf),  static_cast<int>(OutputFormat::Terminal)};
         int format = 0;
         if (!ParseName(v, kNames, kFormats, format)) {
             return Bad("format", v, "use text, png, svg, eps, pdf or terminal");
         }
         o.format = static_cast<OutputFormat>(format);
         return "";
     }},
    {"module-width", 'w', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseInteger(v, 1, kMaxModuleWidth, o.drawing.moduleWidth)
                    ? ""
                    : Bad("module-width", v, "use 1 to 100");
     }},
    {"quiet-zone", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseInteger(v, 0, kMaxQuietZoneModules, o.drawing.quietZoneModules)
                    ? ""
                    : Bad("quiet-zone", v, "use 0 to 100 modules");
     }},
    {"dpi", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseInteger(v, 1, kMaxDpi, o.drawing.dpi) ? "" : Bad("dpi", v, "use 1 to 10000");
     }},
    {"colour", 'c', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseColour(v, o.drawing.dark)
                    ? ""
                    : Bad("colour", v, "use R,G,B with each 0 to 255, such as 0,0,255");
     }},
    {"background", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         if (v == "transparent") {
             o.drawing.transparentBackground = true;
             return "";
         }
         o.drawing.transparentBackground = false;
         return ParseColour(v, o.drawing.background)
                    ? ""
                    : Bad("background", v, "use R,G,B with each 0 to 255, or transparent");
     }},
    {"input", 'i', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         if (v.empty()) {
             return Bad("input", v, "use a file name, or - for standard input");
         }
         o.inputPath = v;
         return "";
     }},
    {"output", 'o', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         if (v.empty()) {
             return Bad("output", v, "use a file name, or - for standard output");
         }
         o.outputPath = v;
         return "";
     }},
    {"batch", 0, true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         if (v.empty()) {
             return Bad("batch", v, "use a file name, or - for standard input");
         }
         o.batchPath = v;
         return "";
     }},
    {"jobs", 'j', true,
     [](std::string_view v, EncodeOptions& o) -> std::string {
         return ParseInteger(v, 1, 1024, o.jobs) ? "" : Bad("jobs", v, "use 1 to 1024");
     }},
    {"help", 'h', false,
     [](std::string_view, EncodeOptions& o) -> std::string {
         o.showHelp = true;
         return "";
     }},
    {"version", 'V', false,
     [](std::string_view, EncodeOptions& o) -> std::string {
         o.showVersion = true;
         return "";
     }},
};

const Option* FindOption(std::string_view arg) {
    for (const Option& option : kOptions) {
        const bool isLong = arg.substr(0, 2) == "--" && arg.substr(2) == option.longName;
        const bool isShort =
            option.shortName != 0 && arg.size() == 2 && arg[0] == '-' && arg[1] == option.shortName;
        if (isLong || isShort) {
            return &option;
        }
    }
    return nullptr;
}

bool Given(int value, int preset) {
    return value != preset;
}

// The options fit together: one source of text, byte-mode options only with
// byte mode (which they imply when no mode is given), bounds only for an
// automatic version. Returns "" or one line.
std::string Reconcile(EncodeOptions& o, bool modeGiven) {
    const int sources =
        (o.hasText ? 1 : 0) + (o.inputPath.empty() ? 0 : 1) + (o.batchPath.empty() ? 0 : 1);
    if (sources == 0) {
        return "no text given: pass it as an argument, with --input FILE or with --batch FILE; "
               "see --help";
    }
    if (sources > 1) {
        return "give the text one way only: as an argument, with --input or with --batch";
    }
    const bool byteOptions = o.encoding != InputEncoding::CodePageWhenPossible || o.eci;
    if (byteOptions) {
        if (!modeGiven) {
            o.request.mode = Mode::Byte;
        } else if (o.request.mode != Mode::Byte) {
            return std::string(o.eci ? "--eci" : "--encoding") + " applies to --mode byte";
        }
    }
    if (o.eci && o.encoding == InputEncoding::Bytes) {
        return "--eci: the encoding of --encoding bytes is unknown; use --encoding shift_jis or "
               "utf-8";
    }
    if (o.request.version != kVersionAuto &&
        (Given(o.request.minVersion, kToolDefaults.minVersion) ||
         Given(o.request.maxVersion, kToolDefaults.maxVersion))) {
        return "--min-version and --max-version bound --symbol-version auto only";
    }
    if (o.request.minVersion > o.request.maxVersion) {
        return "--min-version " + std::to_string(o.request.minVersion) +
               " is above --max-version " + std::to_string(o.request.maxVersion);
    }
    // An explicit version holds what it can of the text, as the window's does.
    o.request.cutToFit = o.request.version != kVersionAuto;
    if (!o.batchPath.empty() && o.outputPath == "-") {
        return "--batch needs --output with a name pattern, such as 'qr-{n}.png'";
    }
    if (o.batchPath.empty() && o.jobs != 0) {
        return "--jobs applies to --batch";
    }
    return DrawingOptionsProblem(o.drawing);
}

}  // namespace

ParseResult ParseEncodeOptions(int argc, const char* const* argv) {
    ParseResult result;
    EncodeOptions& o = result.options;
    bool optionsEnded = false;
    bool modeGiven = false;
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
        const std::size_t equals =
            arg.substr(0, 2) == "--" ? arg.find('=') : std::string_view::npos;
        const bool hasInlineValue = equals != std::string_view::npos;
        const Option* option = FindOption(arg.substr(0, equals));
        if (option == nullptr) {
            result.error = "unknown option " + Quoted(arg.substr(0, equals)) + "; see --help";
            return result;
        }
        std::string_view value;
        if (hasInlineValue) {
            if (!option->takesValue) {
                result.error = "--" + std::string(option->longName) + " takes no value";
                return result;
            }
            value = arg.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 >= argc) {
                result.error = "--" + std::string(option->longName) + " needs a value; see --help";
                return result;
            }
            value = argv[++i];
        }
        modeGiven = modeGiven || option->shortName == 'm';
        result.error = option->apply(value, o);
        if (!result.error.empty()) {
            return result;
        }
    }
    if (!o.showHelp && !o.showVersion) {
        result.error = Reconcile(o, modeGiven);
        if (!result.error.empty()) {
            return result;
        }
    }
    result.ok = true;
    return result;
}

OutputFormat ResolveFormat(const EncodeOptions& options, bool standardOutputIsTerminal) {
    if (options.format != OutputFormat::FromExtension) {
        return options.format;
    }
    const std::string& path = options.outputPath;
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : extension) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    constexpr std::pair<const char*, OutputFormat> kExtensions[] = {{"png", OutputFormat::Png},
                                                                    {"svg", OutputFormat::Svg},
                                                                    {"eps", OutputFormat::Eps},
                                                                    {"pdf", OutputFormat::Pdf},
                                                                    {"txt", OutputFormat::Text}};
    for (const auto& [name, format] : kExtensions) {
        if (extension == name) {
            return format;
        }
    }
    return path == "-" && standardOutputIsTerminal ? OutputFormat::Terminal : OutputFormat::Text;
}

}  // namespace quirvane
