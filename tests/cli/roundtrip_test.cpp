// The proof that a symbol is right: drawn as quirvane-encode draws its PNG,
// read back by zbarimg (an independent decoder) and compared byte for byte
// with the text encoded. Every (version, level), all three modes, short and
// full texts, and all eight masks across the pairs.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <iterator>
#include <memory>
#include <tuple>

#include "cli/symbol_output.h"
#include "tests/cli/run_tool.h"
#include "tests/support/zbar_decode.h"

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
    const int index = (version == 40 ? 20 : version - 1) * 4 + level - kLevelL;  // 0-83
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
    ::testing::Combine(::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17,
                                         18, 19, 20, 40),
                       ::testing::Range(kLevelL, kLevelH + 1)),
    [](const auto& info) {
        const char level = "LMQH"[std::get<1>(info.param) - kLevelL];
        return QString("v%1_%2").arg(std::get<0>(info.param)).arg(level).toStdString();
    });

// The PNG files the program writes scan too; version 40 reads a file longer
// than the 16384-byte input copy, starting with bytes that are no UTF-8.
TEST(RoundTripThroughTool, PngFilesOfVersion1And40Scan) {
    QTemporaryDir dir;
    const std::string png = dir.filePath("out.png").toStdString();
    const std::string input = dir.filePath("input.bin").toStdString();
    const std::string v1 = "Quirvane \xE2\x86\x92 1", v40 = "\xFE\xFF\x81" + Cycle(kUtf8, 20000);
    WriteFile(input, v40);
    const std::tuple<std::vector<std::string>, std::string, std::string> runs[] = {
        {{"-o", png, "-l", "M", "-k", "5", v1}, v1, v1},
        {{"-o", png, "-s", "40", "-k", "6", "-i", input}, v40, CutUtf8(v40, 2953)},
    };
    for (const auto& [args, text, expected] : runs) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun tool = RunEncodeTool(args);
        ASSERT_EQ(tool.exitCode, 0) << tool.err;
        const std::string statistics = "入力バイト数：" + std::to_string(text.size()) + "  ";
        EXPECT_EQ(tool.err.rfind(statistics, 0), 0u) << tool.err;
        std::string decoded;
        ASSERT_TRUE(DecodePngWithZbar(png, decoded)) << decoded;
        EXPECT_EQ(decoded, expected);
    }
}

}  // namespace
}  // namespace quirvane::testing
