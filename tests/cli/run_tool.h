// Shared by the cli tests: running the real quirvane-encode, and the symbol
// the encoder makes in-process for the same settings.
#pragma once

#include <QProcess>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "encode/encoder_state.h"

namespace quirvane::testing {

struct ToolRun {
    int exitCode = -1;  // also when it crashed or hung
    std::string out, err;
};

inline ToolRun RunEncodeTool(const std::vector<std::string>& args, const std::string& input = {}) {
    QStringList list;
    std::ranges::transform(args, std::back_inserter(list), &QString::fromStdString);
    QProcess tool;
    tool.start(QUIRVANE_ENCODE_PATH, list);
    tool.write(input.data(), static_cast<qint64>(input.size()));
    tool.closeWriteChannel();
    const bool finished = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit;
    return {finished ? tool.exitCode() : -1, tool.readAllStandardOutput().toStdString(),
            tool.readAllStandardError().toStdString()};
}

struct Settings {
    int mode = kModeByte, version = 1, level = kLevelL, mask = 3;  // the tool's defaults
};

inline GenerationResult Encode(EncoderState& state, const Settings& s, std::string_view text) {
    state.characterMode = s.mode;
    state.version = s.version;
    state.errorCorrectionLevel = s.level;
    state.maskReference = s.mask;
    return state.CreateData(text);
}

// n lines of n '0'/'1' (dark '1'), each ending in a line feed.
inline std::string Lines(const EncoderState& state) {
    const int n = state.SymbolSide();
    std::string text;
    for (int i = 0; i < n * (n + 1); ++i) {
        text += i % (n + 1) == n ? '\n' : state.IsDark(i / (n + 1), i % (n + 1)) ? '1' : '0';
    }
    return text;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<no file>";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace quirvane::testing
