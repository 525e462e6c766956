// The signals that end a program (SIGHUP, SIGINT, SIGQUIT, SIGTERM), held
// back while a batch's workers write. One that comes stays pending: the
// workers see it between files and stop, and the program then ends by it,
// with no temporary file left behind and every file already named whole.
#pragma once

#include <csignal>

namespace quirvane {

class HeldSignals {
  public:
    HeldSignals();  // in this thread and in every thread it starts after
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

    // A held signal that has come, or 0; it stays pending.
    static int Pending();
    // Ends the program by `signal`, pending since it came.
    [[noreturn]] void EndBy(int signal);

  private:
    sigset_t saved_{};
};

}  // namespace quirvane
