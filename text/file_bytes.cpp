// Reading with a bound and writing whole, on raw file descriptors: every
// call's result is looked at, because a full disk or a broken pipe shows up
// only there, and stdio or Qt would turn it into a silent short file.
#include "text/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quirvane {
namespace {

// A stream's buffer starts here and doubles, so an endless input never holds
// more than the limit plus half of it while the last doubling copies.
constexpr std::size_t kFirstReadBuffer = std::size_t{64} << 10;

// As the kernel does (its ELOOP), so that a loop of links ends.
constexpr int kMostLinksFollowed = 40;

// Tries for a free temporary name before giving up (each has O_EXCL).
constexpr int kTemporaryNameTries = 100;

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

FileBytes Failure(int error, std::string reason) {
    FileBytes result;
    result.error = error;
    result.reason = std::move(reason);
    return result;
}

FileBytes SystemFailure(int error) {
    return Failure(error, SystemReason(error));
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

// Whether the policy reads a file of this kind: an empty reason if so.
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
        return Failure(EINVAL, std::string("it is ") + KindOf(mode) +
                                   "; only files, pipes and character devices are read");
    }
    return Failure(EINVAL, std::string("it is ") + KindOf(mode) + "; only regular files are read");
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

// All of `bytes` to fd: a short write goes on from where it stopped. 0 or errno.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n == 0) {
            return EIO;  // nothing taken and no reason given: never loop on it
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd wait = {fd, POLLOUT, 0};
            if (::poll(&wait, 1, -1) < 0 && errno != EINTR) {
                return errno;
            }
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

bool IsStandardOutput(const struct stat& file) {
    struct stat out {};
    return ::fstat(STDOUT_FILENO, &out) == 0 && out.st_dev == file.st_dev &&
           out.st_ino == file.st_ino;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file `path` names once symbolic links are followed, so that a link is
// kept and its file replaced, or made when the link points to nothing yet.
std::string Resolved(std::string path) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof target) {
            break;  // not a link
        }
        const std::string_view next(target, static_cast<std::size_t>(length));
        path = next.starts_with('/') ? std::string(next) : FolderOf(path) + "/" + std::string(next);
    }
    return path;
}

// The temporary file beside `target`, already holding the bytes, closed.
// Returns 0 or errno; `temporary` names it (and is removed on failure).
int WriteTemporary(const std::string& target, const struct stat* old, std::string_view bytes,
                   std::string& temporary) {
    const std::string prefix = FolderOf(target) + "/.quirvane-" + std::to_string(::getpid()) + "-";
    Descriptor file;
    for (int attempt = 0; attempt < kTemporaryNameTries && file.fd < 0; ++attempt) {
        temporary = prefix + std::to_string(attempt) + ".tmp";
        file.fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd < 0 && errno != EEXIST) {
            temporary.clear();
            return errno;
        }
    }
    if (file.fd < 0) {
        temporary.clear();
        return EEXIST;
    }
    // The owner before the permissions: a change of owner clears set-user-ID.
    if (old != nullptr && ::geteuid() == 0 && ::fchown(file.fd, old->st_uid, old->st_gid) != 0) {
        return errno;
    }
    if (old != nullptr && ::fchmod(file.fd, old->st_mode & 07777) != 0) {
        return errno;
    }
    if (const int error = WriteAll(file.fd, bytes); error != 0) {
        return error;
    }
    if (::fdatasync(file.fd) != 0) {
        return errno;
    }
    return ::close(std::exchange(file.fd, -1)) == 0 ? 0 : errno;
}

// So that the rename itself survives a crash. Folders that cannot be synced
// (EINVAL) have nothing more to give.
std::string SyncFolder(const std::string& folder) {
    Descriptor directory{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (directory.fd < 0 || (::fsync(directory.fd) != 0 && errno != EINVAL)) {
        return "the new file is in place, but its folder could not be synced: " +
               SystemReason(errno);
    }
    return {};
}

std::string ReplaceFile(const std::string& target, const struct stat* old, std::string_view bytes) {
    if (old != nullptr && ::access(target.c_str(), W_OK) != 0) {
        return SystemReason(errno);  // the file's own protection holds, as with `>`
    }
    std::string temporary;
    int error = WriteTemporary(target, old, bytes, temporary);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        if (!temporary.empty()) {
            ::unlink(temporary.c_str());
        }
        return SystemReason(error);
    }
    return SyncFolder(FolderOf(target));
}

// A FIFO or a device: opened as it is and written, never replaced. (Should a
// regular file have taken its name since it was looked at, that is replaced.)
std::string WriteInPlace(const std::string& path, std::string_view bytes) {
    Descriptor file{::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) {
        return SystemReason(errno);
    }
    if (S_ISREG(status.st_mode)) {
        return ReplaceFile(Resolved(path), &status, bytes);
    }
    if (const int error = WriteAll(file.fd, bytes); error != 0) {
        return SystemReason(error);
    }
    return ::close(std::exchange(file.fd, -1)) == 0 ? std::string() : SystemReason(errno);
}

}  // namespace

FileBytes ReadBoundedBytes(const std::string& path, std::size_t limit, ReadPolicy policy) {
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

std::string WriteWhole(const std::string& path, std::string_view bytes) {
    struct stat status {};
    if (path == "-") {
        const int error = WriteAll(STDOUT_FILENO, bytes);
        return error == 0 ? std::string() : SystemReason(error);
    }
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            return SystemReason(errno);
        }
        return ReplaceFile(Resolved(path), nullptr, bytes);
    }
    if (IsStandardOutput(status)) {
        return WriteWhole("-", bytes);
    }
    if (S_ISDIR(status.st_mode)) {
        return SystemReason(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return WriteInPlace(path, bytes);
    }
    return ReplaceFile(Resolved(path), &status, bytes);
}

}  // namespace quirvane
