// The window's generation command: from the settings in force and the input
// text to the finished symbol in symbolMatrix. The text is cut to the
// capacity of the chosen mode and checked against its characters before the
// first stage, so a refusal leaves the previous symbol as it was. The
// parameter table's block layouts are proved to add up when the program is
// compiled, so no run needs to check them again.
#include <cassert>
#include <climits>
#include <cstring>

#include "encode/encoder_state.h"
#include "encode/mode_table.h"
#include "encode/text_cut.h"

namespace quirvane {

void EncoderState::ClearWorkingCopies() {
    // Each copy holds nothing past the length last written into it, so only
    // that much is cleared, not the 23 KB of both buffers.
    const auto clear = [](char* copy, int length, int size) {
        const int used = length < 0 ? 0 : length < size ? length : size;
        std::memset(copy, 0, static_cast<std::size_t>(used));
    };
    clear(inputCopy, inputByteCount, kInputCopySize - 1);
    clear(dataText, dataCharacterCount, kMaxDataText);
}

void EncoderState::CopyInput(std::string_view inputText) {
    // The byte count reports the whole input; the working copy keeps what fits
    // with its zero byte, which is always more than any capacity.
    inputByteCount = inputText.size() > INT_MAX ? INT_MAX : static_cast<int>(inputText.size());
    const std::size_t kept =
        inputText.size() < kInputCopySize - 1 ? inputText.size() : kInputCopySize - 1;
    std::memcpy(inputCopy, inputText.data(), kept);
}

int EncoderState::CutPoint(int capacity, Mode mode, ByteEncoding encoding) const {
    const int available = inputByteCount < kInputCopySize - 1 ? inputByteCount : kInputCopySize - 1;
    const int count = available < capacity ? available : capacity;
    if (mode != Mode::Byte) {
        return count;
    }
    // A scanner would show half a character as a broken one: leave it out.
    const std::string_view kept(inputCopy, static_cast<std::size_t>(available));
    return encoding == ByteEncoding::ShiftJis ? ShiftJisSafeCut(kept, count)
                                              : Utf8SafeCut(kept, count);
}

void EncoderState::LoadSymbolParameters() {
    symbolParameters = FindSymbolParameters(settings.version, settings.errorCorrectionLevel);
}

GenerationResult EncoderState::CreateData(std::string_view inputText, ByteEncoding encoding) {
    GenerationResult result;
    ClearWorkingCopies();
    if (settings.characterMode == kModeNone) {
        result.outcome = GenerationOutcome::NoModeChosen;
        return result;
    }
    assert(IsSupportedMode(settings.characterMode) && IsSupportedVersion(settings.version) &&
           IsSupportedLevel(settings.errorCorrectionLevel) &&
           IsSupportedMask(settings.maskReference));
    // The record is read afresh, so it always belongs to the version and
    // level this run encodes with.
    LoadSymbolParameters();
    const Mode mode = ModeOfCharacterMode(settings.characterMode);
    CopyInput(inputText);
    const int count =
        CutPoint(CapacityOf(symbolParameters, settings.characterMode), mode, encoding);
    std::memcpy(dataText, inputCopy, static_cast<std::size_t>(count));
    dataCharacterCount = count;
    for (int i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned char>(dataText[i]);
        if (mode == Mode::Numeric && !IsDigit(c)) {
            result.outcome = GenerationOutcome::NotNumeric;
            return result;
        }
        if (mode == Mode::Alphanumeric && AlphanumericValue(c) < 0) {
            result.outcome = GenerationOutcome::NotAlphanumeric;
            return result;
        }
    }

    streamHeader = StreamHeader{};
    // One segment of the chosen mode, written by the same road as any plan;
    // its byte count is all the writer reads of a single byte segment.
    PlanOneSegment(mode, count, count, 0, settings.version, segmentPlan);
    BuildDataCodewords(std::string_view(dataText, static_cast<std::size_t>(count)),
                       settings.version, symbolParameters.dataCodewords);
    BuildSymbol(settings.version, settings.errorCorrectionLevel, settings.maskReference);
    result.statistics = StatisticsOfSymbol();
    return result;
}

}  // namespace quirvane
