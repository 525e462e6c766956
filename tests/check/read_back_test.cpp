// Reading symbols back in the program: drawn symbols of every kind of data
// give their bytes and zbar's text in several threads at once, and failures
// made on purpose are reported as such.
#include "check/read_back.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include <quirvane/encoder.h>

#include "render/symbol_image.h"

namespace quirvane {
namespace {

struct Row {
    std::string input;
    Request request;
    DrawingOptions options;
    std::string bytes, text;
};

const std::string kUrl = "https://example.com/";
const std::string kKanjiSjis = "\x8a\xbf\x8e\x9a\x83\x65\x83\x58\x83\x67";  // 漢字テスト
const Request kUtf8Eci{.mode = Mode::Byte, .eci = 26};
const std::vector<Row> kRows = {
    {kUrl, {}, {}, kUrl, kUrl},
    {"漢字テスト", {.mode = Mode::Kanji}, {}, kKanjiSjis, "漢字テスト"},
    {"é€漢", kUtf8Eci, {.moduleWidth = 3, .quietZoneModules = 4}, "é€漢", "é€漢"},
    // Black under alpha 0: read without compositing, it is black on black.
    {kUrl, {}, {.transparentBackground = true, .background = {0, 0, 0}}, kUrl, kUrl},
};

QImage Drawn(const std::string& input, const Request& request, const DrawingOptions& o) {
    Encoder encoder;
    const Result made = encoder.Encode(input, request);
    return made ? RenderSymbolImage(made.symbol, o) : QImage();
}

// Four threads at once, each making, drawing and reading every row.
TEST(ReadBack, DrawnSymbolsGiveTheirBytesAndTextInSeveralThreads) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (const Row& row : kRows) {
                const QImage image = Drawn(row.input, row.request, row.options);
                const std::vector<ScannedSymbol> read = ReadBack(image);
                EXPECT_TRUE(read.size() == 1 && read[0].bytes == row.bytes &&
                            read[0].text == row.text && !read[0].gs1 && !read[0].aim &&
                            !read[0].incompleteSet)
                    << row.text;
                EXPECT_TRUE(ReadsBackAs(image, row.bytes)) << row.text;
                EXPECT_FALSE(ReadsBackAs(image, row.bytes + "x")) << row.text;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

TEST(ReadBack, WhatCannotBeReadOrIsNotOneSymbolIsReportedSo) {
    const QImage blackOnBlack = Drawn(kUrl, {}, {.background = {0, 0, 0}});
    EXPECT_TRUE(ReadBack(blackOnBlack).empty() && ReadBack(QImage()).empty());
    EXPECT_FALSE(ReadsBackAs(blackOnBlack, kUrl) || ReadsBackAs(QImage(), ""));
    const QImage one = Drawn("one", {}, {.moduleWidth = 3, .quietZoneModules = 4});
    QImage two(one.width() * 2, one.height(), QImage::Format_RGB32);
    two.fill(Qt::white);
    QPainter painter(&two);
    painter.drawImage(0, 0, one);
    painter.drawImage(one.width(), 0, one);
    painter.end();
    EXPECT_EQ(ReadBack(two).size(), 2U);
    EXPECT_FALSE(ReadsBackAs(two, "one"));
}

}  // namespace
}  // namespace quirvane
