// quirvane-encode's structured append, GS1 and FNC1 symbols, as zbarimg
// reads them: all parts in one picture give back the whole text and one
// alone gives nothing; GS1 and AIM symbols say so; every refusal exits with
// its status and one line.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/cli/tool_run.h"
#include "tests/support/rasterise.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

// Three times what version 40-L holds (2,953 bytes), in ASCII and in kanji.
const std::string kLongAscii = Repeat("The quick brown fox jumps over the lazy dog. ", 200);
const std::string kLongJapanese = Repeat("構造的連接で長いテキストを分けます。", 300);

TEST(ToolParts, AllPartsInOnePictureReadAsTheWholeText) {
    ScratchFolder folder;
    for (const std::string& text : {kLongAscii, kLongJapanese}) {
        const ProcessRun run =
            RunTool({"-S", "--layout", "row", "--check", "-o", folder / "row.png"}, text);
        EXPECT_EQ(std::tuple(run.exitCode, run.err.ends_with("read back: yes\n")),
                  std::tuple(0, true))
            << run.err;
        EXPECT_EQ(ZbarRead(folder / "row.png", Zbar::Text), text);
    }
    // The vector rows as the programs that consume them draw them.
    const std::pair<VectorFormat, std::string> vectors[] = {
        {VectorFormat::Svg, "svg"}, {VectorFormat::Pdf, "pdf"}, {VectorFormat::Eps, "eps"}};
    for (const auto& [format, type] : vectors) {
        const std::string file = folder / ("row." + type);
        EXPECT_EQ(RunTool({"-S", "--layout", "row", "-o", file}, kLongAscii).exitCode, 0);
        EXPECT_EQ(Rasterise(format, ReadFile(file), {.quietZoneModules = 4}, 144, Raster::Grey,
                            QString::fromStdString(folder.Path()),
                            QString::fromStdString(folder / "drawn.png")),
                  "");
        EXPECT_EQ(ZbarRead(folder / "drawn.png", Zbar::Text), kLongAscii) << type;
    }
    const ProcessRun files = RunTool({"--parts", "11", "-o", folder / "p-{part}.png"}, kLongAscii);
    EXPECT_EQ(files.exitCode, 0) << files.err;
    EXPECT_EQ(NamesIn(folder.Path()).count("p-01.png") + NamesIn(folder.Path()).count("p-11.png"),
              2u);
    EXPECT_TRUE(ZbarRead(folder / "p-01.png").starts_with("(zbarimg read nothing"));
}

TEST(ToolParts, Gs1AndAimSymbolsReadAsSuch) {
    const std::string element =
        "0109501101530003"
        "17251231"
        "10ABC123\x1d"
        "21X%";
    // clang-format off
    const std::tuple<Args, std::string, std::string, std::string> rows[] = {
        // options, standard input, zbar's modifier, its bytes
        {{"--gs1", "(01)09501101530003(17)251231(10)ABC123(21)X%"}, "", "GS1", element},
        {{"--gs1=(01)09501101530003(17)251231(10)ABC123(21)X%"}, "", "GS1", element},
        {{"--gs1"}, element + "\n", "GS1", element},
        {{"--fnc1-aim", "a", "HELLO 123"}, "", "AIM", "aHELLO 123"},
        {{"--fnc1-aim", "37", "x"}, "", "AIM", "37x"}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, input, modifier, bytes] : rows) {
        Args args = {"--check", "-o", folder / "s.png"};
        args.insert(args.end(), options.begin(), options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProcessRun run = RunTool(args, input);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(ZbarRead(folder / "s.png", Zbar::Xml).find("modifiers='" + modifier + "'"),
                  std::string::npos);
        EXPECT_EQ(ZbarRead(folder / "s.png"), bytes);
    }
}

TEST(ToolParts, RefusalsSayWhy) {
    // clang-format off
    const std::tuple<Args, int, std::string> rows[] = {
        {{"-S", "-v", "5", "--layout", "row"}, 1,
         "the text needs 87 symbols of version 5-L, and structured append joins at most 16"},
        {{"--parts", "2", "--layout", "row"}, 1,
         "the text needs 4 symbols of version 40-L, more than --parts 2"},
        {{"--parts", "17"}, 2, "--parts: '17' is not accepted; use 2 to 16"},
        {{"-S", "--batch", "-"}, 2, "-S and --batch do not go together"},
        {{"-S"}, 2, "-S writes one file per part: put {part} in --output's name, such as "
                    "'label-{part}.png', or give --layout row"},
        {{"-S", "--layout", "row", "-t", "txt"}, 2,
         "--layout row draws png, svg, eps or pdf; for text, write one file per part with {part}"},
        {{"-S", "-k", "-o", "{part}.png"}, 2, "-S makes its symbols in automatic mode: --mode, -8, "
                                             "-k, --encoding and --eci do not go with it"},
        {{"--gs1", "--fnc1-aim", "a"}, 2, "--gs1 and --fnc1-aim do not go together"},
        {{"--fnc1-aim", "abc"}, 2, "--fnc1-aim: 'abc' is not accepted; use a letter or two digits, "
                                  "such as 37"},
        {{"--gs1=(01)09501101530004"}, 1,
         "--gs1: AI (01): the check digit, character 18, is wrong: it should be 3"},
        {{"--gs1=(17)251341"}, 1, "--gs1: AI (17): '251341', from character 5, is not a date "
                                  "(YYMMDD, DD 00 for a whole month)"},
        {{"--gs1=(23)1"}, 1, "--gs1: character 1: (23) is not an Application Identifier GS1 "
                             "defines"},
        {{"--gs1=(10)AB~"}, 1, "--gs1: AI (10): character 7, '~' (U+007E), may not stand there: "
                               "its data is digits only, or GS1's 82 characters"}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, exit, message] : rows) {
        Args args = {"-o", folder / "x.png"};
        args.insert(args.end(), options.begin(), options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProcessRun run = RunTool(args, kLongAscii);
        EXPECT_EQ(std::tuple(run.exitCode, run.err),
                  std::tuple(exit, "quirvane-encode: " + message + "\n"));
        EXPECT_EQ(folder.Names(), std::set<std::string>{});
    }
}

}  // namespace
}  // namespace quirvane::testing
