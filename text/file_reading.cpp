// Reading with a bound, on raw file descriptors: every call's result is
// looked at, and memory never grows past the limit and half of it.
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "text/file_bytes.h"

namespace quirvane {
namespace {

// A stream's buffer starts here and doubles, so an endless input never holds
// more than the limit plus half of it while the last doubling copies.
constexpr std::size_t kFirstReadBuffer = std::size_t{64} << 10;

FileBytes Failure(int error, std::string reason, mode_t kind = 0) {
    FileBytes result;
    result.error = error;
    result.kind = kind;
    result.reason = std::move(reason);
    return result;
}

FileBytes SystemFailure(int error) {
    return Failure(error, std::generic_category().message(error));
}

FileBytes TooLong(std::size_t limit) {
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    const std::string bytes = std::to_string(limit) + " bytes";
    return Failure(
        EFBIG,
        "longer than " +
            (limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB (" + bytes + ")" : bytes) +
            ", the most that is read");
}

// Whether the policy reads a file of this kind: Ok() if so.
FileBytes Admit(mode_t mode, ReadPolicy policy) {
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISDIR(mode)) {
        return SystemFailure(EISDIR);
    }
    if (policy == ReadPolicy::Streams) {
        if (S_ISFIFO(mode) || S_ISCHR(mode)) {
            return {};
        }
        return Failure(EINVAL,
                       std::string("it is ") + KindOf(mode) +
                           "; only files, pipes and character devices are read",
                       mode & S_IFMT);
    }
    return Failure(EINVAL, std::string("it is ") + KindOf(mode) + "; only regular files are read",
                   mode & S_IFMT);
}

// One read, retried on EINTR and waited for on a non-blocking descriptor.
ssize_t ReadSome(int fd, char* into, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0) {
            return n;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd wait = {fd, POLLIN, 0};
            if (::poll(&wait, 1, -1) < 0 && errno != EINTR) {
                return -1;
            }
        } else if (errno != EINTR) {
            return -1;
        }
    }
}

// Reads to the end, or refuses once `limit` bytes are followed by one more.
// `expected` is a regular file's size, the first buffer then being exact.
FileBytes ReadToEnd(int fd, std::size_t limit, std::size_t expected) {
    FileBytes result;
    std::string& bytes = result.bytes;
    std::size_t filled = 0;
    bytes.resize(std::min(limit, expected > 0 ? expected : kFirstReadBuffer));
    for (;;) {
        if (filled == bytes.size()) {
            if (filled == limit) {
                char probe = 0;
                const ssize_t n = ReadSome(fd, &probe, 1);
                if (n < 0) {
                    return SystemFailure(errno);
                }
                if (n > 0) {
                    return TooLong(limit);
                }
                break;
            }
            bytes.resize(std::min(limit, std::max(kFirstReadBuffer, 2 * filled)));
        }
        const ssize_t n = ReadSome(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            return SystemFailure(errno);
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return result;
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

FileBytes ReadOpened(const std::string& path, std::size_t limit, ReadPolicy policy) {
    const bool standardInput = path == "-";
    struct stat status {};
    if (!standardInput && policy == ReadPolicy::RegularFilesOnly) {
        if (::stat(path.c_str(), &status) != 0) {
            return SystemFailure(errno);
        }
        if (FileBytes refused = Admit(status.st_mode, policy); !refused.Ok()) {
            return refused;
        }
    }
    // Non-blocking for the window, so that a FIFO put in the file's place
    // since the check above is still refused and never waited on.
    const int nonBlocking = policy == ReadPolicy::RegularFilesOnly ? O_NONBLOCK : 0;
    Descriptor file;
    const int fd =
        standardInput
            ? STDIN_FILENO
            : (file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | nonBlocking));
    if (fd < 0) {
        return SystemFailure(errno);
    }
    if (::fstat(fd, &status) != 0) {
        return SystemFailure(errno);
    }
    if (FileBytes refused = Admit(status.st_mode, policy); !refused.Ok()) {
        return refused;
    }
    if (file.fd >= 0 && nonBlocking != 0 &&
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        return SystemFailure(errno);
    }
    const bool sized = S_ISREG(status.st_mode) && status.st_size > 0;
    const auto size = sized ? static_cast<std::size_t>(status.st_size) : 0;
    if (size > limit) {
        return TooLong(limit);
    }
    return ReadToEnd(fd, limit, size);
}

}  // namespace

const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a FIFO (named pipe)";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    return "not a regular file";
}

FileBytes ReadBoundedBytes(const std::string& path, std::size_t limit, ReadPolicy policy) {
    try {
        return ReadOpened(path, limit, policy);
    } catch (const std::bad_alloc&) {
        return SystemFailure(ENOMEM);
    }
}

}  // namespace quirvane
