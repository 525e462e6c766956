#include "cli/batch.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

#include <quirvane/encoder.h>

#include "cli/exit_status.h"
#include "cli/printable.h"
#include "cli/symbol_output.h"
#include "cli/tool_text.h"

namespace quirvane {
namespace {

constexpr std::size_t kMaxNameText = 64;

enum class LineOutcome { Made, Refused, Failed };

struct LineResult {
    LineOutcome outcome = LineOutcome::Made;
    std::string reason;  // why it was refused or failed, or what a cut left out
};

// The text of a line as a file name may hold it: control characters, slashes
// and bytes that are not UTF-8 become '_'.
std::string SafeNameText(std::string_view text) {
    std::string safe;
    const QList<uint> characters =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    for (const uint c : characters) {
        const bool unsafe = c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == U'/' ||
                            c == U'\\' || c == 0xFFFD;
        const char32_t kept = unsafe ? U'_' : static_cast<char32_t>(c);
        const QByteArray utf8 = QString::fromUcs4(&kept, 1).toUtf8();
        if (safe.size() + static_cast<std::size_t>(utf8.size()) > kMaxNameText) {
            break;
        }
        safe.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    if (safe.empty() || safe == "." || safe == ".." || safe == "-") {
        safe.assign(1, '_');
    }
    return safe;
}

std::string Replace(std::string text, std::string_view field, std::string_view value) {
    for (std::size_t at = text.find(field); at != std::string::npos;
         at = text.find(field, at + value.size())) {
        text.replace(at, field.size(), value);
    }
    return text;
}

std::string NameTextOf(const ToolText& text) {
    if (text.raw) {
        return text.bytes;
    }
    const QByteArray utf8 = text.text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

// Redraws "[=====     ] 500/1000" on one line of standard error.
void ShowProgress(int done, int total) {
    constexpr int kBarWidth = 40;
    const int filled = total > 0 ? done * kBarWidth / total : kBarWidth;
    std::fprintf(
        stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '=').c_str(),
        std::string(static_cast<std::size_t>(kBarWidth - filled), ' ').c_str(), done, total);
    std::fflush(stderr);
}

}  // namespace

std::string BatchFileName(std::string_view pattern, int number, int lineCount,
                          std::string_view text) {
    const std::string count = std::to_string(lineCount);
    std::string n = std::to_string(number);
    n.insert(0, count.size() > n.size() ? count.size() - n.size() : 0, '0');
    std::string name = Replace(std::string(pattern), "{n}", n);
    return name.find("{text}") == std::string::npos ? name
                                                    : Replace(name, "{text}", SafeNameText(text));
}

int RunBatch(const EncodeOptions& options) {
    std::string bytes;
    if (const std::string error = ReadInput("--batch", options.batchPath, bytes); !error.empty()) {
        return Fail(error);
    }
    const BatchText batch = ReadBatchLines(bytes, options.encoding);
    if (!batch.refusal.empty()) {
        return Refuse("quirvane-encode: --batch: " + batch.refusal);
    }
    const std::vector<BatchLine>& lines = batch.lines;
    const std::string& pattern = options.outputPath;
    if (lines.size() > 1 && pattern.find("{n}") == std::string::npos &&
        pattern.find("{text}") == std::string::npos) {
        return Fail("--output: a batch of several lines needs {n} or {text} in the name");
    }
    const int lineCount = batch.lineCount;
    std::vector<std::string> names;
    std::map<std::string, int> lineOfName;
    for (const BatchLine& line : lines) {
        names.push_back(BatchFileName(pattern, line.number, lineCount, NameTextOf(line.text)));
        const auto [at, fresh] = lineOfName.emplace(names.back(), line.number);
        if (!fresh) {
            return Fail("--output: lines " + std::to_string(at->second) + " and " +
                        std::to_string(line.number) + " would both be written to " +
                        Quoted(names.back()));
        }
    }
    const OutputFormat format = ResolveFormat(options, false);

    std::vector<LineResult> results(lines.size());
    std::atomic<std::size_t> next{0};
    std::atomic<int> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    const auto work = [&] {
        // A record of its own for each worker: the encoder keeps all its state in it.
        Encoder encoder;
        for (std::size_t i = next++; i < lines.size(); i = next++) {
            LineResult& result = results[i];
            const ToolSymbol symbol = MakeSymbol(encoder, lines[i].text, options);
            const Symbol& view = symbol.result.symbol;
            std::string problem = symbol.made ? DrawingProblem(view, format, options.drawing) : "";
            if (!symbol.made || !problem.empty()) {
                result = {LineOutcome::Refused, symbol.made ? problem : symbol.refusal};
            } else {
                const std::string drawn =
                    SymbolAsBytes(view, format, options.drawing, TerminalColours::None);
                problem = drawn.empty() ? "--format: the drawing could not be made"
                                        : WriteOutput("--output", names[i], drawn);
                if (!problem.empty()) {
                    result = {LineOutcome::Failed, problem};
                } else if (symbol.result.charactersLeftOut > 0) {
                    result.reason = LeftOutNotice(symbol.result);
                }
            }
            ++done;
            finished.notify_one();
        }
    };
    const int jobs = options.jobs > 0
                         ? options.jobs
                         : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (int j = 0; j < std::min<int>(jobs, static_cast<int>(lines.size())); ++j) {
        workers.emplace_back(work);
    }
    const bool progress = ::isatty(STDERR_FILENO) == 1;
    const int total = static_cast<int>(lines.size());
    {
        // The bar is redrawn a few times a second, not once a symbol.
        std::unique_lock<std::mutex> lock(mutex);
        while (done < total) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (progress) {
                ShowProgress(done, total);
            }
        }
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (progress) {
        // The finished bar, also when the work was done before the first redraw.
        ShowProgress(total, total);
        std::fputc('\n', stderr);
    }

    int made = 0;
    int refused = 0;
    int failed = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineResult& r = results[i];
        (r.outcome == LineOutcome::Made      ? made
         : r.outcome == LineOutcome::Refused ? refused
                                             : failed)++;
        if (!r.reason.empty()) {
            std::fprintf(stderr, "quirvane-encode: line %d: %s\n", lines[i].number,
                         Printable(r.reason).c_str());
        }
    }
    std::fprintf(stderr, "quirvane-encode: %d made, %d refused, %d failed\n", made, refused,
                 failed);
    return failed > 0 ? kExitBadOption : refused > 0 ? kExitRefused : kExitMade;
}

}  // namespace quirvane
