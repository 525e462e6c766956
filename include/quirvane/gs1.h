// GS1 element strings, the data of FNC1-in-first-position symbols on product
// labels, shipping and healthcare codes: read from the bracketed form people
// write, (01)09501101530003(17)251231(10)ABC123, or from the element string
// itself, checked, and written as the symbol holds them.
#pragma once

#include <string>
#include <string_view>

namespace quirvane {

enum class Gs1Outcome {
    Parsed,
    Empty,          // nothing but blanks
    BadIdentifier,  // not an Application Identifier of 2-4 digits GS1 defines, or an open bracket
    MissingData,    // an AI with no data after it
    BadCharacter,   // outside GS1's 82 characters, or not a digit where only digits go
    WrongLength,    // data of a length the AI fixes is shorter or longer, or longer than 90
    BadCheckDigit,  // of (00), (01), (02) or (41x)
    BadDate,        // of (11)-(17): YYMMDD, DD 00 for a whole month
};

struct Gs1ElementString {
    Gs1Outcome outcome = Gs1Outcome::Parsed;
    std::string ai;    // the Application Identifier at fault, when there is one
    int position = 0;  // 1-based, the byte of the input where the fault is
    // Each AI and its data, one after another; the separator GS (0x1D) ends
    // the data of every AI whose length is not fixed, but the last.
    std::string elementString;

    bool Parsed() const { return outcome == Gs1Outcome::Parsed; }
};

// `text` in the bracketed form, or as an element string with GS ending each
// field of no fixed length that is not last.
Gs1ElementString ParseGs1(std::string_view text);

}  // namespace quirvane
