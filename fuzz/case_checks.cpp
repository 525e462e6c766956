// Checks both commands share.
#include "fuzz/case_checks.h"

#include <algorithm>
#include <cstring>

namespace quirvane::fuzz {

SymbolSnapshot TakeSnapshot(const EncoderState& state) {
    return {std::vector<char>(state.symbolMatrix, state.symbolMatrix + kPlaneCells),
            state.symbolVersion, state.dataReady};
}

std::string CheckRefusal(const EncoderState& state, const SymbolSnapshot& before) {
    if (std::memcmp(before.matrix.data(), state.symbolMatrix, kPlaneCells) != 0 ||
        state.symbolVersion != before.version || state.dataReady != before.ready) {
        return "a refusal changed the previous symbol";
    }
    return {};
}

std::string CheckStatistics(const Statistics& statistics, int inputBytes, int streamBits,
                            int version, int level) {
    const SymbolParameters& p = FindSymbolParameters(version, level);
    const int numbers[5] = {statistics.inputBytes, statistics.dataBytes, statistics.blocks,
                            statistics.eccPerBlock, statistics.totalCodewords};
    // Stream, terminator and fill in whole bytes, before the pad codewords.
    const int dataBytes = std::min((streamBits + 4 + 7) / 8, p.dataCodewords);
    const int want[5] = {inputBytes, dataBytes, p.b1 + p.b2, p.r1, p.totalCodewords};
    for (int i = 0; i < 5; ++i) {
        if (numbers[i] != want[i]) {
            return "statistic number " + std::to_string(i + 1) + " is " +
                   std::to_string(numbers[i]) + ", expected " + std::to_string(want[i]);
        }
    }
    return {};
}

}  // namespace quirvane::fuzz
