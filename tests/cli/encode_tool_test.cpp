// quirvane-encode and its symbols, read back by zbarimg: statuses, messages,
// formats, and files and batches written whole or not at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <tuple>
#include <unistd.h>
#include <vector>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

#include "cli/options.h"
#include "cli/printable.h"
#include "cli/symbol_output.h"
#include "render/symbol_png.h"
#include "render/symbol_terminal.h"
#include "tests/support/iconv_text.h"
#include "tests/support/run_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"
#include "text/file_bytes.h"
#include "text/statistics_line.h"

namespace quirvane::testing {
namespace {

using Args = std::vector<std::string>;

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// A run of the tool, its arguments and file names exactly as bytes.
ProcessSpec ToolLaunch(const Args& args, const std::string& input = {}) {
    ProcessSpec launch;
    launch.args = args;
    launch.args.insert(launch.args.begin(), QUIRVANE_ENCODE_PATH);
    launch.input = input;
    return launch;
}

ProcessRun RunEncodeTool(const Args& args, const std::string& input = {}) {
    return RunProcess(ToolLaunch(args, input));
}

// What the tool writes of `symbol`: the drawings as the renderers make them,
// the text format spelt out here, a line of '0'/'1' a row.
std::string Drawn(const Symbol& state, OutputFormat format, const DrawingOptions& options = {}) {
    if (format != OutputFormat::Text) {
        return SymbolAsBytes(state, format, options, TerminalColours::None);
    }
    std::string text;
    for (int r = 0; r < state.Side(); ++r) {
        for (int c = 0; c < state.Side(); ++c) {
            text += state.IsDark(r, c) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}

std::string Statistics(const Result& r) {
    return StatisticsLine(r.statistics).toStdString() + "  バージョン：" +
           std::to_string(r.symbol.Version()) + "  マスク：" + std::to_string(r.symbol.Mask()) +
           "\n";
}

// The version the statistics line at the end of `err` tells, or -1.
int VersionShown(const std::string& err) {
    static const std::regex kEnd("  バージョン：([0-9]+)  マスク：[0-7]\n$");
    std::smatch m;
    return std::regex_search(err, m, kEnd) ? std::stoi(m[1]) : -1;
}

// The shim of tests/support/fault_injection.cpp, allowed before ASan's run-time.
std::vector<std::string> FaultEnvironment(const std::string& fault) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    return {
        std::string("LD_PRELOAD=") + QUIRVANE_FAULT_INJECTION_PATH, "QUIRVANE_FAULT=" + fault,
        std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":verify_asan_link_order=0"};
}

// The options become the request; --input turns line breaks into CR LF and
// reads what is not UTF-8 as Shift_JIS.
TEST(Tool, SuccessPrintsTheSymbolAsLinesAndTheStatisticsLine) {
    const Request automatic = kToolDefaults;
    // clang-format off
    const std::tuple<Args, std::string, Request, std::string> rows[] = {
        {{"HELLO"}, "", automatic, "HELLO"},
        {{"--level", "Q", "--", "-x"}, "", {.level = Level::Q}, "-x"},
        {{"--mode", "numeric", "--symbol-version=2", "--level", "H", "--mask=0", "0123456789"}, "",
         {.mode = Mode::Numeric, .level = Level::H, .version = 2, .cutToFit = true, .mask = 0},
         "0123456789"},
        {{"HELLO WORLD", "-m", "alnum", "-s", "40", "-l", "Q", "-k", "7", "-f", "text", "-o", "-"},
         "", {.mode = Mode::Alphanumeric, .level = Level::Q, .version = 40, .cutToFit = true,
              .mask = 7}, "HELLO WORLD"},
        {{"-m", "kanji", "-k", "auto", "東京都"}, "", {.mode = Mode::Kanji}, "東京都"},
        {{"--min-version", "5", "--max-version=7", "a1"}, "", {.minVersion = 5, .maxVersion = 7},
         "a1"},
        {{"--input", "-"}, "AB\nCD\r\nEF", automatic, "AB\r\nCD\r\nEF"},
        {{"-i", "-"}, "AB\r\nCD\nEF\n", automatic, "AB\r\nCD\r\nEF\r\n"},
        {{"-i", "-"}, "\x93\x8C\x8B\x9E\x93\x73\n\xB6\xC0\xB6\xC5\x87\x40", automatic,
         "東京都\r\nｶﾀｶﾅ①"}};  // Shift_JIS (code page 932)
    // clang-format on
    Encoder encoder;
    for (const auto& [args, input, request, text] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Result expected = encoder.Encode(text, request);
        ASSERT_TRUE(expected);
        const ProcessRun run = RunEncodeTool(args, input);
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out),
                  std::tuple(0, Statistics(expected), Drawn(expected.symbol, OutputFormat::Text)));
    }
    const ProcessRun help = RunEncodeTool({"--help"}), version = RunEncodeTool({"--version"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.find("--module-width") != std::string::npos);
    EXPECT_TRUE(version.exitCode == 0 &&
                version.out == "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n");
}

// Exit 2 naming the option, 1 for a refused text; one line on stderr with
// echoed values escaped ("\n" at the end: the whole of it); no file touched.
TEST(Tool, FailuresExitWithOneLineAndTouchNoFile) {
    ScratchFolder folder;
    ASSERT_EQ(::mkdir((folder / "folder").c_str(), 0755), 0);
    const std::string d = folder.Path(), old = folder / "old.txt";
    WriteFile(old, "東京\n大阪");
    const std::string refused = "quirvane-encode: --input: cannot read '" + d,
                      kanji = "Kanji mode cannot write character ",
                      notKanji = "): it is not a JIS X 0208 character\n";
    // clang-format off
    const std::tuple<Args, int, std::string> rows[] = {
        {{"--symbol-version", "41", "A"}, 2, "--symbol-version"},
        {{"--symbol-version", "0", "A"}, 2, "--symbol-version"}, {{"A", "--level"}, 2, "--level"},
        {{"--module-width", "101", "A"}, 2, "--module-width"},
        {{"--quiet-zone", "-1", "A"}, 2, "--quiet-zone"}, {{"--dpi", "0", "A"}, 2, "--dpi"},
        {{"--background", "white", "A"}, 2, "--background"},
        {{"--encoding", "latin1", "A"}, 2, "--encoding"},
        {{"--encoding", "utf-8", "-m", "auto", "A"}, 2, "--encoding applies to --mode byte"},
        {{"--eci", "-m", "kanji", "A"}, 2, "--eci applies to --mode byte"},
        {{"--eci", "--encoding", "bytes", "A"}, 2, "--eci: the encoding of --encoding bytes"},
        {{"--min-version", "9", "--max-version", "3", "A"}, 2, "--min-version 9 is above"},
        {{"-s", "5", "--max-version", "7", "A"}, 2, "bound --symbol-version auto only"},
        {{"--jobs", "2", "A"}, 2, "--jobs applies to --batch"},
        {{"-w", "100", "--quiet-zone", "100", "-s", "40", "-f", "png", "A"}, 2,
         "the PNG would be 37700 pixels a side"},
        {{"--colour", "300,0,0", "A"}, 2, "--colour"}, {{"--colour", "1,2", "A"}, 2, "--colour"},
        {{"-c", "a,b,c", "A"}, 2, "--colour"}, {{"--mask", "8", "A"}, 2, "--mask"},
        {{"A", "-o", d + "/none/out.txt"}, 2, "--output"}, {{"--input", old, "A"}, 2, "--input"},
        {{}, 2, "--input"}, {{"--input", d + "/folder"}, 2, "--input"},
        {{"-i", d + "/nope-\xff\r.txt"}, 2, refused + "/nope-\\xff\\r.txt': No such file or directory\n"},
        {{"-l", "X\n\x1b[31m", "hi"}, 2,
         "quirvane-encode: --level: 'X\\n\\x1b[31m' is not accepted; use L, M, Q or H\n"},
        {{"--bogus\x1b]0;title\x07", "hi"}, 2,
         "quirvane-encode: unknown option '--bogus\\x1b]0;title\\x07'; see --help\n"},
        {{"-m", "\xc2\x9b" "31m\tbyte", "hi"}, 2, "quirvane-encode: --mode: '\\xc2\\x9b31m\\tbyte' "
         "is not accepted; use auto, byte, alnum, numeric or kanji\n"},
        {{"-f", "p\xc3\xa9ng\\", "hi"}, 2, "quirvane-encode: --format: 'p\xc3\xa9ng\\\\' is not "
         "accepted; use text, png, svg, eps, pdf or terminal\n"},
        {{"--mode", "numeric", "12a"}, 1, "数字の文字セットのみを選択してください\n"},
        {{"--mode", "alnum", "abc"}, 1, "英数字の文字セットのみを選択してください\n"},
        {{"\xff\xfe"}, 1,
         "quirvane-encode: the text is not UTF-8; --encoding bytes takes it byte for byte\n"},
        // What the tool refuses, it names: the character, its place and why.
        {{"-m", "kanji", "東京①"}, 1, kanji + "3, \"①\" (U+2460" + notKanji},
        {{"-m", "kanji", "波～"}, 1, kanji + "2, \"～\" (U+FF5E" + notKanji},
        {{"-m", "kanji", "高橋と髙橋"}, 1, kanji + "4, \"髙\" (U+9AD9" + notKanji},
        {{"-m", "kanji", "ｶﾀｶﾅ"}, 1, kanji + "1, \"ｶ\" (U+FF76" + notKanji},
        {{"-m", "kanji", "東\x1b[31m"}, 1, kanji + "2, \"\\x1b\" (U+001B" + notKanji},
        {{"-m", "kanji", "-i", old}, 1, kanji + "3, \"\\r\" (U+000D" + notKanji},
        {{"--encoding", "shift_jis", "東京😀"}, 1, "character 3, \"😀\", has no Shift_JIS form\n"},
        {{"--encoding", "shift_jis", "한국어"}, 1, "character 1, \"한\", has no Shift_JIS form\n"},
        {{"--eci", "--encoding", "shift_jis", "café"}, 1, "character 4, \"é\", has no Shift_JIS form\n"},
        {{"--encoding", "shift_jis", "a\u0085b"}, 1,
         "character 2, \"\\xc2\\x85\", has no Shift_JIS form\n"}};
    // clang-format on
    for (const auto& [args, exit, shows] : rows) {
        for (const std::string& out : {d + "/new.png", old}) {
            Args all = args;
            all.insert(all.begin(), {"-o", out});
            SCOPED_TRACE(::testing::PrintToString(all));
            const ProcessRun run = RunEncodeTool(all);
            EXPECT_EQ(run.exitCode, exit);
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "not one line: " << run.err;
            EXPECT_TRUE(shows.back() == '\n' ? run.err == shows
                                             : run.err.find(shows) != std::string::npos)
                << run.err;
            EXPECT_EQ(folder.Names(), (std::set<std::string>{"folder", "old.txt"}));
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(ReadFile(old), "東京\n大阪");
        }
    }
}

// A failure at each step of the replacement: exit 2, the system's reason, the
// old file and its mode kept, no temporary file.
TEST(ToolFiles, WriteFailuresExitTwoAndLeaveTheOldFile) {
    // clang-format off
    const std::tuple<std::string, rlim_t, int> rows[] = {  // fault, file-size limit, errno
        {"write:1:" + std::to_string(ENOSPC), RLIM_INFINITY, ENOSPC},
        {"fdatasync:1:" + std::to_string(EIO), RLIM_INFINITY, EIO},
        {"close:1:" + std::to_string(EIO), RLIM_INFINITY, EIO},
        {"rename:1:" + std::to_string(EIO), RLIM_INFINITY, EIO},
        {"", 0, EFBIG}};  // not one byte may be written (SIGXFSZ ignored)
    // clang-format on
    for (const auto& [fault, fileSize, error] : rows) {
        for (const auto& [name, shown] :
             {std::pair("keep.png", "keep.png"), std::pair("new-\xff.png", "new-\\xff.png")}) {
            ScratchFolder folder;
            const std::string keep = folder / "keep.png";
            WriteFile(keep, "old bytes\n");
            ::chmod(keep.c_str(), 0640);
            SCOPED_TRACE(fault + " limit " + std::to_string(fileSize) + " " + shown);
            ProcessSpec launch = ToolLaunch({"-o", folder / name, "hi"});
            launch.environment = fault.empty() ? Args{} : FaultEnvironment(fault);
            launch.fileSizeLimit = fileSize;
            const ProcessRun run = RunProcess(launch);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.err, "quirvane-encode: --output: cannot write '" + folder.Path() + "/" +
                                   shown + "': " + std::strerror(error) + "\n");
            EXPECT_EQ(folder.Names(), std::set<std::string>{"keep.png"});
            EXPECT_EQ(ReadFile(keep), "old bytes\n");
            EXPECT_EQ(ModeOf(keep), S_IFREG | 0640);
        }
    }
}

// Standard output, however named, gets the symbol, written directly; /dev/full
// exits 2, for --help and --version too. (FIFOs, devices: WriteWhole's tests.)
TEST(ToolFiles, StandardOutputGetsTheBytesOrExitsTwo) {
    ScratchFolder folder;
    Encoder encoder;
    const Result hi = encoder.Encode("hi", kToolDefaults);
    const Symbol& state = hi.symbol;
    ASSERT_TRUE(hi);
    const std::string captured = folder / "stdout.txt",
                      full = ": cannot write to standard output: No space left on device\n";
    // clang-format off
    const std::tuple<Args, std::string, std::string> rows[] = {  // args, output file, error
        {{"-o", "-", "hi"}, "", ""}, {{"-o", "/dev/stdout", "hi"}, "", ""},
        {{"-o", "/dev/stdout", "hi"}, captured, ""}, {{"-o", "/dev/fd/1", "hi"}, "", ""},
        {{"--help"}, "/dev/full", "--help" + full}, {{"--version"}, "/dev/full", "--version" + full},
        {{"hi"}, "/dev/full", "--output" + full}, {{"-f", "png", "-o", "-", "hi"}, "/dev/full", "--output" + full}};
    // clang-format on
    for (const auto& [args, output, error] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args) + " into " + output);
        ProcessSpec launch = ToolLaunch(args);
        launch.outputFile = output;
        const ProcessRun run = RunProcess(launch);
        if (!error.empty()) {
            EXPECT_EQ(std::tuple(run.exitCode, run.err),
                      std::tuple(2, "quirvane-encode: " + error));
            continue;
        }
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(output.empty() ? run.out : ReadFile(output), Drawn(state, OutputFormat::Text));
    }
    // A terminal with no --output gets the terminal's drawing, black on white.
    ProcessSpec terminal = ToolLaunch({"hi"});
    terminal.onTerminal = true;
    EXPECT_EQ(RunProcess(terminal).out,
              RenderSymbolTerminal(state, TerminalColours::BlackOnWhite) + Statistics(hi));
}

constexpr std::string_view kUtf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // 1 to 4 bytes each

// `length` bytes of `piece` over and over.
std::string Cycle(std::string_view piece, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += piece[static_cast<std::size_t>(i) % piece.size()];
    }
    return text;
}

// UTF-8 cut to at most `limit` bytes, never inside a character.
std::string CutUtf8(const std::string& text, std::size_t limit) {
    while (limit < text.size() && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) {
        --limit;
    }
    return text.substr(0, limit);
}

// Inputs, under any name, are read up to kMaxInputBytes; anything longer is
// refused in bounded memory (an address-space limit stops an unbounded read).
TEST(ToolFiles, InputIsReadUpToTheLimitInBoundedMemory) {
    ScratchFolder folder;
    const std::string exact = folder / "in-\xff.bin", over = folder / "over.bin",
                      png = folder / "out-\xfe.png";
    const std::string text = "\xFE\xFF\x81" + Cycle(kUtf8, kMaxInputBytes - 3);
    WriteFile(exact, text);
    WriteFile(over, "");
    ASSERT_EQ(::truncate(over.c_str(), kMaxInputBytes + 1), 0);
    const long baseline = RunEncodeTool({"hi"}).maxResidentKiB;
    const long bound = baseline + 4 * static_cast<long>(kMaxInputBytes / 1024);
    const std::string cannot = "quirvane-encode: --input: cannot read ",
                      refused = ": longer than 16 MiB (16777216 bytes), the most that is read\n";
    const std::string yes = Cycle("y\n", 65536);
    // clang-format off
    const std::tuple<Args, std::string, bool, int, std::string> rows[] = {
        {{"-i", "/dev/zero"}, "", false, 2, cannot + "'/dev/zero'" + refused},
        {{"-i", "-"}, yes, true, 2, cannot + "standard input" + refused},
        {{"-i", "/dev/stdin"}, yes, true, 2, cannot + "'/dev/stdin'" + refused},
        {{"-i", over}, "", false, 2, cannot + "'" + over + "'" + refused},
        {{"-o", png, "-m", "byte", "--encoding", "bytes", "-s", "40", "-k", "6", "-i", exact}, "",
         false, 0, "holds only the start of the text\n入力バイト数：16777216  "},
        {{"-i", "/dev/stdin"}, "AB\nCD", false, 0, "入力バイト数：6  "}};  // a pipe, as <(…) gives
    // clang-format on
    for (const auto& [args, input, endless, exit, message] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args) + (endless ? " endless" : ""));
        ProcessSpec launch = ToolLaunch(args, input);
        launch.endlessInput = endless;
        launch.addressSpaceLimit = QUIRVANE_SANITIZED ? RLIM_INFINITY : rlim_t{1} << 30;
        const ProcessRun run = RunProcess(launch);
        EXPECT_EQ(run.exitCode, exit);
        if (exit == 0) {
            EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, message);
            EXPECT_LE(run.maxResidentKiB, bound) << "baseline " << baseline << " KiB";
        }
    }
    // Byte for byte, cut to what 40-L holds; renamed for zbarimg.
    std::filesystem::rename(png, folder / "out.png");
    EXPECT_EQ(ZbarRead(folder / "out.png"), CutUtf8(text, 2953));
}

// Escaping what is easy to get wrong about UTF-8.
TEST(Printable, EscapesControlsAndBrokenUtf8AndKeepsTheRest) {
    using namespace std::string_literals;
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"plain text", "plain text"}, {"", ""},
        {"\n\r\t\\", "\\n\\r\\t\\\\"}, {"\0\x01\x1f\x7f"s, "\\x00\\x01\\x1f\\x7f"},
        {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80 \xe6\x95\xb0\xe5\xad\x97", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80 \xe6\x95\xb0\xe5\xad\x97"},
        {"\xc2\x80\xc2\x9f\xc2\xa0", "\\xc2\\x80\\xc2\\x9f\xc2\xa0"},  // C1 controls; NBSP stays
        {"\xc0\xaf\xc1\xbf", "\\xc0\\xaf\\xc1\\xbf"},                  // overlong, 2 bytes
        {"\xe0\x80\xaf\xf0\x80\x80\xaf", "\\xe0\\x80\\xaf\\xf0\\x80\\x80\\xaf"},  // overlong, 3 and 4
        {"\xed\xa0\x80\xed\x9f\xbf", "\\xed\\xa0\\x80\xed\x9f\xbf"},    // a surrogate; U+D7FF stays
        {"\xf4\x8f\xbf\xbf\xf4\x90\x80\x80", "\xf4\x8f\xbf\xbf\\xf4\\x90\\x80\\x80"},  // U+10FFFF, past it
        {"\xe2\x82" "a\xf0\x9f\x98", "\\xe2\\x82a\\xf0\\x9f\\x98"},     // cut sequences
        {"\x80\xbf\xf5\xff", "\\x80\\xbf\\xf5\\xff"}};                  // never a lead byte
    // clang-format on
    for (const auto& [bytes, shown] : rows) {
        EXPECT_EQ(Printable(bytes), shown) << ::testing::PrintToString(bytes);
    }
}

// Each text in each form, as zbar 0.23.92 shows it: S the text, J the text as
// Shift_JIS reads it, B something else (so the bytes are compared), R refused.
// The bytes, from glibc: code page 932 in byte mode if it holds the text, else
// UTF-8; with an ECI, Shift_JIS only for what Shift_JIS itself holds.
TEST(ToolText, EachFormReadsBackAsTheToolPromises) {
    const Args forms[] = {{},
                          {"-m", "byte"},
                          {"-m", "kanji"},
                          {"--eci", "--encoding", "utf-8"},
                          {"--eci", "--encoding", "shift_jis"},
                          {"--eci"}};
    // clang-format off
    const std::tuple<std::string, std::string, std::string> rows[] = {  // text, forms, J reading
        {"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした"
         "所でニャーニャー泣いていた事だけは記憶している。「吾輩はここで始めて人間というものを見た」"
         "（夏目漱石）！？", "SSSSSS", ""},
        {"丸数字①から⑩まで", "SBRSRS", ""},
        {"ﾊﾝｶｸｶﾀｶﾅとカタカナ", "SSRSSS", ""},
        {"絵文字😀付きの文", "SSRSRS", ""},
        {"café東京", "SBRSRS", ""},
        {"C:\\Users\\山田\\文書", "SJRSRS", "C:¥Users¥山田¥文書"},
        {"http://例え.jp/パス?q=東京 20240611-0042", "SSRSSS", ""},
        {"波〜ダッシュ", "SSSSSS", ""},  // U+301C, the JIS form
        {"波～全角", "SJRSRS", "波〜全角"}};  // U+FF5E, the form a Windows IME types
    // clang-format on
    ScratchFolder folder;
    const std::string png = folder / "symbol.png";
    for (const auto& [text, letters, asShiftJis] : rows) {
        const std::optional<std::string> cp932 = Converted(text, "CP932");
        const bool shiftJis =
            cp932 && Converted(text, "SHIFT_JIS") && text.find_first_of("\\~") == std::string::npos;
        const std::string bytes[] = {text, cp932.value_or(text), text,
                                     text, cp932.value_or(""),   shiftJis ? *cp932 : text};
        for (std::size_t form = 0; form < std::size(forms); ++form) {
            Args args = forms[form];
            args.insert(args.end(), {"-o", png, "--", text});
            SCOPED_TRACE(::testing::PrintToString(args) + " expecting " + letters[form]);
            std::filesystem::remove(png);
            const ProcessRun run = RunEncodeTool(args);
            if (letters[form] == 'R') {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(folder.Names(), std::set<std::string>{});
                continue;
            }
            ASSERT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(
                run.err.rfind("入力バイト数：" + std::to_string(bytes[form].size()) + "  ", 0), 0u)
                << run.err;
            if (letters[form] == 'B') {
                EXPECT_EQ(ZbarRead(png), bytes[form]);
            } else {
                EXPECT_EQ(ZbarRead(png, Zbar::Text), letters[form] == 'S' ? text : asShiftJis);
            }
        }
    }
}

// Auto: the smallest version in the bounds, or a refusal saying by how much;
// explicit: the start of the text, on a character, and how much was left out.
TEST(ToolSymbol, TheVersionHoldsTheTextOrSaysWhatItLeftOut) {
    const auto leftOut = [](const std::string& characters, const char* version) {
        return "quirvane-encode: " + characters + " left out: version " + version +
               " holds only the start of the text\n";
    };
    const std::string digits = Repeat("0123456789", 7);
    // clang-format off
    const std::tuple<Args, std::string, int, std::string, std::string> rows[] = {
        // version (0: refused), the notice or refusal, what zbarimg shows ("": the text)
        {{"-m", "numeric"}, Repeat("7", 41), 1, "", ""},  // 1-L holds 41 digits
        {{"-m", "numeric"}, Repeat("7", 42), 2, "", ""},
        {{"-m", "alnum", "-l", "M"}, Repeat("A", 21), 2, "", ""},  // 1-M holds 20 characters
        {{"-m", "byte", "-l", "Q"}, Repeat("a", 12), 2, "", ""},   // 1-Q holds 11 bytes
        {{"-m", "byte"}, Repeat("あ", 9), 2, "", ""},               // 18 bytes of Shift_JIS, 1-L holds 17
        {{"-m", "numeric", "--min-version", "5"}, Repeat("7", 41), 5, "", ""},
        {{"-m", "alnum", "--min-version", "4", "--max-version", "4"}, "A1", 4, "", ""},
        {{"-m", "byte", "--max-version", "3"}, Repeat("a", 100), 0,
         "the text is 47 characters too long: version 3-L holds the first 53 of its 100\n", ""},
        {{"-m", "byte", "--max-version", "1"}, Repeat("あ", 9), 0,
         "the text is 1 character too long: version 1-L holds the first 8 of its 9\n", ""},
        {{"-m", "numeric", "-l", "H"}, Repeat("7", 3058), 0,
         "the text is 1 character too long: version 40-H holds the first 3057 of its 3058\n", ""},
        {{"-m", "byte", "-s", "1"}, Repeat("あ", 30), 1, leftOut("22 characters", "1-L"), Repeat("あ", 8)},
        {{"-s", "1"}, Repeat("あ", 30), 1, leftOut("20 characters", "1-L"), Repeat("あ", 10)},  // Kanji: 13 bits each
        // 18 bytes in Shift_JIS; zbarimg shows \ as ¥.
        {{"-m", "byte", "-s", "1"}, "C:\\Users\\山田\\文書", 1, leftOut("1 character", "1-L"), "C:¥Users¥山田¥文"},
        // ECI 26 and byte headers leave 16 bytes: five characters of three.
        {{"--eci", "--encoding", "utf-8", "-s", "1"}, Repeat("€", 10), 1, leftOut("5 characters", "1-L"), Repeat("€", 5)},
        {{"-m", "alnum", "-s", "1", "-l", "H"}, "HELLO WORLD 12345", 1, leftOut("7 characters", "1-H"), "HELLO WORL"},
        {{"-m", "numeric", "-s", "2", "-l", "M"}, digits, 2, leftOut("7 characters", "2-M"), digits.substr(0, 63)},
        {{"-m", "byte", "-s", "1"}, Repeat("a", 18), 1, leftOut("1 character", "1-L"), Repeat("a", 17)},
        {{"-m", "byte", "-s", "1"}, Repeat("a", 17), 1, "", ""}};
    // clang-format on
    ScratchFolder folder;
    const std::string png = folder / "symbol.png";
    for (const auto& [options, text, version, said, shown] : rows) {
        Args args = options;
        args.insert(args.end(), {"-o", png, text});
        SCOPED_TRACE(::testing::PrintToString(args).substr(0, 200));
        const ProcessRun run = RunEncodeTool(args);
        if (version == 0) {
            EXPECT_EQ(std::tuple(run.exitCode, run.err), std::tuple(1, said));
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(VersionShown(run.err), version) << run.err;
        // The notice, if any, then the statistics line.
        EXPECT_EQ(run.err.substr(0, run.err.rfind('\n', run.err.size() - 2) + 1), said);
        EXPECT_EQ(ZbarRead(png, Zbar::Text), shown.empty() ? text : shown);
    }
}

// The format named or implied, drawn as the options say, replacing a longer file.
TEST(ToolDrawing, EachFormatIsDrawnWithTheOptionsGiven) {
    ScratchFolder folder;
    Encoder encoder;
    const Result made = encoder.Encode("format", {.version = 3});
    ASSERT_TRUE(made);
    const Symbol& state = made.symbol;
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
        const ProcessRun run = RunEncodeTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(path == "-" ? run.out : run.out + ReadFile(path),
                  Drawn(state, expected, drawing));
    }
}

// Kanji mode at 1-L (ten characters): an empty line passed over, a refusal that
// does not stop the batch, a cut; {n} as wide as the count of every line.
TEST(ToolBatch, EachLineIsAFileNamedByItsNumber) {
    const std::vector<std::string> lines = {
        "東京都",     "大阪府",          "", "丸数字①番", "吾輩は猫である名前はまだ無い",
        "こんにちは", "データ作成テスト"};
    std::string input;
    for (const std::string& line : lines) {
        input += line + "\r\n";
    }
    ScratchFolder out;
    const ProcessRun run = RunEncodeTool(
        {"--batch", "-", "-m", "kanji", "-s", "1", "-j", "2", "-o", out / "qr-{n}.png"},
        input + "\n\n\n\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "quirvane-encode: line 4: Kanji mode cannot write character 4, \"①\" (U+2460): it "
              "is not a JIS X 0208 character\n"
              "quirvane-encode: line 5: 4 characters left out: version 1-L holds only the start "
              "of the text\n"
              "quirvane-encode: 5 made, 1 refused, 0 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"qr-01.png", "qr-02.png", "qr-05.png",
                                                  "qr-06.png", "qr-07.png"}));
    for (const int number : {1, 2, 5, 6, 7}) {
        const std::string& line = lines[number - 1];
        EXPECT_EQ(ZbarRead(out / ("qr-0" + std::to_string(number) + ".png"), Zbar::Text),
                  number == 5 ? line.substr(0, 30) : line)
            << number;
    }
}

// Names that collide stop the batch before any file is written.
TEST(ToolBatch, NamesThatCollideAreRefusedBeforeAnythingIsWritten) {
    ScratchFolder in, out;
    const std::string both = "lines 1 and 3 would both be written to '";
    // clang-format off
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"same\nsame\n", "{text}.png", "lines 1 and 2 would both be written to '" + out / "same.png" + "'"},
        {"a/b\nx\na_b\n", "{text}.png", both + out / "a_b.png" + "'"},
        {"first\n\nfirst\n", "qr-{text}.txt", both + out / "qr-first.txt" + "'"},
        {"one\ntwo\n", "fixed.png", "a batch of several lines needs {n} or {text} in the name"}};
    // clang-format on
    for (const auto& [file, pattern, message] : rows) {
        SCOPED_TRACE(pattern + " " + file);
        WriteFile(in / "lines.txt", file);
        const ProcessRun run = RunEncodeTool({"--batch", in / "lines.txt", "-o", out / pattern});
        EXPECT_EQ(std::tuple(run.exitCode, run.err),
                  std::tuple(2, "quirvane-encode: --output: " + message + "\n"));
        EXPECT_EQ(out.Names(), std::set<std::string>{});
    }
}

// Each file is the tool's symbol of its line alone, with one worker or four,
// named by {text} made safe; a progress bar only on a terminal, ending full.
TEST(ToolBatch, EachFileIsTheToolsSymbolOfItsLineWithAnyNumberOfWorkers) {
    // clang-format off
    const std::pair<std::string, std::string> lines[] = {  // a line, its name
        {"a/b\x01" "c", "a_b_c"}, {"C:\\temp", "C:_temp"}, {"x\x7fy", "x_y"}, {"..", "_"},
        {"ok name", "ok name"}, {"行3：東京都", "行3：東京都"},
        {Repeat("東", 30), Repeat("東", 21)},        // 90 bytes: 21 whole characters
        {Repeat("é", 40), Repeat("é", 32)},          // exactly 64 bytes
        {"ab" + Repeat("€", 30), "ab" + Repeat("€", 20)},
        {Repeat("0123456789", 20), Repeat("0123456789", 6) + "0123"}};
    // clang-format on
    ScratchFolder in, one, four;
    std::string file;
    std::set<std::string> names;
    for (const auto& [line, name] : lines) {
        file += line + "\n";
        names.insert(name + ".svg");
    }
    WriteFile(in / "lines.txt", file);
    const Args options = {"-l", "Q", "-k", "5", "-w", "3", "--quiet-zone", "2", "-c", "0,0,128"};
    const auto batch = [&](const char* jobs, const ScratchFolder& out) {
        Args args = options;
        args.insert(args.end(),
                    {"--batch", in / "lines.txt", "-j", jobs, "-o", out / "{text}.svg"});
        return args;
    };
    const std::string summary = "quirvane-encode: 10 made, 0 refused, 0 failed\n";
    const ProcessRun piped = RunEncodeTool(batch("1", one));
    EXPECT_EQ(std::tuple(piped.exitCode, piped.err), std::tuple(0, summary));
    ProcessSpec onTerminal = ToolLaunch(batch("4", four));
    onTerminal.onTerminal = true;
    const ProcessRun shown = RunProcess(onTerminal);
    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    static const std::regex kBar("(\r\\[=* *\\] [0-9]+/10)*\r\\[={40}\\] 10/10\n");
    const std::size_t end = shown.out.size() - std::min(shown.out.size(), summary.size());
    EXPECT_EQ(shown.out.substr(end), summary);
    EXPECT_TRUE(std::regex_match(shown.out.substr(0, end), kBar)) << shown.out;
    EXPECT_EQ(one.Names(), names);
    EXPECT_EQ(four.Names(), names);
    for (const auto& [line, name] : lines) {
        SCOPED_TRACE(name);
        Args alone = options;
        alone.insert(alone.end(), {"-f", "svg", line});
        EXPECT_EQ(ReadFile(one / (name + ".svg")), RunEncodeTool(alone).out);
        EXPECT_EQ(ReadFile(one / (name + ".svg")), ReadFile(four / (name + ".svg")));
    }
}

// A file that cannot be written fails its line alone, leaving the old file.
TEST(ToolBatch, FilesAreWrittenWholeOrNotAtAll) {
    ScratchFolder in, out;
    WriteFile(in / "lines.txt", "a\nb\n\nc\n");
    const ProcessRun nowhere =
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
        ToolLaunch({"--batch", in / "lines.txt", "-j", "1", "-o", out / "q-{n}.png"});
    launch.environment = FaultEnvironment("rename:2:" + std::to_string(EIO));  // line 2's file
    const ProcessRun failing = RunProcess(launch);
    EXPECT_EQ(failing.exitCode, 2);
    EXPECT_EQ(failing.err, "quirvane-encode: line 2: --output: cannot write '" + out / "q-2.png" +
                               "': " + std::strerror(EIO) +
                               "\nquirvane-encode: 2 made, 0 refused, 1 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"q-1.png", "q-2.png", "q-4.png"}));
    EXPECT_EQ(ReadFile(out / "q-2.png"), "old bytes\n");
    EXPECT_EQ(ReadFile(out / "q-4.png"), RunEncodeTool({"-f", "png", "c"}).out);
}

}  // namespace
}  // namespace quirvane::testing
