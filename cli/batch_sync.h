// The end of a batch: everything it wrote made durable with one sync of the
// file system, then each file checked to be still the one written (two lines
// may name one file through a folder link or a file system that ignores
// case), and what failed named file by file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quirvane {

// A file a batch wrote: its line (0 for none) and the low bits of its inode,
// enough to tell it from any other file written alongside it.
struct WrittenFile {
    std::uint32_t line = 0;
    std::uint32_t inode = 0;
};

class BatchSync {
  public:
    // Watches the file system of `folder` (which exists) from now on, so that
    // a write-back error of any file the batch writes there shows at the end.
    explicit BatchSync(const std::string& folder);
    ~BatchSync();
    BatchSync(const BatchSync&) = delete;
    BatchSync& operator=(const BatchSync&) = delete;

    struct Failures {
        std::vector<std::string> said;  // what to say, one line each
        int filesLost = 0;              // written files that are not safe on disk
    };

    // Syncs the files written, named by `nameOf(line)`, and their folders.
    Failures Sync(const std::vector<WrittenFile>& written,
                  const std::function<std::string(int)>& nameOf);

  private:
    int watched_ = -1;
    unsigned long device_ = 0;
};

}  // namespace quirvane
