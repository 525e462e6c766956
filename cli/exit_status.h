// How quirvane-encode ends and what it says on standard error, shared by the
// single symbol and the batch.
#pragma once

#include <string>

#include <quirvane/encoder.h>

namespace quirvane {

inline constexpr int kExitMade = 0;
inline constexpr int kExitRefused = 1;    // the program refused the text
inline constexpr int kExitBadOption = 2;  // a bad option, or a file that cannot be read or written

// Prints "quirvane-encode: " and the line, returns kExitBadOption.
int Fail(const std::string& line);

// Prints the line as it is (the program's own message), returns kExitRefused.
int Refuse(const std::string& line);

// The statistics line of a symbol, with the version and the mask the tool
// chose after it.
std::string StatisticsLine(const Result& result);

// What an explicit version left out of a text longer than it holds.
std::string LeftOutNotice(const Result& result);

}  // namespace quirvane
