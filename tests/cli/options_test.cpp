// quirvane-encode's command line as users of the common QR tool type it: the
// encoder's symbol drawn as asked; a bad option exits 2 with one line and
// writes nothing; --help is read by bash-completion and help2man.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "cli/option_table.h"
#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"

namespace quirvane::testing {
namespace {

constexpr char kUrl[] = "https://example.com/a/path/long/enough/for/version/four?q=1";

TEST(ToolOptions, EachLineMakesTheSymbolItAsksFor) {
    using enum OutputFormat;
    using L = Level;
    const DrawingOptions plain{.quietZoneModules = 4};
    // clang-format off
    const std::tuple<Args, std::string, Request, OutputFormat, DrawingOptions> rows[] = {
        {{"-s", "8", "-m", "4", "-v", "3", "-l", "h", "-t", "svg"}, kUrl,
         {.level = L::H, .minVersion = 3}, Svg, {.moduleWidth = 8, .quietZoneModules = 4}},
        {{"-lH"}, kUrl, {.level = L::H}, Text, plain},
        {{"--level=m", "-t", "TXT"}, kUrl, {.level = L::M}, Text, plain},
        {{"--size=8", "--foreground", "1e4e79", "-t", "png"}, kUrl, {}, Png,
         {.moduleWidth = 8, .quietZoneModules = 4, .dark = {0x1E, 0x4E, 0x79}}},
        {{"-w", "3", "--color", "#FF0000", "--background", "255,255,204", "-f", "png"}, kUrl, {},
         Png, {.moduleWidth = 3, .quietZoneModules = 4, .dark = {255, 0, 0},
               .background = {255, 255, 204}}},
        {{"--margin", "0", "-s", "1", "--background", "00ff00", "-t", "PNG"}, "a", {}, Png,
         {.moduleWidth = 1, .quietZoneModules = 0, .background = {0, 255, 0}}},
        {{"--background", "ffffcc00", "-d", "300", "--type", "png"}, "a", {}, Png,
         {.quietZoneModules = 4, .dpi = 300, .transparentBackground = true,
          .background = {255, 255, 204}}},
        {{"-v", "1"}, kUrl, {}, Text, plain},  // grows to version 4
        {{"--symbol-version", "2"}, kUrl, {.minVersion = 2}, Text, plain},
        {{"--symversion=6", "--max-version", "7"}, "a", {.minVersion = 6, .maxVersion = 7}, Text,
         plain},
        {{"-v", "2", "--strict-version"}, "a", {.version = 2}, Text, plain},
        {{"--mode", "byte", "-v", "2", "--mask", "5", "--cut"}, kUrl,
         {.mode = Mode::Byte, .version = 2, .cutToFit = true, .mask = 5}, Text, plain},
        {{"-8"}, "東京", {.mode = Mode::Byte}, Text, plain},  // as code page 932, below
        {{"-k"}, "東京", {.mode = Mode::Kanji}, Text, plain},
        {{"--mode", "NUMERIC", "--mask", "auto"}, "0123", {.mode = Mode::Numeric}, Text, plain},
        {{"--", "-v"}, "", {}, Text, plain}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, text, request, format, drawing] : rows) {
        Args args = {"-o", folder / "out"};
        args.insert(args.end(), options.begin(), options.end());
        if (!text.empty()) {
            args.push_back(text);
        }
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProcessRun run = RunTool(args);
        // 1-pixel modules and no quiet zone are warned of (check_test.cpp).
        const std::regex warning("quirvane-encode: warning: [^\n]*\n");
        EXPECT_EQ(std::tuple(run.exitCode, std::regex_replace(run.err, warning, "")),
                  std::tuple(0, ""));
        const std::string bytes = request.mode == Mode::Byte && text == "東京"
                                      ? "\x93\x8C\x8B\x9E"
                                      : (text.empty() ? "-v" : text);
        EXPECT_TRUE(ReadFile(folder / "out") == Expected(bytes, request, format, drawing));
    }
}

TEST(ToolOptions, ABadOptionExitsTwoWithOneLineAndWritesNothing) {
    // clang-format off
    const std::pair<Args, std::string> rows[] = {
        {{"-size", "3"}, "unknown option '-size'; did you mean --size?"},
        {{"--verb"}, "unknown option '--verb'; did you mean --verbose?"},
        {{"-X"}, "unknown option '-X'; see --help"},
        {{"--bogus\x1b]0;x\x07"}, "unknown option '--bogus\\x1b]0;x\\x07'; see --help"},
        {{"-lX"}, "-l: 'X' is not accepted; use L, M, Q or H"},
        {{"--margin", "101"}, "--margin: '101' is not accepted; use 0 to 100"},
        {{"-v", "41"}, "-v: '41' is not accepted; use 1 to 40, or auto"},
        {{"-c", "#1e4e7980"}, "-c: '#1e4e7980' is not accepted; use R,G,B (each 0 to 255) or "
                              "RRGGBB in hex, such as 1e4e79"},
        {{"--background", "ffffff80"}, "--background: 'ffffff80' is not accepted; use R,G,B, "
                                       "RRGGBB, RRGGBB00 or RRGGBBff in hex, or transparent"},
        {{"-t", "jpg"}, "-t: 'jpg' is not accepted; use png, svg, eps, pdf, txt or terminal"},
        {{"--verbose=1"}, "--verbose takes no value"},
        {{"-l"}, "-l needs a value; see --help"},
        {{"--cut"}, "--cut needs -v N, the version to make"},
        {{"-v", "3", "--strict-version", "--cut"}, "--strict-version and --cut do not go together"},
        {{"-v", "3", "--cut", "--max-version", "5"},
         "--max-version bounds a version that grows, not one made exactly with --cut"},
        {{"--eci", "-k"}, "--eci applies to --mode byte"},
        {{"-j", "2"}, "--jobs applies to --batch"},
        {{"second"}, "more than one text given: quote the text, or use --input FILE"},
        {{"-s", "56", "-v", "40", "--strict-version"},
         "--module-width: the PNG would be 10360 pixels a side, more than 10000; use a smaller "
         "--module-width or --quiet-zone, or svg, eps or pdf"}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, message] : rows) {
        Args args = {"-o", folder / "new.png", "A"};
        args.insert(args.end(), options.begin(), options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProcessRun run = RunTool(args);
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out),
                  std::tuple(2, "quirvane-encode: " + message + "\n", ""));
        EXPECT_EQ(folder.Names(), std::set<std::string>{});
    }
}

// bash-completion offers what its _parse_help reads in --help: every long
// name of the table; help2man takes the usage lines that start with "or:".
TEST(ToolOptions, HelpIsReadByBashCompletionAndHelp2man) {
    const ProcessRun help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.find("Usage: quirvane-encode [OPTION]... [--] TEXT\n  or:  "), 0u);
    ProcessSpec parse;
    parse.args = {"/bin/bash", "-c",
                  "source /usr/share/bash-completion/bash_completion && _parse_help \"$0\"",
                  QUIRVANE_ENCODE_PATH};
    std::istringstream lines(RunProcess(parse).out);
    std::set<std::string> offered, table;
    for (std::string line; std::getline(lines, line);) {
        offered.insert(line);
    }
    for (const OptionEntry& entry : Options()) {
        table.insert("--" + std::string(entry.name));
    }
    EXPECT_EQ(offered, table);
}

}  // namespace
}  // namespace quirvane::testing
