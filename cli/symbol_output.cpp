#include "cli/symbol_output.h"

#include <cerrno>
#include <new>
#include <unistd.h>

#include "cli/file_messages.h"
#include "cli/tool_messages.h"
#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "text/file_bytes.h"
#include "text/statistics_line.h"

namespace quirvane {
namespace {

constexpr char kLevelLetters[] = "LMQH";

std::string ModeName(Mode mode) {
    switch (mode) {
        case Mode::Numeric:
            return translate("quirvane-encode", "numeric");
        case Mode::Alphanumeric:
            return translate("quirvane-encode", "alphanumeric");
        case Mode::Kanji:
            return translate("quirvane-encode", "kanji");
        case Mode::Byte:
        case Mode::Auto:
            break;
    }
    return translate("quirvane-encode", "byte");
}

}  // namespace

std::string SymbolAsText(const Symbol& symbol) {
    std::string text;
    text.reserve(static_cast<std::size_t>(symbol.Side()) *
                 static_cast<std::size_t>(symbol.Side() + 1));
    for (int r = 0; r < symbol.Side(); ++r) {
        for (int c = 0; c < symbol.Side(); ++c) {
            text += symbol.IsDark(r, c) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}

std::string DrawingProblem(const Symbol& symbol, OutputFormat format,
                           const DrawingOptions& options) {
    const int side = DrawingSideOf(symbol.Side(), options);
    if (format == OutputFormat::Png && side > kMaxPngSide) {
        return Fill(translate("quirvane-encode",
                              "--module-width: the PNG would be %1 pixels a side, more than %2; "
                              "use a smaller --module-width or --quiet-zone, or svg, eps or pdf"),
                    {std::to_string(side), std::to_string(kMaxPngSide)});
    }
    return {};
}

std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours) {
    try {
        switch (format) {
            case OutputFormat::Png:
                return RenderSymbolPng(symbol, options);
            case OutputFormat::Svg:
                return RenderSymbolSvg(symbol, options);
            case OutputFormat::Eps:
                return RenderSymbolEps(symbol, options);
            case OutputFormat::Pdf:
                return RenderSymbolPdf(symbol, options);
            case OutputFormat::Terminal:
                return RenderSymbolTerminal(symbol, terminalColours);
            case OutputFormat::Text:
            case OutputFormat::FromName:
                break;
        }
        return SymbolAsText(symbol);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes) {
    WriteOutcome written = WriteFile(path, bytes, WritePolicy::Single);
    if (written.Ok() && path == "-" && ::close(STDOUT_FILENO) != 0) {
        written = {WriteProblem::System, errno};
    }
    return written.Ok() ? std::string() : CannotWrite(option, path, written);
}

std::vector<std::string> VerboseLines(const Result& result) {
    const Symbol& symbol = result.symbol;
    std::string segments;
    for (const Segment& segment : symbol.Segments()) {
        segments += (segments.empty() ? "" : ", ") +
                    Fill(translate("quirvane-encode", "%1 (%2 characters)"),
                         {ModeName(segment.mode), std::to_string(segment.length)});
    }
    std::string choices =
        Fill(translate("quirvane-encode", "quirvane-encode: version %1, mask %2, segments: %3"),
             {std::to_string(symbol.Version()) + '-' +
                  kLevelLetters[static_cast<int>(symbol.ErrorCorrection())],
              std::to_string(symbol.Mask()), segments});
    if (symbol.Eci() != 0) {
        choices += Fill(translate("quirvane-encode", ", ECI %1"), {std::to_string(symbol.Eci())});
    }
    std::vector<std::string> lines = {StatisticsLine(result.statistics).toStdString(), choices};
    if (result.charactersLeftOut > 0) {
        lines.push_back(Fill(translate("quirvane-encode",
                                       "quirvane-encode: %1 of the text's %2 characters left "
                                       "out: version %3 holds only its start"),
                             {std::to_string(result.charactersLeftOut),
                              std::to_string(result.charactersEncoded + result.charactersLeftOut),
                              std::to_string(symbol.Version())}));
    }
    return lines;
}

}  // namespace quirvane
