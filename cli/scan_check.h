// Will it scan: the warnings quirvane-encode gives from the drawing's options
// alone, before anything is drawn, and --check's read-back of what was
// written, with its short report, in the user's language.
#pragma once

#include <QImage>

#include <span>
#include <string>
#include <vector>

#include <quirvane/encoder.h>

#include "check/scan_findings.h"
#include "cli/options.h"

namespace quirvane {

// The findings of the drawing written in `format`. Text and the terminal
// drawing are black on white with a quiet zone of 4 modules, whatever the
// options say.
ScanFindings ToolFindings(OutputFormat format, const DrawingOptions& drawing);

// One line for each warning, "warning: ..."; none when there is nothing to fear.
std::vector<std::string> WarningLines(const ScanFindings& findings);

// What a reader is shown of `symbols` as they were written to `files` (their
// bytes): the PNG as written, one file or the parts' files laid side by side;
// any other format drawn 4 pixels a module with the same quiet zone and
// colours. A PNG too large to check in little memory is drawn that way too.
QImage CheckedImage(OutputFormat format, const DrawingOptions& drawing,
                    std::span<const Symbol> symbols, std::span<const std::string> files);

// --check's report, one line each: contrast and grade, reversed or not,
// quiet zone, module size, and whether it reads back.
std::vector<std::string> ReportLines(const ScanFindings& findings, bool readsBack);

// The check passes when the symbol reads back and its contrast is not F.
bool PassesCheck(const ScanFindings& findings, bool readsBack);

}  // namespace quirvane
