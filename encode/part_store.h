// Where the symbols of a structured-append set are kept while the encoder's
// planes make the next: each part's modules, rows of its own side, and its
// view. Fixed-size and made with the public Encoder, so that making a set
// allocates nothing.
#pragma once

#include <quirvane/encoder.h>

#include "ecc/symbol_parameters.h"

namespace quirvane {

struct PartStore {
    char cells[kMostParts][kLargestSide * kLargestSide];
    Symbol symbols[kMostParts];
};

}  // namespace quirvane
