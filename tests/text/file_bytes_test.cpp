// The bounded reader and the whole-or-nothing writer against what a name can
// stand for: regular files and pipes around the buffer's steps and the limit,
// the kernel's files, FIFOs, sockets, folders, symbolic links and names that
// are not UTF-8. What is expected comes from the file system afterwards.
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "tests/support/scratch_folder.h"

namespace quirvane::testing {
namespace {

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 31 % 251);  // NUL and 0xFA among them
    }
    return bytes;
}

// A pipe that a thread fills with `content`, as `<(command)` gives one; its
// name is /dev/fd/N.
class FedPipe {
  public:
    explicit FedPipe(std::string content) {
        ::signal(SIGPIPE, SIG_IGN);
        if (::pipe2(ends_, O_CLOEXEC) != 0) {
            ends_[0] = ends_[1] = -1;
        }
        writer_ = std::thread([this, content = std::move(content)] {
            // Blocks until all is written, or fails once the reader has gone.
            [[maybe_unused]] const auto n = ::write(ends_[1], content.data(), content.size());
            ::close(ends_[1]);
        });
    }
    ~FedPipe() {
        ::close(ends_[0]);
        writer_.join();
    }
    std::string Name() const { return "/dev/fd/" + std::to_string(ends_[0]); }

  private:
    int ends_[2];
    std::thread writer_;
};

// Runs `write` under a soft file-size limit, SIGXFSZ ignored as the tool does.
std::string UnderFileSizeLimit(rlim_t bytes, const std::function<std::string()>& write) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited = {bytes, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    std::string reason = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    return reason;
}

// Sizes on both sides of the first buffer, its doublings and the limit, from
// a regular file (its size known beforehand) for both callers, or a pipe.
TEST(ReadBoundedBytes, ReadsWholeUpToTheLimitAndRefusesOneByteMore) {
    constexpr std::size_t kLimit = 200000;
    const std::size_t sizes[] = {0,      1,      65535,  65536,  65537,  131072,
                                 131073, 199999, kLimit, 200001, 262144, 300000};
    ScratchFolder folder;
    for (const bool pipe : {false, true}) {
        for (std::size_t size : sizes) {
            SCOPED_TRACE(std::string(pipe ? "pipe, " : "file, ") + std::to_string(size) + " bytes");
            const std::string content = Pattern(size), path = folder / "in-\xfe.txt";
            std::optional<FedPipe> fed;
            if (pipe) {
                fed.emplace(content);
            } else {
                WriteFile(path, content);
            }
            const FileBytes read = ReadBoundedBytes(
                pipe ? fed->Name() : path, kLimit,
                pipe || size % 2 == 0 ? ReadPolicy::Streams : ReadPolicy::RegularFilesOnly);
            if (size <= kLimit) {
                EXPECT_TRUE(read.Ok()) << read.reason;
                EXPECT_TRUE(read.bytes == content);
            } else {
                EXPECT_EQ(read.error, EFBIG);
                EXPECT_EQ(read.reason, "longer than 200000 bytes, the most that is read");
                EXPECT_TRUE(read.bytes.empty());
            }
        }
    }
}

// The tool reads pipes and devices; the window only regular files, and
// refuses the rest before any read that could wait.
TEST(ReadBoundedBytes, EachPolicyTakesItsOwnKindsOfFile) {
    ScratchFolder folder;
    const std::string regular = folder / "text-\xff.txt", fifo = folder / "fifo",
                      socketPath = folder / "socket", missing = folder / "missing";
    WriteFile(regular, "text\n");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    using enum ReadPolicy;
    // clang-format off
    const std::tuple<std::string, ReadPolicy, int> rows[] = {
        {regular, Streams, 0}, {regular, RegularFilesOnly, 0},
        {folder / "", Streams, EISDIR}, {folder / "", RegularFilesOnly, EISDIR},
        {missing, Streams, ENOENT}, {missing, RegularFilesOnly, ENOENT},
        {"/dev/null", Streams, 0}, {"/dev/null", RegularFilesOnly, EINVAL},
        {fifo, RegularFilesOnly, EINVAL},
        {socketPath, Streams, ENXIO}, {socketPath, RegularFilesOnly, EINVAL},
        {"/proc/self/cmdline", RegularFilesOnly, 0}};  // its size says 0: read to its end
    // clang-format on
    for (const auto& [path, policy, error] : rows) {
        SCOPED_TRACE(path + (policy == Streams ? " as a stream" : " as a regular file"));
        const FileBytes read = ReadBoundedBytes(path, 4096, policy);
        EXPECT_EQ(read.error, error) << read.reason;
        EXPECT_EQ(read.bytes, error != 0        ? ""
                              : path == regular ? "text\n"
                                                : ReadFile(path).substr(0, read.bytes.size()));
        EXPECT_TRUE(error != 0 || !read.bytes.empty() || path == "/dev/null");
        EXPECT_EQ(read.reason.empty(), error == 0);
        EXPECT_EQ(read.reason.find('\n'), std::string::npos);
        if (error == EINVAL) {
            EXPECT_NE(read.reason.find("only regular files are read"), std::string::npos);
        }
    }
    ::close(listener);
    // A FIFO as a stream waits for its writer; should the reader never open
    // it, the second reader lets the writer finish.
    std::thread writer([&fifo] {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        [[maybe_unused]] const auto n = ::write(fd, "through a FIFO", 14);
        ::close(fd);
    });
    const FileBytes read = ReadBoundedBytes(fifo, 100, ReadPolicy::Streams);
    const int rescue = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer.join();
    ::close(rescue);
    EXPECT_TRUE(read.Ok()) << read.reason;
    EXPECT_EQ(read.bytes, "through a FIFO");
}

// A regular file is replaced whole, in its folder, with its permissions and (as
// root) its owner; a symbolic link stays, its file replaced; no temporary file.
TEST(WriteWhole, ReplacesARegularFileWholeKeepingItsMode) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const bool root = ::geteuid() == 0;
    // clang-format off
    const std::tuple<std::string, std::string, mode_t> rows[] = {  // name, old content, mode
        {"new.png", "", 0}, {"out-\xff.bin", "", 0},
        {"old.txt", std::string(5000, 'o'), 0640}, {"old.txt", "o", 02750}};
    // clang-format on
    for (const auto& [name, old, mode] : rows) {
        for (const bool throughLink : {false, true}) {
            SCOPED_TRACE(name + (throughLink ? " through a link" : ""));
            ScratchFolder folder;
            const std::string file = folder / name, link = folder / "link";
            if (mode != 0) {
                WriteFile(file, old);
                ASSERT_TRUE(!root || ::chown(file.c_str(), 1234, 5678) == 0);
                ::chmod(file.c_str(), mode);  // after chown, which clears set-group-ID
            }
            if (throughLink) {
                ASSERT_EQ(::symlink(name.c_str(), link.c_str()), 0);
            }
            const std::string bytes = Pattern(3000);
            EXPECT_EQ(WriteWhole(throughLink ? link : file, bytes), "");
            EXPECT_TRUE(ReadFile(file) == bytes);
            struct stat status {};
            ::lstat(file.c_str(), &status);
            EXPECT_EQ(status.st_mode, S_IFREG | (mode != 0 ? mode : 0666 & ~mask));
            if (root && mode != 0) {
                EXPECT_EQ(std::tie(status.st_uid, status.st_gid), std::tuple(1234u, 5678u));
            }
            std::set<std::string> names = {name};
            if (throughLink) {
                names.insert("link");
                EXPECT_TRUE(S_ISLNK(ModeOf(link)));
            }
            EXPECT_EQ(folder.Names(), names);
        }
    }
}

// Whatever fails, the reason is the system's, the old file is as it was and
// no temporary file stays.
TEST(WriteWhole, FailuresLeaveTheOldFileAndNoTemporaryFile) {
    ScratchFolder folder;
    const std::string old = folder / "old.txt", fresh = folder / "new.txt";
    ASSERT_EQ(::mkdir((folder / "folder").c_str(), 0755), 0);
    const std::string full = folder.DeviceNode("full", 7);
    const std::string bytes = Pattern(1000);
    const std::tuple<std::string, rlim_t, std::string> rows[] = {
        // path, file-size limit, reason
        {fresh, 0, std::strerror(EFBIG)},
        {old, 10, std::strerror(EFBIG)},  // a short write first, then the error
        {folder / "folder", RLIM_INFINITY, std::strerror(EISDIR)},
        {folder / "none/new.txt", RLIM_INFINITY, std::strerror(ENOENT)},
        {full, RLIM_INFINITY, std::strerror(ENOSPC)},
    };
    for (const auto& [path, limit, reason] : rows) {
        SCOPED_TRACE(path + " under " + std::to_string(limit));
        if (path.empty()) {
            continue;  // no device of our own to fill
        }
        WriteFile(old, "previous\n");
        ::chmod(old.c_str(), 0640);
        const std::set<std::string> before = folder.Names();
        EXPECT_EQ(UnderFileSizeLimit(limit, [&] { return WriteWhole(path, bytes); }), reason);
        EXPECT_EQ(ReadFile(old), "previous\n");
        EXPECT_EQ(ModeOf(old), S_IFREG | 0640);
        EXPECT_EQ(folder.Names(), before);
    }
    EXPECT_TRUE(full.empty() || S_ISCHR(ModeOf(full)));
}

}  // namespace
}  // namespace quirvane::testing
