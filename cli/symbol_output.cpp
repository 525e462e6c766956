#include "cli/symbol_output.h"

#include <QtGlobal>

#include <cerrno>
#include <new>
#include <unistd.h>

#include "cli/file_messages.h"
#include "cli/refusal_text.h"
#include "cli/tool_messages.h"
#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "text/file_bytes.h"
#include "text/statistics_line.h"

namespace quirvane {
namespace {

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

std::string DrawingProblem(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                           int count) {
    const int side = RowWidthOf(symbol.Side(), count, options);
    if (format == OutputFormat::Png && side > kMaxPngSide) {
        return Fill(translate("quirvane-encode",
                              count == 1 ? QT_TRANSLATE_NOOP("quirvane-encode",
                                                             "--module-width: the PNG would be %1 "
                                                             "pixels a side, more than %2; use a "
                                                             "smaller --module-width or "
                                                             "--quiet-zone, or svg, eps or pdf")
                                         : QT_TRANSLATE_NOOP("quirvane-encode",
                                                             "--module-width: the PNG would be %1 "
                                                             "pixels wide, more than %2; use a "
                                                             "smaller --module-width or "
                                                             "--quiet-zone, or svg, eps or pdf")),
                    {std::to_string(side), std::to_string(kMaxPngSide)});
    }
    return {};
}

std::string RowAsBytes(std::span<const Symbol> row, OutputFormat format,
                       const DrawingOptions& options) {
    try {
        switch (format) {
            case OutputFormat::Png:
                return RenderRowPng(row, options);
            case OutputFormat::Svg:
                return RenderRowSvg(row, options);
            case OutputFormat::Eps:
                return RenderRowEps(row, options);
            case OutputFormat::Pdf:
                return RenderRowPdf(row, options);
            case OutputFormat::Terminal:
            case OutputFormat::Text:
            case OutputFormat::FromName:
                break;
        }
    } catch (const std::bad_alloc&) {
    }
    return {};
}

std::string PartName(std::string_view pattern, int part, int count) {
    const std::string number = std::to_string(part);
    const std::string padded =
        std::string(std::to_string(count).size() - number.size(), '0') + number;
    std::string name;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t field = pattern.find("{part}", at);
        name.append(pattern.substr(at, field - at));
        if (field == std::string_view::npos) {
            break;
        }
        name += padded;
        at = field + 6;
    }
    return name;
}

std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours) {
    if (format != OutputFormat::Terminal && format != OutputFormat::Text &&
        format != OutputFormat::FromName) {
        return RowAsBytes({&symbol, 1}, format, options);
    }
    try {
        return format == OutputFormat::Terminal ? RenderSymbolTerminal(symbol, terminalColours)
                                                : SymbolAsText(symbol);
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
             {VersionName(symbol.Version(), symbol.ErrorCorrection()),
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

std::vector<std::string> PartsVerboseLines(std::span<const Symbol> parts) {
    const Symbol& first = parts.front();
    std::string masks;
    for (const Symbol& part : parts) {
        masks += (masks.empty() ? "" : ", ") + std::to_string(part.Mask());
    }
    std::string line = Fill(translate("quirvane-encode",
                                      "quirvane-encode: %1 symbols with structured append, "
                                      "version %2, masks %3"),
                            {std::to_string(parts.size()),
                             VersionName(first.Version(), first.ErrorCorrection()), masks});
    if (first.Eci() != 0) {
        line += Fill(translate("quirvane-encode", ", ECI %1"), {std::to_string(first.Eci())});
    }
    return {line};
}

}  // namespace quirvane
