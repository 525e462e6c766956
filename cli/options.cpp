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
    const int sources =
        (o.hasText ? 1 : 0) + (o.inputPath.empty() ? 0 : 1) + (o.batchPath.empty() ? 0 : 1);
    if (sources > 1) {
        return translate("quirvane-encode",
                         "give the text one way only: as an argument, with --input or with "
                         "--batch");
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
    for (const std::string& problem :
         {SourceProblem(o, standardInputIsTerminal), ByteModeProblem(o), VersionProblem(o)}) {
        if (!problem.empty()) {
            return problem;
        }
    }
    if (!o.batchPath.empty() && o.outputPath == "-") {
        return translate("quirvane-encode",
                         "--batch needs --output with a name pattern, such as 'qr-{n}.png'");
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
