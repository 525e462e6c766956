// The public Encoder: one engine record, made once, behind a small face.
#include <quirvane/encoder.h>

#include "encode/encoder_state.h"

namespace quirvane {

struct Encoder::Engine {
    EncoderState state;
};

Encoder::Encoder() : engine_(std::make_unique<Engine>()) {}
Encoder::~Encoder() = default;
Encoder::Encoder(Encoder&&) noexcept = default;
Encoder& Encoder::operator=(Encoder&&) noexcept = default;

Result Encoder::Encode(std::string_view text, const Request& request) {
    return engine_->state.CreateSymbol(text, request);
}

}  // namespace quirvane
