// The statistics line the window shows after each symbol, and quirvane-encode
// prints when asked to be verbose: the program's own format, full-width
// characters and blanks included.
#pragma once

#include <QString>

#include <quirvane/encoder.h>

namespace quirvane {

QString StatisticsLine(const Statistics& statistics);

}  // namespace quirvane
