#include "cli/batch_report.h"

#include <cstdio>

#include "cli/exit_status.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

void BatchReport::Counting(int lines) {
    const std::lock_guard<std::mutex> lock(mutex_);
    counted_ = lines;
    DrawLocked();
}

void BatchReport::Start(int total) {
    const std::lock_guard<std::mutex> lock(mutex_);
    total_ = total;
}

void BatchReport::Done(int item, int number, LineOutcome outcome, std::string message) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const bool written = outcome == LineOutcome::Made || outcome == LineOutcome::NotReadBack;
    (written ? made_ : outcome == LineOutcome::Refused ? refused_ : failed_)++;
    notReadBack_ += outcome == LineOutcome::NotReadBack ? 1 : 0;
    waiting_.emplace(item, Ended{number, std::move(message)});
    for (auto next = waiting_.find(nextItem_); next != waiting_.end();
         next = waiting_.find(nextItem_)) {
        if (!next->second.message.empty()) {
            ClearLocked();
            quirvane::Say(Fill(translate("quirvane-encode", "line %1: %2"),
                               {std::to_string(next->second.number), next->second.message}));
        }
        waiting_.erase(next);
        ++nextItem_;
    }
}

int BatchReport::Finished() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return made_ + refused_ + failed_;
}

void BatchReport::Redraw() {
    const std::lock_guard<std::mutex> lock(mutex_);
    DrawLocked();
}

void BatchReport::Finish() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (terminal_) {
        DrawLocked();
        std::fputc('\n', stderr);
        drawn_ = false;
    }
}

void BatchReport::Say(const std::string& line) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ClearLocked();
    quirvane::Say(line);
}

void BatchReport::DrawLocked() {
    if (!terminal_) {
        return;
    }
    if (total_ < 0) {
        std::fprintf(
            stderr, "\r%s",
            Fill(translate("quirvane-encode", "%1 lines"), {std::to_string(counted_)}).c_str());
    } else {
        const int done = made_ + refused_ + failed_;
        const int filled =
            total_ > 0 ? static_cast<int>(1LL * done * kBarWidth / total_) : kBarWidth;
        std::fprintf(
            stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '=').c_str(),
            std::string(static_cast<std::size_t>(kBarWidth - filled), ' ').c_str(), done, total_);
    }
    std::fflush(stderr);
    drawn_ = true;
}

void BatchReport::ClearLocked() {
    if (drawn_) {
        std::fputs("\r\x1b[K", stderr);
        drawn_ = false;
    }
}

}  // namespace quirvane
