#include "tests/support/run_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <tuple>
#include <unistd.h>

extern char** environ;

namespace quirvane::testing {
namespace {

void CloseIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// The tests' own environment under `added`: a later NAME=VALUE replaces an
// earlier one of the same name.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& added) {
    std::vector<std::string> all, kept;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        all.emplace_back(*entry);
    }
    all.insert(all.end(), added.begin(), added.end());
    for (auto entry = all.rbegin(); entry != all.rend(); ++entry) {
        const std::string name = entry->substr(0, entry->find('=') + 1);
        if (std::ranges::none_of(kept, [&](const std::string& s) { return s.starts_with(name); })) {
            kept.push_back(*entry);
        }
    }
    return kept;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// A pseudo-terminal in raw mode, so that what is written arrives unchanged:
// ends[0] its master, read by the tests, ends[1] the terminal itself. Once the
// program holds the only terminal end, its exit ends the reads (EIO).
bool OpenTerminal(int ends[2]) {
    ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (ends[0] < 0 || ::grantpt(ends[0]) != 0 || ::unlockpt(ends[0]) != 0 ||
        (ends[1] = ::open(::ptsname(ends[0]), O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0 ||
        ::tcgetattr(ends[1], &mode) != 0) {
        return false;
    }
    ::cfmakeraw(&mode);
    return ::tcsetattr(ends[1], TCSANOW, &mode) == 0;
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void StartChild(const ProcessSpec& launch, const int in[2], const int out[2],
                             const int err[2], char* const* argv, char* const* envp) {
    ::dup2(in[0], STDIN_FILENO);
    if (launch.outputFile.empty()) {
        ::dup2(out[1], STDOUT_FILENO);
    } else {
        const int file = ::open(launch.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 || ::dup2(file, STDOUT_FILENO) < 0) {
            ::_exit(126);
        }
    }
    ::dup2(launch.onTerminal ? out[1] : err[1], STDERR_FILENO);
    const rlimit size = {launch.fileSizeLimit, launch.fileSizeLimit};
    const rlimit space = {launch.addressSpaceLimit, launch.addressSpaceLimit};
    if ((launch.fileSizeLimit != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &size) != 0) ||
        (launch.addressSpaceLimit != RLIM_INFINITY && ::setrlimit(RLIMIT_AS, &space) != 0)) {
        ::_exit(126);
    }
    ::signal(SIGPIPE, SIG_DFL);  // the tests ignore it; the child must not inherit that
    ::execve(argv[0], argv, envp);
    ::_exit(127);
}

}  // namespace

ProcessRun RunProcess(const ProcessSpec& launch) {
    // A child that stops reading must not kill the tests with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args = launch.args, environment = EnvironmentWith(launch.environment);
    const std::vector<char*> argv = Pointers(args), envp = Pointers(environment);
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 ||
        !(launch.onTerminal ? OpenTerminal(out) : ::pipe2(out, O_CLOEXEC) == 0)) {
        return {};
    }
    const pid_t child = ::fork();
    if (child < 0) {
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            ::close(fd);
        }
        return {};
    }
    if (child == 0) {
        StartChild(launch, in, out, err, argv.data(), envp.data());
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::fcntl(in[1], F_SETFL, O_NONBLOCK);
    ProcessRun run;
    std::size_t written = 0;
    int feed = in[1], fromOut = out[0], fromErr = err[0];
    if (launch.input.empty()) {
        CloseIfOpen(feed);
    }
    while (fromOut >= 0 || fromErr >= 0) {
        pollfd fds[3] = {{feed, POLLOUT, 0}, {fromOut, POLLIN, 0}, {fromErr, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0 && errno != EINTR) {
            break;  // interrupted, it leaves every revents 0
        }
        if (fds[0].revents != 0) {
            const ssize_t n =
                ::write(feed, launch.input.data() + written, launch.input.size() - written);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                CloseIfOpen(feed);  // it stopped reading
            } else if (n > 0) {
                written = (written + static_cast<std::size_t>(n)) % launch.input.size();
                if (written == 0 && !launch.endlessInput) {
                    CloseIfOpen(feed);
                }
            }
        }
        for (auto [index, fd, text] :
             {std::tuple(1, &fromOut, &run.out), std::tuple(2, &fromErr, &run.err)}) {
            if (fds[index].revents != 0) {
                char buffer[65536];
                const ssize_t n = ::read(*fd, buffer, sizeof buffer);
                if (n > 0) {
                    text->append(buffer, static_cast<std::size_t>(n));
                } else if (n == 0 || errno != EINTR) {
                    CloseIfOpen(*fd);
                }
            }
        }
    }
    CloseIfOpen(feed);
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.maxResidentKiB = usage.ru_maxrss;
    return run;
}

}  // namespace quirvane::testing
