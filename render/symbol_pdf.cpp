// PDF, written by hand: Qt's QPdfWriter rounds the page to whole points and
// stamps the time into the file; four objects written here give the exact
// page, the same bytes for the same symbol, and a content stream one can read.
#include "render/symbol_pdf.h"

#include <cstdio>
#include <vector>

#include "render/dark_runs.h"
#include "render/decimal_text.h"

namespace quirvane {
namespace {

// The page's content: the background, then every run of dark modules as a
// rectangle in module coordinates (origin at the symbol's top left, y down)
// and all of them filled as one path; the next symbol of a row, a side and a
// border further, as a path of its own.
std::string PageContent(std::span<const Symbol> row, const DrawingOptions& options) {
    const int symbolSide = row.front().Side();
    const int width = RowWidthOf(symbolSide, static_cast<int>(row.size()), options);
    const int height = DrawingSideOf(symbolSide, options);
    const int margin = MarginOf(options);
    const std::string scale = DecimalText(72.0 / PrintUnitsPerInch(options), 10);
    std::string content = scale + " 0 0 " + scale + " 0 0 cm\n";
    if (!options.transparentBackground) {
        content += ColourFractions(options.background) + " rg 0 0 " + std::to_string(width) + ' ' +
                   std::to_string(height) + " re f\n";
    }
    const std::string w = std::to_string(options.moduleWidth);
    content += w + " 0 0 -" + w + ' ' + std::to_string(margin) + ' ' +
               std::to_string(height - margin) + " cm\n" + ColourFractions(options.dark) + " rg\n";
    const std::string pitch =
        DecimalText(symbolSide + static_cast<double>(margin) / options.moduleWidth, 6);
    char run[48];
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            content += "f\n1 0 0 1 " + pitch + " 0 cm\n";  // no cm inside a path
        }
        ForEachDarkRun(row[i], [&](int r, int column, int length) {
            std::snprintf(run, sizeof run, "%d %d %d 1 re\n", column, r, length);
            content += run;
        });
    }
    content += "f\n";
    return content;
}

}  // namespace

std::string RenderSymbolPdf(const Symbol& symbol, const DrawingOptions& options) {
    return RenderRowPdf({&symbol, 1}, options);
}

std::string RenderRowPdf(std::span<const Symbol> row, const DrawingOptions& options) {
    if (!CanDrawRow(row, options)) {
        return {};
    }
    const auto points = [&](int units) {
        return LengthText(units * 72LL, PrintUnitsPerInch(options), 4);
    };
    const int symbolSide = row.front().Side();
    const std::string content = PageContent(row, options);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " +
            points(RowWidthOf(symbolSide, static_cast<int>(row.size()), options)) + ' ' +
            points(DrawingSideOf(symbolSide, options)) + "] /Resources << >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    // The comment of four bytes above 127 tells file transfer programs that
    // this is binary, as a PDF should be treated.
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    char entry[24];
    for (const std::size_t offset : offsets) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace quirvane
