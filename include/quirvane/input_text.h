// Turning what a user hands the program into the text the encoder takes.
#pragma once

#include <string>
#include <string_view>

namespace quirvane {

// Reads a text file's bytes the way the program always has: every line that
// ends with a line feed is followed by CR LF instead (a CR LF line end counts
// as one line feed), and the text after the last line feed is kept as it is.
std::string JoinLinesWithCrLf(std::string_view fileBytes);

// Where to cut text to at most `limit` bytes without splitting a UTF-8
// character: `limit` itself, or the start of a well-formed multi-byte
// sequence that `limit` would cut through. Bytes that are not UTF-8 are cut
// where the limit falls.
int Utf8SafeCut(std::string_view text, int limit);

// The same for Shift_JIS: `limit`, or one less when the byte before it opens a
// double-byte character. The text is read from its start, since a trail byte
// can look like any single-byte character.
int ShiftJisSafeCut(std::string_view text, int limit);

}  // namespace quirvane
