// Bad input the user can give the desktop program: huge texts and files,
// files that are not text, folders, broken QRcode.ini files, colour entries
// that are not numbers. Each must end in a clear message or a sound result,
// within a second, without losing the user's text; and a symbol once made
// must stay drawable as it was made.
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include "app/input_file.h"
#include "tests/app/app_test_support.h"

namespace {

// A second; the sanitized build runs everything several times slower.
#ifdef QUIRVANE_SANITIZED
constexpr qint64 kPatienceMs = 4000;
#else
constexpr qint64 kPatienceMs = 1000;
#endif

void ChooseFile(Started& s, const QString& path) {
    SetFileChooserForTesting([path](QWidget*) { return path; });
    s.Click(kFileButton);
    SetFileChooserForTesting({});
}

QSize CopiedSize() {
    return QGuiApplication::clipboard()->image().size();
}

}  // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

  private slots:
    void hugeInputBoxIsCutToCapacityAndKept() {
        Started s;
        const QString text(1 << 20, QChar('q'));
        QElapsedTimer timer;
        timer.start();
        s.CreateData(kByteModeRadio, text);
        s.Click(kCreatePatternButton);
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(s.messages.isEmpty());
        QVERIFY(s.Text(kStatusLine).startsWith("入力バイト数：1048576  データバイト数：19"));
        QCOMPARE(CopiedSize(), QSize(62, 62));
        QCOMPARE(s.d->InputText(), text);
    }

    // A file whose text could never fit a symbol still loads whole, quickly.
    void tenMebibyteFileLoads() {
        Started s("kept");
        QByteArray bytes;
        for (int i = 0; bytes.size() < (10 << 20); ++i) {
            bytes += QByteArray::number(i).rightJustified(79, '0') + '\n';
        }
        const QString path = s.Write("big.txt", bytes);
        QElapsedTimer timer;
        timer.start();
        ChooseFile(s, path);
        s.CreateData(kNumericModeRadio, s.Text(kInputBox).left(100).remove('\n'));
        QVERIFY2(timer.elapsed() < kPatienceMs, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(s.messages.isEmpty());
    }

    void fileWithNulBytesIsEncodedWhole() {
        Started s;
        ChooseFile(s, s.Write("nul.bin", QByteArray("A\0B\0", 4)));
        QVERIFY(s.messages.isEmpty());
        s.Click(kByteModeRadio);
        s.Click(kCreateDataButton);
        QVERIFY(s.Text(kStatusLine).startsWith("入力バイト数：4  "));
        QVERIFY(s.d->State().dataCharacterCount == 4);
    }

    // What cannot be read is reported and changes nothing.
    void unreadableChoicesLeaveTheInput_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << "folder";
        QTest::newRow("no such file") << "missing.txt";
        QTest::newRow("no permission") << "locked.txt";
    }
    void unreadableChoicesLeaveTheInput() {
        QFETCH(QString, name);
        Started s("kept");
        QDir(s.dir.path()).mkdir("folder");
        s.Write("locked.txt", "secret");
        QFile::setPermissions(s.dir.filePath("locked.txt"), QFileDevice::WriteOwner);
        if (name == "locked.txt" && QFile(s.dir.filePath(name)).open(QIODevice::ReadOnly)) {
            QSKIP("running as root: permissions do not stop reading");
        }
        ChooseFile(s, s.dir.filePath(name));
        QCOMPARE(s.messages.size(), 1);
        QCOMPARE(s.d->InputText(), QString("kept"));
    }

    void brokenStartupFiles_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << QByteArray("") << 0 << "";
        QTest::newRow("Shift_JIS") << QByteArray("\x83\x65\x83\x58\x83\x67", 6) << 0 << "テスト";
        QTest::newRow("not text") << QByteArray("\xff\xfe\xfd", 3) << 1 << "";
        QTest::newRow("2 MiB") << QByteArray(2 << 20, '7') << 0 << QString(2 << 20, '7');
    }
    void brokenStartupFiles() {
        QFETCH(QByteArray, ini);
        QFETCH(int, messages);
        QFETCH(QString, input);
        QElapsedTimer timer;
        timer.start();
        Started s(ini);
        QVERIFY(timer.elapsed() < kPatienceMs);
        QCOMPARE(s.messages.size(), messages);
        QCOMPARE(s.d->InputText(), input);
    }

    // Each bad entry brings the prompt once and the drawing goes on with the
    // values that stand.
    void colourEntries_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : {"abc", "-1", "256", "", " ", "1e2", "0x10", "99999999999"}) {
            QTest::newRow(entry) << QString(entry);
        }
    }
    void colourEntries() {
        QFETCH(QString, entry);
        Started s;
        s.CreateData(kByteModeRadio, "colour");
        s.Set(kGreenField, entry);
        s.Click(kCreatePatternButton);
        QCOMPARE(s.messages, QStringList{"0 から 255 までの整数を入力してください。"});
        QCOMPARE(CopiedSize(), QSize(62, 62));
    }

    // The symbol is drawn as it was made, whatever the lists say since, and a
    // refused run keeps it.
    void symbolDrawnAsMade() {
        Started s;
        s.CreateData(kByteModeRadio, "made at version 1");
        s.Choose(kVersionList, 9);
        s.CreateData(kNumericModeRadio, "not digits");
        s.Click(kCreatePatternButton);
        QCOMPARE(s.messages, QStringList{"数字の文字セットのみを選択してください"});
        QCOMPARE(CopiedSize(), QSize(62, 62));
    }

    void noDisplayIsSaidClearly() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(name);
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
