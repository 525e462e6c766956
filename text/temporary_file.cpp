#include "text/temporary_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace quirvane {
namespace {

// Counts every temporary name the process makes, in any thread and folder.
std::atomic<unsigned long> temporaryCount{0};

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        sigaddset(&set, signal);
    }
    return set;
}

}  // namespace

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

TemporaryFile::~TemporaryFile() {
    Release();
}

int TemporaryFile::Create(const std::string& folder, const struct stat* old) {
    const sigset_t ending = EndingSignals();
    signalsHeld_ = ::pthread_sigmask(SIG_BLOCK, &ending, &savedMask_) == 0;
    static const std::string process = std::to_string(::getpid());
    const std::string prefix = folder + "/.quirvane-" + process + "-";
    for (int attempt = 0; attempt < kTemporaryNameTries && fd_ < 0; ++attempt) {
        path_ = prefix + std::to_string(temporaryCount++) + ".tmp";
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            const int error = errno;
            path_.clear();
            Release();
            return error;
        }
    }
    if (fd_ < 0) {
        path_.clear();
        Release();
        return EEXIST;
    }
    // The owner before the permissions: a change of owner clears set-user-ID.
    if (old != nullptr && ::geteuid() == 0 && ::fchown(fd_, old->st_uid, old->st_gid) != 0) {
        return errno;
    }
    if (old != nullptr && ::fchmod(fd_, old->st_mode & 07777) != 0) {
        return errno;
    }
    return 0;
}

int TemporaryFile::Sync() {
    return ::fdatasync(fd_) == 0 ? 0 : errno;
}

int TemporaryFile::Close(struct stat& written) {
    if (::fstat(fd_, &written) != 0) {
        return errno;
    }
    return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
}

int TemporaryFile::RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return errno;
    }
    path_.clear();
    Release();
    return 0;
}

void TemporaryFile::Release() {
    if (fd_ >= 0) {
        ::close(std::exchange(fd_, -1));
    }
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
    if (signalsHeld_) {
        // A signal that came meanwhile is delivered here, the file gone.
        ::pthread_sigmask(SIG_SETMASK, &savedMask_, nullptr);
        signalsHeld_ = false;
    }
}

}  // namespace quirvane
