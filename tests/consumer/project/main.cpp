// Makes one symbol with the installed encoder and checks what came back.
#include <cstdio>
#include <memory>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

int main() {
    auto state = std::make_unique<quirvane::EncoderState>();
    state->settings.characterMode = quirvane::kModeNumeric;
    state->settings.errorCorrectionLevel = quirvane::kLevelM;
    const quirvane::GenerationResult result = state->CreateData("01234567");
    if (!result.Created() || state->SymbolSide() != 21 || !state->IsDark(0, 0)) {
        std::fprintf(stderr, "consumer: no symbol from Quirvane %s\n", quirvane::kVersionText);
        return 1;
    }
    std::printf("consumer: %s\n", result.status);
    return 0;
}
