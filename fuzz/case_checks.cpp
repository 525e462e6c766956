// Checks both commands share.
#include "fuzz/case_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quirvane::fuzz {
namespace {

constexpr char kStatusFormat[] =
    "入力バイト数：%d  データバイト数：%d　訂正ブロック数：%d　訂正次数GA：%d  総コード数：%d";

}  // namespace

SymbolSnapshot TakeSnapshot(const EncoderState& state) {
    return {std::vector<char>(state.symbolMatrix, state.symbolMatrix + kPlaneCells),
            state.symbolVersion, state.dataReady};
}

std::string CheckRefusal(const EncoderState& state, const SymbolSnapshot& before,
                         const GenerationResult& result) {
    if (std::memcmp(before.matrix.data(), state.symbolMatrix, kPlaneCells) != 0 ||
        state.symbolVersion != before.version || state.dataReady != before.ready) {
        return "a refusal changed the previous symbol";
    }
    if (result.hasStatus) {
        return "a refusal wrote a status line";
    }
    return {};
}

std::string CheckStatusLine(const GenerationResult& result, int inputBytes, int streamBits,
                            int version, int level) {
    const SymbolParameters* p = FindSymbolParameters(version, level);
    int numbers[5] = {};
    if (!result.hasStatus || std::sscanf(result.status, kStatusFormat, &numbers[0], &numbers[1],
                                         &numbers[2], &numbers[3], &numbers[4]) != 5) {
        return std::string("statistics line unreadable: ") + result.status;
    }
    // Stream, terminator and fill in whole bytes, before the pad codewords.
    const int dataBytes = std::min((streamBits + 4 + 7) / 8, p->dataCodewords);
    const int want[5] = {inputBytes, dataBytes, p->b1 + p->b2, p->r1, p->totalCodewords};
    for (int i = 0; i < 5; ++i) {
        if (numbers[i] != want[i]) {
            return "statistics line number " + std::to_string(i + 1) + " is " +
                   std::to_string(numbers[i]) + ", expected " + std::to_string(want[i]);
        }
    }
    return {};
}

}  // namespace quirvane::fuzz
