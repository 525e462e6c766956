// Code page 932 (Windows Shift_JIS), the program's byte-mode code page, and the
// JIS X 0208 characters Kanji mode may carry. Table lookups only: no locale,
// no iconv and no allocation, so the encoder can call them while it works.
#pragma once

namespace quirvane {

// The code page 932 code of c: 0x00-0x7F for ASCII, 0xA1-0xDF for half-width
// katakana, lead << 8 | trail otherwise; -1 when c has none. Only codes that
// read back as c, except that the six cells the JIS X 0208 and Windows readings
// differ on take both forms (0x8160 is U+301C and U+FF5E alike). No best-fit
// codes: ¥ (U+00A5), ‾ (U+203E) and — (U+2014) have none. Of duplicated
// characters, the code Windows writes (e.g. 0x81CA for ¬, 0xFA5C for 纊).
int Cp932CodeOf(char32_t c);

// The scalar code page 932 reads `code` as (0x8160 is U+FF5E), or 0 when the
// code is undefined. Code 0 reads as U+0000.
char32_t Cp932Decode(int code);

// The Shift_JIS double-byte code of c when c is a JIS X 0208 character in the
// reading readers use for Kanji mode (U+301C, not U+FF5E; not ① or 髙), else
// -1. Every such code lies in 0x8140-0x9FFC or 0xE040-0xEBBF.
int JisX0208CodeOf(char32_t c);

// Length (1-4) of the well-formed UTF-8 scalar at the start of the `length`
// bytes, stored in c; 0 when they do not start with one (overlong, surrogate,
// beyond U+10FFFF, truncated, stray continuation byte), and c is left alone.
int DecodeUtf8(const char* bytes, int length, char32_t& c);

}  // namespace quirvane
