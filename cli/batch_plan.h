// The first reading of a batch, before anything is written: the lines
// counted, for {n}'s width, and with {text} each named, so that names that
// would collide, or be the batch's own input, stop the batch at once.
#pragma once

#include <string>

#include "cli/batch_names.h"
#include "cli/batch_report.h"
#include "cli/batch_source.h"
#include "cli/options.h"

namespace quirvane {

struct BatchPlan {
    int lineCount = 0;  // every line, empty ones included
    int items = 0;      // lines with text
    LineNames names;    // with {text}: the name of each
};

// Reads the whole batch once. "" or the line saying why it cannot be read.
std::string CountAndName(BatchSource& source, const EncodeOptions& options,
                         const NamePattern& pattern, BatchReport& report, BatchPlan& plan);

// "" when every line's name can be written, else the line saying why not.
std::string NamesProblem(const NamePattern& pattern, const BatchPlan& plan,
                         const std::string& input);

}  // namespace quirvane
