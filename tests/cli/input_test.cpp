// Where quirvane-encode takes its text from and what it makes of it: an
// argument, a file or standard input, one final line feed left out, every
// character kept (U+FEFF too), read in bounded memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <unistd.h>

#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"
#include "text/file_bytes.h"

namespace quirvane::testing {
namespace {

constexpr char kFeff[] = "\xEF\xBB\xBF";

TEST(ToolInput, TheTextIsTheArgumentTheFileOrStandardInput) {
    const Request byte{.mode = Mode::Byte};
    // clang-format off
    const std::tuple<Args, std::string, std::string, Request> rows[] = {
        // options and text, standard input, what is encoded
        {{}, "https://example.com/\n", "https://example.com/", {}},
        {{}, "a\r\n", "a", {}},
        {{"-r", "-"}, "AB\nCD\r\nEF\r\n\r\n", "AB\nCD\r\nEF\r\n", {}},
        {{"--input", "/dev/stdin", "--crlf"}, "AB\nCD\n", "AB\r\nCD\r\n", {}},
        {{"--crlf", "--", "A\nB"}, "", "A\r\nB", {}},
        {{std::string("a") + kFeff + "b"}, "", std::string("a") + kFeff + "b", {}},
        {{}, kFeff, kFeff, {}},
        {{"-8", "-r", "-"}, std::string(kFeff) + "x\n", std::string(kFeff) + "x", byte},
        {{"-i", "-"}, "\x93\x8C\x8B\x9E\x93\x73\n\xB6\xC0\x87\x40\n",  // code page 932
         "東京都\nｶﾀ①", {}},
        {{"--encoding", "bytes", "-r", "-"}, "\xFF\xFE\n", "\xFF\xFE", byte}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, input, text, request] : rows) {
        Args args = {"-o", folder / "out.txt"};
        args.insert(args.end(), options.begin(), options.end());
        SCOPED_TRACE(::testing::PrintToString(args) + " < " + ::testing::PrintToString(input));
        const ProcessRun run = RunTool(args, input);
        EXPECT_EQ(std::tuple(run.exitCode, run.err), std::tuple(0, ""));
        EXPECT_EQ(ReadFile(folder / "out.txt"), Expected(text, request, OutputFormat::Text));
    }
}

// Anything longer than kMaxInputBytes is refused after one byte more, in
// bounded memory; when memory runs out, the tool says so.
TEST(ToolInput, InputIsReadUpToTheLimitInBoundedMemory) {
    ScratchFolder folder;
    const std::string exact = folder / "in-\xff.bin", over = folder / "over.bin";
    WriteFile(exact, "");
    WriteFile(over, "");
    ASSERT_EQ(::truncate(exact.c_str(), kMaxInputBytes), 0);
    ASSERT_EQ(::truncate(over.c_str(), kMaxInputBytes + 1), 0);
    const long bound = RunTool({"hi"}).maxResidentKiB + 4 * static_cast<long>(kMaxInputBytes >> 10);
    const std::string refused = ": longer than 16 MiB (16777216 bytes), the most that is read\n";
    const std::tuple<Args, bool, int, std::string> rows[] = {
        {{"-r", "/dev/zero"}, false, 2, "'/dev/zero'" + refused},
        {{"-r", "-"}, true, 2, "standard input" + refused},
        {{"-r", over}, false, 2, "'" + over + "'" + refused},
        {{"-8", "--encoding", "bytes", "-v", "40", "--cut", "-r", exact}, false, 0, ""}};
    for (const auto& [args, endless, exit, message] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        ProcessSpec launch = ToolLaunch(args, std::string(65536, 'y'));
        launch.endlessInput = endless;
        launch.args.insert(launch.args.end(), {"-o", folder / "out.txt"});
        const ProcessRun run = RunProcess(launch);
        EXPECT_EQ(run.err,
                  message.empty() ? "" : "quirvane-encode: --input: cannot read " + message);
        EXPECT_EQ(run.exitCode, exit);
        EXPECT_LE(run.maxResidentKiB, bound);
    }
    if (QUIRVANE_SANITIZED) {
        return;  // the sanitizers reserve address space of their own
    }
    // The least address space the tool starts in, by halving; then a 16 MiB
    // input cannot be held twice over.
    rlim_t low = rlim_t{8} << 20, high = rlim_t{1} << 30;
    while (high - low > (rlim_t{1} << 20)) {
        ProcessSpec probe = ToolLaunch({"hi"});
        probe.addressSpaceLimit = (low + high) / 2;
        (RunProcess(probe).exitCode == 0 ? high : low) = probe.addressSpaceLimit;
    }
    ProcessSpec tight =
        ToolLaunch({"-8", "-v", "40", "--cut", "-o", folder / "o.txt", "-r", exact});
    tight.addressSpaceLimit = high + (rlim_t{24} << 20);
    const ProcessRun starved = RunProcess(tight);
    EXPECT_EQ(starved.exitCode, 2);
    EXPECT_NE(starved.err.find("memory\n"), std::string::npos) << starved.err;
}

}  // namespace
}  // namespace quirvane::testing
