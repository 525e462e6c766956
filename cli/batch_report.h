// What a batch says while it runs: each line's message, in the order of the
// lines whichever worker finished it, a progress bar when standard error is
// a terminal, and the counts. Memory stays flat: only the lines in work
// between the first unfinished one and the last taken are held.
#pragma once

#include <map>
#include <mutex>
#include <string>

namespace quirvane {

// NotReadBack: written, but --check could not read it back.
enum class LineOutcome { Made, NotReadBack, Refused, Failed };

class BatchReport {
  public:
    explicit BatchReport(bool terminal) : terminal_(terminal) {}

    // The progress bar shows `lines` counted while the total is not known yet.
    void Counting(int lines);
    // From now, progress is out of `total` lines with text.
    void Start(int total);
    // Line `item` (0-based among the lines with text) ended, line `number` of
    // the file; `message` is "" or what to say of it. Any thread.
    void Done(int item, int number, LineOutcome outcome, std::string message);
    // Redraws the bar, a few times a second from one thread.
    void Redraw();
    // The full bar and its line feed.
    void Finish();
    // One more line, between the bar's redraws.
    void Say(const std::string& line);

    int Made() const { return made_; }  // NotReadBack included
    int NotReadBack() const { return notReadBack_; }
    int Refused() const { return refused_; }
    int Failed() const { return failed_; }
    int Finished() const;

  private:
    struct Ended {
        int number;
        std::string message;
    };
    void DrawLocked();
    void ClearLocked();

    const bool terminal_;
    mutable std::mutex mutex_;
    std::map<int, Ended> waiting_;
    int nextItem_ = 0;
    int total_ = -1;
    int counted_ = 0;
    int made_ = 0;
    int notReadBack_ = 0;
    int refused_ = 0;
    int failed_ = 0;
    bool drawn_ = false;
};

}  // namespace quirvane
