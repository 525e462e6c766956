// quirvane-encode speaks one language at a time: English by default,
// Japanese when the first of LC_ALL, LC_MESSAGES and LANG that is set starts
// with "ja". A few runs of each family of messages, in each language.
// (That the Japanese .ts is complete: check_translations.cmake.)
#include <gtest/gtest.h>

#include <tuple>

#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"
#include "text/statistics_line.h"

namespace quirvane::testing {
namespace {

TEST(ToolMessages, EachFamilyInEachLanguage) {
    Encoder encoder;
    const Result hello = encoder.Encode("HELLO");
    const std::string digits = Repeat("7", 3058), mask = std::to_string(hello.symbol.Mask()),
                      quartile = std::to_string(
                          encoder.Encode(digits, {.level = Level::Q}).symbol.Version());
    ScratchFolder out;
    // clang-format off
    const std::tuple<Args, std::string, std::string, std::string> rows[] = {
        {{"--colr", "x", "hi"}, "", "unknown option '--colr'; did you mean --color?",
         "'--colr' というオプションはありません。--color のことですか？"},
        {{"-l", "X", "hi"}, "", "-l: 'X' is not accepted; use L, M, Q or H",
         "-l: 'X' は使えません。L、M、Q、H のどれかを指定してください"},
        {{"-v", "9", "--max-version", "3", "hi"}, "", "-v 9 is above --max-version 3",
         "-v 9 が --max-version 3 を超えています"},
        {{"-r", "/dev/zero"}, "",
         "--input: cannot read '/dev/zero': longer than 16 MiB (16777216 bytes), the most that is "
         "read",
         "--input: '/dev/zero' を読み込めません: 読み込める上限の 16 MiB（16777216 バイト）を超えて"
         "います"},
        {{"-o", "x.jpg", "hi"}, "",
         "--output: 'x.jpg' does not end in an extension the tool writes; use .png, .svg, .eps, "
         ".pdf or .txt, or give -t",
         "--output: 'x.jpg' の拡張子は、このツールが書く形式のものではありません。.png、.svg、"
         ".eps、.pdf、.txt のどれかにするか、-t を指定してください"},
        {{}, "\x80\x80",
         "the text is neither UTF-8 nor Shift_JIS; --encoding bytes takes it byte for byte",
         "テキストが UTF-8 でも Shift_JIS でもありません。--encoding bytes ならバイトのまま使います"},
        {{"--mode", "numeric", "12a"}, "",
         "character 3, 'a' (U+0061), is not a digit: numeric mode writes only 0-9",
         "3 文字目の 'a' (U+0061) は数字ではありません。数字モードで書けるのは 0-9 だけです"},
        {{"-k", "東京①"}, "",
         "character 3, '①' (U+2460), is not a JIS X 0208 character, which Kanji mode writes",
         "3 文字目の '①' (U+2460) は、漢字モードで書ける JIS X 0208 の文字ではありません"},
        {{"-l", "h", digits}, "",
         "the text does not fit: version 40-H holds only the first 3057 of its 3058 characters; "
         "version " + quartile + "-Q would hold it",
         "テキストが入りません: バージョン 40-H に入るのは 3058 文字のうち先頭の 3057 文字だけ"
         "です。バージョン " + quartile + "-Q なら入ります"},
        {{"--batch", "-", "-o", out / "{n}.txt"}, "1\n\x80\n",
         "line 2: the text is neither UTF-8 nor Shift_JIS; --encoding bytes takes it byte for "
         "byte\nquirvane-encode: 1 made, 1 refused, 0 failed",
         "2 行目: テキストが UTF-8 でも Shift_JIS でもありません。--encoding bytes ならバイトの"
         "まま使います\nquirvane-encode: 作成 1、拒否 1、失敗 0"},
        {{"--parts", "3", "-o", out / "{part}.png"}, "ab",
         "the text is too short for 3 symbols, which need a character each; it has 2",
         "テキストが短すぎて 3 個のシンボルにできません。シンボル 1 個に 1 文字以上が必要ですが、"
         "テキストは 2 文字です"},
        {{"--gs1=(01)09501101530004"}, "",
         "--gs1: AI (01): the check digit, character 18, is wrong: it should be 3",
         "--gs1: AI (01): 18 文字目のチェックデジットが違います。正しくは 3 です"},
        {{"--geo", "--latitude", "91", "--longitude", "0"}, "",
         "--latitude: '91' is not accepted; use decimal degrees, -90 to 90",
         "--latitude: '91' は使えません。-90 から 90 までの度（10 進）を指定してください"},
        {{"-s", "1", "-o", out / "w.png", "x"}, "",
         "warning: modules of 1 pixel often do not scan: use -s 2 or more",
         "警告: 1ピクセルでは読み取れない可能性があります。-s 2 以上にしてください"},
        {{"--verbose", "-o", out / "v.txt", "HELLO"}, "",
         "version 1-L, mask " + mask + ", segments: alphanumeric (5 characters)",
         "バージョン 1-L、マスク " + mask + "、セグメント: 英数字（5 文字）"}};
    // clang-format on
    const std::string statistics = StatisticsLine(hello.statistics).toStdString() + "\n";
    const std::pair<Args, bool> languages[] = {{{"LANG=C.UTF-8"}, false},
                                               {{"LANG=ja_JP.UTF-8"}, true},
                                               {{"LC_ALL=C", "LANG=ja_JP.UTF-8"}, false},
                                               {{"LC_MESSAGES=ja_JP.UTF-8", "LANG=C.UTF-8"}, true}};
    for (const auto& [environment, japanese] : languages) {
        for (const auto& [args, input, english, inJapanese] : rows) {
            SCOPED_TRACE(::testing::PrintToString(environment) + ::testing::PrintToString(args));
            const ProcessRun run = RunTool(args, input, environment);
            const std::string said = "quirvane-encode: " + (japanese ? inJapanese : english) + "\n";
            EXPECT_EQ(run.err, !args.empty() && args[0] == "--verbose" ? statistics + said : said);
        }
        const std::string help = RunTool({"--help"}, {}, environment).out;
        EXPECT_TRUE(
            help.starts_with(japanese ? "使い方: quirvane-encode" : "Usage: quirvane-encode"));
    }
}

}  // namespace
}  // namespace quirvane::testing
