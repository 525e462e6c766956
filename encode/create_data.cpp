// The generation command: from the settings in force and the input text to
// the finished symbol in symbolMatrix. The stages run in one fixed order;
// every check comes before the first stage, so a refusal leaves the previous
// symbol as it was. The parameter table's block layouts are proved to add up
// when the program is compiled, so no run needs to check them again.
#include <climits>
#include <cstdio>
#include <cstring>

#include <quirvane/encoder.h>
#include <quirvane/symbol_request.h>
#include <quirvane/text_cut.h>

#include "encode/bit_string.h"

namespace quirvane {
namespace {

void Refuse(GenerationResult& result, GenerationOutcome outcome, const char* message) {
    result.outcome = outcome;
    std::snprintf(result.message, sizeof result.message, "%s", message);
}

// Index of the first character outside the mode's character set, or -1.
int FirstInvalidCharacter(const char* text, int count, int mode) {
    for (int i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool valid = mode == kModeNumeric        ? (c >= '0' && c <= '9')
                           : mode == kModeAlphanumeric ? AlphanumericValue(c) >= 0
                                                       : true;
        if (!valid) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void EncoderState::ClearWorkingCopies() {
    std::memset(inputCopy, 0, sizeof inputCopy);
    std::memset(dataText, 0, sizeof dataText);
}

void EncoderState::CopyInput(std::string_view inputText) {
    // The byte count reports the whole input; the working copy keeps what fits
    // with its zero byte, which is always more than any capacity.
    inputByteCount = inputText.size() > INT_MAX ? INT_MAX : static_cast<int>(inputText.size());
    const std::size_t kept =
        inputText.size() < kInputCopySize - 1 ? inputText.size() : kInputCopySize - 1;
    std::memcpy(inputCopy, inputText.data(), kept);
}

void EncoderState::CutToCapacity(int capacity, int mode, TextEncoding encoding) {
    const int available = inputByteCount < kInputCopySize - 1 ? inputByteCount : kInputCopySize - 1;
    int count = available < capacity ? available : capacity;
    if (mode == kModeByte) {
        // A scanner would show half a character as a broken one: leave it out.
        const std::string_view kept(inputCopy, static_cast<std::size_t>(available));
        count = encoding == TextEncoding::ShiftJis ? ShiftJisSafeCut(kept, count)
                                                   : Utf8SafeCut(kept, count);
    }
    std::memcpy(dataText, inputCopy, static_cast<std::size_t>(count));
    dataCharacterCount = count;
}

void EncoderState::JoinPlanes() {
    const int n = static_cast<int>(strnlen(patternPlane, kPlaneStride));
    for (int y = 0; y < n; ++y) {
        const int row = y * kPlaneStride;
        for (int x = 0; x < n; ++x) {
            symbolMatrix[row + x] = static_cast<char>('0' + (patternPlane[row + x] & 0x0F) +
                                                      (dataPlane[row + x] & 0x0F));
        }
    }
}

int EncoderState::BuildSymbol(int version, int level, int mask) {
    EncodeBlocks(version, level);
    MarkFunctionAreas(version, 1, kFunctionMark);
    InterleaveBlocks(version, level);
    if (mask == kMaskAuto) {
        // The masks are scored on the whole symbol they would give, function
        // patterns included.
        BuildFunctionPatterns(version);
        mask = EvaluateMasks(dataPlane, patternPlane, version, level, maskEvaluation);
    }
    ApplyMask(version, mask);
    MarkFunctionAreas(version, 0, '0');
    WriteFormatAndVersionInfo(version, level, mask);
    BuildFunctionPatterns(version);
    JoinPlanes();
    symbolVersion = version;
    dataReady = 1;
    return mask;
}

void EncoderState::WriteStatistics(GenerationResult& result) const {
    result.hasStatus = true;
    std::snprintf(result.status, sizeof result.status,
                  "入力バイト数：%d  データバイト数：%d　訂正ブロック数：%d　訂正次数GA：%d  "
                  "総コード数：%d",
                  inputByteCount, dataByteCount, blockCount, generatorDegree, codewordCount);
}

GenerationResult EncoderState::CreateData(std::string_view inputText, TextEncoding encoding) {
    GenerationResult result;
    ClearWorkingCopies();
    const int characterMode = settings.characterMode;
    const int version = settings.version;
    const int errorCorrectionLevel = settings.errorCorrectionLevel;
    const int maskReference = settings.maskReference;

    if (characterMode == kModeNone) {
        Refuse(result, GenerationOutcome::NoModeChosen,
               "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください");
        return result;
    }
    if (!IsSupportedMode(characterMode) || !IsSupportedVersion(version) ||
        !IsSupportedLevel(errorCorrectionLevel) || !IsSupportedMask(maskReference)) {
        Refuse(result, GenerationOutcome::UnsupportedSettings,
               "文字種別、バージョン、誤り訂正レベル、マスクの指定が範囲外です");
        return result;
    }
    // The record is read afresh, so it always belongs to the version and
    // level this run encodes with.
    LoadSymbolParameters();
    return EncodeOneMode(inputText, encoding, characterMode, version, errorCorrectionLevel,
                         maskReference);
}

GenerationResult EncoderState::EncodeOneMode(std::string_view inputText, TextEncoding encoding,
                                             int mode, int version, int level, int mask) {
    GenerationResult result;
    symbolParameters = *FindSymbolParameters(version, level);
    const SymbolParameters& p = symbolParameters;
    CopyInput(inputText);
    CutToCapacity(CapacityOf(p, mode), mode, encoding);
    if (FirstInvalidCharacter(dataText, dataCharacterCount, mode) >= 0) {
        if (mode == kModeAlphanumeric) {
            Refuse(result, GenerationOutcome::NotAlphanumeric,
                   "英数字の文字セットのみを選択してください");
        } else {
            Refuse(result, GenerationOutcome::NotNumeric, "数字の文字セットのみを選択してください");
        }
        return result;
    }

    BuildDataCodewords(mode, version, p.dataCodewords);
    result.version = version;
    result.mask = BuildSymbol(version, level, mask);
    WriteStatistics(result);
    return result;
}

}  // namespace quirvane
