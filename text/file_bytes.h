// The bytes of a file in, the bytes of a file out, with every failure told by
// its cause and the system's errno. Plain POSIX and byte-string paths, used
// exactly as given: a name that is not UTF-8 reaches the system unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace quirvane {

// The most that is read of one input. The encoder keeps only the first
// 16,383 bytes, but the statistics line counts the whole text, so the whole
// text is read. 16 MiB is a thousand times what any symbol holds and more
// than the window is tested with (10 MiB), yet small enough to hold in memory
// at once; anything longer is not a text meant for a symbol but a device, an
// endless pipe or the wrong file, and is refused after reading one byte more.
inline constexpr std::size_t kMaxInputBytes = std::size_t{16} << 20;

enum class ReadPolicy {
    // quirvane-encode: regular files, pipes and FIFOs (also `<(command)`),
    // character devices and "-"; it waits for a writer as `cat` would.
    Streams,
    // The window: regular files only, and it never blocks. Anything else is
    // refused from its status alone, before it is even opened (opening some
    // devices has effects of its own).
    RegularFilesOnly,
};

struct FileBytes {
    std::string bytes;   // the whole content when error == 0
    int error = 0;       // 0, or an errno value: EFBIG when longer than the limit,
                         // EISDIR for a folder, EINVAL for a kind the policy refuses,
                         // ENOMEM when the content does not fit in memory
    mode_t kind = 0;     // EINVAL: the file's type bits
    std::string reason;  // one line in English when error != 0
    bool Ok() const { return error == 0; }
};

// Reads `path` ("-" is standard input, which stays open) whole, at most
// `limit` bytes: one byte more and it stops and refuses, so an endless input
// costs at most `limit` + 1 bytes of memory and that much reading.
FileBytes ReadBoundedBytes(const std::string& path, std::size_t limit, ReadPolicy policy);

// What a file of this type is, as a reason names it: "a FIFO (named pipe)".
const char* KindOf(mode_t mode);

enum class WritePolicy {
    // One file, as a user names it:
    // - "-", a name for a descriptor the program has open (/dev/stdout,
    //   /dev/stderr, /dev/fd/N, /proc/self/fd/N), or a name for the file
    //   standard output already is: written to that descriptor where it
    //   stands, so a log opened for appending is appended to.
    // - Something that exists and is neither a regular file nor a folder (a
    //   FIFO, a character device): opened and written, never replaced.
    // - A regular file or a new name: a temporary file in the same folder
    //   gets the bytes and the old file's permissions (as root its owner too),
    //   is synced and closed, then renamed over the old one, and the folder
    //   is synced. A symbolic link is followed, and its file replaced.
    Single,
    // One file of a batch: the name itself is replaced by a temporary file
    // (a link there too, never followed); a FIFO, socket or device there is
    // refused from its status alone; missing folders are made. Nothing is
    // synced: the batch syncs its file system once at the end, and
    // SyncWritten then looks at each file.
    OneOfMany,
};

enum class WriteProblem : std::uint8_t {
    None,
    System,           // `error`: what the system refused
    NoTemporaryName,  // kTemporaryNameTries temporary names in the folder were taken
    FolderNotSynced,  // the new file is in place, but its folder's sync failed with `error`
    SpecialFile,      // OneOfMany: the name is a FIFO, socket or device (`kind`)
    Replaced,         // SyncWritten: no regular file at the name any more
};

struct WriteOutcome {
    WriteProblem problem = WriteProblem::None;
    int error = 0;
    mode_t kind = 0;
    ino_t inode = 0;  // the file written by replacement, or found by SyncWritten
    bool Ok() const { return problem == WriteProblem::None; }
};

// Writes `bytes` whole to `path` as the policy says; on any failure a
// temporary file is removed and the old file left as it was.
WriteOutcome WriteFile(const std::string& path, std::string_view bytes, WritePolicy policy);

// WriteFile with WritePolicy::Single, its failure told in one line of English
// (the window's message): "" when written.
std::string WriteWhole(const std::string& path, std::string_view bytes);

// The end of a batch, after its file system was synced whole: the inode of
// the regular file at `path` now (else Replaced), its data synced too when
// `syncData`. Nothing is followed or waited on, whatever is there.
WriteOutcome SyncWritten(const std::string& path, bool syncData);

// fsync of a folder: 0 or errno.
int SyncFolder(const std::string& folder);

// mkdir -p: 0 or errno.
int MakeFolders(const std::string& folder);

// The folder part of a path: "." for none, "/" for the root.
std::string FolderOf(const std::string& path);

}  // namespace quirvane
