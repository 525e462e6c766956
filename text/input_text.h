// The text a user hands either program, read the same way by both: a file's
// bytes become the input text, and the input text becomes the bytes that
// 8-bit byte mode writes.
//
// A text is UTF-8 or Shift_JIS (code page 932, the code page the program
// comes from): bytes that are valid UTF-8 are read as UTF-8, others as code
// page 932, and bytes that are neither are refused, never loaded with
// replacement characters. Every character is kept, U+FEFF included. The
// window reads a file with CR LF for each line feed (a CR LF already there
// counts as one line feed); the text after the last line feed stays as it
// is, and no line is ever cut.
//
// Byte mode writes the text in code page 932 whenever every character of it
// has a form there: readers guess the encoding of byte mode, and a few kana
// or kanji in UTF-8 are often shown as Shift_JIS mojibake. A text with any
// other character (an emoji, "é", Hangul) goes whole as UTF-8.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include <quirvane/encoder.h>

namespace quirvane {

// Every line that ends with a line feed followed by CR LF instead.
std::string JoinLinesWithCrLf(std::string_view fileBytes);

struct Utf8Text {
    bool ok = false;         // the bytes were UTF-8 or code page 932
    bool fromCp932 = false;  // they were code page 932
    std::string utf8;
};

// The bytes as UTF-8, deciding for all of them at once as described above.
Utf8Text DecodeToUtf8(std::string_view bytes);

// The UTF-8 of one character.
std::string Utf8Of(char32_t character);

// The character of well-formed UTF-8 that starts at byte `at`, its length in
// `length`; length 0 when none starts there.
char32_t Utf8CharacterAt(std::string_view bytes, std::size_t at, int& length);

struct DecodedText {
    bool ok = false;
    QString text;    // lines joined with CR LF
    QString reason;  // when not ok: what the user is told
};

// The text of a file's bytes, as the window reads it.
DecodedText DecodeFileText(std::string_view fileBytes);

// Which encoding byte mode writes: the program's rule above, or one forced.
enum class ByteModeEncoding { CodePageWhenPossible, ShiftJis, Utf8 };

struct ByteModeText {
    bool ok = false;
    std::string bytes;
    ByteEncoding encoding = ByteEncoding::Utf8;
    // When not ok (ShiftJis forced): the first character without a
    // code-page-932 form and its position, 1-based in characters.
    char32_t unencodable = 0;
    int position = 0;
};

// With `declared` (an ECI will name the encoding), Shift_JIS is only what
// Shift_JIS itself can write: JIS X 0208, half-width katakana and ASCII but
// for `\` and `~`, which it reads as ¥ and ‾. Code page 932's own characters
// (①, 髙) are no Shift_JIS then: readers of ECI 20 do not know them.
ByteModeText EncodeForByteMode(const QString& text, ByteModeEncoding encoding,
                               bool declared = false);
// The same for a text in UTF-8 (a valid one).
ByteModeText EncodeForByteMode(std::string_view utf8, ByteModeEncoding encoding,
                               bool declared = false);

}  // namespace quirvane
