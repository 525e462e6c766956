// A batch: one symbol per line of a file, each written whole to a name made
// from a pattern, on every core, the whole made durable at the end. A
// refused line does not stop the others; names that would collide, or be
// the batch's own input, stop the batch before anything is written.
#pragma once

#include "cli/options.h"

namespace quirvane {

// Runs the batch of `options` and returns the exit status: 0 when every line
// made a symbol, 1 when a line was refused, 2 when a file could not be read,
// written or synced.
int RunBatch(const EncodeOptions& options);

}  // namespace quirvane
