// The input file: status text, caption, lines joined with CR LF and never
// cut, and the mended fault: a file that is not
// UTF-8 is read as Shift_JIS where that works, and otherwise leaves the
// input as it was, saying why.
#include "app/input_file.h"
#include "tests/app/app_test_support.h"

namespace {

// "テスト" and "あ" in Shift_JIS.
const QByteArray kShiftJis("\x83\x65\x83\x58\x83\x67\n\x82\xa0", 9);

void ChooseFile(Started& s, const QString& path) {
    SetFileChooserForTesting([path](QWidget*) { return path; });
    s.Click(kFileButton);
    SetFileChooserForTesting({});
}

}  // namespace

class InputFileTest : public QObject {
    Q_OBJECT

  private slots:
    void loading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("input");
        const QByteArray longLine(10000, 'x');
        QTest::newRow("LF") << QByteArray("ab\ncd\n") << "ab\r\ncd\r\n";
        QTest::newRow("CR LF, no last") << QByteArray("ab\r\ncd") << "ab\r\ncd";
        QTest::newRow("long lines")
            << longLine + "\n" + longLine << QString(longLine + "\r\n" + longLine);
        QTest::newRow("Shift_JIS") << kShiftJis << "テスト\r\nあ";
    }
    void loading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, input);
        Started s("from the ini");
        const QString path = s.Write("input file", file);
        ChooseFile(s, path);
        QVERIFY(s.messages.isEmpty());
        QCOMPARE(s.Text(kStatusLine), "ファイル：" + path + " が選択されました");
        QCOMPARE(s.d->windowTitle(), "Quirvane（VER40．02）   " + path);
        QCOMPARE(s.d->InputText(), input);
        ChooseFile(s, s.Write("second.txt", "second"));
        QCOMPARE(s.d->InputText(), QString("second"));
    }

    void neitherUtf8NorShiftJis_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("undefined bytes") << QByteArray("A\xfd\xfe\xff", 4);
        QTest::newRow("lead byte at the end") << QByteArray("AB\x83", 3);
    }
    void neitherUtf8NorShiftJis() {
        QFETCH(QByteArray, file);
        Started s("from the ini");
        ChooseFile(s, s.Write("binary", file));
        QVERIFY(s.messages.size() == 1 && s.messages[0].contains("Shift_JIS"));
        QCOMPARE(s.d->InputText(), QString("from the ini"));
    }
};

QTEST_MAIN(InputFileTest)
#include "input_file_test.moc"
