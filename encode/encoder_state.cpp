#include "encode/encoder_state.h"

namespace quirvane {

EncoderState::EncoderState() {
    // A fresh record can make a symbol at once: the parameters of the preset
    // version and level and the field tables are in place from the start.
    LoadSymbolParameters();
    BuildGaloisTables();
}

}  // namespace quirvane
