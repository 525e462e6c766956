// What the window's generation command hands back: the counts of a finished
// symbol for the statistics line, or which check refused the text. The
// window words both.
#pragma once

#include <quirvane/encoder.h>

namespace quirvane {

enum class GenerationOutcome {
    Created,
    NoModeChosen,     // no character mode has been picked yet
    NotAlphanumeric,  // a character outside the 45-character set
    NotNumeric,       // a character other than a digit
};

struct [[nodiscard]] GenerationResult {
    GenerationOutcome outcome = GenerationOutcome::Created;
    Statistics statistics;

    bool Created() const { return outcome == GenerationOutcome::Created; }
};

}  // namespace quirvane
