// quirvane-encode as a user meets it: texts typed in Japanese (and not) come
// back from zbarimg as a reader shows them, in every form the tool can write;
// versions and refusals say what they did; every drawing format takes
// the options given; a batch makes one file per line, named safely, whole or
// not at all; a terminal gets its own drawing and a progress bar.
// References are independent where they can be: glibc's converter for code
// page 932, the capacity table for versions, zbarimg for what was drawn.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>

#include <quirvane/encoder.h>

#include "render/symbol_terminal.h"
#include "tests/cli/tool_test_support.h"
#include "tests/support/iconv_text.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

// Kana, kanji and full-width punctuation, all of them JIS X 0208 characters.
const std::string kLongJapanese =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした"
    "所でニャーニャー泣いていた事だけは記憶している。「吾輩はここで始めて人間というものを見た」"
    "（夏目漱石）！？";

// Code page 932, and Shift_JIS itself (JIS X 0208, no code-page-932
// extension), as glibc's converter writes them: a table other than the program's.
std::optional<std::string> Cp932Of(const std::string& utf8) {
    return Converted(utf8, "CP932");
}
std::optional<std::string> ShiftJisOf(const std::string& utf8) {
    return Converted(utf8, "SHIFT_JIS");
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// What a reader that takes the bytes as Shift_JIS shows: the JIS roman half
// reads 0x5C as ¥ and 0x7E as ‾, and cell 0x8160 is 〜 (U+301C) to it.
std::string AsShiftJisReads(const std::string& text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(text, "\\", "¥"), "~", "‾"), "～", "〜");
}

// The last line of `text`, which ends with a line feed.
std::string LastLine(const std::string& text) {
    const std::size_t start = text.rfind('\n', text.size() < 2 ? 0 : text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

// ---- Texts, as a reader shows them.

enum Form {
    kDefaultForm,
    kByteForm,
    kKanjiForm,
    kUtf8EciForm,
    kShiftJisEciForm,
    kEciForm,
    kFormCount
};

const Args kFormArgs[kFormCount] = {{},
                                    {"-m", "byte"},
                                    {"-m", "kanji"},
                                    {"--eci", "--encoding", "utf-8"},
                                    {"--eci", "--encoding", "shift_jis"},
                                    {"--eci"}};

// The bytes a form encodes: UTF-8 in the automatic and Kanji modes, code
// page 932 in byte mode when every character has a form there, else UTF-8;
// with an ECI, Shift_JIS only when Shift_JIS itself (no code-page-932
// extension, no \ or ~) holds the text, else UTF-8.
std::string BytesOf(Form form, const std::string& text) {
    const bool shiftJisProper = text.find_first_of("\\~") == std::string::npos &&
                                Cp932Of(text).has_value() && ShiftJisOf(text).has_value();
    switch (form) {
        case kByteForm:
            return Cp932Of(text).value_or(text);
        case kShiftJisEciForm:
            return Cp932Of(text).value_or("");
        case kEciForm:
            return shiftJisProper ? *Cp932Of(text) : text;
        default:
            return text;
    }
}

// One letter per form (default, --mode byte, --mode kanji, --eci --encoding
// utf-8, --eci --encoding shift_jis, --eci), as measured with zbar 0.23.92:
//   S  zbarimg shows the text;
//   J  it shows the text as Shift_JIS reads it (¥ for \, 〜 for ～);
//   B  it shows something else (Latin-1 for a code-page-932 extension such as
//      ①, mojibake for UTF-8 without an ECI), so the bytes are compared;
//   R  the tool refuses the text, exit 1 (the messages are tested below).
// With an ECI the tool writes Shift_JIS only for what Shift_JIS itself holds:
// zbar finds no symbol at all in an ECI 20 segment with ①, and shows ¥ for \.
struct ReaderRow {
    std::string text;
    const char* forms;
};

TEST(ToolText, EachFormReadsBackAsTheToolPromises) {
    // clang-format off
    const ReaderRow rows[] = {
        {"東京都", "SSSSSS"},
        {kLongJapanese, "SSSSSS"},
        {"丸数字①から⑩まで", "SBRSRS"},
        {"ﾊﾝｶｸｶﾀｶﾅとカタカナ", "SSRSSS"},
        {"絵文字😀付きの文", "SSRSRS"},
        {"café東京", "SBRSRS"},
        {"C:\\Users\\山田\\文書", "SJRSRS"},
        {"https://example.com/path?query=1&x=%20", "SSRSSS"},
        {"http://例え.jp/パス?q=東京 20240611-0042", "SSRSSS"},
        {"波〜ダッシュ", "SSSSSS"},  // U+301C, the JIS form
        {"波～全角", "SJRSRS"}};      // U+FF5E, the form a Windows IME types
    // clang-format on
    ScratchFolder folder;
    const std::string png = folder / "symbol.png";
    auto state = std::make_unique<EncoderState>();
    for (const ReaderRow& row : rows) {
        for (int form = 0; form < kFormCount; ++form) {
            const char expected = row.forms[form];
            Args args = kFormArgs[form];
            args.insert(args.end(), {"-o", png, "--", row.text});
            SCOPED_TRACE(::testing::PrintToString(args) + " expecting " + expected);
            std::filesystem::remove(png);
            const ToolRun run = RunEncodeTool(args);
            if (expected == 'R') {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(folder.Names(), std::set<std::string>{});
                continue;
            }
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const std::string bytes = BytesOf(static_cast<Form>(form), row.text);
            EXPECT_EQ(run.err.rfind("入力バイト数：" + std::to_string(bytes.size()) + "  ", 0), 0u)
                << run.err;
            if (expected == 'B') {
                EXPECT_EQ(ZbarRead(png), bytes);
            } else {
                EXPECT_EQ(ZbarRead(png, Zbar::Text),
                          expected == 'S' ? row.text : AsShiftJisReads(row.text));
            }
        }
    }
}

// What the tool refuses, it names: the character, its place in the text and
// why, on one line with control characters escaped; exit 1 and no file.
TEST(ToolText, RefusalsNameTheCharacterAndItsPlace) {
    ScratchFolder folder;
    const std::string lines = folder / "lines.txt", png = folder / "out.png";
    WriteFile(lines, "東京\n大阪");
    const std::string notKanji = "): it is not a JIS X 0208 character\n";
    // clang-format off
    const std::pair<Args, std::string> rows[] = {
        {{"-m", "kanji", "①"}, "Kanji mode cannot write character 1, \"①\" (U+2460" + notKanji},
        {{"-m", "kanji", "東京①"}, "Kanji mode cannot write character 3, \"①\" (U+2460" + notKanji},
        {{"-m", "kanji", "波～"}, "Kanji mode cannot write character 2, \"～\" (U+FF5E" + notKanji},
        {{"-m", "kanji", "高橋と髙橋"}, "Kanji mode cannot write character 4, \"髙\" (U+9AD9" + notKanji},
        {{"-m", "kanji", "東京A"}, "Kanji mode cannot write character 3, \"A\" (U+0041" + notKanji},
        {{"-m", "kanji", "ｶﾀｶﾅ"}, "Kanji mode cannot write character 1, \"ｶ\" (U+FF76" + notKanji},
        {{"-m", "kanji", "東\x1b[31m"},
         "Kanji mode cannot write character 2, \"\\x1b\" (U+001B" + notKanji},
        {{"-m", "kanji", "-i", lines}, "Kanji mode cannot write character 3, \"\\r\" (U+000D" + notKanji},
        {{"--encoding", "shift_jis", "東京😀"}, "character 3, \"😀\", has no Shift_JIS form\n"},
        {{"--encoding", "shift_jis", "한국어"}, "character 1, \"한\", has no Shift_JIS form\n"},
        {{"--eci", "--encoding", "shift_jis", "café"}, "character 4, \"é\", has no Shift_JIS form\n"},
        {{"--encoding", "shift_jis", "a\u0085b"},
         "character 2, \"\\xc2\\x85\", has no Shift_JIS form\n"}};
    // clang-format on
    for (const auto& [args, message] : rows) {
        Args all = args;
        all.insert(all.begin(), {"-o", png});
        SCOPED_TRACE(::testing::PrintToString(all));
        const ToolRun run = RunEncodeTool(all);
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out), std::tuple(1, message, ""));
        EXPECT_EQ(folder.Names(), std::set<std::string>{"lines.txt"});
    }
}

// ---- Versions. (The mask chosen, and its number on the statistics line:
// Tool.SuccessPrintsTheSymbolAsLinesAndTheStatisticsLine and the fuzzer's
// checker, which scores all eight masks itself.)

// The smallest version within the bounds that holds the text, at the level
// given; a text that fits nowhere is refused, saying by how much.
TEST(ToolSymbol, AutomaticVersionIsTheSmallestThatHoldsTheText) {
    // clang-format off
    const std::tuple<Args, std::string, std::string> rows[] = {  // the version, or the refusal
        {{"-m", "numeric"}, Repeat("7", 41), "1"},  // 1-L holds 41 digits
        {{"-m", "numeric"}, Repeat("7", 42), "2"},
        {{"-m", "alnum", "-l", "M"}, Repeat("A", 21), "2"},  // 1-M holds 20 characters
        {{"-m", "byte", "-l", "Q"}, Repeat("a", 12), "2"},   // 1-Q holds 11 bytes
        {{"-m", "byte"}, Repeat("あ", 9), "2"},               // 18 bytes of Shift_JIS, 1-L holds 17
        {{"-m", "numeric", "--min-version", "5"}, Repeat("7", 41), "5"},
        {{"-m", "alnum", "--min-version", "4", "--max-version", "4"}, "A1", "4"},
        {{"-m", "byte", "--max-version", "3"}, Repeat("a", 100),
         "the text is 47 characters too long: version 3-L holds the first 53 of its 100\n"},
        {{"-m", "byte", "--max-version", "1"}, Repeat("あ", 9),
         "the text is 1 character too long: version 1-L holds the first 8 of its 9\n"},
        {{"-m", "numeric", "-l", "H"}, Repeat("7", 3058),
         "the text is 1 character too long: version 40-H holds the first 3057 of its 3058\n"}};
    // clang-format on
    for (const auto& [options, text, expected] : rows) {
        Args args = options;
        args.push_back(text);
        SCOPED_TRACE(::testing::PrintToString(args).substr(0, 200));
        const ToolRun run = RunEncodeTool(args);
        if (expected.size() > 2) {
            EXPECT_EQ(std::tuple(run.exitCode, run.err), std::tuple(1, expected));
            continue;
        }
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(std::to_string(VersionAndMask(run.err).first), expected) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "a notice too: " << run.err;
    }
}

// An explicit version keeps the start of a longer text, on a character
// boundary, and says how many characters it left out; the symbol holds
// exactly that start.
TEST(ToolSymbol, AnExplicitVersionSaysHowManyCharactersItLeftOut) {
    struct Row {
        Args args;
        std::string text;
        int leftOut;
        const char* version;  // and level, as the notice names them
        std::string start;    // what the symbol holds, as zbarimg shows it
        bool bytes;           // compared as bytes: zbarimg shows \ as ¥ here
    };
    const std::string path = "C:\\Users\\山田\\文書";  // 18 bytes in Shift_JIS
    const std::string digits = Repeat("0123456789", 7);
    // clang-format off
    const Row rows[] = {
        {{"-m", "byte", "-s", "1"}, Repeat("あ", 30), 22, "1-L", Repeat("あ", 8), false},
        {{"-s", "1"}, Repeat("あ", 30), 20, "1-L", Repeat("あ", 10), false},  // Kanji: 13 bits each
        {{"-m", "byte", "-s", "1"}, path, 1, "1-L", *Cp932Of("C:\\Users\\山田\\文"), true},
        // ECI 26 and byte headers leave 16 bytes: five characters of three.
        {{"--eci", "--encoding", "utf-8", "-s", "1"}, Repeat("€", 10), 5, "1-L", Repeat("€", 5), false},
        {{"-m", "alnum", "-s", "1", "-l", "H"}, "HELLO WORLD 12345", 7, "1-H", "HELLO WORL", false},
        {{"-m", "numeric", "-s", "2", "-l", "M"}, digits, 7, "2-M", digits.substr(0, 63), false},
        {{"-m", "byte", "-s", "1"}, Repeat("a", 18), 1, "1-L", Repeat("a", 17), false},
        {{"-m", "byte", "-s", "1"}, Repeat("a", 17), 0, "1-L", Repeat("a", 17), false}};
    // clang-format on
    ScratchFolder folder;
    const std::string png = folder / "cut.png";
    for (const Row& row : rows) {
        Args args = row.args;
        args.insert(args.end(), {"-o", png, row.text});
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun run = RunEncodeTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string notice = row.leftOut == 0
                                       ? ""
                                       : "quirvane-encode: " + std::to_string(row.leftOut) +
                                             (row.leftOut == 1 ? " character" : " characters") +
                                             " left out: version " + row.version +
                                             " holds only the start of the text\n";
        // The notice, then the statistics line.
        EXPECT_EQ(run.err.substr(0, run.err.size() - LastLine(run.err).size()), notice);
        EXPECT_EQ(VersionAndMask(run.err).first, row.version[0] - '0');
        EXPECT_EQ(ZbarRead(png, row.bytes ? Zbar::Bytes : Zbar::Text), row.start);
    }
}

// ---- Drawings: the format named or implied, and the drawing options, reach
// the render functions. (The files as other programs read them: tests/render.)

// The format named or implied, drawn as the options say (the window's
// drawing when they say nothing), replacing an older, longer file whole.
TEST(ToolDrawing, EachFormatIsDrawnWithTheOptionsGiven) {
    ScratchFolder folder;
    auto state = std::make_unique<EncoderState>();
    ASSERT_TRUE(state->CreateSymbol("format", {kModeAuto, 3}).Created());
    using enum OutputFormat;
    // clang-format off
    const DrawingOptions red{.moduleWidth = 1, .dark = {255, 0, 0}},
        print{.moduleWidth = 8, .quietZoneModules = 4, .dpi = 300, .background = {255, 255, 204}},
        clear{.moduleWidth = 3, .quietZoneModules = 0, .dpi = 96, .dark = {0, 0, 128},
              .transparentBackground = true};
    const Args r = {"-w", "1", "-c", "255,0,0"},
        p = {"-w", "8", "--quiet-zone", "4", "--dpi", "300", "--background", "255,255,204"},
        c = {"--module-width=3", "--quiet-zone", "0", "--dpi", "96", "--colour", "0,0,128",
             "--background", "transparent"};
    const std::tuple<std::string, Args, Args, OutputFormat, DrawingOptions> rows[] = {
        {"-", {}, {}, Text, {}}, {"out.png", {}, {}, Png, {}}, {"OUT.PNG", r, {}, Png, red},
        {"out.svg", p, {}, Svg, print}, {"out.eps", p, {}, Eps, print}, {"out.pdf", p, {}, Pdf, print},
        {"out.svg", c, {}, Svg, clear}, {"out.eps", c, {}, Eps, clear}, {"out.pdf", c, {}, Pdf, clear},
        {"out.txt", {}, {}, Text, {}}, {"out", {}, {}, Text, {}}, {"out.txt", c, {"-f", "png"}, Png, clear},
        {"out.png", {}, {"--format", "text"}, Text, {}}, {"-", r, {"--format=svg"}, Svg, red},
        {"-", {}, {"-f", "terminal"}, Terminal, {}}};
    // clang-format on
    for (const auto& [file, options, format, expected, drawing] : rows) {
        const std::string path = file == "-" ? "-" : folder / file;
        Args args = {"format", "-s", "3", "-o", path};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), format.begin(), format.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        if (path != "-") {
            WriteFile(path, std::string(5000, 'x'));  // longer than what replaces it
        }
        const ToolRun run = RunEncodeTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(path == "-" ? run.out : run.out + ReadFile(path),
                  Drawn(*state, expected, drawing));
    }
}

// ---- Batches.

std::string NumberedLines(const std::vector<std::string>& lines) {
    std::string file;
    for (const std::string& line : lines) {
        file += line + "\n";
    }
    return file;
}

// Twenty lines in Kanji mode at version 1: an empty line is passed over, a
// line with ① and one too long for version 1 are refused, and every other
// line is a file named by its number that scans back to the line.
TEST(ToolBatch, EachLineIsAFileNamedByItsNumber) {
    // clang-format off
    const std::vector<std::string> lines = {
        "東京都", "大阪府", "", "京都府", "北海道", "沖縄県", "丸数字①番", "神奈川県", "愛知県",
        "福岡県", "こんにちは", "データ作成テスト", "吾輩は猫である名前はまだ無い", "兵庫県",
        "広島県", "宮城県", "新潟県", "長野県", "静岡県", "千葉県"};
    // clang-format on
    ScratchFolder in, out;
    WriteFile(in / "lines.txt", NumberedLines(lines));
    const ToolRun run = RunEncodeTool({"--batch", in / "lines.txt", "--mode", "kanji",
                                       "--max-version", "1", "-o", out / "qr-{n}.png"});
    EXPECT_EQ(run.exitCode, 1);
    // Kanji mode at 1-L: (152 bits - 12) / 13 = 10 characters.
    EXPECT_EQ(run.err,
              "quirvane-encode: line 7: Kanji mode cannot write character 4, \"①\" (U+2460): it "
              "is not a JIS X 0208 character\n"
              "quirvane-encode: line 13: the text is 4 characters too long: version 1-L holds the "
              "first 10 of its 14\n"
              "quirvane-encode: 17 made, 2 refused, 0 failed\n");
    std::set<std::string> expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (lines[i].empty() || number == 7 || number == 13) {
            continue;
        }
        const std::string name = (number < 10 ? "qr-0" : "qr-") + std::to_string(number) + ".png";
        expected.insert(name);
        EXPECT_EQ(ZbarRead(out / name, Zbar::Text), lines[i]) << name;
    }
    EXPECT_EQ(out.Names(), expected);
}

// Lines from standard input, CR LF or LF. With an explicit version a line
// too long is cut, as a single text is, and the batch says so for that line;
// it is made all the same. {n} is as wide as the count of every line, empty
// ones at the end included.
TEST(ToolBatch, ACutLineIsNamedAndTheNumberWidthCountsEveryLine) {
    ScratchFolder out;
    const std::string cut = "this line is far too long for version one";
    const ToolRun run = RunEncodeTool({"--batch", "-", "-s", "1", "-o", out / "L-{n}.txt"},
                                      "東京都\r\n" + cut + "\n\n\n\n\n\n\n\n\n\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "quirvane-encode: line 2: 24 characters left out: version 1-L holds only the start "
              "of the text\n"
              "quirvane-encode: 2 made, 0 refused, 0 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"L-01.txt", "L-02.txt"}));
    EXPECT_EQ(ReadFile(out / "L-01.txt"), RunEncodeTool({"-s", "1", "-f", "text", "東京都"}).out);
    EXPECT_EQ(ReadFile(out / "L-02.txt"), RunEncodeTool({"-s", "1", "-f", "text", cut}).out);
}

// {text} is the line made safe for a file name: no slash, backslash or
// control character, at most 64 bytes and never half a character.
TEST(ToolBatch, TextNamesAreMadeSafe) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> lines = {
        {"a/b\x01" "c", "a_b_c"}, {"C:\\temp", "C:_temp"}, {"x\x7fy", "x_y"}, {"..", "_"},
        {"ok name", "ok name"},
        {Repeat("東", 30), Repeat("東", 21)},        // 90 bytes: 21 whole characters
        {Repeat("é", 40), Repeat("é", 32)},          // exactly 64 bytes
        {"ab" + Repeat("€", 30), "ab" + Repeat("€", 20)}};
    // clang-format on
    ScratchFolder in, out;
    std::vector<std::string> texts;
    std::set<std::string> expected;
    for (const auto& [line, name] : lines) {
        texts.push_back(line);
        expected.insert(name + ".txt");
    }
    WriteFile(in / "lines.txt", NumberedLines(texts));
    const ToolRun run = RunEncodeTool({"--batch", in / "lines.txt", "-o", out / "{text}.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(out.Names(), expected);
    EXPECT_EQ(ReadFile(out / "a_b_c.txt"), RunEncodeTool({"-f", "text", texts[0]}).out);
}

// Two lines that would be written to one name, or several lines and a name
// with neither field, stop the batch before any file is written.
TEST(ToolBatch, NamesThatCollideAreRefusedBeforeAnythingIsWritten) {
    ScratchFolder in, out;
    // clang-format off
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"same\nsame\n", "{text}.png", "lines 1 and 2 would both be written to '" + out / "same.png" + "'"},
        {"a/b\nx\na_b\n", "{text}.png", "lines 1 and 3 would both be written to '" + out / "a_b.png" + "'"},
        {"first\n\nfirst\n", "qr-{text}.txt", "lines 1 and 3 would both be written to '" + out / "qr-first.txt" + "'"},
        {"one\ntwo\n", "fixed.png", "a batch of several lines needs {n} or {text} in the name"}};
    // clang-format on
    for (const auto& [file, pattern, message] : rows) {
        SCOPED_TRACE(pattern + " " + file);
        WriteFile(in / "lines.txt", file);
        const ToolRun run = RunEncodeTool({"--batch", in / "lines.txt", "-o", out / pattern});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "quirvane-encode: --output: " + message + "\n");
        EXPECT_EQ(out.Names(), std::set<std::string>{});
    }
}

// Every option applies to each line: a file is byte for byte the one the tool
// writes for that line alone, whatever the number of workers.
TEST(ToolBatch, EachFileIsTheToolsSymbolOfItsLineWithAnyNumberOfWorkers) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 20; ++i) {
        lines.push_back(i % 3 == 0   ? "行" + std::to_string(i) + "：東京都"
                        : i % 3 == 1 ? "https://example.com/item/" + std::to_string(i * 37)
                                     : Repeat("0123456789", i));
    }
    ScratchFolder in, one, four;
    WriteFile(in / "lines.txt", NumberedLines(lines));
    const Args options = {"-l", "Q", "-k", "5", "-w", "3", "--quiet-zone", "2", "-c", "0,0,128"};
    for (const auto& [jobs, out] : {std::pair("1", &one), std::pair("4", &four)}) {
        Args args = options;
        args.insert(args.end(), {"--batch", in / "lines.txt", "-j", jobs, "-o", *out / "{n}.svg"});
        const ToolRun run = RunEncodeTool(args);
        EXPECT_EQ(std::tuple(run.exitCode, run.err),
                  std::tuple(0, "quirvane-encode: 20 made, 0 refused, 0 failed\n"));
    }
    ASSERT_EQ(one.Names().size(), 20u);
    EXPECT_EQ(one.Names(), four.Names());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = std::string(i < 9 ? "0" : "") + std::to_string(i + 1) + ".svg";
        SCOPED_TRACE(name);
        Args alone = options;
        alone.insert(alone.end(), {"-f", "svg", lines[i]});
        EXPECT_EQ(ReadFile(one / name), RunEncodeTool(alone).out);
        EXPECT_EQ(ReadFile(one / name), ReadFile(four / name));
    }
}

// A file that cannot be written fails its line alone: a folder that does not
// exist fails every line; a write that fails leaves the old file as it was
// and no temporary file, and the other lines are made.
TEST(ToolBatch, FilesAreWrittenWholeOrNotAtAll) {
    ScratchFolder in, out;
    WriteFile(in / "lines.txt", "a\nb\n\nc\n");
    const ToolRun nowhere =
        RunEncodeTool({"--batch", in / "lines.txt", "-o", out / "none/q-{n}.png"});
    EXPECT_EQ(nowhere.exitCode, 2);
    std::string expected;
    for (const char* number : {"1", "2", "4"}) {
        expected += "quirvane-encode: line " + std::string(number) + ": --output: cannot write '" +
                    out / "none/q-" + number + ".png': No such file or directory\n";
    }
    EXPECT_EQ(nowhere.err, expected + "quirvane-encode: 0 made, 0 refused, 3 failed\n");
    EXPECT_EQ(out.Names(), std::set<std::string>{});

    WriteFile(out / "q-2.png", "old bytes\n");
    ProcessSpec launch =
        ToolSpec({"--batch", in / "lines.txt", "-j", "1", "-o", out / "q-{n}.png"});
    launch.environment = FaultEnvironment("rename:2:" + std::to_string(EIO));  // line 2's file
    const ToolRun failing = RunEncodeToolWith(launch);
    EXPECT_EQ(failing.exitCode, 2);
    EXPECT_EQ(failing.err, "quirvane-encode: line 2: --output: cannot write '" + out / "q-2.png" +
                               "': " + std::strerror(EIO) +
                               "\nquirvane-encode: 2 made, 0 refused, 1 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"q-1.png", "q-2.png", "q-4.png"}));
    EXPECT_EQ(ReadFile(out / "q-2.png"), "old bytes\n");
    EXPECT_EQ(ReadFile(out / "q-4.png"), RunEncodeTool({"-f", "png", "c"}).out);
}

// ---- On a terminal: standard output and standard error on one.

// With standard output a terminal and no --output, the symbol is drawn for
// the terminal, black on white.
TEST(ToolTerminal, StandardOutputOnATerminalGetsTheTerminalDrawing) {
    ProcessSpec launch = ToolSpec({"東京都"});
    launch.onTerminal = true;
    const ToolRun run = RunEncodeToolWith(launch);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    auto state = std::make_unique<EncoderState>();
    const GenerationResult result = state->CreateSymbol("東京都", kToolDefaults);
    ASSERT_TRUE(result.Created());
    EXPECT_EQ(run.out, RenderSymbolTerminal(ViewOf(*state), TerminalColours::BlackOnWhite) +
                           Statistics(result));
}

// The progress bar goes to standard error only when it is a terminal, and
// ends full, before the summary.
TEST(ToolTerminal, ABatchShowsItsProgressOnATerminalOnly) {
    ScratchFolder in, out;
    std::vector<std::string> lines;
    for (int i = 1; i <= 20; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    WriteFile(in / "lines.txt", NumberedLines(lines));
    ProcessSpec launch = ToolSpec({"--batch", in / "lines.txt", "-j", "2", "-o", out / "{n}.txt"});
    const std::string summary = "quirvane-encode: 20 made, 0 refused, 0 failed\n";
    const ToolRun piped = RunEncodeToolWith(launch);
    EXPECT_EQ(std::tuple(piped.exitCode, piped.err), std::tuple(0, summary));
    launch.onTerminal = true;
    const ToolRun shown = RunEncodeToolWith(launch);
    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    static const std::regex kBar("(\r\\[=* *\\] [0-9]+/20)*\r\\[={40}\\] 20/20\n");
    const std::size_t end = shown.out.size() - std::min(shown.out.size(), summary.size());
    EXPECT_EQ(shown.out.substr(end), summary);
    EXPECT_TRUE(std::regex_match(shown.out.substr(0, end), kBar)) << shown.out;
    EXPECT_EQ(out.Names().size(), 20u);
}

}  // namespace
}  // namespace quirvane::testing
