// One run of the generation command with its check, shared by quirvane-fuzz
// and the regression test that replays the corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <quirvane/encoder.h>

namespace quirvane::fuzz {

// Longest text taken from one input.
inline constexpr std::size_t kMaxText = 64 * 1024;

struct FuzzCase {
    EncoderSettings settings;
    bool clearReady = false;  // as if the last symbol had been drawn
    std::string text;
};

// Input layout: mode, version, level and mask bytes, a flags byte, then the
// text. A setting byte below 0xC0 picks a supported value; from 0xC0 on it is
// a raw value around the supported range (0xFE, 0xFF: INT_MAX, INT_MIN).
// Flags: bit 0 clears dataReady first; bit 1 maps every text byte into the
// mode's character set, so the fuzzer need not guess digits.
FuzzCase DecodeFuzzInput(const std::uint8_t* data, std::size_t size);

// Runs the case on `state`, which keeps whatever the previous run left, and
// checks the outcome: a refusal exactly when the settings or the text call
// for one, the previous symbol untouched by a refusal, and a symbol that
// reads back to the settings and the text cut to capacity. Returns what went
// wrong, or an empty string.
std::string RunCase(EncoderState& state, const FuzzCase& c);

}  // namespace quirvane::fuzz
