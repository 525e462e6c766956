// The lines of a batch file, read in bounded memory and twice: once to count
// them (and, with {text}, to name their files) before anything is written,
// once to make their symbols. A regular file is read where it is; anything
// else (standard input, a pipe, a device) is first copied into an unnamed
// temporary file, which the system removes however the program ends.
#pragma once

#include <string>
#include <sys/stat.h>
#include <vector>

namespace quirvane {

class BatchSource {
  public:
    BatchSource() = default;
    BatchSource(const BatchSource&) = delete;
    BatchSource& operator=(const BatchSource&) = delete;
    ~BatchSource();

    // "" or one line saying why the batch cannot be read.
    std::string Open(const std::string& path);

    // Back to the first line: 0 or errno.
    int Rewind();

    // The next line without its line feed (nor a CR before it); false at the
    // end, or on a read error (then Error() is its errno). A line longer than
    // kMaxInputBytes comes back empty with `tooLong`, its bytes passed over.
    bool Next(std::string& line, bool& tooLong);
    int Error() const { return error_; }

    // The real path of the file read, when it is a regular file: "" else.
    const std::string& RealPath() const { return realPath_; }

  private:
    bool Refill();
    std::string CopyIntoTemporaryFile(const std::string& path, int from);

    int fd_ = -1;
    bool ownFd_ = false;
    off_t start_ = 0;   // where the first line starts
    off_t offset_ = 0;  // where the next read starts
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    int error_ = 0;
    std::string realPath_;
};

}  // namespace quirvane
