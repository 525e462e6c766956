// libFuzzer entry point. One EncoderState lives across all inputs, as the
// main window's does, so every refusal is checked against the symbol an
// earlier input left behind.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quirvane::EncoderState state;
    const std::string fault =
        quirvane::fuzz::RunCase(state, quirvane::fuzz::DecodeFuzzInput(data, size));
    if (!fault.empty()) {
        std::fprintf(stderr, "quirvane-fuzz: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
