// The bytes of a file in, the bytes of a file out, with every failure told in
// the system's own words. Plain POSIX and byte-string paths, used exactly as
// given: a name that is not UTF-8 reaches the system unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
                         // EISDIR for a folder, EINVAL for a kind the policy refuses
    std::string reason;  // one line when error != 0: strerror or what was refused
    bool Ok() const { return error == 0; }
};

// Reads `path` ("-" is standard input, which stays open) whole, at most
// `limit` bytes: one byte more and it stops and refuses, so an endless input
// costs at most `limit` + 1 bytes of memory and that much reading.
FileBytes ReadBoundedBytes(const std::string& path, std::size_t limit, ReadPolicy policy);

// Writes `bytes` whole to `path`. Returns "" or a one-line reason.
// - "-", or a name for the file standard output already is (such as
//   /dev/stdout): standard output, every write checked.
// - Something that exists and is neither a regular file nor a folder (a FIFO,
//   a character device): written directly, never replaced.
// - A regular file or a new name: a temporary file in the same folder gets
//   the bytes and the old file's permissions (as root its owner too), is
//   synced and closed, then renamed over the old one. On any failure the
//   temporary file is removed and the old file is left as it was. A symbolic
//   link is followed, and the file it names is the one replaced.
std::string WriteWhole(const std::string& path, std::string_view bytes);

}  // namespace quirvane
