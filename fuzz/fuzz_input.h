// One run of a generation command with its check, shared by quirvane-fuzz
// and the regression test that replays the corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "encode/encoder_state.h"

namespace quirvane::fuzz {

// Longest text taken from one input.
inline constexpr std::size_t kMaxText = 64 * 1024;

struct FuzzCase {
    EncoderSettings settings;  // CreateData's
    bool clearReady = false;   // as if the last symbol had been drawn
    std::string text;
    bool symbolCase = false;  // run CreateSymbol with `request` instead
    Request request{};
    int parts = -1;  // 0 or more: run CreateParts with `request` over that many parts
};

// Input layout: mode, version, level and mask bytes, a flags byte, then the
// text. For CreateData, whose caller is the window's lists, a setting byte
// picks a supported value, or from 0xC0 on no mode chosen. For CreateSymbol a
// byte below 0xC0 picks a supported value; from 0xC0 on it is a raw value
// around the supported range (0xFE, 0xFF: INT_MAX, INT_MIN). Flags: bit 0
// clears dataReady first; bit 1 maps every text byte into a character set,
// so the fuzzer need not guess digits or kanji; bit 2 makes it a
// CreateSymbol case; bit 6 cuts a text too long for an explicit version;
// bit 7 makes it an FNC1 case (the first raw designator byte: bit 0 second
// position, the second byte its application indicator) or, with bit 1 of
// that byte, a structured-append case over the third byte % 18 parts.
//
// A CreateSymbol case has six more bytes before its text: the lower and the
// upper version bound (the upper counted down from 40, so zeros give 1-40),
// the ECI choice and three bytes of a raw designator. Its mode, version and
// mask bytes also pick Kanji and automatic mode, the automatic version and
// the automatic mask. Flag bit 3 reads byte-mode text as Shift_JIS; bits 4-5
// pick the alphabet bit 1 maps into: every character below, ASCII only
// (with `\` and `~`), JIS X 0208 with digits and letters, or what only UTF-8
// carries (é, ①, ～, half-width katakana, emoji) with digits and letters.
FuzzCase DecodeFuzzInput(const std::uint8_t* data, std::size_t size);

// Runs the case on `state`, which keeps whatever the previous run left, and
// checks the outcome: a refusal exactly when the request or the text call
// for one, the previous symbol untouched by a refusal, and a symbol that
// reads back to the request and the text, cut as the command cuts it.
// Returns what went wrong, or an empty string.
std::string RunCase(EncoderState& state, const FuzzCase& c);

}  // namespace quirvane::fuzz
