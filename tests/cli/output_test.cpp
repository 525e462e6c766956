// Where quirvane-encode writes and how it fails: a file whole or not at all
// whatever fails or comes, descriptors and devices written where they stand,
// a closed pipe reported, and the largest PNG in little memory.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

// A failure at each step of the replacement, or a signal in the middle of
// it: the old file and its mode kept, no temporary file.
TEST(ToolOutput, AFileIsReplacedWholeOrNotAtAll) {
    const auto error = [](int e) { return ": " + std::string(std::strerror(e)) + "\n"; };
    // clang-format off
    const std::tuple<std::string, rlim_t, int, std::string> rows[] = {
        // fault, file-size limit, exit status or -signal, message after the file name
        {"write:1:" + std::to_string(ENOSPC), RLIM_INFINITY, 2, error(ENOSPC)},
        {"fdatasync:1:" + std::to_string(EIO), RLIM_INFINITY, 2, error(EIO)},
        {"close:1:" + std::to_string(EIO), RLIM_INFINITY, 2, error(EIO)},
        {"rename:1:" + std::to_string(EIO), RLIM_INFINITY, 2, error(EIO)},
        {"", 0, 2, error(EFBIG)},  // not one byte may be written (SIGXFSZ ignored)
        {"write:1:-" + std::to_string(SIGTERM), RLIM_INFINITY, -SIGTERM, ""},
        {"write:1:-" + std::to_string(SIGINT), RLIM_INFINITY, -SIGINT, ""}};
    // clang-format on
    for (const auto& [fault, fileSize, exit, message] : rows) {
        ScratchFolder folder;
        const std::string keep = folder / "keep.png";
        WriteFile(keep, "old bytes\n");
        ::chmod(keep.c_str(), 0640);
        SCOPED_TRACE(fault + " limit " + std::to_string(fileSize));
        ProcessSpec launch = ToolLaunch({"-o", keep, "-s", "20", "hi"}, {},
                                        fault.empty() ? Args{} : FaultEnvironment(fault));
        launch.fileSizeLimit = fileSize;
        const ProcessRun run = RunProcess(launch);
        EXPECT_EQ(exit < 0 ? -run.signal : run.exitCode, exit);
        EXPECT_EQ(run.err, message.empty() ? ""
                                           : "quirvane-encode: --output: cannot write '" + keep +
                                                 "'" + message);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"keep.png"});
        // A signal waits until the file is whole and in place.
        EXPECT_EQ(ReadFile(keep), exit == 2 ? "old bytes\n"
                                            : Expected("hi", {}, OutputFormat::Png,
                                                       {.moduleWidth = 20, .quietZoneModules = 4}));
        EXPECT_EQ(ModeOf(keep), S_IFREG | 0640);
    }
}

// Names of a descriptor are written in place: `2>>log` keeps what it held.
// A FIFO or a device is written where it is and stays what it was. "-" is
// standard output; a full or closed one exits 2 and says so.
TEST(ToolOutput, DescriptorsFifosAndDevicesAreWrittenWhereTheyStand) {
    ScratchFolder folder;
    const std::string log = folder / "log.txt", text = Expected("hi", {}, OutputFormat::Text);
    for (const char* name : {"/dev/stderr", "/dev/fd/2", "/proc/self/fd/2"}) {
        WriteFile(log, "earlier\n");
        EXPECT_EQ(
            RunProcess(ShellLaunch("exec \"$0\" -o \"$1\" hi 2>>\"$2\"", {name, log})).exitCode, 0);
        EXPECT_EQ(ReadFile(log), "earlier\n" + text) << name;
    }
    const std::string fifo = folder / "fifo", null = folder.DeviceNode("null", 3);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0640), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_EQ(RunTool({"-o", fifo, "-t", "txt", "hi"}).exitCode, 0);  // fits in its buffer
    std::string received(text.size() + 1, '\0');
    received.resize(static_cast<std::size_t>(
        std::max<ssize_t>(0, ::read(reader, received.data(), received.size()))));
    ::close(reader);
    EXPECT_EQ(std::tuple(received, ModeOf(fifo)), std::tuple(text, S_IFIFO | 0640));
    EXPECT_TRUE(null.empty() ||
                (RunTool({"-o", null, "hi"}).exitCode == 0 && S_ISCHR(ModeOf(null))));
    const std::string full = ": cannot write to standard output: No space left on device\n";
    const std::tuple<Args, std::string, std::string> rows[] = {
        {{"-o", "/dev/stdout", "hi"}, folder / "out.txt", ""},
        {{"--help"}, "/dev/full", "--help" + full},
        {{"-t", "png", "hi"}, "/dev/full", "--output" + full}};
    for (const auto& [args, output, error] : rows) {
        ProcessSpec launch = ToolLaunch(args);
        launch.outputFile = output;
        const ProcessRun run = RunProcess(launch);
        EXPECT_EQ(run.err, error.empty() ? "" : "quirvane-encode: " + error);
        EXPECT_TRUE(error.empty() || run.exitCode == 2);
    }
    EXPECT_EQ(ReadFile(folder / "out.txt"), text);
    // A pipe whose reader has gone: EPIPE, not a silent death by SIGPIPE.
    const ProcessRun run = RunProcess(ShellLaunch(
        "exec perl -e 'pipe(R, W); close R; open(STDOUT, \">&W\"); exec @ARGV' \"$0\" -t txt hi",
        {}));
    EXPECT_EQ(std::tuple(run.exitCode, run.err),
              std::tuple(2, "quirvane-encode: --output: cannot write to standard output: " +
                                std::string(std::strerror(EPIPE)) + "\n"));
}

// Temporary names left by an earlier process with the same ID are passed
// over, and when all are taken the message says so, not "File exists".
TEST(ToolOutput, TakenTemporaryNamesAreNamedAsTheCause) {
    for (const int taken : {3, 100}) {
        ScratchFolder folder;
        const ProcessRun run = RunProcess(
            ShellLaunch("i=0; while [ $i -lt $2 ]; do : >\"$1/.quirvane-$$-$i.tmp\"; i=$((i+1)); "
                        "done; exec \"$0\" -o \"$1/out.txt\" hi",
                        {folder.Path(), std::to_string(taken)}));
        const std::string cause = "quirvane-encode: --output: cannot write '" + folder / "out.txt" +
                                  "': no free name for a temporary file in its folder: the 100 "
                                  "names .quirvane-";
        EXPECT_EQ(run.exitCode, taken == 100 ? 2 : 0);
        EXPECT_TRUE(taken == 100 ? run.err.starts_with(cause) : run.err.empty()) << run.err;
        EXPECT_EQ(folder.Names().size(), static_cast<std::size_t>(taken + (taken == 100 ? 0 : 1)));
    }
}

// A version 40 symbol 9,912 pixels a side at 1 bit a pixel: a few MiB where
// a whole RGB image took 400 MB. It still scans, drawn smaller.
TEST(ToolOutput, TheLargestPngIsWrittenRowByRow) {
    ScratchFolder folder;
    const long baseline = RunTool({"hi"}).maxResidentKiB;
    const ProcessRun large = RunTool(
        {"-v", "40", "--strict-version", "-s", "56", "-m", "0", "-o", folder / "big.png", "hi"});
    EXPECT_EQ(large.exitCode, 0) << large.err;
    EXPECT_LE(large.maxResidentKiB, baseline + 32 * 1024);
    const std::string png = ReadFile(folder / "big.png");
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(std::tuple(png[24], png[25]), std::tuple('\1', '\3'));  // 1 bit, palette
    EXPECT_EQ(RunTool({"-v", "40", "--strict-version", "-o", folder / "small.png", "hi"}).exitCode,
              0);
    EXPECT_EQ(ZbarRead(folder / "small.png"), "hi");
}

}  // namespace
}  // namespace quirvane::testing
