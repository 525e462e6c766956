// Input files, huge, unreadable or no text, and a missing display: a clear
// message or a sound result, never the user's text lost.
#include <QProcess>

#include "tests/app/app_test_support.h"

class RobustnessTest : public QObject {
    Q_OBJECT

  private slots:
    // A file chosen: status, caption, its whole text with CR LF line ends,
    // every byte counted by Create Data; the next file replaces it.
    void loading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("input");
        QByteArray big;
        for (int i = 0; big.size() < (10 << 20); ++i) {
            big += QByteArray::number(i).rightJustified(79, '0') + '\n';
        }
        const QByteArray nul("A\0B\0", 4);
        QTest::newRow("LF and CR LF both become CR LF")
            << QByteArray("a\nb\r\nc") << QString("a\r\nb\r\nc");
        QTest::newRow("10 MiB of numbered lines")
            << big << QString::fromLatin1(big).replace("\n", "\r\n");
        QTest::newRow("NUL bytes kept") << nul << QString::fromUtf8(nul);
    }
    void loading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, input);
        Started s("from the ini");
        const QString path = s.Write("input file", file);
        s.ChooseFile(path);
        QCOMPARE(s.Text(kStatusLine), "ファイル：" + path + " が選択されました");
        s.Click(kByteModeRadio);
        s.Click(kCreateDataButton);
        s.Click(kCreatePatternButton);
        QVERIFY(s.messages.isEmpty());
        const QByteArray crLf = QByteArray(file).replace("\r\n", "\n").replace("\n", "\r\n");
        QCOMPARE(s.Text(kStatusLine).section("  ", 0, 0),
                 QString("入力バイト数：%1").arg(crLf.size()));
        QCOMPARE(s.d->windowTitle(), quirvane::testing::MainCaptionText() + "   " + path);
        QCOMPARE(s.d->InputText().size(), input.size());  // a failure says how much came
        QCOMPARE(s.d->InputText(), input);
        QCOMPARE(Copied().size(), QSize(62, 62));
        s.ChooseFile(s.Write("second.txt", "second"));
        QCOMPARE(s.d->InputText(), QString("second"));
    }

    // What cannot be read or is refused (a FIFO before it is opened): one
    // message, and the window still shows the file before. Null: not written.
    void unloadableFilesLeaveTheInput_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder") << QString("folder") << QByteArray()
                                  << QString("ファイルを開けません。\nIs a directory");
        QTest::newRow("bytes undefined in Shift_JIS")
            << QString("undefined bytes") << QByteArray("A\xfd\xfe\xff", 4) << QString("Shift_JIS");
        QTest::newRow("a lead byte at the end")
            << QString("lead byte at the end") << QByteArray("AB\x83", 3) << QString("Shift_JIS");
        QTest::newRow("a FIFO") << QString("fifo") << QByteArray() << QString("通常のファイル");
        QTest::newRow("a character device")
            << QString("/dev/null") << QByteArray() << QString("通常のファイル");
        QTest::newRow("16 MiB and one byte")
            << QString("too long.txt") << QByteArray((16 << 20) + 1, 'x')
            << QString("大きすぎて読み込めません");
    }
    void unloadableFilesLeaveTheInput() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Started s;
        QDir(s.dir.path()).mkdir("folder");
        const QString first = s.Write("first.txt", "kept");
        s.ChooseFile(first);
        const QString path = name.startsWith('/') ? name
                             : bytes.isNull()     ? s.dir.filePath(name)
                                                  : s.Write(name, bytes);
        if (name == "fifo") {
            QVERIFY(s.fifo.emplace(path).Made());
        }
        s.ChooseFile(path);
        QCOMPARE(s.messages.size(), 1);
        QVERIFY2(s.messages[0].contains(message), qPrintable(s.messages[0]));
        QCOMPARE(s.d->InputText(), QString("kept"));
        QCOMPARE(s.d->windowTitle(), quirvane::testing::MainCaptionText() + "   " + first);
        QCOMPARE(s.Text(kStatusLine), "ファイル：" + first + " が選択されました");
    }

    // Without a platform or a display (unset, or set but empty) the program
    // says so in one line and exits with status 1 instead of aborting.
    void noDisplayIsSaidClearly_data() {
        QTest::addColumn<bool>("setButEmpty");
        QTest::newRow("none set") << false;
        QTest::newRow("all set but empty") << true;
    }
    void noDisplayIsSaidClearly() {
        QFETCH(bool, setButEmpty);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            setButEmpty ? env.insert(name, "") : env.remove(name);
        }
        program.setProcessEnvironment(env);
        program.start(QUIRVANE_BINARY, {});
        QVERIFY(program.waitForFinished(-1));  // bounded by ctest, not by a guess
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(program.readAllStandardError().contains("no display"));
    }
};

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
