// The checker's own reading of text: UTF-8 scalars, where the characters of a
// byte-mode text end, and which characters Kanji mode may write. glibc's
// iconv converter SHIFT_JIS (ASCII, half-width katakana and JIS X 0208
// exactly) is the reference for Kanji, so the encoder's table is checked
// against a conversion it shares nothing with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quirvane::fuzz {

// Length 1-4 of the well-formed UTF-8 scalar at text[at], stored in code; 0
// when none starts there (overlong, surrogate, past U+10FFFF, cut short,
// stray continuation byte).
int ReadUtf8(std::string_view text, std::size_t at, char32_t& code);

void AppendUtf8(std::string& out, char32_t code);

// The byte lengths of the characters of a byte-mode text, read from its
// start. Shift_JIS: a lead byte 0x81-0x9F or 0xE0-0xFC takes the byte after
// it, if there is one. UTF-8: a well-formed scalar is one character, any other
// byte one of its own.
std::vector<int> ByteModeCharacters(std::string_view text, bool shiftJis);

// The Shift_JIS code of `code` when it is a JIS X 0208 character that Kanji
// mode can write (iconv converts it to a double byte in 0x8140-0x9FFC or
// 0xE040-0xEBBF and back to `code`), else 0.
int KanjiCodeOf(char32_t code);

// The character a Kanji-mode Shift_JIS code reads as, or 0 when the code is
// outside Kanji mode's ranges or names no JIS X 0208 character.
char32_t KanjiCharacterOf(int shiftJisCode);

}  // namespace quirvane::fuzz
