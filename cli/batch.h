// A batch: one symbol per line of a file, each written to a name made from a
// pattern, on all cores. A refused line does not stop the others; at the end
// a summary says how many were made, refused and failed.
#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"

namespace quirvane {

// The name of line `number` of `lineCount` lines: {n} is the line number,
// zero-padded to the width of the count, and {text} the text made safe for a
// file name (no slash, no control character, at most 64 bytes, never cut
// inside a character; "_" for what is left empty).
std::string BatchFileName(std::string_view pattern, int number, int lineCount,
                          std::string_view text);

// Runs the batch of `options` and returns the exit status: 0 when every line
// made a symbol, 1 when a line was refused, 2 when a file could not be read
// or written.
int RunBatch(const EncodeOptions& options);

}  // namespace quirvane
