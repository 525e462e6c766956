#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include <quirvane/encoder.h>

#include "check/read_back.h"
#include "cli/batch_names.h"
#include "cli/batch_plan.h"
#include "cli/batch_report.h"
#include "cli/batch_source.h"
#include "cli/batch_sync.h"
#include "cli/exit_status.h"
#include "cli/file_messages.h"
#include "cli/held_signals.h"
#include "cli/scan_check.h"
#include "cli/symbol_output.h"
#include "cli/tool_messages.h"
#include "cli/tool_text.h"
#include "text/file_bytes.h"

namespace quirvane {
namespace {

// The second reading: each worker takes the next line with text, makes its
// symbol with an encoder of its own and writes its file.
class Work {
  public:
    Work(const EncodeOptions& options, OutputFormat format, const NamePattern& pattern,
         const BatchPlan& plan, BatchSource& source, BatchReport& report)
        : options_(options),
          format_(format),
          pattern_(pattern),
          plan_(plan),
          source_(source),
          report_(report),
          written_(static_cast<std::size_t>(plan.items)) {}

    void Run() {
        Encoder encoder;
        std::string line;
        ToolText text;
        for (;;) {
            int number = 0, item = 0;
            bool tooLong = false;
            // A signal that came stops this worker before its next file.
            if (HeldSignals::Pending() != 0) {
                break;
            }
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                // More lines than the first reading counted: the file grew meanwhile.
                bool got = !stop_ && nextItem_ < static_cast<int>(written_.size());
                while (got && (got = source_.Next(line, tooLong)) && line.empty() && !tooLong) {
                    ++lineNumber_;
                }
                if (!got) {
                    break;
                }
                number = ++lineNumber_;
                item = nextItem_++;
            }
            std::string message;
            const LineOutcome outcome =
                MakeLine(encoder, line, tooLong, number, text, message, written_[item]);
            report_.Done(item, number, outcome, std::move(message));
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        --running_;
        ended_.notify_one();
    }

    void Started() {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++running_;
    }
    // Until every worker has ended or a signal has come, the bar redrawn a
    // few times a second meanwhile.
    void AwaitEnd() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (running_ > 0 && HeldSignals::Pending() == 0) {
            if (!ended_.wait_for(lock, std::chrono::milliseconds(100),
                                 [this] { return running_ == 0; })) {
                lock.unlock();
                report_.Redraw();
                lock.lock();
            }
        }
    }
    void Stop() { stop_ = true; }
    const std::vector<WrittenFile>& Written() const { return written_; }
    std::string NameOf(int line) const {
        return pattern_.NameOf(line, plan_.lineCount, plan_.names.Of(line));
    }

  private:
    LineOutcome MakeLine(Encoder& encoder, const std::string& line, bool tooLong, int number,
                         ToolText& text, std::string& message, WrittenFile& file) {
        if (tooLong) {
            message = Fill(translate("quirvane-encode",
                                     "the line is longer than 16 MiB (%1 bytes), the most that "
                                     "is read"),
                           {std::to_string(kMaxInputBytes)});
            return LineOutcome::Refused;
        }
        if (message = LineText(line, options_.encoding, text); !message.empty()) {
            return LineOutcome::Refused;
        }
        const ToolSymbol symbol = MakeSymbol(encoder, text, options_);
        message = symbol.made ? DrawingProblem(symbol.result.symbol, format_, options_.drawing)
                              : symbol.refusal;
        if (!message.empty()) {
            return LineOutcome::Refused;
        }
        const std::string bytes =
            SymbolAsBytes(symbol.result.symbol, format_, options_.drawing, TerminalColours::None);
        if (bytes.empty()) {
            message = translate("quirvane-encode", "out of memory");
            return LineOutcome::Failed;
        }
        const std::string name = NameOf(number);
        const WriteOutcome written = WriteFile(name, bytes, WritePolicy::OneOfMany);
        if (!written.Ok()) {
            message = CannotWrite("--output", name, written);
            return LineOutcome::Failed;
        }
        file = {static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(written.inode)};
        if (options_.check &&
            !ReadsBackAs(CheckedImage(format_, options_.drawing, symbol.Symbols(), {&bytes, 1}),
                         symbol.readBack)) {
            message = translate("quirvane-encode", "written, but it does not read back");
            return LineOutcome::NotReadBack;
        }
        return LineOutcome::Made;
    }

    const EncodeOptions& options_;
    const OutputFormat format_;
    const NamePattern& pattern_;
    const BatchPlan& plan_;
    BatchSource& source_;
    BatchReport& report_;
    std::vector<WrittenFile> written_;  // by item: each worker fills its own
    std::mutex mutex_;                  // the source and the counts below
    int lineNumber_ = 0;
    int nextItem_ = 0;
    std::condition_variable ended_;
    std::atomic<bool> stop_{false};
    int running_ = 0;
};

// Symbols are made on the processor, so more workers than cores only wait.
int Jobs(const EncodeOptions& options, int items) {
    const int cores = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    return std::min({options.jobs > 0 ? options.jobs : cores, cores, items});
}

}  // namespace

int RunBatch(const EncodeOptions& options) {
    const FormatChoice format = ChooseFormat(options, false);
    if (!format.problem.empty()) {
        return Fail(format.problem);
    }
    const ScanFindings findings = ToolFindings(format.format, options.drawing);
    for (const std::string& warning : WarningLines(findings)) {
        Say(warning);
    }
    const NamePattern pattern(options.outputPath);
    BatchSource source;
    BatchReport report(::isatty(STDERR_FILENO) == 1);
    BatchPlan plan;
    for (const std::string& problem :
         {source.Open(options.batchPath), CountAndName(source, options, pattern, report, plan),
          NamesProblem(pattern, plan, source.RealPath())}) {
        if (!problem.empty()) {
            return Fail(problem);
        }
    }
    if (plan.items == 0) {
        return kExitMade;
    }
    if (const int error = MakeFolders(pattern.FixedFolder()); error != 0) {
        return Fail(CannotWrite("--output", pattern.FixedFolder(), {WriteProblem::System, error}));
    }
    source.Rewind();
    BatchSync sync(pattern.FixedFolder());
    report.Start(plan.items);
    Work work(options, format.format, pattern, plan, source, report);
    HeldSignals held;
    std::vector<std::thread> workers;
    std::string startProblem;
    try {
        for (int j = Jobs(options, plan.items); j > 0; --j) {
            workers.emplace_back([&work] { work.Run(); });
            work.Started();
        }
    } catch (const std::system_error& error) {
        work.Stop();
        startProblem = Fill(translate("quirvane-encode", "--jobs: cannot start a thread: %1"),
                            {SystemReason(error.code().value())});
    }
    work.AwaitEnd();
    work.Stop();
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (const int signal = HeldSignals::Pending(); signal != 0) {
        held.EndBy(signal);
    }
    report.Finish();
    if (!startProblem.empty()) {
        return Fail(startProblem);
    }
    if (source.Error() != 0) {
        FileBytes failure;
        failure.error = source.Error();
        return Fail(CannotRead("--batch", options.batchPath, failure));
    }
    const BatchSync::Failures unsynced =
        sync.Sync(work.Written(), [&work](int line) { return work.NameOf(line); });
    for (const std::string& line : unsynced.said) {
        report.Say(line);
    }
    if (const int signal = HeldSignals::Pending(); signal != 0) {
        held.EndBy(signal);
    }
    // A file that did not reach the disk was not made after all.
    const std::string made = std::to_string(report.Made() - unsynced.filesLost);
    const std::string failedLines = std::to_string(report.Failed() + unsynced.filesLost);
    const bool failed = report.Failed() > 0 || !unsynced.said.empty();
    if (options.check) {
        report.Say(Fill(
            translate("quirvane-encode", "%1 made, %2 refused, %3 failed; %4 did not read back"),
            {made, std::to_string(report.Refused()), failedLines,
             std::to_string(report.NotReadBack())}));
    } else if (options.verbose || failed || report.Refused() > 0) {
        report.Say(Fill(translate("quirvane-encode", "%1 made, %2 refused, %3 failed"),
                        {made, std::to_string(report.Refused()), failedLines}));
    }
    const bool checkFailed =
        options.check && (report.NotReadBack() > 0 || !PassesCheck(findings, true));
    return failed                 ? kExitBadOption
           : report.Refused() > 0 ? kExitRefused
           : checkFailed          ? kExitCheckFailed
                                  : kExitMade;
}

}  // namespace quirvane
