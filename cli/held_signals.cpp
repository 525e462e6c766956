#include "cli/held_signals.h"

#include <initializer_list>
#include <pthread.h>
#include <unistd.h>

namespace quirvane {
namespace {

constexpr int kEnding[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};

}  // namespace

HeldSignals::HeldSignals() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kEnding) {
        sigaddset(&held, signal);
    }
    ::pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

HeldSignals::~HeldSignals() {
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

int HeldSignals::Pending() {
    sigset_t pending;
    if (::sigpending(&pending) != 0) {
        return 0;
    }
    for (const int signal : kEnding) {
        if (sigismember(&pending, signal) == 1) {
            return signal;
        }
    }
    return 0;
}

void HeldSignals::EndBy(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::_exit(128 + signal);  // not reached: the pending signal ends the program
}

}  // namespace quirvane
