// The checks of one run of each generation command, and what they share: the
// previous symbol kept through a refusal, and the counts of a symbol.
#pragma once

#include <string>
#include <vector>

#include "encode/encoder_state.h"
#include "fuzz/fuzz_input.h"

namespace quirvane::fuzz {

// What a refusal must leave as it was.
struct SymbolSnapshot {
    std::vector<char> matrix;
    int version;
    int ready;
};

// Taken after the case's own change to dataReady, just before the command.
SymbolSnapshot TakeSnapshot(const EncoderState& state);

// The refusal left the symbol as it was.
std::string CheckRefusal(const EncoderState& state, const SymbolSnapshot& before);

// The counts of a symbol from `inputBytes` of text whose stream, before the
// terminator, is `streamBits` long, at (version, level).
std::string CheckStatistics(const Statistics& statistics, int inputBytes, int streamBits,
                            int version, int level);

std::string CheckCreateData(EncoderState& state, const FuzzCase& c);
std::string CheckCreateSymbol(EncoderState& state, const FuzzCase& c);
std::string CheckCreateParts(EncoderState& state, const FuzzCase& c);

}  // namespace quirvane::fuzz
