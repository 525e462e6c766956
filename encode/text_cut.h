// Where to cut a byte-mode text to the capacity of a symbol without splitting
// a character: a reader would show half a character as a broken one.
#pragma once

#include <string_view>

namespace quirvane {

// At most `limit` bytes of UTF-8: `limit` itself, or the start of the
// well-formed character that `limit` would cut through. Bytes that are not
// UTF-8 are cut where the limit falls.
int Utf8SafeCut(std::string_view text, int limit);

// The same for Shift_JIS: `limit`, or one less when the byte before it opens a
// double-byte character. The text is read from its start, since a trail byte
// can look like any single-byte character.
int ShiftJisSafeCut(std::string_view text, int limit);

}  // namespace quirvane
