#include "cli/options.h"

#include <string_view>
#include <utility>

#include "cli/printable.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

std::string VersionProblem(EncodeOptions& o) {
    Request& r = o.request;
    if (o.strictVersion && o.cutToVersion) {
        return translate("quirvane-encode", "--strict-version and --cut do not go together");
    }
    if (o.strictVersion || o.cutToVersion) {
        const char* rule = o.strictVersion ? "--strict-version" : "--cut";
        if (!o.versionGiven) {
            return Fill(translate("quirvane-encode", "%1 needs -v N, the version to make"), {rule});
        }
        if (r.maxVersion != kLargestVersion) {
            return Fill(translate("quirvane-encode",
                                  "--max-version bounds a version that grows, not one made "
                                  "exactly with %1"),
                        {rule});
        }
        r.version = std::exchange(r.minVersion, 1);
        r.cutToFit = o.cutToVersion;
        return {};
    }
    if (r.minVersion > r.maxVersion) {
        return Fill(translate("quirvane-encode", "-v %1 is above --max-version %2"),
                    {std::to_string(r.minVersion), std::to_string(r.maxVersion)});
    }
    return {};
}

std::string SourceProblem(EncodeOptions& o, bool standardInputIsTerminal) {
    if (std::string problem = ContentFieldProblem(o.content); !problem.empty()) {
        return problem;
    }
    const bool content = o.content.format != ContentFormat::None;
    const int sources = (o.hasText ? 1 : 0) + (o.inputPath.empty() ? 0 : 1) +
                        (o.batchPath.empty() ? 0 : 1) + (content ? 1 : 0);
    if (sources > 1) {
        return translate("quirvane-encode",
                         "give the text one way only: as an argument, with --input, with "
                         "--batch or as a content format's fields");
    }
    if (content) {
        return {};
    }
    if (sources == 0) {
        if (standardInputIsTerminal) {
            return translate("quirvane-encode",
                             "no text given: pass it as an argument, with --input FILE or on "
                             "standard input; see --help");
        }
        o.inputPath.assign(1, '-');  // standard input
    }
    return {};
}

std::string ByteModeProblem(EncodeOptions& o) {
    if (o.encoding == InputEncoding::CodePageWhenPossible && !o.eci) {
        return {};
    }
    if (!o.modeGiven) {
        o.request.mode = Mode::Byte;
    } else if (o.request.mode != Mode::Byte) {
        return Fill(translate("quirvane-encode", "%1 applies to --mode byte"),
                    {o.eci ? "--eci" : "--encoding"});
    }
    if (o.eci && o.encoding == InputEncoding::Bytes) {
        return translate("quirvane-encode",
                         "--eci: the encoding of --encoding bytes is unknown; use --encoding "
                         "shift_jis or utf-8");
    }
    return {};
}

// FNC1 symbols and structured append are made in automatic mode.
std::string ModeProblem(const EncodeOptions& o, const char* option) {
    if (o.modeGiven || o.encoding != InputEncoding::CodePageWhenPossible || o.eci) {
        return Fill(translate("quirvane-encode",
                              "%1 makes its symbols in automatic mode: --mode, -8, -k, --encoding "
                              "and --eci do not go with it"),
                    {option});
    }
    return {};
}

std::string Fnc1Problem(const EncodeOptions& o) {
    const bool industry = o.request.fnc1 == Fnc1::Industry;
    if (o.gs1 && industry) {
        return Fill(translate("quirvane-encode", "%1 and %2 do not go together"),
                    {"--gs1", "--fnc1-aim"});
    }
    return o.gs1 || industry ? ModeProblem(o, o.gs1 ? "--gs1" : "--fnc1-aim") : std::string();
}

// With -S, -v N is the version of every part; --layout files needs {part}.
std::string PartsProblem(EncodeOptions& o) {
    if (!o.structuredAppend) {
        return o.layout == PartLayout::Row ? translate("quirvane-encode", "--layout applies to -S")
                                           : std::string();
    }
    if (!o.batchPath.empty()) {
        return Fill(translate("quirvane-encode", "%1 and %2 do not go together"),
                    {"-S", "--batch"});
    }
    if (o.gs1 || o.request.fnc1 != Fnc1::None || o.cutToVersion) {
        return Fill(translate("quirvane-encode", "%1 and %2 do not go together"),
                    {"-S", o.cutToVersion ? "--cut"
                           : o.gs1        ? "--gs1"
                                          : "--fnc1-aim"});
    }
    if (std::string problem = ModeProblem(o, "-S"); !problem.empty()) {
        return problem;
    }
    if (o.versionGiven && o.request.version == kVersionAuto) {
        o.request.version = std::exchange(o.request.minVersion, 1);
    }
    if (o.layout == PartLayout::Files && o.outputPath.find("{part}") == std::string::npos) {
        return translate("quirvane-encode",
                         "-S writes one file per part: put {part} in --output's name, such as "
                         "'label-{part}.png', or give --layout row");
    }
    return {};
}

std::string Extension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return extension;
}

}  // namespace

std::string Reconcile(EncodeOptions& o, bool standardInputIsTerminal) {
    for (const std::string& problem : {SourceProblem(o, standardInputIsTerminal), Fnc1Problem(o),
                                       ByteModeProblem(o), VersionProblem(o), PartsProblem(o)}) {
        if (!problem.empty()) {
            return problem;
        }
    }
    if (!o.batchPath.empty() && o.outputPath == "-") {
        return translate("quirvane-encode",
                         "--batch needs --output with a name pattern, such as 'qr-{n}.png'");
    }
    if (!o.batchPath.empty() && o.printText) {
        return Fill(translate("quirvane-encode", "%1 and %2 do not go together"),
                    {"--print-text", "--batch"});
    }
    if (o.batchPath.empty() && o.jobs != 0) {
        return translate("quirvane-encode", "--jobs applies to --batch");
    }
    return {};
}

FormatChoice ChooseFormat(const EncodeOptions& options, bool standardOutputIsTerminal) {
    if (options.format != OutputFormat::FromName) {
        return {options.format, {}};
    }
    const std::string& path = options.outputPath;
    if (path == "-") {
        return {standardOutputIsTerminal ? OutputFormat::Terminal : OutputFormat::Text, {}};
    }
    constexpr std::pair<std::string_view, OutputFormat> kExtensions[] = {
        {"png", OutputFormat::Png},
        {"svg", OutputFormat::Svg},
        {"eps", OutputFormat::Eps},
        {"pdf", OutputFormat::Pdf},
        {"txt", OutputFormat::Text}};
    const std::string extension = Extension(path);
    for (const auto& [name, format] : kExtensions) {
        if (extension == name) {
            return {format, {}};
        }
    }
    // A single file without an extension (a device, /dev/stderr) gets text;
    // a batch's names need one, so that no line's text chooses it.
    if (extension.empty() && options.batchPath.empty()) {
        return {OutputFormat::Text, {}};
    }
    return {OutputFormat::Text,
            Fill(translate("quirvane-encode",
                           "--output: %1 does not end in an extension the tool writes; use .png, "
                           ".svg, .eps, .pdf or .txt, or give -t"),
                 {Quoted(path)})};
}

}  // namespace quirvane
