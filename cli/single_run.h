// One text made into a symbol, or structured append's parts, and written as
// the options say: one file, one file per part, or the parts in a row; the
// scan warnings, and with --check the read-back and its report.
#pragma once

#include "cli/options.h"

namespace quirvane {

// The exit status: 0 written, 1 text refused, 2 bad option or file, 3
// written but --check found that it does not read back or grades F.
int RunSingle(const EncodeOptions& options);

}  // namespace quirvane
