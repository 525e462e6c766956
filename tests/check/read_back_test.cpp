// Reading symbols back in the program: drawn symbols of every kind of data
// give their bytes and zbar's text, failures made on purpose are reported as
// such, and several threads may read at once.
#include "check/read_back.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <quirvane/encoder.h>

#include "render/symbol_image.h"

namespace quirvane {
namespace {

constexpr SymbolColour kBlack{0, 0, 0};

struct Row {
    const char* name;
    std::string input;
    SymbolRequest request;
    DrawingOptions options;
    std::string bytes;
    std::string text;
};

const std::string kHello = "https://example.com/";
// "こんにちは" and "漢字テスト" in Shift_JIS.
const std::string kHelloSjis = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd";
const std::string kKanjiSjis = "\x8a\xbf\x8e\x9a\x83\x65\x83\x58\x83\x67";

const std::vector<Row> kRows = {
    {"window drawing", kHello, {.characterMode = kModeByte}, {}, kHello, kHello},
    {"Shift_JIS bytes",
     kHelloSjis,
     {.characterMode = kModeByte, .byteEncoding = TextEncoding::ShiftJis},
     {.quietZoneModules = 4},
     kHelloSjis,
     "こんにちは"},
    {"Kanji mode", "漢字テスト", {.characterMode = kModeKanji}, {}, kKanjiSjis, "漢字テスト"},
    {"ECI 26",
     "é€漢",
     {.characterMode = kModeByte, .eciDesignator = kEciUtf8},
     {.moduleWidth = 3, .quietZoneModules = 4},
     "é€漢",
     "é€漢"},
    {"version 40", kHello, {.minVersion = 40}, {.quietZoneModules = 4}, kHello, kHello},
    {"navy on cream",
     kHello,
     {},
     {.moduleWidth = 4, .quietZoneModules = 2, .dark = {0, 0, 128}, .background = {255, 255, 204}},
     kHello,
     kHello},
    // Black under alpha 0: read without compositing, it is black on black.
    {"transparent over black",
     kHello,
     {},
     {.transparentBackground = true, .background = kBlack},
     kHello,
     kHello},
};

QImage Drawn(const std::string& input, const SymbolRequest& request,
             const DrawingOptions& options) {
    auto state = std::make_unique<EncoderState>();
    return state->CreateSymbol(input, request).Created()
               ? RenderSymbolImage(ViewOf(*state), options)
               : QImage();
}

TEST(ReadBack, DrawnSymbolsGiveTheirBytesAndText) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const QImage image = Drawn(row.input, row.request, row.options);
        ASSERT_FALSE(image.isNull());
        const std::vector<ScannedSymbol> read = ReadBack(image);
        ASSERT_EQ(read.size(), 1U);
        EXPECT_EQ(read[0].bytes, row.bytes);
        EXPECT_EQ(read[0].text, row.text);
        EXPECT_FALSE(read[0].gs1 || read[0].aim || read[0].incompleteSet);
        EXPECT_TRUE(ReadsBackAs(image, row.bytes));
        EXPECT_FALSE(ReadsBackAs(image, row.bytes + "x"));
    }
}

TEST(ReadBack, WhatCannotBeReadIsReportedSo) {
    const QImage blackOnBlack = Drawn(kHello, {}, {.dark = kBlack, .background = kBlack});
    ASSERT_FALSE(blackOnBlack.isNull());
    EXPECT_TRUE(ReadBack(blackOnBlack).empty());
    EXPECT_FALSE(ReadsBackAs(blackOnBlack, kHello));
    EXPECT_TRUE(ReadBack(QImage()).empty());
    EXPECT_FALSE(ReadsBackAs(QImage(), ""));
}

TEST(ReadBack, TwoSymbolsAreBothFoundButNeitherIsTheOneSymbol) {
    const QImage first = Drawn("first", {}, {.moduleWidth = 3, .quietZoneModules = 4});
    const QImage second = Drawn("second", {}, {.moduleWidth = 3, .quietZoneModules = 4});
    QImage both(first.width() + second.width(), second.height(), QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, first);
    painter.drawImage(first.width(), 0, second);
    painter.end();
    std::vector<std::string> found;
    for (const ScannedSymbol& symbol : ReadBack(both)) {
        found.push_back(symbol.bytes);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(ReadsBackAs(both, "first"));
}

TEST(ReadBack, ThreadsReadAtOnce) {
    std::vector<QImage> images;
    for (const Row& row : kRows) {
        images.push_back(Drawn(row.input, row.request, row.options));
    }
    constexpr int kThreads = 4;
    std::vector<int> misread(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round) {
                for (std::size_t i = 0; i < kRows.size(); ++i) {
                    const std::size_t at = (i + static_cast<std::size_t>(t)) % kRows.size();
                    const std::vector<ScannedSymbol> read = ReadBack(images[at]);
                    const bool right = read.size() == 1 && read[0].bytes == kRows[at].bytes &&
                                       read[0].text == kRows[at].text;
                    misread[t] += right ? 0 : 1;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(misread, std::vector<int>(kThreads, 0));
}

}  // namespace
}  // namespace quirvane
