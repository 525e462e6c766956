#include "cli/exit_status.h"

#include <cstdio>

#include "text/statistics_line.h"

namespace quirvane {

int Fail(const std::string& line) {
    std::fprintf(stderr, "quirvane-encode: %s\n", line.c_str());
    return kExitBadOption;
}

int Refuse(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return kExitRefused;
}

std::string StatisticsLine(const Result& result) {
    char fields[64];
    std::snprintf(fields, sizeof fields, "  バージョン：%d  マスク：%d", result.symbol.Version(),
                  result.symbol.Mask());
    return StatisticsLine(result.statistics).toStdString() + fields;
}

std::string LeftOutNotice(const Result& result) {
    const int n = result.charactersLeftOut;
    return std::to_string(n) + (n == 1 ? " character" : " characters") + " left out: version " +
           std::to_string(result.symbol.Version()) + "-" +
           "LMQH"[static_cast<int>(result.symbol.ErrorCorrection())] +
           " holds only the start of the text";
}

}  // namespace quirvane
