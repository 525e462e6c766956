#include "cli/symbol_output.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "cli/printable.h"
#include "render/symbol_eps.h"
#include "render/symbol_pdf.h"
#include "render/symbol_png.h"
#include "render/symbol_svg.h"
#include "text/file_bytes.h"

namespace quirvane {

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
        return "--module-width: the PNG would be " + std::to_string(side) + " pixels a side, " +
               "more than " + std::to_string(kMaxPngSide) +
               "; use a smaller --module-width or --quiet-zone, or svg, eps or pdf";
    }
    return {};
}

std::string SymbolAsBytes(const Symbol& symbol, OutputFormat format, const DrawingOptions& options,
                          TerminalColours terminalColours) {
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
        default:
            return SymbolAsText(symbol);
    }
}

std::string WriteOutput(std::string_view option, const std::string& path, std::string_view bytes) {
    const bool standardOutput = path == "-";
    std::string reason = WriteWhole(path, bytes);
    if (reason.empty() && standardOutput && ::close(STDOUT_FILENO) != 0) {
        reason = std::strerror(errno);
    }
    if (reason.empty()) {
        return {};
    }
    const std::string file = standardOutput ? "to standard output" : Quoted(path);
    return std::string(option) + ": cannot write " + file + ": " + reason;
}

std::string ReadInput(std::string_view option, const std::string& path, std::string& bytes) {
    FileBytes read = ReadBoundedBytes(path, kMaxInputBytes, ReadPolicy::Streams);
    if (!read.Ok()) {
        const std::string file = path == "-" ? "standard input" : Quoted(path);
        return std::string(option) + ": cannot read " + file + ": " + read.reason;
    }
    bytes = std::move(read.bytes);
    return {};
}

}  // namespace quirvane
