// Put in front of the C library with LD_PRELOAD, this fails a call of
// write, fdatasync, syncfs, close or rename on purpose, so that the tests can
// show what a full disk or a failing device does to quirvane-encode.
// QUIRVANE_FAULT="write:1:28" fails the first write with errno 28 (ENOSPC);
// a negative number sends that signal to the process instead, and the call
// goes on ("write:1:-15": SIGTERM in the middle of the first write). Two
// faults go with a comma: "syncfs:1:5,fdatasync:2:5".
// Writes and closes count only on descriptors the program opened for writing
// (not 0 to 2, so that its messages still get out, nor the files its
// libraries read when they start); a failed close still closes, as the
// kernel does.
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

namespace {

struct Fault {
    char function[16] = {};
    int nth = 0;
    int error = 0;
};

constexpr int kMaxFaults = 2;

const Fault* TheFaults() {
    static const auto faults = [] {
        std::array<Fault, kMaxFaults> parsed{};
        const char* text = std::getenv("QUIRVANE_FAULT");
        for (Fault& fault : parsed) {
            if (text == nullptr || std::sscanf(text, "%15[a-z]:%d:%d", fault.function, &fault.nth,
                                               &fault.error) != 3) {
                fault = Fault{};
                break;
            }
            text = std::strchr(text, ',');
            text = text != nullptr ? text + 1 : nullptr;
        }
        return parsed;
    }();
    return faults.data();
}

// Whether this call is one to fail; then errno is already set.
bool FailsNow(const char* function) {
    static std::atomic<int> calls[kMaxFaults];
    for (int i = 0; i < kMaxFaults; ++i) {
        const Fault& fault = TheFaults()[i];
        if (std::strcmp(function, fault.function) != 0 || ++calls[i] != fault.nth) {
            continue;
        }
        if (fault.error < 0) {
            kill(getpid(), -fault.error);
            return false;
        }
        errno = fault.error;
        return true;
    }
    return false;
}

bool OpenedForWriting(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return fd > 2 && flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
    return OpenedForWriting(fd) && FailsNow("write") ? -1 : next(fd, data, size);
}

// A sync may come through a descriptor opened for reading.
int fdatasync(int fd) {
    static const auto next = Next<int (*)(int)>("fdatasync");
    return fd > 2 && FailsNow("fdatasync") ? -1 : next(fd);
}

int syncfs(int fd) {
    static const auto next = Next<int (*)(int)>("syncfs");
    return FailsNow("syncfs") ? -1 : next(fd);
}

int close(int fd) {
    static const auto next = Next<int (*)(int)>("close");
    if (OpenedForWriting(fd) && FailsNow("close")) {
        const int error = errno;
        next(fd);
        errno = error;
        return -1;
    }
    return next(fd);
}

int rename(const char* from, const char* to) noexcept {
    static const auto next = Next<int (*)(const char*, const char*)>("rename");
    return FailsNow("rename") ? -1 : next(from, to);
}

}  // extern "C"
