// quirvane-encode's batches: each line its own symbol, decision and safe name,
// nothing written when names collide or hit the input, the final name never
// followed, clean ends on a signal or a thread that cannot start, flat memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <tuple>
#include <unistd.h>

#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

// One file's lines, decided on one by one: UTF-8, Shift_JIS (あ), or
// refused without stopping the others; folders made as needed.
TEST(ToolBatch, EachLineIsItsOwnSymbolAndItsOwnName) {
    const std::string longLine = Repeat("東", 300);  // 249 bytes of it fit beside ".png"
    // clang-format off
    const std::pair<std::string, std::string> lines[] = {  // a line, its name ("" when refused)
        {"こんにちは", "こんにちは"}, {"café", "café"}, {"plain", "plain"}, {"\x82\xa0", "あ"},
        {".hidden", "_hidden"}, {"../x", "_._x"}, {"..", "_."}, {"a\x01/b\\c", "a__b_c"},
        {"\x80\x80", ""}, {"", ""}, {"a\xef\xbb\xbf", "a\xef\xbb\xbf"},
        {longLine, Repeat("東", 83)}};
    // clang-format on
    ScratchFolder in, out;
    std::string file;
    std::set<std::string> names;
    for (const auto& [line, name] : lines) {
        file += line + "\r\n";
        if (!name.empty()) {
            names.insert(name + ".png");
        }
    }
    WriteFile(in / "lines.txt", file);
    const ProcessRun run =
        RunTool({"--batch", in / "lines.txt", "-j", "2", "-o", out / "a/b/{text}.png"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "quirvane-encode: line 9: the text is neither UTF-8 nor Shift_JIS; --encoding "
              "bytes takes it byte for byte\nquirvane-encode: 10 made, 1 refused, 0 failed\n");
    EXPECT_EQ(NamesIn(out / "a/b"), names);
    for (const auto& [line, name] : lines) {
        const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return c > 0; });
        if (!name.empty() && line != longLine) {
            EXPECT_EQ(ZbarRead(out / ("a/b/" + name + ".png"), ascii ? Zbar::Bytes : Zbar::Text),
                      name == "あ" ? name : line);
        }
    }
}

TEST(ToolBatch, NamesThatCannotBeWrittenStopTheBatchFirst) {
    ScratchFolder in, out;
    // clang-format off
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"same\nother\nsame\nsame\n", out / "{text}.png",
         "lines 1 and 3 would both be written to '" + out / "same.png" + "'"},
        {"a/b\nx\na_b\nx\n", out / "{text}.svg",
         "lines 1 and 3 would both be written to '" + out / "a_b.svg" + "'"},
        {"one\ntwo\n", out / "fixed.png", "a batch of several lines needs {n} or {text} in the name"},
        {"x\nlines\n", in / "{text}.txt", "line 2 would be written to '" + in / "lines.txt" +
                                          "', the batch's own input"},
        {"x\nlines.txt\n", in / "{text}", (in / "{text}").insert(0, 1, '\'') + "' does not end in "
                                          "an extension the tool writes; use .png, .svg, .eps, "
                                          ".pdf or .txt, or give -t"}};
    // clang-format on
    for (const auto& [file, pattern, message] : rows) {
        SCOPED_TRACE(pattern + " " + file);
        WriteFile(in / "lines.txt", file);
        const ProcessRun run = RunTool({"--batch", in / "lines.txt", "-o", pattern});
        EXPECT_EQ(std::tuple(run.exitCode, run.err),
                  std::tuple(2, "quirvane-encode: --output: " + message + "\n"));
        EXPECT_EQ(out.Names(), std::set<std::string>{});
        EXPECT_EQ(ReadFile(in / "lines.txt"), file);
    }
}

// A link at a name is replaced, not followed; a FIFO there fails its line at
// once; two names that are one file through a folder link are found out.
TEST(ToolBatch, TheFinalNameIsNeverFollowedNorOpened) {
    ScratchFolder in, out, elsewhere;
    WriteFile(elsewhere / "target", "keep\n");
    ASSERT_EQ(::symlink((elsewhere / "target").c_str(), (out / "evil.png").c_str()), 0);
    ASSERT_EQ(::mkfifo((out / "fifo.png").c_str(), 0644), 0);
    WriteFile(in / "lines.txt", "evil\nfifo\nplain\n");
    const ProcessRun run = RunTool({"--batch", in / "lines.txt", "-o", out / "{text}.png"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "quirvane-encode: line 2: --output: cannot write '" + out / "fifo.png" +
                           "': it is a FIFO (named pipe); a batch writes only files\n"
                           "quirvane-encode: 2 made, 0 refused, 1 failed\n");
    EXPECT_EQ(ReadFile(elsewhere / "target"), "keep\n");
    EXPECT_TRUE(S_ISREG(ModeOf(out / "evil.png")));
    EXPECT_EQ(ZbarRead(out / "evil.png"), "evil");

    std::filesystem::create_directory(out / "a");
    ASSERT_EQ(::symlink("a", (out / "b").c_str()), 0);
    WriteFile(in / "lines.txt", "a\nb\n");
    const ProcessRun aliased =
        RunTool({"--batch", in / "lines.txt", "-j", "1", "-o", out / "{text}/q.png"});
    EXPECT_EQ(
        std::tuple(aliased.exitCode, aliased.err),
        std::tuple(2, "quirvane-encode: --output: lines 1 and 2 were written to one file, '" +
                          out / "a/q.png" + "'\nquirvane-encode: 1 made, 0 refused, 1 failed\n"));
}

// A signal stops the workers between files: the program ends by it with
// every file named whole and no temporary file. More workers than cores are
// not started; one that cannot start is a message. A failed rename keeps
// the old file and fails its line alone.
TEST(ToolBatch, ABatchEndsCleanlyWhateverStopsIt) {
    ScratchFolder in;
    WriteFile(in / "lines.txt", Repeat("line\n", 300));
    const auto batch = [&](const ScratchFolder& out, const char* jobs, const Args& environment) {
        return ToolLaunch({"--batch", in / "lines.txt", "-j", jobs, "-o", out / "q{n}.png"}, {},
                          environment);
    };
    for (const int signal : {SIGINT, SIGTERM}) {
        ScratchFolder out;
        const ProcessRun run =
            RunProcess(batch(out, "1", FaultEnvironment("write:50:-" + std::to_string(signal))));
        EXPECT_EQ(run.signal, signal);
        const std::set<std::string> names = out.Names();
        EXPECT_EQ(names.size(), 50u);  // the fiftieth finished, nothing after
        EXPECT_EQ(*names.rbegin(), "q050.png");
        EXPECT_EQ(ZbarRead(out / "q050.png"), "line");
    }
    ScratchFolder many;
    EXPECT_EQ(RunProcess(batch(many, "1024", {})).exitCode, 0);
    EXPECT_EQ(many.Names().size(), 300u);
    ScratchFolder none;
    ProcessSpec unstarted = batch(none, "2", {});
    unstarted.args.insert(unstarted.args.begin(),
                          {"/bin/sh", "-c", "ulimit -s 4294967296; exec \"$@\"", "sh"});
    const ProcessRun refused = RunProcess(unstarted);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.starts_with("quirvane-encode: --jobs: cannot start a thread: "))
        << refused.err;

    ScratchFolder out;
    WriteFile(in / "lines.txt", "a\nb\n\nc\n");
    WriteFile(out / "q2.png", "old bytes\n");
    const ProcessRun failing =
        RunProcess(batch(out, "1", FaultEnvironment("rename:2:" + std::to_string(EIO))));
    EXPECT_EQ(failing.exitCode, 2);
    EXPECT_EQ(failing.err, "quirvane-encode: line 2: --output: cannot write '" + out / "q2.png" +
                               "': " + std::strerror(EIO) +
                               "\nquirvane-encode: 2 made, 0 refused, 1 failed\n");
    EXPECT_EQ(ReadFile(out / "q2.png"), "old bytes\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"q1.png", "q2.png", "q4.png"}));
    // A write-back error at the end names the file it hit, found by syncing
    // each file once the file system's sync has failed.
    const ProcessRun unsynced = RunProcess(
        batch(out, "1", FaultEnvironment("syncfs:1:" + std::to_string(EIO) + ",fdatasync:2:5")));
    EXPECT_EQ(std::tuple(unsynced.exitCode, unsynced.err),
              std::tuple(2, "quirvane-encode: line 2: --output: cannot write '" + out / "q2.png" +
                                "': " + std::strerror(EIO) +
                                "\nquirvane-encode: 2 made, 0 refused, 1 failed\n"));
}

// The batch file is streamed: 16 MiB of line feeds cost no more memory
// than one symbol; on a terminal a bar counts the lines, ending full.
TEST(ToolBatch, MemoryStaysFlatAndTheBarEndsFull) {
    ScratchFolder in, out;
    WriteFile(in / "feeds.txt", std::string(16 << 20, '\n') + "last\n");
    const long baseline = RunTool({"hi"}).maxResidentKiB;
    const ProcessRun run = RunTool({"--batch", in / "feeds.txt", "-o", out / "{n}.txt"});
    EXPECT_EQ(std::tuple(run.exitCode, run.err), std::tuple(0, ""));
    EXPECT_LE(run.maxResidentKiB, baseline + 8 * 1024);
    EXPECT_EQ(out.Names(), std::set<std::string>{"16777217.txt"});

    WriteFile(in / "lines.txt", Repeat("x\n", 20));
    ProcessSpec shown = ToolLaunch({"--batch", in / "lines.txt", "-o", out / "q{n}.svg"});
    shown.onTerminal = true;
    const ProcessRun bar = RunProcess(shown);
    EXPECT_EQ(bar.exitCode, 0);
    EXPECT_TRUE(
        std::regex_match(bar.out, std::regex("(\r\\[=* *\\] [0-9]+/20)*\r\\[={40}\\] 20/20\n")))
        << bar.out;
}

}  // namespace
}  // namespace quirvane::testing
