// The text reader both programs share keeps every character, U+FEFF
// anywhere in a file included, and the window's byte mode writes it.
#include "text/input_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quirvane::testing {
namespace {

TEST(InputText, EveryCharacterIsKeptAsTheWindowReadsIt) {
    const QString feff(QChar(0xFEFF));
    // clang-format off
    const std::tuple<std::string, QString, std::string> rows[] = {
        // a file, the window's text, what its byte mode writes
        {"\xEF\xBB\xBF", feff, "\xEF\xBB\xBF"},
        {"a\xEF\xBB\xBF" "b\n", "a" + feff + "b\r\n", "a\xEF\xBB\xBF" "b\r\n"},
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80\nx", feff + QString::fromUtf8("😀\r\nx"),
         "\xEF\xBB\xBF\xF0\x9F\x98\x80\r\nx"},
        {"\x82\xA0\n", QString::fromUtf8("あ\r\n"), "\x82\xA0\r\n"},  // code page 932
        {"", QString(""), ""}};
    // clang-format on
    for (const auto& [file, text, written] : rows) {
        const DecodedText decoded = DecodeFileText(file);
        EXPECT_TRUE(decoded.ok && !decoded.text.isNull());
        EXPECT_EQ(decoded.text, text) << file;
        EXPECT_EQ(EncodeForByteMode(decoded.text, ByteModeEncoding::CodePageWhenPossible).bytes,
                  written);
    }
}

}  // namespace
}  // namespace quirvane::testing
