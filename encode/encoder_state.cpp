#include <quirvane/encoder.h>

namespace quirvane {

EncoderState::EncoderState() {
    // A fresh record can make a symbol at once: the parameters of the preset
    // version and level and the field tables are in place from the start.
    LoadSymbolParameters();
    BuildGaloisTables();
}

bool EncoderState::LoadSymbolParameters() {
    const SymbolParameters* p =
        FindSymbolParameters(settings.version, settings.errorCorrectionLevel);
    if (p == nullptr) {
        return false;
    }
    symbolParameters = *p;
    return true;
}

}  // namespace quirvane
