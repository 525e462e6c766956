// quirvane-encode and the symbols it makes. The proof that a symbol is right:
// drawn as the tool draws its PNG, read back by zbarimg (an independent
// decoder) and compared byte for byte with the text encoded, for every
// (version, level), all three modes, short and full texts, all eight masks.
// Then the tool as a user or a script meets it: exit statuses, messages, the
// text format, input from a file or standard input, and never
// a partial or clobbered output file.
#include <QString>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <tuple>
#include <unistd.h>

#include <quirvane/version.h>

#include "cli/printable.h"
#include "tests/cli/tool_test_support.h"
#include "tests/support/zbar_decode.h"
#include "text/file_bytes.h"

namespace quirvane::testing {
namespace {

constexpr std::string_view kUtf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // 1 to 4 bytes each

// `length` characters of piece repeated, from its character `start` on.
std::string Cycle(std::string_view piece, int length, int start = 0) {
    std::string text;
    for (int i = start; i < start + length; ++i) {
        text += piece[static_cast<std::size_t>(i) % piece.size()];
    }
    return text;
}

// Well-formed UTF-8 cut to at most `limit` bytes, never inside a character.
std::string CutUtf8(const std::string& text, int limit) {
    auto end = static_cast<std::size_t>(limit);
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};  // version, level

TEST_P(RoundTrip, ShortAndFullTextsOfEveryModeScanBack) {
    const auto [version, level] = GetParam();
    const int index = (version - 1) * 4 + level - kLevelL;
    const SymbolParameters& p = *FindSymbolParameters(version, level);
    std::string full = Cycle(kUtf8, p.byteCapacity / 2);  // then bytes 1-255, all once it holds 255
    for (int i = static_cast<int>(full.size()); i < p.byteCapacity; ++i) {
        full += static_cast<char>((i * 97 + index) % 255 + 1);
    }
    const std::pair<int, std::string> cases[] = {
        {kModeByte, "\xC3\xA9\xE2\x82\xAC\xFF\x80"},  // what 1-H holds: 7 bytes
        {kModeByte, full},
        {kModeByte, Cycle(kUtf8, p.byteCapacity + 11)},  // cut back to the last whole character
        {kModeAlphanumeric, "AC-42 $/:"},
        {kModeAlphanumeric,
         Cycle("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", p.alphanumericCapacity, index)},
        {kModeNumeric, "0012345"},  // leading zeros, a lone last digit
        {kModeNumeric, Cycle("3141592653589793238462643383279502884197", p.numericCapacity)},
    };
    ScratchFolder folder;
    auto state = std::make_unique<EncoderState>();  // reused: each run must start clean
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int mask = static_cast<int>((index + i) % kMaskCount);
        SCOPED_TRACE("case " + std::to_string(i) + " mask " + std::to_string(mask));
        const auto& [mode, text] = cases[i];
        state->settings = {mode, version, level, mask};
        const GenerationResult r = state->CreateData(text);
        ASSERT_TRUE(r.Created()) << r.message;
        const std::string path = folder / (std::to_string(i) + ".png");
        WriteFile(path, Drawn(*state, OutputFormat::Png));
        EXPECT_EQ(ZbarRead(path), mode == kModeByte ? CutUtf8(text, p.byteCapacity) : text);
    }
    // Kanji mode and the automatic mix, longer than the symbol holds: cut on a
    // character, read as a reader shows the text. Every other symbol mixes in
    // characters only UTF-8 after an ECI carries, the other family.
    const std::string kanji = Repeat("東京都港区芝公園、こんにちは。データ作成テスト", 80);
    const std::string mixed =
        Repeat(index % 2 == 0 ? "注文番号 20240611-0042、東京都 ABC-123 お問い合わせ "
                              : "丸数字①、café 20240611 ﾊﾝｶｸ 東京 ",
               140);
    for (const auto& [mode, text] : {std::pair{kModeKanji, kanji}, std::pair{kModeAuto, mixed}}) {
        SCOPED_TRACE(mode == kModeKanji ? "Kanji" : "automatic");
        const SymbolRequest request{mode, version, 1, kLargestVersion, level, kMaskAuto};
        const GenerationResult r = state->CreateSymbol(text, request);
        ASSERT_TRUE(r.Created()) << r.message;
        ASSERT_GT(r.charactersLeftOut, 0);
        const std::string path = folder / "cut.png";
        WriteFile(path, Drawn(*state, OutputFormat::Png));
        EXPECT_EQ(ZbarRead(path, Zbar::Text),
                  FirstCharacters(text, CountUtf8(text) - r.charactersLeftOut));
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllVersionsAndLevels, RoundTrip,
    ::testing::Combine(::testing::Range(1, kLargestVersion + 1),
                       ::testing::Range(kLevelL, kLevelH + 1)),
    [](const auto& info) {
        const char level = "LMQH"[std::get<1>(info.param) - kLevelL];
        return QString("v%1_%2").arg(std::get<0>(info.param)).arg(level).toStdString();
    });

// A PNG the program writes scans too: version 40 reads, byte for byte, a
// file longer than the 16384-byte input copy that starts with bytes that are
// no text, cut to what it holds; the notice of the cut comes first.
TEST(RoundTripThroughTool, AnInputLongerThanTheWorkingCopyScansCut) {
    ScratchFolder folder;
    const std::string png = folder / "out.png", input = folder / "out.in";
    const std::string text = "\xFE\xFF\x81" + Cycle(kUtf8, 20000);
    WriteFile(input, text);
    const ToolRun tool = RunEncodeTool(
        {"-o", png, "-m", "byte", "--encoding", "bytes", "-s", "40", "-k", "6", "-i", input});
    ASSERT_EQ(tool.exitCode, 0) << tool.err;
    const std::size_t statistics = tool.err.find("入力バイト数：20003  ");
    EXPECT_TRUE(statistics != std::string::npos && statistics > 0) << tool.err;
    EXPECT_EQ(ZbarRead(png), CutUtf8(text, 2953));
}

// The symbol on stdout as n lines of n '0'/'1', the statistics line with the
// version and mask on stderr. By default the smallest version, the best mask
// and the shortest mix of modes. Line breaks read by --input, LF or CR LF,
// become CR LF; what is not UTF-8 is read as Shift_JIS.
TEST(Tool, SuccessPrintsTheSymbolAsLinesAndTheStatisticsLine) {
    const SymbolRequest automatic = kToolDefaults;
    // clang-format off
    const std::tuple<Args, std::string, SymbolRequest, std::string> rows[] = {
        {{"HELLO"}, "", automatic, "HELLO"},
        {{"--level", "Q", "--", "-x"}, "", {kModeAuto, kVersionAuto, 1, 40, kLevelQ}, "-x"},
        {{"--mode", "numeric", "--symbol-version=2", "--level", "H", "--mask=0", "0123456789"}, "",
         {kModeNumeric, 2, 1, 40, kLevelH, 0}, "0123456789"},
        {{"HELLO WORLD", "-m", "alnum", "-s", "40", "-l", "Q", "-k", "7", "-f", "text", "-o", "-"},
         "", {kModeAlphanumeric, 40, 1, 40, kLevelQ, 7}, "HELLO WORLD"},
        {{"-m", "kanji", "-k", "auto", "東京都"}, "", {kModeKanji}, "東京都"},
        {{"--min-version", "5", "--max-version=7", "a1"}, "", {kModeAuto, kVersionAuto, 5, 7}, "a1"},
        {{"--input", "-"}, "AB\nCD\r\nEF", automatic, "AB\r\nCD\r\nEF"},
        {{"-i", "-"}, "AB\r\nCD\nEF\n", automatic, "AB\r\nCD\r\nEF\r\n"},
        {{"-i", "-"}, "\x93\x8C\x8B\x9E\x93\x73\n\xB6\xC0\xB6\xC5\x87\x40", automatic,
         "東京都\r\nｶﾀｶﾅ①"}};  // Shift_JIS (code page 932)
    // clang-format on
    auto state = std::make_unique<EncoderState>();
    for (const auto& [args, input, request, text] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const GenerationResult expected = state->CreateSymbol(text, request);
        ASSERT_TRUE(expected.Created()) << expected.message;
        const ToolRun run = RunEncodeTool(args, input);
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out),
                  std::tuple(0, Statistics(expected), Drawn(*state, OutputFormat::Text)));
    }
    const ToolRun help = RunEncodeTool({"--help"}), version = RunEncodeTool({"--version"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.find("--module-width") != std::string::npos);
    EXPECT_TRUE(version.exitCode == 0 &&
                version.out == "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n");
}

// Exit 2 for an option, naming it; 1 for a text refused, with the exact
// message. One line on stderr, and no file made, replaced or half written.
TEST(Tool, FailuresExitWithOneLineAndTouchNoFile) {
    ScratchFolder folder;
    ASSERT_EQ(::mkdir((folder / "folder").c_str(), 0755), 0);
    const std::string d = folder.Path(), old = folder / "old.txt";
    WriteFile(old, "previous\n");
    // clang-format off
    const std::tuple<Args, int, std::string> rows[] = {
        {{"--symbol-version", "41", "A"}, 2, "--symbol-version"},
        {{"--symbol-version", "0", "A"}, 2, "--symbol-version"}, {{"A", "--level"}, 2, "--level"},
        {{"--level", "X", "A"}, 2, "--level"}, {{"--module-width", "101", "A"}, 2, "--module-width"},
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
        {{"-c", "a,b,c", "A"}, 2, "--colour"}, {{"--bogus", "A"}, 2, "--bogus"},
        {{"--mask", "8", "A"}, 2, "--mask"}, {{"A", "-o", d + "/none/out.txt"}, 2, "--output"},
        {{"--input", old, "A"}, 2, "--input"}, {{}, 2, "--input"},
        {{"--input", d + "/missing"}, 2, "--input"}, {{"--input", d + "/folder"}, 2, "--input"},
        {{"--mode", "numeric", "12a"}, 1, "数字の文字セットのみを選択してください\n"},
        {{"--mode", "alnum", "abc"}, 1, "英数字の文字セットのみを選択してください\n"},
        {{"\xff\xfe"}, 1,
         "quirvane-encode: the text is not UTF-8; --encoding bytes takes it byte for byte\n"},
        {{"--max-version", "1", std::string(18, 'a')}, 1,
         "the text is 1 character too long: version 1-L holds the first 17 of its 18\n"}};
    // clang-format on
    for (const auto& [args, exit, shows] : rows) {
        for (const std::string& out : {d + "/new.png", old}) {
            Args all = args;
            all.insert(all.begin(), {"-o", out});
            SCOPED_TRACE(::testing::PrintToString(all));
            const ToolRun run = RunEncodeTool(all);
            EXPECT_EQ(run.exitCode, exit);
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "not one line: " << run.err;
            EXPECT_TRUE(exit == 1 ? run.err == shows : run.err.find(shows) != std::string::npos)
                << run.err;
            EXPECT_EQ(folder.Names(), (std::set<std::string>{"folder", "old.txt"}));
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(ReadFile(old), "previous\n");
        }
    }
}

// ---- Files and standard streams: whole or not at all, bounded, said clearly.

// The symbol the tool makes of `text` with its defaults, in `format`.
std::string ToolSymbol(std::string_view text, OutputFormat format) {
    auto state = std::make_unique<EncoderState>();
    if (!state->CreateSymbol(text, kToolDefaults).Created()) {
        return "<refused>";
    }
    return Drawn(*state, format);
}

// A full disk at each step of the replacement, and a file-size limit: exit 2,
// the system's reason, no temporary file, the old file byte for byte.
TEST(ToolFiles, WriteFailuresExitTwoAndLeaveTheOldFile) {
    const auto fault = [](const char* call, int error) {
        return std::string(call) + ":1:" + std::to_string(error);
    };
    // clang-format off
    const std::tuple<std::string, rlim_t, int> rows[] = {  // fault, file-size limit, errno
        {fault("write", ENOSPC), RLIM_INFINITY, ENOSPC},
        {fault("fdatasync", EIO), RLIM_INFINITY, EIO},
        {fault("close", EIO), RLIM_INFINITY, EIO},
        {fault("rename", EIO), RLIM_INFINITY, EIO},
        {"", 0, EFBIG}};  // not one byte may be written (SIGXFSZ ignored)
    // clang-format on
    for (const auto& [injected, fileSize, error] : rows) {
        for (const auto& [name, shown] :
             {std::pair("keep.png", "keep.png"), std::pair("new-\xff.png", "new-\\xff.png")}) {
            ScratchFolder folder;
            const std::string keep = folder / "keep.png";
            WriteFile(keep, "old bytes\n");
            ::chmod(keep.c_str(), 0640);
            ProcessSpec launch = ToolSpec({"-o", folder / name, "hi"});
            launch.environment =
                injected.empty() ? std::vector<std::string>{} : FaultEnvironment(injected);
            launch.fileSizeLimit = fileSize;
            SCOPED_TRACE(injected + " limit " + std::to_string(fileSize) + " " + shown);
            const ToolRun run = RunEncodeToolWith(launch);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.err, "quirvane-encode: --output: cannot write '" + folder.Path() + "/" +
                                   shown + "': " + std::strerror(error) + "\n");
            EXPECT_EQ(folder.Names(), std::set<std::string>{"keep.png"});
            EXPECT_EQ(ReadFile(keep), "old bytes\n");
            EXPECT_EQ(ModeOf(keep), S_IFREG | 0640);
        }
    }
}

// Standard output, however it is named, into a pipe or a file, gets the
// symbol; standard output that cannot be written (here /dev/full) exits 2,
// also for --help and --version. (Other kinds of output: WriteWhole's tests.)
TEST(ToolFiles, StandardOutputGetsTheBytesOrExitsTwo) {
    ScratchFolder folder;
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
        ProcessSpec launch = ToolSpec(args);
        launch.outputFile = output;
        const ToolRun run = RunEncodeToolWith(launch);
        if (!error.empty()) {
            EXPECT_EQ(std::tuple(run.exitCode, run.err),
                      std::tuple(2, "quirvane-encode: " + error));
            continue;
        }
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(output.empty() ? run.out : ReadFile(output),
                  ToolSymbol("hi", OutputFormat::Text));
    }
}

// Inputs are read whole up to kMaxInputBytes, and anything longer, endless
// ones included, is refused with the limit named, in memory that does not
// grow with the input. (Unsanitized, the tool also runs under an address-space
// limit, so that one reading without a bound fails here instead of filling
// the machine's memory.)
TEST(ToolFiles, InputIsReadUpToTheLimitInBoundedMemory) {
    ScratchFolder folder;
    const std::string exact = folder / "exact.bin", over = folder / "over.bin";
    WriteFile(exact, "");
    WriteFile(over, "");
    ASSERT_EQ(::truncate(exact.c_str(), kMaxInputBytes), 0);
    ASSERT_EQ(::truncate(over.c_str(), kMaxInputBytes + 1), 0);
    const long baseline = RunEncodeTool({"hi"}).maxResidentKiB;
    const long bound = baseline + 4 * static_cast<long>(kMaxInputBytes / 1024);
    const std::string refused = ": longer than 16 MiB (16777216 bytes), the most that is read\n";
    const std::string yes = Cycle("y\n", 65536);
    // clang-format off
    const std::tuple<Args, std::string, bool, int, std::string> rows[] = {
        {{"-i", "/dev/zero"}, "", false, 2,
         "quirvane-encode: --input: cannot read '/dev/zero'" + refused},
        {{"-i", "-"}, yes, true, 2, "quirvane-encode: --input: cannot read standard input" + refused},
        {{"-i", "/dev/stdin"}, yes, true, 2,
         "quirvane-encode: --input: cannot read '/dev/stdin'" + refused},
        {{"-i", over}, "", false, 2, "quirvane-encode: --input: cannot read '" + over + "'" + refused},
        {{"-m", "byte", "-s", "40", "-i", exact}, "", false, 0, "入力バイト数：16777216  "},
        {{"-i", "/dev/stdin"}, "AB\nCD", false, 0, "入力バイト数：6  "}};  // a pipe, as <(…) gives
    // clang-format on
    for (const auto& [args, input, endless, exit, message] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args) + (endless ? " endless" : ""));
        ProcessSpec launch = ToolSpec(args, input, endless);
        launch.addressSpaceLimit = QUIRVANE_SANITIZED ? RLIM_INFINITY : rlim_t{1} << 30;
        const ToolRun run = RunEncodeToolWith(launch);
        EXPECT_EQ(run.exitCode, exit);
        if (exit == 0) {
            EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, message);
            EXPECT_LE(run.maxResidentKiB, bound) << "baseline " << baseline << " KiB";
        }
    }
}

// File names are bytes: those that are not UTF-8 are read and written
// exactly as given.
TEST(ToolFiles, NamesThatAreNotUtf8AreUsedAsGiven) {
    ScratchFolder folder;
    WriteFile(folder / "in-\xff.txt", "bytes\n");
    const ToolRun run =
        RunEncodeTool({"-i", folder / "in-\xff.txt", "-o", folder / "out-\xfe.png"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"in-\xff.txt", "out-\xfe.png"}));
    EXPECT_TRUE(ReadFile(folder / "out-\xfe.png") == ToolSymbol("bytes\r\n", OutputFormat::Png));
}

// A value echoed in a message cannot break the line or reach the terminal as
// a command: control characters and broken UTF-8 come out escaped.
TEST(ToolFiles, EchoedValuesAreEscaped) {
    ScratchFolder folder;
    const std::string missing = folder / "nope-\xff\r.txt";
    // clang-format off
    const std::pair<Args, std::string> rows[] = {
        {{"-l", "X\n\x1b[31m", "hi"}, "--level: 'X\\n\\x1b[31m' is not accepted; use L, M, Q or H"},
        {{"--bogus\x1b]0;title\x07", "hi"}, "unknown option '--bogus\\x1b]0;title\\x07'; see --help"},
        {{"-m", "\xc2\x9b" "31m\tbyte", "hi"},
         "--mode: '\\xc2\\x9b31m\\tbyte' is not accepted; use auto, byte, alnum, numeric or kanji"},
        {{"-f", "p\xc3\xa9ng\\", "hi"},
         "--format: 'p\xc3\xa9ng\\\\' is not accepted; use text, png, svg, eps, pdf or terminal"},
        {{"-i", missing},
         "--input: cannot read '" + folder.Path() + "/nope-\\xff\\r.txt': No such file or directory"}};
    // clang-format on
    for (const auto& [args, line] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun run = RunEncodeTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "quirvane-encode: " + line + "\n");
    }
}

// The escaping itself, on what is easy to get wrong about UTF-8: overlong
// forms, surrogates, code points past U+10FFFF, cut sequences, C1 controls.
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

}  // namespace
}  // namespace quirvane::testing
