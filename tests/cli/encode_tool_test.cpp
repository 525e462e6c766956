// quirvane-encode as a user or a script meets it: exit statuses, messages,
// the text format, input from a file or standard input, output formats, and
// never a partial or clobbered output file.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <tuple>

#include "cli/symbol_output.h"
#include "tests/cli/run_tool.h"

namespace quirvane::testing {
namespace {

using Args = std::vector<std::string>;
using ::testing::PrintToString;

Args With(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The symbol on stdout as n lines of n '0'/'1', the statistics line on stderr.
// Line breaks read by --input (a file in the round trip), LF or CR LF, become CR LF.
TEST(Tool, SuccessPrintsTheSymbolAsLinesAndTheStatisticsLine) {
    const std::tuple<Args, std::string, Settings, std::string> rows[] = {
        {{"HELLO"}, "", {}, "HELLO"},
        {{"--mode", "numeric", "--symbol-version=2", "--level", "H", "--mask=0", "0123456789"},
         "",
         {kModeNumeric, 2, kLevelH, 0},
         "0123456789"},
        {{"HELLO WORLD", "-m", "alnum", "-s", "40", "-l", "Q", "-k", "7", "-f", "text", "-o", "-"},
         "",
         {kModeAlphanumeric, 40, kLevelQ, 7},
         "HELLO WORLD"},
        {{"--level", "Q", "--", "-x"}, "", {.level = kLevelQ}, "-x"},
        {{"--input", "-"}, "AB\nCD\r\nEF", {}, "AB\r\nCD\r\nEF"},
        {{"-i", "-"}, "AB\r\nCD\nEF\n", {}, "AB\r\nCD\r\nEF\r\n"},
    };
    auto state = std::make_unique<EncoderState>();
    for (const auto& [args, input, settings, text] : rows) {
        SCOPED_TRACE(PrintToString(args));
        const GenerationResult expected = Encode(*state, settings, text);
        const ToolRun run = RunEncodeTool(args, input);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, std::string(expected.status) + "\n");
        EXPECT_EQ(run.out, Lines(*state));
    }
    const ToolRun help = RunEncodeTool({"--help"}), version = RunEncodeTool({"--version"});
    EXPECT_EQ(std::pair(help.exitCode, version.exitCode), std::pair(0, 0));
    EXPECT_NE(help.out.find("--module-width"), std::string::npos) << help.out;
    EXPECT_NE(version.out.find("40.02"), std::string::npos) << version.out;
}

// Exit 2 for an option, naming it; 1 for a text refused, with the exact
// message. One line on stderr, and no file made, replaced or half written.
TEST(Tool, FailuresExitWithOneLineAndTouchNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkdir("folder"));
    const std::string d = dir.path().toStdString(), old = d + "/old.txt";
    WriteFile(old, "previous\n");
    const std::tuple<Args, int, std::string> rows[] = {
        {{"--symbol-version", "21", "A"}, 2, "--symbol-version"},
        {{"--symbol-version", "0", "A"}, 2, "--symbol-version"},
        {{"-s", "41", "A"}, 2, "--symbol-version"},
        {{"--level", "X", "A"}, 2, "--level"},
        {{"--mask", "8", "A"}, 2, "--mask"},
        {{"--module-width", "3", "A"}, 2, "--module-width"},
        {{"--colour", "300,0,0", "A"}, 2, "--colour"},
        {{"--colour", "1,2", "A"}, 2, "--colour"},
        {{"-c", "a,b,c", "A"}, 2, "--colour"},
        {{"--bogus", "A"}, 2, "--bogus"},
        {{"A", "--level"}, 2, "--level"},
        {{"--input", d + "/missing"}, 2, "--input"},
        {{"--input", d + "/folder"}, 2, "--input"},
        {{"--input", old, "A"}, 2, "--input"},
        {{}, 2, "--input"},
        {{"A", "-o", d + "/none/out.txt"}, 2, "--output"},
        {{"--mode", "numeric", "12a"}, 1, "数字の文字セットのみを選択してください\n"},
        {{"--mode", "alnum", "abc"}, 1, "英数字の文字セットのみを選択してください\n"},
    };
    for (const auto& [args, exit, shows] : rows) {
        for (const std::string& out : {d + "/new.png", old}) {
            SCOPED_TRACE(PrintToString(With({"-o", out}, args)));
            const ToolRun run = RunEncodeTool(With({"-o", out}, args));
            EXPECT_EQ(run.exitCode, exit);
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "not one line: " << run.err;
            EXPECT_TRUE(exit == 1 ? run.err == shows : run.err.find(shows) != std::string::npos)
                << run.err;
            const auto left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
            EXPECT_EQ(left.join(' ').toStdString() + run.out, "folder old.txt");
            EXPECT_EQ(ReadFile(old), "previous\n");
        }
    }
}

// The bytes of the format named or implied, at the width and colour given,
// replacing an older, longer file whole.
TEST(Tool, FormatFollowsTheExtensionUnlessGiven) {
    QTemporaryDir dir;
    auto state = std::make_unique<EncoderState>();
    ASSERT_TRUE(Encode(*state, {.version = 3}, "format").Created());
    using enum OutputFormat;
    const std::tuple<std::string, Args, OutputFormat> rows[] = {
        {"-", {}, Text},
        {"out.png", {}, Png},
        {"OUT.PNG", {}, Png},
        {"out.svg", {}, Svg},
        {"out.txt", {}, Text},
        {"out.txt", {"-f", "png"}, Png},
        {"out.png", {"--format", "text"}, Text},
        {"-", {"--format=svg"}, Svg}};
    for (const auto& [file, format, expected] : rows) {
        const std::string path = file == "-" ? "-" : dir.filePath(file.c_str()).toStdString();
        SCOPED_TRACE(PrintToString(With({path}, format)));
        if (path != "-")
            WriteFile(path, std::string(5000, 'x'));
        const ToolRun run = RunEncodeTool(
            With({"format", "-s", "3", "-w", "1", "-c", "255,0,0", "-o", path}, format));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(path == "-" ? run.out : run.out + ReadFile(path),
                  SymbolAsBytes(ViewOf(*state), expected, 1, {255, 0, 0}));
    }
}

}  // namespace
}  // namespace quirvane::testing
