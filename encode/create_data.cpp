// The generation command: from the settings in force and the input text to
// the finished symbol in symbolMatrix. The stages run in one fixed order;
// every check comes before the first stage, so a refusal leaves the previous
// symbol as it was. The parameter table's block layouts are proved to add up
// when the program is compiled, so no run needs to check them again.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include <quirvane/encoder.h>
#include <quirvane/symbol_request.h>
#include <quirvane/text_cut.h>

#include "encode/bit_string.h"
#include "matrix/cell_words.h"

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

// Writes the decimal digits of value, with a minus sign below zero, and
// returns the end.
char* WriteDecimal(char* out, int value) {
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0U - magnitude;
    }
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

}  // namespace

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
    // A cell of the symbol is '0' plus the low nibbles of its two planes.
    const auto join = [this](int at, unsigned char(&joined)[kChunkCells]) {
        unsigned char pattern[kChunkCells];
        unsigned char data[kChunkCells];
        std::memcpy(pattern, patternPlane + at, kChunkCells);
        std::memcpy(data, dataPlane + at, kChunkCells);
        for (int k = 0; k < kChunkCells; ++k) {
            joined[k] = static_cast<unsigned char>('0' + (pattern[k] & 0x0F) + (data[k] & 0x0F));
        }
    };
    for (int y = 0; y < n; ++y) {
        const int row = y * kPlaneStride;
        int x = 0;
        unsigned char joined[kChunkCells];
        for (; x + kChunkCells <= n; x += kChunkCells) {
            join(row + x, joined);
            std::memcpy(symbolMatrix + row + x, joined, kChunkCells);
        }
        if (x < n) {
            const unsigned char* inside = kChunkInside[n - x].data();
            unsigned char kept[kChunkCells];
            join(row + x, joined);
            std::memcpy(kept, symbolMatrix + row + x, kChunkCells);
            for (int k = 0; k < kChunkCells; ++k) {
                kept[k] =
                    static_cast<unsigned char>((joined[k] & inside[k]) | (kept[k] & ~inside[k]));
            }
            std::memcpy(symbolMatrix + row + x, kept, kChunkCells);
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
    // Written piece by piece: formatting the line with snprintf took a fifth
    // of the time a whole version 1 symbol takes. It is never longer than
    // 136 bytes, far less than the status holds.
    const std::pair<std::string_view, int> pieces[] = {
        {"入力バイト数：", inputByteCount}, {"  データバイト数：", dataByteCount},
        {"　訂正ブロック数：", blockCount}, {"　訂正次数GA：", generatorDegree},
        {"  総コード数：", codewordCount},
    };
    char* out = result.status;
    for (const auto& [label, count] : pieces) {
        out = std::copy(label.begin(), label.end(), out);
        out = WriteDecimal(out, count);
    }
    *out = '\0';
    result.hasStatus = true;
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
