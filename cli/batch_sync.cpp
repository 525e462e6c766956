#include "cli/batch_sync.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/file_messages.h"
#include "cli/printable.h"
#include "cli/tool_messages.h"
#include "text/file_bytes.h"

namespace quirvane {

BatchSync::BatchSync(const std::string& folder)
    : watched_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    struct stat status {};
    if (watched_ >= 0 && ::fstat(watched_, &status) == 0) {
        device_ = status.st_dev;
    }
}

BatchSync::~BatchSync() {
    if (watched_ >= 0) {
        ::close(watched_);
    }
}

BatchSync::Failures BatchSync::Sync(const std::vector<WrittenFile>& written,
                                    const std::function<std::string(int)>& nameOf) {
    // One sync of the file system writes everything back at once; since
    // Linux 5.8 it also reports any write-back error there since `watched_`
    // was opened. Files elsewhere, or all after such an error, are synced one
    // by one so that the message can name them.
    const int fileSystemError = watched_ >= 0 && ::syncfs(watched_) == 0 ? 0 : errno;
    std::map<std::string, bool> folders;  // each folder written into: covered by that sync
    Failures failures;
    for (const WrittenFile& file : written) {
        if (file.line == 0) {
            continue;
        }
        const int line = static_cast<int>(file.line);
        const std::string name = nameOf(line);
        auto [folder, fresh] = folders.emplace(FolderOf(name), false);
        struct stat status {};
        if (fresh) {
            folder->second = fileSystemError == 0 && ::stat(folder->first.c_str(), &status) == 0 &&
                             status.st_dev == device_;
        }
        const WriteOutcome synced = SyncWritten(name, !folder->second);
        const auto found = static_cast<std::uint32_t>(synced.inode);
        if (synced.Ok() && found == file.inode) {
            continue;
        }
        const auto other = std::find_if(written.begin(), written.end(), [&](const WrittenFile& w) {
            return w.line != 0 && w.line != file.line && w.inode == found;
        });
        ++failures.filesLost;
        failures.said.push_back(
            synced.Ok() && other != written.end()
                ? Fill(translate("quirvane-encode",
                                 "--output: lines %1 and %2 were written to one file, %3"),
                       {std::to_string(line), std::to_string(other->line), Quoted(name)})
                : Fill(translate("quirvane-encode", "line %1: %2"),
                       {std::to_string(line),
                        CannotWrite("--output", name,
                                    synced.Ok() ? WriteOutcome{WriteProblem::Replaced} : synced)}));
    }
    for (const auto& [folder, covered] : folders) {
        if (const int error = covered ? 0 : SyncFolder(folder); error != 0) {
            failures.said.push_back(CannotWrite("--output", folder, {WriteProblem::System, error}));
        }
    }
    return failures;
}

}  // namespace quirvane
