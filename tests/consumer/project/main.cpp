// Makes one symbol with the installed encoder and checks what came back.
#include <cstdio>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

int main() {
    quirvane::Encoder encoder;
    const quirvane::Result result =
        encoder.Encode("01234567", {.mode = quirvane::Mode::Numeric, .level = quirvane::Level::M});
    // The standard's example symbol: version 1 with mask 2, a finder at the top left.
    if (!result || result.symbol.Side() != 21 || result.symbol.Mask() != 2 ||
        !result.symbol.IsDark(0, 0) || result.symbol.IsDark(1, 1)) {
        std::fprintf(stderr, "consumer: no symbol from Quirvane %s\n", quirvane::kVersionText);
        return 1;
    }
    std::printf("consumer: a %d x %d symbol from Quirvane %s\n", result.symbol.Side(),
                result.symbol.Side(), quirvane::kVersionText);
    return 0;
}
