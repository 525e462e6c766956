// quirvane-encode as a user meets it: texts typed in Japanese (and not) come
// back from zbarimg as a reader shows them, in every form the tool can write;
// byte mode with every choice made is the window's symbol; versions, masks and
// refusals say what they did; every drawing format scans at its print size;
// a batch makes one file per line, named safely, whole or not at all.
// References are independent where they can be: glibc's converter for code
// page 932, the capacity table for versions, zbarimg and the rasterisers of
// other projects for what was drawn.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iconv.h>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <quirvane/encoder.h>

#include "render/symbol_terminal.h"
#include "tests/cli/tool_test_support.h"
#include "tests/render/consumer_tools.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"
#include "text/input_text.h"

namespace quirvane::testing {
namespace {

// Kana, kanji and full-width punctuation, all of them JIS X 0208 characters.
const std::string kLongJapanese =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした"
    "所でニャーニャー泣いていた事だけは記憶している。「吾輩はここで始めて人間というものを見た」"
    "（夏目漱石）！？";

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// UTF-8 text in `charset` as glibc's converter writes it, a table other than
// the program's; nothing when a character has no form there.
std::optional<std::string> Converted(const std::string& utf8, const char* charset) {
    const iconv_t converter = ::iconv_open(charset, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "glibc's " << charset << " converter is missing: " << std::strerror(errno);
        return std::nullopt;
    }
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    const std::size_t converted = ::iconv(converter, &in, &inLeft, &to, &outLeft);
    ::iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

// Code page 932, and Shift_JIS itself (JIS X 0208, no code-page-932 extension).
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

// The lines of the tool's text format: n strings of n '0'/'1'.
std::vector<std::string> ModuleRows(const std::string& text) {
    std::vector<std::string> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    return rows;
}

// The first module whose centre pixel is not as `rows` says ("" when none),
// modules `w` pixels wide inside a light border of `margin` pixels; light is
// paper, dark is ink, whatever the colours.
std::string WrongModule(const QImage& image, const std::vector<std::string>& rows, int w,
                        int margin) {
    const int n = static_cast<int>(rows.size());
    const int side = n * w + 2 * margin;
    if (image.width() != side || image.height() != side) {
        return "size " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
               ", not " + std::to_string(side);
    }
    for (int r = -1; r <= n; ++r) {
        for (int c = -1; c <= n; ++c) {
            const bool inside = r >= 0 && c >= 0 && r < n && c < n;
            const bool dark = inside && rows[r][c] == '1';
            const int x = inside || c >= 0 ? margin + c * w + w / 2 : margin / 2;
            const int y = inside || r >= 0 ? margin + r * w + w / 2 : margin / 2;
            if ((qGray(image.pixel(x, y)) < 128) != dark) {
                return "module (" + std::to_string(r) + ", " + std::to_string(c) + ")";
            }
        }
    }
    return {};
}

// The line of the statistics that tells the version and the mask, or -1s.
std::pair<int, int> VersionAndMask(const std::string& err) {
    static const std::regex kEnd("  バージョン：([0-9]+)  マスク：([0-7])\n$");
    std::smatch m;
    return std::regex_search(err, m, kEnd) ? std::pair(std::stoi(m[1]), std::stoi(m[2]))
                                           : std::pair(-1, -1);
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
        {"こんにちは", "SSSSSS"},
        {"データ作成テスト", "SSSSSS"},
        {kLongJapanese, "SSSSSS"},
        {"丸数字①から⑩まで", "SBRSRS"},
        {"ﾊﾝｶｸｶﾀｶﾅとカタカナ", "SSRSSS"},
        {"絵文字😀付きの文", "SSRSRS"},
        {"café東京", "SBRSRS"},
        {"Crème brûlée", "SBRSRS"},
        {"C:\\Users\\山田\\文書", "SJRSRS"},
        {"注文番号 20240611-0042", "SSRSSS"},
        {"https://example.com/path?query=1&x=%20", "SSRSSS"},
        {"http://例え.jp/パス?q=東京", "SSRSSS"},
        {"The quick brown fox jumps over the lazy dog 0123456789", "SSRSSS"},
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
            std::string read;
            switch (expected) {
                case 'S':
                case 'J':
                    ASSERT_TRUE(DecodePngTextWithZbar(png, read)) << read;
                    EXPECT_EQ(read, expected == 'S' ? row.text : AsShiftJisReads(row.text));
                    break;
                case 'B':
                    ASSERT_TRUE(DecodePngWithZbar(png, read)) << read;
                    EXPECT_EQ(read, bytes);
                    break;
                default:
                    ADD_FAILURE() << "no such expectation";
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

// ---- Byte mode with every choice made is the window's symbol.

enum class Source { Argument, Utf8File, ShiftJisFile };

struct WindowRow {
    Source source;
    std::string text;  // UTF-8; a Shift_JIS file holds it in code page 932
    int version;
    int level;
    int mask;
};

// The window's road: the text as it reads it, in byte mode's bytes by the
// program's rule, through the generation command with its settings.
GenerationResult WindowsSymbol(EncoderState& state, const DecodedText& read, const WindowRow& row) {
    const ByteModeText bytes = EncodeForByteMode(read.text, ByteModeEncoding::CodePageWhenPossible);
    state.settings = {kModeByte, row.version, row.level, row.mask};
    return state.CreateData(bytes.bytes, bytes.encoding);
}

TEST(ToolSymbol, ByteModeWithEveryChoiceMadeIsTheWindowsSymbol) {
    using enum Source;
    // clang-format off
    const WindowRow rows[] = {
        {Argument, "東京都", 1, kLevelL, 0},
        {Argument, "データ作成テスト", 2, kLevelM, 5},
        {Argument, "番号①とｶﾀｶﾅ", 3, kLevelQ, 7},
        {Argument, "café 東京", 1, kLevelH, 3},      // UTF-8, cut before 東
        {Argument, kLongJapanese, 1, kLevelL, 6},   // Shift_JIS, cut on a character
        {Argument, kLongJapanese, 40, kLevelH, 2},
        {Argument, "C:\\Users\\山田\\文書", 2, kLevelL, 4},
        {Utf8File, "東京都\n大阪府\n名古屋市", 2, kLevelM, 2},
        {Utf8File, "一行目\r\n二行目\r\n", 3, kLevelL, 6},
        {Utf8File, "絵文字😀\nと改行\n", 2, kLevelQ, 1},
        {ShiftJisFile, "東京都\r\n大阪府①\nｶﾀｶﾅ", 2, kLevelL, 1},
        {ShiftJisFile, kLongJapanese + "\n", 1, kLevelM, 0}};
    // clang-format on
    ScratchFolder folder;
    const std::string file = folder / "input.txt";
    auto state = std::make_unique<EncoderState>();
    for (const WindowRow& row : rows) {
        Args args = {"-m", "byte",
                     "-s", std::to_string(row.version),
                     "-l", std::string(1, "LMQH"[row.level - kLevelL]),
                     "-k", std::to_string(row.mask),
                     "-f", "text"};
        DecodedText read;
        if (row.source == Argument) {
            args.insert(args.end(), {"--", row.text});
            read = DecodeUtf8Text(row.text);
        } else {
            const std::string bytes =
                row.source == Utf8File ? row.text : Cp932Of(row.text).value_or("<none>");
            WriteFile(file, bytes);
            args.insert(args.end(), {"-i", file});
            read = DecodeFileText(bytes);
        }
        SCOPED_TRACE(::testing::PrintToString(args));
        ASSERT_TRUE(read.ok);
        const GenerationResult window = WindowsSymbol(*state, read, row);
        ASSERT_TRUE(window.Created()) << window.message;
        const ToolRun run = RunEncodeTool(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, Drawn(*state, OutputFormat::Text));
        EXPECT_EQ(LastLine(run.err), std::string(window.status) + "  バージョン：" +
                                         std::to_string(row.version) + "  マスク：" +
                                         std::to_string(row.mask) + "\n");
    }
}

// ---- Versions and masks.

struct VersionRow {
    Args args;
    int mode;
    int level;
    int characters;
    int bytesEach;  // byte mode: bytes of each character
    std::string text;
    int minVersion = 1;
    int maxVersion = kLargestVersion;
};

// How many characters of a mode version `version` holds, from the table.
int CharactersHeld(const VersionRow& row, int version) {
    const SymbolParameters& p = *FindSymbolParameters(version, row.level);
    return row.mode == kModeNumeric        ? p.numericCapacity
           : row.mode == kModeAlphanumeric ? p.alphanumericCapacity
                                           : p.byteCapacity / row.bytesEach;
}

// The smallest version within the bounds whose capacity holds the text; a
// text that fits nowhere is refused, saying by how much.
TEST(ToolSymbol, AutomaticVersionIsTheSmallestThatHoldsTheText) {
    const auto digits = [](int n) { return Repeat("7", n); };
    const auto letters = [](int n) { return Repeat("A", n); };
    const auto ascii = [](int n) { return Repeat("a", n); };
    const auto kana = [](int n) { return Repeat("あ", n); };
    const Args numeric = {"-m", "numeric"}, alnum = {"-m", "alnum"}, byte = {"-m", "byte"};
    // clang-format off
    const VersionRow rows[] = {
        {numeric, kModeNumeric, kLevelL, 41, 1, digits(41)},
        {numeric, kModeNumeric, kLevelL, 42, 1, digits(42)},
        {numeric, kModeNumeric, kLevelH, 17, 1, digits(17)},
        {numeric, kModeNumeric, kLevelH, 18, 1, digits(18)},
        {alnum, kModeAlphanumeric, kLevelM, 20, 1, letters(20)},
        {alnum, kModeAlphanumeric, kLevelM, 21, 1, letters(21)},
        {byte, kModeByte, kLevelQ, 11, 1, ascii(11)},
        {byte, kModeByte, kLevelQ, 12, 1, ascii(12)},
        {byte, kModeByte, kLevelL, 8, 2, kana(8)},    // Shift_JIS: two bytes each
        {byte, kModeByte, kLevelL, 9, 2, kana(9)},
        {byte, kModeByte, kLevelL, 300, 1, ascii(300)},
        {numeric, kModeNumeric, kLevelL, 41, 1, digits(41), 5},
        {alnum, kModeAlphanumeric, kLevelL, 2, 1, "A1", 4, 4},
        {numeric, kModeNumeric, kLevelM, 200, 1, digits(200), 2, 6},
        {byte, kModeByte, kLevelL, 100, 1, ascii(100), 1, 3},  // refused at 3
        {byte, kModeByte, kLevelL, 9, 2, kana(9), 1, 1},       // refused: one character over
        {numeric, kModeNumeric, kLevelL, 7090, 1, digits(7090)},
        {byte, kModeByte, kLevelH, 1300, 1, ascii(1300)}};
    // clang-format on
    for (const VersionRow& row : rows) {
        Args args = row.args;
        args.insert(args.end(), {"-l", std::string(1, "LMQH"[row.level - kLevelL])});
        for (const auto& [option, value, preset] :
             {std::tuple("--min-version", row.minVersion, 1),
              std::tuple("--max-version", row.maxVersion, kLargestVersion)}) {
            if (value != preset) {
                args.insert(args.end(), {option, std::to_string(value)});
            }
        }
        args.push_back(row.text);
        SCOPED_TRACE(::testing::PrintToString(args).substr(0, 200));
        int expected = row.minVersion;
        while (expected <= row.maxVersion && CharactersHeld(row, expected) < row.characters) {
            ++expected;
        }
        const ToolRun run = RunEncodeTool(args);
        if (expected <= row.maxVersion) {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(VersionAndMask(run.err).first, expected) << run.err;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "a notice too: " << run.err;
            continue;
        }
        const int held = CharactersHeld(row, row.maxVersion), over = row.characters - held;
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "the text is " + std::to_string(over) +
                               (over == 1 ? " character" : " characters") + " too long: version " +
                               std::to_string(row.maxVersion) + "-" + "LMQH"[row.level - kLevelL] +
                               " holds the first " + std::to_string(held) + " of its " +
                               std::to_string(row.characters) + "\n");
    }
}

// In the automatic mix of modes there is no table to read: the version chosen
// must hold the whole text and the one below it must not.
TEST(ToolSymbol, AutomaticVersionOfAMixIsTheFirstThatLeavesNothingOut) {
    const std::pair<std::string, std::string> rows[] = {
        {"L", kLongJapanese},
        {"H", kLongJapanese},
        {"M", "注文番号 20240611-0042 " + kLongJapanese},
        {"Q", "https://example.com/" + Repeat("東京0123", 40)}};
    for (const auto& [level, text] : rows) {
        SCOPED_TRACE(level + " " + text.substr(0, 40));
        const ToolRun automatic = RunEncodeTool({"-l", level, text});
        const int version = VersionAndMask(automatic.err).first;
        ASSERT_GT(version, 1) << automatic.err;
        for (const int explicitVersion : {version - 1, version}) {
            const ToolRun run =
                RunEncodeTool({"-l", level, "-s", std::to_string(explicitVersion), text});
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.err.rfind("quirvane-encode: ", 0) == 0, explicitVersion < version)
                << run.err;
            if (explicitVersion == version) {
                EXPECT_EQ(run.out, automatic.out);
            }
        }
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
        std::string read;
        ASSERT_TRUE(row.bytes ? DecodePngWithZbar(png, read) : DecodePngTextWithZbar(png, read))
            << read;
        EXPECT_EQ(read, row.start);
    }
}

// The mask with the lowest penalty, and its number on the statistics line;
// the symbol is the one that mask gives when it is asked for.
TEST(ToolSymbol, AutomaticMaskIsShownAndIsTheSymbolOfThatMask) {
    const std::tuple<Args, std::string, int> rows[] = {
        {{"--mode", "numeric", "-s", "1", "-l", "M"}, "01234567", 2},  // the worked example
        {{}, "東京都", -1},
        {{"-l", "Q"}, kLongJapanese, -1},
        {{"-m", "byte", "-l", "H"}, "https://example.com/quirvane", -1}};
    for (const auto& [options, text, mask] : rows) {
        Args args = options;
        args.push_back(text);
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun automatic = RunEncodeTool(args);
        ASSERT_EQ(automatic.exitCode, 0);
        const auto [version, chosen] = VersionAndMask(automatic.err);
        if (mask >= 0) {
            EXPECT_EQ(chosen, mask) << automatic.err;
        }
        args.insert(args.end() - 1, {"-k", std::to_string(chosen)});
        const ToolRun given = RunEncodeTool(args);
        EXPECT_EQ(given.out, automatic.out);
        EXPECT_EQ(VersionAndMask(given.err), std::pair(version, chosen));
    }
}

// ---- Drawings, read by other programs.

TEST(ToolDrawing, EveryFormatScansAtItsPrintSize) {
    ScratchFolder folder;
    const std::string text = "Quirvane 東京都";
    const std::vector<std::string> rows = ModuleRows(RunEncodeTool({"-f", "text", text}).out);
    ASSERT_GT(rows.size(), 20u);
    constexpr int kWidth = 8, kQuiet = 4, kDpi = 300;
    const int side = static_cast<int>(rows.size()) * kWidth + 2 * kQuiet * kWidth;
    const double millimetres = side * 25.4 / kDpi, points = side * 72.0 / kDpi;
    const DrawingOptions options{.moduleWidth = kWidth, .quietZoneModules = kQuiet, .dpi = kDpi};
    // clang-format off
    // The format, who draws it, and where it says its size (in mm or points).
    const std::tuple<const char*, std::optional<VectorFormat>, const char*, double> formats[] = {
        {"png", std::nullopt, "", 0},
        {"svg", VectorFormat::Svg, "<svg [^>]*width=\"([0-9.]+)mm\"", millimetres},
        {"pdf", VectorFormat::Pdf, "/MediaBox \\[0 0 ([0-9.]+) \\1\\]", points},
        {"eps", VectorFormat::Eps, "%%HiResBoundingBox: 0 0 ([0-9.]+) \\1\n", points}};
    // clang-format on
    for (const auto& [extension, vector, sizeField, size] : formats) {
        SCOPED_TRACE(extension);
        const std::string file = folder / (std::string("symbol.") + extension);
        const ToolRun run =
            RunEncodeTool({"-w", "8", "--quiet-zone", "4", "--dpi", "300", "-o", file, text});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string bytes = ReadFile(file);
        std::string png = file;
        if (vector) {
            std::smatch m;
            ASSERT_TRUE(std::regex_search(bytes, m, std::regex(sizeField)));
            // Written rounded down, never larger than the drawing.
            EXPECT_LE(std::stod(m[1]), size);
            EXPECT_GT(std::stod(m[1]), size - 0.01);
            png = file + ".png";
            const std::string problem =
                Rasterise(*vector, bytes, options, kDpi, Raster::Grey,
                          QString::fromStdString(folder.Path()), QString::fromStdString(png));
            ASSERT_EQ(problem, "");
        }
        const QImage image(QString::fromStdString(png));
        if (!vector) {
            EXPECT_EQ(image.dotsPerMeterX(), qRound(kDpi / 0.0254));
            EXPECT_EQ(image.dotsPerMeterY(), qRound(kDpi / 0.0254));
        }
        EXPECT_EQ(WrongModule(image, rows, kWidth, kQuiet * kWidth), "");
        std::string read;
        ASSERT_TRUE(DecodePngTextWithZbar(png, read)) << read;
        EXPECT_EQ(read, text);
    }
}

TEST(ToolDrawing, TransparentBackgroundLeavesTheLightModulesClear) {
    ScratchFolder folder;
    const std::string png = folder / "clear.png", text = "透明 transparent";
    const std::vector<std::string> rows = ModuleRows(RunEncodeTool({"-f", "text", text}).out);
    ASSERT_EQ(RunEncodeTool({"-w", "8", "--quiet-zone", "4", "--background", "transparent", "-c",
                             "0,0,128", "-o", png, text})
                  .exitCode,
              0);
    const QImage image(QString::fromStdString(png));
    ASSERT_TRUE(image.hasAlphaChannel());
    const int n = static_cast<int>(rows.size());
    ASSERT_EQ(image.width(), n * 8 + 64);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const QRgb pixel = image.pixel(32 + c * 8 + 4, 32 + r * 8 + 4);
            const bool dark = rows[r][c] == '1';
            ASSERT_EQ(qAlpha(pixel), dark ? 255 : 0) << r << ", " << c;
            ASSERT_TRUE(!dark || qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) == qRgb(0, 0, 128))
                << r << ", " << c;
        }
    }
}

// The terminal drawing through the tool: half blocks turned back into
// modules are the symbol inside its light border, and scan.
TEST(ToolDrawing, TerminalDrawingReadsBackAsTheSymbol) {
    const std::string text = "端末 terminal";
    const std::vector<std::string> rows = ModuleRows(RunEncodeTool({"-f", "text", text}).out);
    const ToolRun run = RunEncodeTool({"-f", "terminal", text});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const int n = static_cast<int>(rows.size()), border = kTerminalQuietZoneModules;
    const int side = n + 2 * border;
    std::vector<std::string> ink;  // "1" inked, "0" blank, two module rows a line
    for (const std::string& line : ModuleRows(run.out)) {
        std::string top, bottom;
        for (std::size_t at = 0; at < line.size();) {
            const bool blank = line[at] == ' ';
            const std::string glyph = line.substr(at, blank ? 1 : 3);
            ASSERT_TRUE(blank || glyph == "▀" || glyph == "▄" || glyph == "█") << line;
            top += glyph == "▀" || glyph == "█" ? '1' : '0';
            bottom += glyph == "▄" || glyph == "█" ? '1' : '0';
            at += glyph.size();
        }
        ink.push_back(top);
        ink.push_back(bottom);
    }
    ASSERT_EQ(ink.size(), static_cast<std::size_t>(side + side % 2));
    EXPECT_EQ(ink.back(), std::string(static_cast<std::size_t>(side), '0'));  // odd: a blank half
    QImage image(side * 4, side * 4, QImage::Format_RGB32);
    for (int r = 0; r < side; ++r) {
        ASSERT_EQ(ink[r].size(), static_cast<std::size_t>(side));
        for (int c = 0; c < side; ++c) {
            const bool inside = r >= border && c >= border && r < n + border && c < n + border;
            EXPECT_EQ(ink[r][c], inside ? rows[r - border][c - border] : '0') << r << ", " << c;
            for (int p = 0; p < 16; ++p) {
                image.setPixel(c * 4 + p % 4, r * 4 + p / 4,
                               ink[r][c] == '1' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
    }
    ScratchFolder folder;
    const std::string png = folder / "terminal.png";
    ASSERT_TRUE(image.save(QString::fromStdString(png), "PNG"));
    std::string read;
    ASSERT_TRUE(DecodePngTextWithZbar(png, read)) << read;
    EXPECT_EQ(read, text);
}

// ---- Batches.

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

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
    const std::vector<std::string> lines = {"東京都",
                                            "大阪府",
                                            "",
                                            "京都府",
                                            "北海道",
                                            "沖縄県",
                                            "丸数字①番",
                                            "神奈川県",
                                            "愛知県",
                                            "福岡県",
                                            "こんにちは",
                                            "データ作成テスト",
                                            "吾輩は猫である名前はまだ無い",
                                            "兵庫県",
                                            "広島県",
                                            "宮城県",
                                            "新潟県",
                                            "長野県",
                                            "静岡県",
                                            "千葉県"};
    ScratchFolder folder;
    WriteFile(folder / "lines.txt", NumberedLines(lines));
    std::filesystem::create_directory(folder / "out");
    const ToolRun run = RunEncodeTool({"--batch", folder / "lines.txt", "--mode", "kanji",
                                       "--max-version", "1", "-o", folder / "out/qr-{n}.png"});
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
        const std::string name =
            std::string(number < 10 ? "qr-0" : "qr-") + std::to_string(number) + ".png";
        expected.insert(name);
        std::string read;
        ASSERT_TRUE(DecodePngTextWithZbar(folder / ("out/" + name), read)) << name << ": " << read;
        EXPECT_EQ(read, lines[i]) << name;
    }
    EXPECT_EQ(NamesIn(folder / "out"), expected);
}

// With an explicit version a line too long is cut, as a single text is, and
// the batch says so for that line; it is made all the same. {n} is as wide as
// the count of every line, empty ones at the end included.
TEST(ToolBatch, ACutLineIsNamedAndTheNumberWidthCountsEveryLine) {
    ScratchFolder folder;
    WriteFile(folder / "lines.txt",
              NumberedLines({"short", "this line is far too long for version one", "", "", "", "",
                             "", "", "", "", ""}));
    const ToolRun run =
        RunEncodeTool({"--batch", folder / "lines.txt", "-s", "1", "-o", folder / "L-{n}.txt"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "quirvane-encode: line 2: 24 characters left out: version 1-L holds only the start "
              "of the text\n"
              "quirvane-encode: 2 made, 0 refused, 0 failed\n");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"L-01.txt", "L-02.txt", "lines.txt"}));
    EXPECT_EQ(
        ReadFile(folder / "L-02.txt"),
        RunEncodeTool({"-s", "1", "-f", "text", "this line is far too long for version one"}).out);
}

// {text} is the line made safe for a file name: no slash, backslash or
// control character, at most 64 bytes and never half a character.
TEST(ToolBatch, TextNamesAreMadeSafe) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> lines = {
        {"a/b\x01" "c", "a_b_c"},
        {"C:\\temp", "C:_temp"},
        {"x\x7fy", "x_y"},
        {"..", "_"},
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
    EXPECT_EQ(ReadFile(out / "a_b_c.txt"), RunEncodeTool({"-f", "text",
                                                          "a/b\x01"
                                                          "c"})
                                               .out);
    for (const std::string& name : out.Names()) {
        EXPECT_LE(name.size(), 64u + 4u) << name;
    }
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
    ScratchFolder in;
    WriteFile(in / "lines.txt", NumberedLines(lines));
    const Args options = {"-l", "Q", "-k", "5", "-w", "3", "--quiet-zone", "2", "-c", "0,0,128"};
    std::vector<std::set<std::string>> names;
    std::vector<std::unique_ptr<ScratchFolder>> outs;
    for (const char* jobs : {"1", "4"}) {
        outs.push_back(std::make_unique<ScratchFolder>());
        Args args = options;
        args.insert(args.end(),
                    {"--batch", in / "lines.txt", "-j", jobs, "-o", *outs.back() / "{n}.svg"});
        const ToolRun run = RunEncodeTool(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "quirvane-encode: 20 made, 0 refused, 0 failed\n");
    }
    ASSERT_EQ(outs[0]->Names().size(), 20u);
    EXPECT_EQ(outs[0]->Names(), outs[1]->Names());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string name = std::string(i < 9 ? "0" : "") + std::to_string(i + 1) + ".svg";
        SCOPED_TRACE(name);
        Args alone = options;
        alone.insert(alone.end(), {"-f", "svg", lines[i]});
        const std::string file = ReadFile(*outs[0] / name);
        EXPECT_EQ(file, RunEncodeTool(alone).out);
        EXPECT_EQ(file, ReadFile(*outs[1] / name));
    }
}

// A batch read from standard input, numbered by its lines.
TEST(ToolBatch, LinesFromStandardInput) {
    ScratchFolder out;
    const ToolRun run =
        RunEncodeTool({"--batch", "-", "-o", out / "s-{n}.txt"}, "東京都\n\nHELLO\r\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "quirvane-encode: 2 made, 0 refused, 0 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"s-1.txt", "s-3.txt"}));
    EXPECT_EQ(ReadFile(out / "s-1.txt"), RunEncodeTool({"-f", "text", "東京都"}).out);
    EXPECT_EQ(ReadFile(out / "s-3.txt"), RunEncodeTool({"-f", "text", "HELLO"}).out);
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
    ProcessSpec spec = ToolSpec({"--batch", in / "lines.txt", "-j", "1", "-o", out / "q-{n}.png"});
    spec.environment = FaultEnvironment("rename:2:" + std::to_string(EIO));  // line 2's file
    const ToolRun failing = RunEncodeToolWith(spec);
    EXPECT_EQ(failing.exitCode, 2);
    EXPECT_EQ(failing.err, "quirvane-encode: line 2: --output: cannot write '" + out / "q-2.png" +
                               "': " + std::strerror(EIO) +
                               "\nquirvane-encode: 2 made, 0 refused, 1 failed\n");
    EXPECT_EQ(out.Names(), (std::set<std::string>{"q-1.png", "q-2.png", "q-4.png"}));
    EXPECT_EQ(ReadFile(out / "q-2.png"), "old bytes\n");
    EXPECT_EQ(ReadFile(out / "q-4.png"), RunEncodeTool({"-f", "png", "c"}).out);
}

// ---- On a terminal.

// The tool with standard output and standard error on a terminal (a
// pseudo-terminal in raw mode, so that what it writes arrives unchanged):
// everything written there, in order, in `out`.
ToolRun RunOnTerminal(const Args& args) {
    ToolRun run;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        run.err = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return run;
    }
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (terminal < 0 || ::tcgetattr(terminal, &mode) != 0) {
        run.err = std::string("cannot open the pseudo-terminal: ") + std::strerror(errno);
        ::close(master);
        return run;
    }
    ::cfmakeraw(&mode);
    ::tcsetattr(terminal, TCSANOW, &mode);
    std::vector<std::string> all = {QUIRVANE_ENCODE_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, STDIN_FILENO);
        ::dup2(terminal, STDOUT_FILENO);
        ::dup2(terminal, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(terminal);  // the tool holds the only end left: its exit ends the reads
    char buffer[4096];
    for (ssize_t n = 0; (n = ::read(master, buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            break;  // EIO: the tool has closed the terminal
        }
        run.out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(master);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// With standard output a terminal and no --output, the symbol is drawn for
// the terminal, black on white.
TEST(ToolTerminal, StandardOutputOnATerminalGetsTheTerminalDrawing) {
    const ToolRun run = RunOnTerminal({"東京都"});
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
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
    const Args args = {"--batch", in / "lines.txt", "-j", "2", "-o", out / "{n}.txt"};
    const std::string summary = "quirvane-encode: 20 made, 0 refused, 0 failed\n";
    const ToolRun piped = RunEncodeTool(args);
    EXPECT_EQ(std::tuple(piped.exitCode, piped.err), std::tuple(0, summary));
    const ToolRun shown = RunOnTerminal(args);
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    static const std::regex kBar("(\r\\[=* *\\] [0-9]+/20)*\r\\[={40}\\] 20/20\n");
    const std::size_t end = shown.out.size() - std::min(shown.out.size(), summary.size());
    EXPECT_EQ(shown.out.substr(end), summary);
    EXPECT_TRUE(std::regex_match(shown.out.substr(0, end), kBar)) << shown.out;
    EXPECT_EQ(out.Names().size(), 20u);
}

}  // namespace
}  // namespace quirvane::testing
