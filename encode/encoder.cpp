// The public Encoder: one engine record, made once, behind a small face.
#include <quirvane/encoder.h>

#include "encode/encoder_state.h"
#include "encode/part_store.h"

namespace quirvane {

struct Encoder::Engine {
    EncoderState state;
    PartStore parts;
};

Encoder::Encoder() : engine_(std::make_unique<Engine>()) {}
Encoder::~Encoder() = default;
Encoder::Encoder(Encoder&&) noexcept = default;
Encoder& Encoder::operator=(Encoder&&) noexcept = default;

Result Encoder::Encode(std::string_view text, const Request& request) {
    return engine_->state.CreateSymbol(text, request);
}

Result Encoder::EncodeParts(std::string_view text, const Request& request, int parts) {
    return engine_->state.CreateParts(text, request, parts, engine_->parts);
}

}  // namespace quirvane
