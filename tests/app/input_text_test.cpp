// The input box's text in byte mode, typed, loaded or filled in by the input
// help dialogs: code page 932 when every character has a form there, else
// UTF-8, counted and cut in those bytes. zbarimg reads each symbol back, held
// against glibc's iconv.
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

#include "app/content_dialog.h"
#include "tests/app/app_test_support.h"
#include "tests/support/iconv_text.h"

namespace {

// `text` in `encoding` ("CP932" or "UTF-8") by glibc's iconv; null when a
// character has no form there.
QByteArray Converted(const QString& text, const char* encoding) {
    const auto bytes = quirvane::testing::Converted(text.toStdString(), encoding);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

QString CrLf(QString text) {
    return text.replace("\n", "\r\n");
}

// Byte mode on the input box: the statistics line counts `text` and the data
// `kept` (at versions 1-9: 4 bits of mode, 8 of count and a 4-bit terminator
// make 2 bytes more), and the symbol holds `kept` in `encoding`, as zbarimg
// shows it if `readerShows`.
void CheckSymbol(Started& s, const QString& text, const QString& kept, const char* encoding,
                 bool readerShows) {
    s.Click(kByteModeRadio);
    s.Click(kCreateDataButton);
    s.Click(kCreatePatternButton);
    QCOMPARE(s.messages, QStringList());
    const QByteArray expected = Converted(CrLf(kept), encoding);
    QVERIFY(!expected.isNull());
    QCOMPARE(s.Text(kStatusLine).section("　", 0, 0),
             QString("入力バイト数：%1  データバイト数：%2")
                 .arg(Converted(CrLf(text), encoding).size())
                 .arg(expected.size() + 2));
    QCOMPARE(QByteArray::fromStdString(ZbarRead(Copied())).toHex(' '), expected.toHex(' '));
    if (readerShows) {
        QCOMPARE(QString::fromStdString(ZbarRead(Copied(), Zbar::Text)), CrLf(kept));
    }
}

}  // namespace

class InputTextTest : public QObject {
    Q_OBJECT

    // Typed, or read from QRcode.ini in this encoding; the version (list
    // position), the text and what the symbol holds ("": all of it), in which
    // encoding, and whether zbarimg shows it as it is.
    using TextRow = std::tuple<QByteArray, int, QString, QString, QByteArray, bool>;
    // The dialog's entry, its fields typed into ("id=value"; a list's
    // position, a check box checked), the text or the message, the encoding
    // of the symbol (null: refused).
    using HelpRow = std::tuple<int, QStringList, QString, QByteArray>;

  private slots:
    // A cut keeps whole characters, and one character without a code-page-932
    // form sends all of it as UTF-8; a file in either encoding is read with CR
    // LF line ends; the box keeps all the text. zbarimg shows ～ as its JIS 〜,
    // code-page-932 extensions as Latin-1, UTF-8 as Shift_JIS but for an emoji.
    void text_data() {
        QTest::addColumn<TextRow>("row");
        const QByteArray typed, cp932 = "CP932", utf8 = "UTF-8";
        // clang-format off
        QTest::newRow("typed: kana, kanji, full-width punctuation and ｱｲｳ on three lines at 5-L")
            << TextRow{typed, 4, "半角ｶﾀｶﾅのｱｲｳと全角のアイウ、\n漢字「東京都千代田区」・記号（！？＆＠）。\n第三行：ＡＢＣ", "", cp932, true};
        QTest::newRow("typed: cut at 1-L (17 bytes) through ！, which is left out")
            << TextRow{typed, 0, "こんにちは、世界！QRコードのテストです。", "こんにちは、世界", cp932, true};
        QTest::newRow("typed: ～ and the JIS forms 〜 and − of some input methods, as 0x8160 and 0x817C")
            << TextRow{typed, 1, "10〜20 − 5、波ダッシュ～", "", cp932, false};
        QTest::newRow("typed: ① ② ③, NEC extensions from 0x8740, and 髙, an IBM extension, as 0xFBFC")
            << TextRow{typed, 1, "丸数字①②③髙橋", "", cp932, false};
        QTest::newRow("typed: é has no form in code page 932, so all of it is UTF-8")
            << TextRow{typed, 1, "カフェ・オ・レ café", "", utf8, false};
        QTest::newRow("typed: an emoji, cut at 1-L before its 4 bytes") << TextRow{typed, 0, "こんにちは😀", "こんにちは", utf8, false};
        QTest::newRow("東京都 in a UTF-8 file") << TextRow{utf8, 0, "東京都", "", cp932, true};
        QTest::newRow("three lines in a CP932 file") << TextRow{cp932, 2, "第一行：東京\n第二行：ｱｲｳ\n第三行：ＡＢＣ\n", "", cp932, true};
        QTest::newRow("① and ～ in a CP932 file") << TextRow{cp932, 0, "①から～まで", "", cp932, false};
        // clang-format on
    }
    void text() {
        QFETCH(TextRow, row);
        const auto& [file, version, text, kept, encoding, readerShows] = row;
        Started s(file.isNull() ? QByteArray("") : Converted(text, file));
        s.Choose(kVersionList, version);
        if (file.isNull()) {
            s.Set(kInputBox, text);
        }
        QCOMPARE(s.d->InputText(), CrLf(text));
        CheckSymbol(s, text, kept.isEmpty() ? text : kept, encoding, readerShows);
        QCOMPARE(s.Text(kInputBox), text);
    }

    // 「入力支援」: each dialog, typed into as an input method would, fills the
    // box with the text escaped as its format says and picks byte mode, and
    // zbarimg reads it back at version 5, in code page 932 where it can be; a
    // refused field is named in the dialog, which stays open.
    void inputHelp_data() {
        QTest::addColumn<HelpRow>("row");
        // clang-format off
        QTest::newRow("Wi-Fi: ; in the SSID, , \" : in the password, hidden") << HelpRow{0,
            {"1101=Café;5G", "1102=p@ss;word,\"1\":", "1104=1"}, R"(WIFI:T:WPA;S:Café\;5G;P:p@ss\;word\,\"1\"\:;H:true;;)", "UTF-8"};
        QTest::newRow("Wi-Fi: no SSID") << HelpRow{0, {"1102=password"}, "SSID を入力してください", {}};
        QTest::newRow("Wi-Fi: a password on an open network") << HelpRow{0, {"1101=Guest", "1102=x", "1103=2"},
            "暗号化「なし」ではパスワードは入力できません", {}};
        QTest::newRow("MeCard: kana readings, a comma in a name") << HelpRow{1,
            {"1111=山田", "1112=花子,Jr.", "1113=やまだ", "1114=はなこ", "1115=03-1234-5678", "1120=1990-04-01"},
            R"(MECARD:N:山田,花子\,Jr.;SOUND:やまだ,はなこ;TEL:03-1234-5678;BDAY:19900401;;)", "CP932"};
        QTest::newRow("MeCard: no name") << HelpRow{1, {"1113=やまだ"}, "姓か名を入力してください", {}};
        // clang-format on
    }
    void inputHelp() {
        QFETCH(HelpRow, row);
        const auto& [entry, fields, result, encoding] = row;
        Started s("typed before");
        const std::unique_ptr<QMenu> menu(s.d->CreateInputMenu());
        const bool checked = s.modals.InModalWindow(
            [&] { menu->actions().last()->menu()->actions()[entry]->trigger(); },
            [&](QWidget* dialog) {
                for (const QString& field : fields) {
                    QWidget* c = ControlIn(dialog, field.section('=', 0, 0).toInt());
                    QInputMethodEvent typed;
                    typed.setCommitString(field.section('=', 1));
                    c->setProperty("currentIndex", typed.commitString().toInt());  // a list
                    c->setProperty("checked", true);                               // a check box
                    QApplication::sendEvent(c, &typed);                            // a field
                }
                QTest::mouseClick(ControlIn(dialog, kContentOkButton), Qt::LeftButton);
                QCOMPARE(dialog->isVisible(), encoding.isNull());
                QCOMPARE(ControlIn<QLabel>(dialog, kContentMessage)->text(),
                         encoding.isNull() ? result : QString());
            });
        QVERIFY(checked);
        QCOMPARE(s.Text(kInputBox), encoding.isNull() ? QString("typed before") : result);
        QCOMPARE(s.d->ControlAs<QRadioButton>(kByteModeRadio)->isChecked(), !encoding.isNull());
        if (!encoding.isNull()) {
            s.Choose(kVersionList, 4);
            CheckSymbol(s, result, result, encoding, false);
        }
    }
};

QTEST_MAIN(InputTextTest)
#include "input_text_test.moc"
