// Japanese text in 8-bit byte mode, typed or loaded from a file: the window
// writes it in code page 932 whenever every character has a form there, else
// the whole text as UTF-8, and counts and cuts those bytes. Each symbol on the
// clipboard is read back by zbarimg, its bytes held against glibc's own
// converter (not the program's table) and its text against what was typed.
#include "tests/app/app_test_support.h"
#include "tests/support/iconv_text.h"

namespace {

// `text` in `encoding` ("CP932" or "UTF-8") by glibc's iconv; null when a
// character has no form there.
QByteArray Converted(const QString& text, const char* encoding) {
    const auto bytes = quirvane::testing::Converted(text.toStdString(), encoding);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

// Create Data and Create Pattern in byte mode on what the input box holds;
// then the statistics line up to the data byte count, and the symbol read
// back: the bytes of `kept` (CR LF line ends) in `encoding`, and, when
// `readerShows`, that same text as zbarimg shows it.
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
    // Typed text (line feeds typed as Enter) at a version and level (list
    // positions), and what the symbol must hold (`kept`, "" for all of it):
    // the statistics line counts code page 932 bytes, two for a double-byte
    // character, one for half-width katakana; a text cut to capacity keeps
    // whole characters; one character without a code-page-932 form sends the
    // whole text as UTF-8. `readerShows`: zbarimg's own reading must be right.
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
        // zbarimg guesses Shift_JIS for the UTF-8 bytes of kana, kanji and é,
        // unless an emoji's are there too, whose lead byte Shift_JIS has no
        // use for. The encoding is chosen for the whole text, so an emoji cut
        // away leaves UTF-8 kana that zbarimg shows as mojibake.
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

    // The same texts from a file in UTF-8 or Shift_JIS (code page 932), as
    // QRcode.ini or through the file button: the symbol holds code page 932
    // whatever the file's encoding, with CR LF for each line feed.
    void fileText_data() {
        QTest::addColumn<QString>("through");
        QTest::addColumn<QByteArray>("fileEncoding");
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statistics");
        QTest::addColumn<bool>("readerShows");
        const QString lines = "第一行：東京\n第二行：ｱｲｳ\n第三行：ＡＢＣ\n";
        for (const char* encoding : {"UTF-8", "CP932"}) {
            const QByteArray e(encoding);
            QTest::addRow("東京都, QRcode.ini in %s", encoding)
                << "QRcode.ini" << e << 1 << QString("東京都") << Statistics(6, 6) << true;
            QTest::addRow("three lines, QRcode.ini in %s", encoding)
                << "QRcode.ini" << e << 2 << lines << Statistics(43, 43) << true;
            QTest::addRow("three lines, the file button, %s", encoding)
                << "file button" << e << 2 << lines << Statistics(43, 43) << true;
            QTest::addRow("① and ～, the file button, %s", encoding)
                << "file button" << e << 1 << QString("①から～まで") << Statistics(12, 12) << false;
        }
    }
    void fileText() {
        QFETCH(QString, through);
        QFETCH(QByteArray, fileEncoding);
        QFETCH(int, versionPosition);
        QFETCH(QString, text);
        QFETCH(QString, statistics);
        QFETCH(bool, readerShows);
        const QByteArray bytes = Converted(text, fileEncoding.constData());
        QVERIFY(!bytes.isNull());
        Started s(through == "QRcode.ini" ? bytes : QByteArray(""));
        if (through == "file button") {
            s.ChooseFile(s.Write("input.txt", bytes));
        }
        QCOMPARE(s.d->InputText(), QString(text).replace("\n", "\r\n"));
        s.Choose(kVersionList, versionPosition);
        CheckSymbol(s, statistics, text, "CP932", readerShows);
    }
};

QTEST_MAIN(JapaneseTextTest)
#include "japanese_text_test.moc"
