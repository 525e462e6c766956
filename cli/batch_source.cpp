#include "cli/batch_source.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "cli/file_messages.h"
#include "cli/printable.h"
#include "cli/tool_messages.h"
#include "text/file_bytes.h"
#include "text/temporary_file.h"

namespace quirvane {
namespace {

constexpr std::size_t kReadBuffer = std::size_t{64} << 10;

// The most copied of a batch that is not a regular file: 25 million URLs,
// and an end to `yes` or /dev/zero before the disk fills.
constexpr std::size_t kMaxCopiedBytes = std::size_t{1} << 30;

std::string RealPathOf(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) != nullptr ? std::string(real) : std::string();
}

// An unnamed file for the copy: gone with the last descriptor.
int UnnamedFile(std::string& folder) {
    const char* tmpdir = std::getenv("TMPDIR");
    folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) {
        return fd;
    }
    std::string name = folder + "/.quirvane-batch-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(name.c_str());
    }
    return named;
}

}  // namespace

BatchSource::~BatchSource() {
    if (ownFd_) {
        ::close(fd_);
    }
}

std::string BatchSource::Open(const std::string& path) {
    FileBytes failure;
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        failure.error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        failure.error = EISDIR;
    }
    ownFd_ = fd >= 0 && !standardInput;
    fd_ = fd;
    if (failure.error != 0) {
        return CannotRead("--batch", path, failure);
    }
    const off_t here = ::lseek(fd, 0, SEEK_CUR);
    if (S_ISREG(status.st_mode) && here >= 0) {
        start_ = offset_ = here;
        realPath_ = RealPathOf(standardInput ? "/proc/self/fd/0" : path);
        return {};
    }
    return CopyIntoTemporaryFile(path, fd);
}

std::string BatchSource::CopyIntoTemporaryFile(const std::string& path, int from) {
    std::string folder;
    const int copy = UnnamedFile(folder);
    int error = copy < 0 ? errno : 0;
    std::vector<char> chunk(kReadBuffer);
    std::size_t copied = 0;
    while (error == 0) {
        const ssize_t n = ::read(from, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0) {
                FileBytes failure;
                failure.error = errno;
                return CannotRead("--batch", path, failure);
            }
            break;
        }
        copied += static_cast<std::size_t>(n);
        if (copied > kMaxCopiedBytes) {
            return Fill(
                translate("quirvane-encode",
                          "--batch: cannot read %1: longer than 1 GiB (%2 bytes), the "
                          "most read of a batch that is not a regular file"),
                {path == "-" ? translate("quirvane-encode", "standard input") : Quoted(path),
                 std::to_string(kMaxCopiedBytes)});
        }
        error = WriteAll(copy, std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    }
    if (ownFd_) {
        ::close(fd_);
    }
    fd_ = copy;
    ownFd_ = copy >= 0;
    if (error != 0) {
        return Fill(
            translate("quirvane-encode", "--batch: cannot copy %1 into a temporary file in %2: %3"),
            {path == "-" ? translate("quirvane-encode", "standard input") : Quoted(path),
             Quoted(folder), SystemReason(error)});
    }
    return {};
}

int BatchSource::Rewind() {
    offset_ = start_;
    begin_ = end_ = 0;
    atEnd_ = false;
    error_ = 0;
    return 0;
}

bool BatchSource::Refill() {
    if (buffer_.empty()) {
        buffer_.resize(kReadBuffer);
    }
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer_.data(), buffer_.size(), offset_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error_ = errno;
        }
        begin_ = 0;
        end_ = n > 0 ? static_cast<std::size_t>(n) : 0;
        offset_ += n > 0 ? n : 0;
        atEnd_ = n <= 0;
        return !atEnd_;
    }
}

bool BatchSource::Next(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool started = false;
    const auto take = [&](const char* from, std::size_t count) {
        if (!tooLong && line.size() + count > kMaxInputBytes) {
            tooLong = true;
            line.clear();
        }
        if (!tooLong && count > 0) {
            line.append(from, count);
        }
    };
    for (;;) {
        const char* from = buffer_.data() + begin_;
        const auto* feed = begin_ < end_
                               ? static_cast<const char*>(std::memchr(from, '\n', end_ - begin_))
                               : nullptr;
        if (feed != nullptr || (atEnd_ && (started || begin_ < end_))) {
            const std::size_t count =
                feed != nullptr ? static_cast<std::size_t>(feed - from) : end_ - begin_;
            take(from, count);
            begin_ += count + (feed != nullptr ? 1 : 0);
            if (line.ends_with('\r')) {
                line.pop_back();
            }
            return error_ == 0;
        }
        if (atEnd_) {
            return false;
        }
        take(from, end_ - begin_);
        started = started || begin_ < end_;
        if (!Refill() && !started) {
            return false;
        }
    }
}

}  // namespace quirvane
