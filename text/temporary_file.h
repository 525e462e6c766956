// The temporary file a new file is written into beside its final name and
// then renamed over it, so that the name holds the old file or the new one,
// never a part. While one exists, the signals that end a program (SIGHUP,
// SIGINT, SIGQUIT, SIGTERM) wait for the thread that made it: a program they
// stop ends only once the file is renamed or removed.
#pragma once

#include <csignal>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace quirvane {

// Names tried in a row before giving up. A name is the process's own, its ID
// and a count no other thread of it uses, so only files left by an earlier
// process with the same ID can take one.
inline constexpr int kTemporaryNameTries = 100;

// Every byte of `bytes` to `fd`, a short write going on where it stopped:
// 0 or errno.
int WriteAll(int fd, std::string_view bytes);

class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();  // removes the file unless it was renamed

    // Makes the file in `folder` with the permissions (and, as root, the
    // owner) of `old`, or the usual ones for a new file. 0, EEXIST when
    // kTemporaryNameTries names were all taken, or errno.
    int Create(const std::string& folder, const struct stat* old);
    int Write(std::string_view bytes) { return WriteAll(fd_, bytes); }
    int Sync();
    // Closes the file, its status first into `written`: 0 or errno.
    int Close(struct stat& written);
    // The closed file replaces `target` (a link there is replaced, not
    // followed): 0 or errno.
    int RenameTo(const std::string& target);

  private:
    void Release();

    int fd_ = -1;
    std::string path_;
    bool signalsHeld_ = false;
    sigset_t savedMask_{};
};

}  // namespace quirvane
