// How quirvane-encode ends and what it says on standard error: one line each,
// starting with the program's name, shared by the single symbol and batches.
#pragma once

#include <string>

namespace quirvane {

inline constexpr int kExitMade = 0;
inline constexpr int kExitRefused = 1;    // the program refused the text, or a line of a batch
inline constexpr int kExitBadOption = 2;  // a bad option, or a file that cannot be read or written
// Written, but --check found that it does not read back or grades F.
inline constexpr int kExitCheckFailed = 3;

// "quirvane-encode: " and the line on standard error.
void Say(const std::string& line);

// Say(line), then kExitBadOption.
int Fail(const std::string& line);

// Say(line), then kExitRefused.
int Refuse(const std::string& line);

}  // namespace quirvane
