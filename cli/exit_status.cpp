#include "cli/exit_status.h"

#include <cstdio>

namespace quirvane {

int Fail(const std::string& line) {
    std::fprintf(stderr, "quirvane-encode: %s\n", line.c_str());
    return kExitBadOption;
}

int Refuse(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return kExitRefused;
}

std::string StatisticsLine(const GenerationResult& result) {
    char fields[64];
    std::snprintf(fields, sizeof fields, "  バージョン：%d  マスク：%d", result.version,
                  result.mask);
    return std::string(result.status) + fields;
}

std::string LeftOutNotice(const GenerationResult& result, int level) {
    const int n = result.charactersLeftOut;
    return std::to_string(n) + (n == 1 ? " character" : " characters") + " left out: version " +
           std::to_string(result.version) + "-" + "LMQH"[level - kLevelL] +
           " holds only the start of the text";
}

}  // namespace quirvane
