// quirvane-encode and the symbols it makes. The proof that a symbol is right:
// drawn as the tool draws its PNG, read back by zbarimg (an independent
// decoder) and compared byte for byte with the text encoded, for every
// (version, level), all three modes, short and full texts, all eight masks.
// Then the tool as a user or a script meets it: exit statuses, messages, the
// text format, input from a file or standard input, output formats, and never
// a partial or clobbered output file.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>

#include <quirvane/version.h>

#include "cli/options.h"
#include "cli/symbol_output.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

using Args = std::vector<std::string>;

struct ToolRun {
    int exitCode = -1;  // also when it crashed or hung
    std::string out, err;
};

ToolRun RunEncodeTool(const Args& args, const std::string& input = {}) {
    QStringList list;
    std::ranges::transform(args, std::back_inserter(list), &QString::fromStdString);
    QProcess tool;
    tool.start(QUIRVANE_ENCODE_PATH, list);
    tool.write(input.data(), static_cast<qint64>(input.size()));
    tool.closeWriteChannel();
    const bool finished = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit;
    return {finished ? tool.exitCode() : -1, tool.readAllStandardOutput().toStdString(),
            tool.readAllStandardError().toStdString()};
}

GenerationResult Encode(EncoderState& state, const EncoderSettings& s, std::string_view text) {
    state.settings = s;
    return state.CreateData(text);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<no file>";
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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
    QTemporaryDir dir;
    auto state = std::make_unique<EncoderState>();  // reused: each run must start clean
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int mask = static_cast<int>((index + i) % kMaskCount);
        SCOPED_TRACE("case " + std::to_string(i) + " mask " + std::to_string(mask));
        const auto& [mode, text] = cases[i];
        const GenerationResult r = Encode(*state, {mode, version, level, mask}, text);
        ASSERT_TRUE(r.Created()) << r.message;
        const std::string path = dir.filePath(QString::number(i) + ".png").toStdString();
        WriteFile(path, SymbolAsBytes(ViewOf(*state), OutputFormat::Png, 2, {0, 0, 0}));
        std::string decoded;
        ASSERT_TRUE(DecodePngWithZbar(path, decoded)) << decoded;
        EXPECT_EQ(decoded, mode == kModeByte ? CutUtf8(text, p.byteCapacity) : text);
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

// The PNG files the program writes scan too; version 40 reads a file longer
// than the 16384-byte input copy, starting with bytes that are no UTF-8.
TEST(RoundTripThroughTool, PngFilesOfVersion1And40Scan) {
    QTemporaryDir dir;
    const std::string png = dir.filePath("out.png").toStdString(), input = png + ".in";
    const std::string v1 = "Quirvane \xE2\x86\x92 1", v40 = "\xFE\xFF\x81" + Cycle(kUtf8, 20000);
    WriteFile(input, v40);
    const std::tuple<Args, std::string, std::string> runs[] = {
        {{"-o", png, "-l", "M", "-k", "5", v1}, v1, v1},
        {{"-o", png, "-s", "40", "-k", "6", "-i", input}, v40, CutUtf8(v40, 2953)}};
    for (const auto& [args, text, expected] : runs) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun tool = RunEncodeTool(args);
        ASSERT_EQ(tool.exitCode, 0) << tool.err;
        EXPECT_EQ(tool.err.rfind("入力バイト数：" + std::to_string(text.size()) + "  ", 0), 0u)
            << tool.err;
        std::string decoded;
        ASSERT_TRUE(DecodePngWithZbar(png, decoded)) << decoded;
        EXPECT_EQ(decoded, expected);
    }
}

// The symbol on stdout as n lines of n '0'/'1', the statistics line on stderr.
// Line breaks read by --input (a file in the round trip), LF or CR LF, become CR LF.
TEST(Tool, SuccessPrintsTheSymbolAsLinesAndTheStatisticsLine) {
    // clang-format off
    const std::tuple<Args, std::string, EncoderSettings, std::string> rows[] = {
        {{"HELLO"}, "", kToolDefaults, "HELLO"},
        {{"--level", "Q", "--", "-x"}, "", {kModeByte, 1, kLevelQ}, "-x"},
        {{"--mode", "numeric", "--symbol-version=2", "--level", "H", "--mask=0", "0123456789"}, "",
         {kModeNumeric, 2, kLevelH, 0}, "0123456789"},
        {{"HELLO WORLD", "-m", "alnum", "-s", "40", "-l", "Q", "-k", "7", "-f", "text", "-o", "-"},
         "", {kModeAlphanumeric, 40, kLevelQ, 7}, "HELLO WORLD"},
        {{"--input", "-"}, "AB\nCD\r\nEF", kToolDefaults, "AB\r\nCD\r\nEF"},
        {{"-i", "-"}, "AB\r\nCD\nEF\n", kToolDefaults, "AB\r\nCD\r\nEF\r\n"}};
    // clang-format on
    auto state = std::make_unique<EncoderState>();
    for (const auto& [args, input, settings, text] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const GenerationResult expected = Encode(*state, settings, text);
        const ToolRun run = RunEncodeTool(args, input);
        std::string lines;  // n lines of n '0'/'1', dark '1', each ending in a line feed
        for (int i = 0, n = state->SymbolSide(); i < n * (n + 1); ++i) {
            lines += i % (n + 1) == n ? '\n' : "01"[state->IsDark(i / (n + 1), i % (n + 1))];
        }
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out),
                  std::tuple(0, std::string(expected.status) + "\n", lines));
    }
    const ToolRun help = RunEncodeTool({"--help"}), version = RunEncodeTool({"--version"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.find("--module-width") != std::string::npos);
    EXPECT_TRUE(version.exitCode == 0 &&
                version.out == "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n");
}

// Exit 2 for an option, naming it; 1 for a text refused, with the exact
// message. One line on stderr, and no file made, replaced or half written.
TEST(Tool, FailuresExitWithOneLineAndTouchNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkdir("folder"));
    const std::string d = dir.path().toStdString(), old = d + "/old.txt";
    WriteFile(old, "previous\n");
    // clang-format off
    const std::tuple<Args, int, std::string> rows[] = {
        {{"--symbol-version", "41", "A"}, 2, "--symbol-version"},
        {{"--symbol-version", "0", "A"}, 2, "--symbol-version"},
        {{"-s", "41", "A"}, 2, "--symbol-version"}, {{"A", "--level"}, 2, "--level"},
        {{"--level", "X", "A"}, 2, "--level"}, {{"--module-width", "3", "A"}, 2, "--module-width"},
        {{"--colour", "300,0,0", "A"}, 2, "--colour"}, {{"--colour", "1,2", "A"}, 2, "--colour"},
        {{"-c", "a,b,c", "A"}, 2, "--colour"}, {{"--bogus", "A"}, 2, "--bogus"},
        {{"--mask", "8", "A"}, 2, "--mask"}, {{"A", "-o", d + "/none/out.txt"}, 2, "--output"},
        {{"--input", old, "A"}, 2, "--input"}, {{}, 2, "--input"},
        {{"--input", d + "/missing"}, 2, "--input"}, {{"--input", d + "/folder"}, 2, "--input"},
        {{"--mode", "numeric", "12a"}, 1, "数字の文字セットのみを選択してください\n"},
        {{"--mode", "alnum", "abc"}, 1, "英数字の文字セットのみを選択してください\n"}};
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
    ASSERT_TRUE(Encode(*state, {kModeByte, 3}, "format").Created());
    using enum OutputFormat;
    // clang-format off
    const std::tuple<std::string, Args, OutputFormat> rows[] = {
        {"-", {}, Text}, {"out.png", {}, Png}, {"OUT.PNG", {}, Png}, {"out.svg", {}, Svg},
        {"out.txt", {}, Text}, {"out.txt", {"-f", "png"}, Png},
        {"out.png", {"--format", "text"}, Text}, {"-", {"--format=svg"}, Svg}};
    // clang-format on
    for (const auto& [file, format, expected] : rows) {
        const std::string path = file == "-" ? "-" : dir.filePath(file.c_str()).toStdString();
        Args args = {"format", "-s", "3", "-w", "1", "-c", "255,0,0", "-o", path};
        args.insert(args.end(), format.begin(), format.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        if (path != "-")
            WriteFile(path, std::string(5000, 'x'));  // longer than what replaces it
        const ToolRun run = RunEncodeTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(path == "-" ? run.out : run.out + ReadFile(path),
                  SymbolAsBytes(ViewOf(*state), expected, 1, {255, 0, 0}));
    }
}

}  // namespace
}  // namespace quirvane::testing
