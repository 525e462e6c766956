// What comes from outside the window: input files (lines joined with CR LF,
// never cut; Shift_JIS where not UTF-8), huge texts and files, files that
// cannot be read, are not text or are no regular files, a missing display.
// Each ends in a clear message or a sound result without losing the user's
// text. How fast the big ones go is measured by bench/gui_timing.cpp, not here.
#include <QFile>
#include <QProcess>

#include <optional>

#include "tests/app/app_test_support.h"

class RobustnessTest : public QObject {
    Q_OBJECT

  private slots:
    // An input file: status text, caption, input (CR LF, never cut, Shift_JIS
    // where not UTF-8, NUL bytes kept), whole even at 1 and 10 MiB; Create
    // Data then counts every byte in the box, cuts to capacity and leaves the
    // box as it was, Create Pattern draws, and the next file replaces it.
    // Every file here is ASCII or Shift_JIS, which byte mode writes as it
    // is: the count is the file's bytes with its line ends made CR LF.
    void loading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("input");
        QByteArray big;
        for (int i = 0; big.size() < (10 << 20); ++i) {
            big += QByteArray::number(i).rightJustified(79, '0') + '\n';
        }
        const QByteArray longLine(10000, 'x'), nul("A\0B\0", 4);
        QTest::newRow("LF and CR LF both become CR LF")
            << QByteArray("a\nb\r\nc") << QString("a\r\nb\r\nc");
        QTest::newRow("lines of 10000 bytes, never cut")
            << longLine + "\n" + longLine << QString(longLine + "\r\n" + longLine);
        QTest::newRow("10 MiB of numbered lines")
            << big << QString::fromLatin1(big).replace("\n", "\r\n");
        QTest::newRow("1 MiB on one line") << QByteArray(1 << 20, 'q') << QString(1 << 20, 'q');
        QTest::newRow("Shift_JIS")
            << QByteArray("\x83\x65\x83\x58\x83\x67\n\x82\xa0", 9) << QString("テスト\r\nあ");
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

    // What cannot be read (a folder, no such file, no permission), is no
    // regular file (a FIFO, a device: refused before it is opened, so the
    // window never waits on one), is longer than 16 MiB or is neither UTF-8
    // nor Shift_JIS is reported and changes nothing: the input, caption and
    // status line still show the file loaded before. `bytes` null: the file
    // is not written.
    void unloadableFilesLeaveTheInput_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder") << QString("folder") << QByteArray() << QString("ファイル");
        QTest::newRow("no such file")
            << QString("missing.txt") << QByteArray() << QString("ファイル");
        QTest::newRow("no permission to read")
            << QString("locked.txt") << QByteArray("secret") << QString("ファイル");
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
        std::optional<StandbyFifo> fifo;
        if (name == "fifo") {
            QVERIFY(fifo.emplace(path).Made());
        }
        if (name == "locked.txt") {
            QFile::setPermissions(path, QFileDevice::WriteOwner);
            if (QFile(path).open(QIODevice::ReadOnly)) {
                QSKIP("running as root: permissions do not stop reading");
            }
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
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(program.readAllStandardError().contains("no display"));
    }
};

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
