// Japanese text in byte mode, typed or from QRcode.ini: code page 932 when
// every character has a form there, else UTF-8, counted and cut in those
// bytes. zbarimg reads each symbol back, held against glibc's iconv.
#include <QProcess>

#include "tests/app/app_test_support.h"
#include "tests/support/iconv_text.h"

namespace {

// `text` in `encoding` ("CP932" or "UTF-8") by glibc's iconv; null when a
// character has no form there.
QByteArray Converted(const QString& text, const char* encoding) {
    const auto bytes = quirvane::testing::Converted(text.toStdString(), encoding);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

// Byte mode on the input box: the statistics line, and the symbol holds
// `kept` (CR LF line ends) in `encoding`, as zbarimg shows it if `readerShows`.
void CheckSymbol(Started& s, const QString& statistics, const QString& kept,
                 const QByteArray& encoding, bool readerShows) {
    s.Click(kByteModeRadio);
    s.Click(kCreateDataButton);
    s.Click(kCreatePatternButton);
    QCOMPARE(s.messages, QStringList());
    QCOMPARE(s.Text(kStatusLine).section("　", 0, 0), statistics);
    const QString crLfKept = QString(kept).replace("\n", "\r\n");
    const QByteArray expected = Converted(crLfKept, encoding.constData());
    QVERIFY(!expected.isNull());
    const QImage copied = Copied();
    using quirvane::testing::Zbar;
    using quirvane::testing::ZbarRead;
    QCOMPARE(QByteArray::fromStdString(ZbarRead(copied)).toHex(' '), expected.toHex(' '));
    if (readerShows) {
        QCOMPARE(QString::fromStdString(ZbarRead(copied, Zbar::Text)), crLfKept);
    }
}

}  // namespace

class JapaneseTextTest : public QObject {
    Q_OBJECT

    // Byte mode at versions 1-9: 4 bits of mode, 8 of count, the data and a
    // 4-bit terminator make data byte count = input bytes kept + 2.
    static QString Statistics(int input, int kept) {
        return QString("入力バイト数：%1  データバイト数：%2").arg(input).arg(kept + 2);
    }

  private slots:
    // Typed text at a version and level (list positions) and what the symbol
    // holds (`kept`, "" for all): a cut keeps whole characters, and one
    // character without a code-page-932 form sends all of it as UTF-8.
    void typedText_data() {
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<int>("levelPosition");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statistics");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<bool>("readerShows");
        const QString greeting = "こんにちは、世界！QRコードのテストです。";
        const QByteArray cp932 = "CP932", utf8 = "UTF-8";
        // clang-format off
        QTest::newRow("東京都 (6 bytes)") << 1 << 0 << QString("東京都") << Statistics(6, 6) << QString() << cp932 << true;
        QTest::newRow("こんにちは (10 bytes)") << 1 << 0 << QString("こんにちは") << Statistics(10, 10) << QString() << cp932 << true;
        QTest::newRow("データ作成テスト (16 bytes)")
            << 1 << 0 << QString("データ作成テスト") << Statistics(16, 16) << QString() << cp932 << true;
        QTest::newRow("kana, kanji, full-width punctuation and ｱｲｳ at 5-L")
            << 4 << 0 << QString("半角ｶﾀｶﾅのｱｲｳと全角のアイウ、漢字「東京都千代田区」・記号（！？＆＠）。")
            << Statistics(71, 71) << QString() << cp932 << true;
        QTest::newRow("three lines at 3-L") << 2 << 0 << QString("第一行：東京\n第二行：ｱｲｳ\n第三行：ＡＢＣ")
            << Statistics(41, 41) << QString() << cp932 << true;
        QTest::newRow("cut at 1-L (17 bytes) through ！, which is left out")
            << 0 << 0 << greeting << Statistics(40, 16) << QString("こんにちは、世界") << cp932 << true;
        QTest::newRow("cut at 1-L through く after two ASCII bytes") << 0 << 0 << QString("ABあいうえおかきく")
            << Statistics(18, 16) << QString("ABあいうえおかき") << cp932 << true;
        QTest::newRow("cut at 1-L between two characters keeps all 17 bytes") << 0 << 0
            << QString("Aあいうえおかきくけ") << Statistics(19, 17) << QString("Aあいうえおかきく") << cp932 << true;
        QTest::newRow("cut at 1-H (7 bytes) through 庁")
            << 0 << 3 << QString("東京都庁") << Statistics(8, 6) << QString("東京都") << cp932 << true;
        QTest::newRow("cut at 1-L in half-width katakana, one byte each") << 0 << 0
            << QString("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂ") << Statistics(18, 17) << QString("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁ") << cp932 << true;
        QTest::newRow("the JIS forms 〜 and − typed by some input methods")
            << 1 << 0 << QString("10〜20 − 5") << Statistics(11, 11) << QString() << cp932 << true;
        // zbarimg shows the cell of ～ in its JIS reading 〜, and a byte
        // segment with an extension of code page 932 in it as Latin-1.
        QTest::newRow("～ as 0x8160") << 1 << 0 << QString("波ダッシュ～") << Statistics(12, 12) << QString() << cp932 << false;
        QTest::newRow("① ② ③, NEC extensions from 0x8740")
            << 1 << 0 << QString("丸数字①②③") << Statistics(12, 12) << QString() << cp932 << false;
        QTest::newRow("髙, an IBM extension, as 0xFBFC")
            << 1 << 0 << QString("髙橋さん") << Statistics(8, 8) << QString() << cp932 << false;
        // zbarimg takes UTF-8 for Shift_JIS unless an emoji is in the symbol.
        QTest::newRow("é has no form in code page 932: all of it UTF-8")
            << 1 << 0 << QString("カフェ・オ・レ café") << Statistics(27, 27) << QString() << utf8 << false;
        QTest::newRow("an emoji: all of it UTF-8") << 1 << 0 << QString("東京😀") << Statistics(10, 10) << QString() << utf8 << true;
        QTest::newRow("an emoji, cut at 1-L before the emoji's 4 bytes")
            << 0 << 0 << QString("こんにちは😀") << Statistics(19, 15) << QString("こんにちは") << utf8 << false;
        // clang-format on
    }
    void typedText() {
        QFETCH(int, versionPosition);
        QFETCH(int, levelPosition);
        QFETCH(QString, text);
        QFETCH(QString, statistics);
        QFETCH(QString, kept);
        QFETCH(QByteArray, encoding);
        QFETCH(bool, readerShows);
        Started s;
        s.Choose(kVersionList, versionPosition);
        s.Choose(kLevelList, levelPosition);
        s.Set(kInputBox, text);
        CheckSymbol(s, statistics, kept.isEmpty() ? text : kept, encoding, readerShows);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(s.Text(kInputBox), text);  // the box keeps what was typed, uncut
    }

    // QRcode.ini in UTF-8 or code page 932 gives a symbol in code page 932,
    // CR LF for each line feed, and quirvane-encode makes the same of it.
    void fileText_data() {
        QTest::addColumn<QByteArray>("fileEncoding");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("readerShows");
        for (const char* encoding : {"UTF-8", "CP932"}) {
            const QByteArray e(encoding);
            QTest::addRow("東京都 in %s", encoding) << e << 1 << QString("東京都") << 6 << true;
            QTest::addRow("こんにちは in %s", encoding)
                << e << 1 << QString("こんにちは") << 10 << true;
            QTest::addRow("データ作成テスト in %s", encoding)
                << e << 1 << QString("データ作成テスト") << 16 << true;
        }
        QTest::newRow("three lines in CP932")
            << QByteArray("CP932") << 3 << QString("第一行：東京\n第二行：ｱｲｳ\n第三行：ＡＢＣ\n")
            << 43 << true;
        QTest::newRow("① and ～ in CP932")
            << QByteArray("CP932") << 1 << QString("①から～まで") << 12 << false;
    }
    void fileText() {
        QFETCH(QByteArray, fileEncoding);
        QFETCH(int, version);
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QFETCH(bool, readerShows);
        const QByteArray file = Converted(text, fileEncoding.constData());
        QVERIFY(!file.isNull());
        Started s(file);
        QCOMPARE(s.d->InputText(), QString(text).replace("\n", "\r\n"));
        s.Choose(kVersionList, version - 1);
        CheckSymbol(s, Statistics(bytes, bytes), text, "CP932", readerShows);
        QProcess tool;
        tool.start(QUIRVANE_ENCODE, {"--mode", "byte", "--symbol-version", QString::number(version),
                                     "--cut", "--mask", "3", "--crlf", "--quiet-zone", "5",
                                     "--input", "QRcode.ini", "--output", "tool.png"});
        QVERIFY(tool.waitForFinished(-1) && tool.exitCode() == 0);
        QCOMPARE(QImage(s.dir.filePath("tool.png")).convertToFormat(QImage::Format_RGB32),
                 Copied());
    }
};

QTEST_MAIN(JapaneseTextTest)
#include "japanese_text_test.moc"
