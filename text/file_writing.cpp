// Writing whole, on raw file descriptors: every call's result is looked at,
// because a full disk or a broken pipe shows up only there, and stdio or Qt
// would turn it into a silent short file.
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "text/file_bytes.h"
#include "text/temporary_file.h"

namespace quirvane {
namespace {

// As the kernel does (its ELOOP), so that a loop of links ends.
constexpr int kMostLinksFollowed = 40;

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

WriteOutcome Problem(WriteProblem problem, int error = 0) {
    WriteOutcome outcome;
    outcome.problem = problem;
    outcome.error = error;
    return outcome;
}

WriteOutcome SystemProblem(int error) {
    return error == 0 ? WriteOutcome{} : Problem(WriteProblem::System, error);
}

// The descriptor a name stands for (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N), or -1. Opening such a name would open its file anew, at
// its start and without O_APPEND, where the descriptor itself appends.
int DescriptorNamed(std::string_view path) {
    if (path == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (path == "/dev/stderr") {
        return STDERR_FILENO;
    }
    for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(prefix)) {
            continue;
        }
        const std::string_view digits = path.substr(prefix.size());
        int fd = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9' || fd > INT_MAX / 10 - 1) {
                return -1;
            }
            fd = fd * 10 + (c - '0');
        }
        return digits.empty() ? -1 : fd;
    }
    return -1;
}

WriteOutcome WriteToDescriptor(int fd, std::string_view bytes) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
        return SystemProblem(EBADF);
    }
    return SystemProblem(WriteAll(fd, bytes));
}

bool IsStandardOutput(const struct stat& file) {
    struct stat out {};
    return ::fstat(STDOUT_FILENO, &out) == 0 && out.st_dev == file.st_dev &&
           out.st_ino == file.st_ino;
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

struct Replacement {
    bool sync;         // the file and then its folder, before it returns
    bool makeFolders;  // when the folder is missing
};

WriteOutcome Replace(const std::string& target, const struct stat* old, std::string_view bytes,
                     Replacement how) {
    const std::string folder = FolderOf(target);
    TemporaryFile temporary;
    int error = temporary.Create(folder, old);
    if (error == ENOENT && how.makeFolders) {
        error = MakeFolders(folder);
        error = error != 0 ? error : temporary.Create(folder, old);
    }
    if (error == EEXIST) {
        return Problem(WriteProblem::NoTemporaryName);
    }
    struct stat written {};
    error = error != 0 ? error : temporary.Write(bytes);
    error = error != 0 || !how.sync ? error : temporary.Sync();
    error = error != 0 ? error : temporary.Close(written);
    error = error != 0 ? error : temporary.RenameTo(target);
    if (error != 0) {
        return SystemProblem(error);
    }
    WriteOutcome outcome;
    outcome.inode = written.st_ino;
    if (how.sync && (error = SyncFolder(folder)) != 0) {
        outcome.problem = WriteProblem::FolderNotSynced;
        outcome.error = error;
    }
    return outcome;
}

// A FIFO or a device: opened as it is and written, never replaced. (Should a
// regular file have taken its name since it was looked at, that is replaced.)
WriteOutcome WriteInPlace(const std::string& path, std::string_view bytes) {
    Descriptor file{::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) {
        return SystemProblem(errno);
    }
    if (S_ISREG(status.st_mode)) {
        return Replace(Resolved(path), &status, bytes, {.sync = true, .makeFolders = false});
    }
    if (const int error = WriteAll(file.fd, bytes); error != 0) {
        return SystemProblem(error);
    }
    return SystemProblem(::close(std::exchange(file.fd, -1)) == 0 ? 0 : errno);
}

WriteOutcome WriteSingle(const std::string& path, std::string_view bytes) {
    const int descriptor = path == "-" ? STDOUT_FILENO : DescriptorNamed(path);
    if (descriptor >= 0) {
        return WriteToDescriptor(descriptor, bytes);
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return errno == ENOENT ? Replace(Resolved(path), nullptr, bytes, {true, false})
                               : SystemProblem(errno);
    }
    if (IsStandardOutput(status)) {
        return WriteToDescriptor(STDOUT_FILENO, bytes);
    }
    if (S_ISDIR(status.st_mode)) {
        return SystemProblem(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return WriteInPlace(path, bytes);
    }
    if (::access(path.c_str(), W_OK) != 0) {
        return SystemProblem(errno);  // the file's own protection holds, as with `>`
    }
    return Replace(Resolved(path), &status, bytes, {true, false});
}

WriteOutcome WriteOneOfMany(const std::string& path, std::string_view bytes) {
    struct stat status {};
    const struct stat* old = nullptr;
    if (::lstat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return SystemProblem(EISDIR);
        }
        if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
            WriteOutcome special = Problem(WriteProblem::SpecialFile);
            special.kind = status.st_mode & S_IFMT;
            return special;
        }
        if (S_ISREG(status.st_mode) && ::access(path.c_str(), W_OK) != 0) {
            return SystemProblem(errno);
        }
        old = S_ISREG(status.st_mode) ? &status : nullptr;  // a link gives way to a new file
    } else if (errno != ENOENT) {
        return SystemProblem(errno);
    }
    return Replace(path, old, bytes, {.sync = false, .makeFolders = true});
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

WriteOutcome WriteFile(const std::string& path, std::string_view bytes, WritePolicy policy) {
    return policy == WritePolicy::Single ? WriteSingle(path, bytes) : WriteOneOfMany(path, bytes);
}

std::string WriteWhole(const std::string& path, std::string_view bytes) {
    const WriteOutcome outcome = WriteFile(path, bytes, WritePolicy::Single);
    const std::string reason = std::generic_category().message(outcome.error);
    switch (outcome.problem) {
        case WriteProblem::None:
            return {};
        case WriteProblem::NoTemporaryName:
            return "no free name for a temporary file in its folder: " +
                   std::to_string(kTemporaryNameTries) + " were taken";
        case WriteProblem::FolderNotSynced:
            return "the new file is in place, but its folder could not be synced: " + reason;
        case WriteProblem::SpecialFile:
            return std::string("it is ") + KindOf(outcome.kind);
        case WriteProblem::Replaced:
            return "another file has taken its name";
        case WriteProblem::System:
            break;
    }
    return reason;
}

WriteOutcome SyncWritten(const std::string& path, bool syncData) {
    struct stat status {};
    Descriptor file;
    if (syncData) {
        file.fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    }
    if (syncData ? file.fd < 0 || ::fstat(file.fd, &status) != 0
                 : ::lstat(path.c_str(), &status) != 0) {
        return errno == ENOENT || errno == ELOOP ? Problem(WriteProblem::Replaced)
                                                 : SystemProblem(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return Problem(WriteProblem::Replaced);
    }
    WriteOutcome synced = SystemProblem(!syncData || ::fdatasync(file.fd) == 0 ? 0 : errno);
    synced.inode = status.st_ino;
    return synced;
}

int MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            return errno;
        }
        if (slash == std::string::npos) {
            return 0;
        }
    }
}

int SyncFolder(const std::string& folder) {
    // Folders that cannot be synced (EINVAL) have nothing more to give.
    const Descriptor directory{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (directory.fd < 0) {
        return errno;
    }
    return ::fsync(directory.fd) == 0 || errno == EINVAL ? 0 : errno;
}

}  // namespace quirvane
