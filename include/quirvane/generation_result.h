// What the generation command hands back to its front end: either the
// statistics line of a finished symbol, or why it refused, with the status
// text and the message the user is shown. Fixed-size, so that making a
// symbol allocates nothing.
#pragma once

namespace quirvane {

enum class GenerationOutcome {
    Created,
    NoModeChosen,         // no character mode has been picked yet
    NotAlphanumeric,      // a character outside the 45-character set
    NotNumeric,           // a character other than a digit
    UnsupportedSettings,  // version, level or mask outside what the lists offer
    // Refusals of CreateSymbol only:
    NotKanji,    // a character with no JIS X 0208 form in Kanji mode
    NotUtf8,     // Kanji or automatic mode, and the text is not UTF-8
    DoesNotFit,  // no version within the bounds holds the whole text
};

struct [[nodiscard]] GenerationResult {
    GenerationOutcome outcome = GenerationOutcome::Created;
    // The new status line (UTF-8), when the outcome changes it; a refusal on
    // the mode or the character set leaves the status line as it was.
    bool hasStatus = false;
    char status[256] = {};
    // The message box text (UTF-8), empty on success.
    char message[192] = {};
    // What CreateSymbol chose, and how many characters an explicit version
    // left out of a text longer than it holds (CreateData tells neither).
    int version = 0;
    int mask = 0;
    int charactersLeftOut = 0;

    bool Created() const { return outcome == GenerationOutcome::Created; }
};

}  // namespace quirvane
