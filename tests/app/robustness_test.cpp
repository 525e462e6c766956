// What comes from outside the window: input files (lines joined
// with CR LF, never cut; Shift_JIS where not UTF-8), huge texts and files,
// files that cannot be read or are not text, a missing display. Each ends in
// a clear message or a sound result without losing the user's text. How fast
// the big ones go is measured by bench/gui_timing.cpp, not here.
#include <QFile>
#include <QProcess>

#include "tests/app/app_test_support.h"

class RobustnessTest : public QObject {
    Q_OBJECT

  private slots:
    // An input file: status text, caption, input (CR LF, never cut, Shift_JIS
    // where not UTF-8, NUL bytes kept), whole even at 1 and 10 MiB; Create
    // Data then counts every byte in the box, cuts to capacity and leaves the
    // box as it was, and Create Pattern draws.
    void loading() {
        QByteArray big;
        for (int i = 0; big.size() < (10 << 20); ++i) {
            big += QByteArray::number(i).rightJustified(79, '0') + '\n';
        }
        const QByteArray longLine(10000, 'x'), nul("A\0B\0", 4);
        const std::pair<QByteArray, QString> rows[] = {
            {"a\nb\r\nc", "a\r\nb\r\nc"},
            {longLine + "\n" + longLine, longLine + "\r\n" + longLine},
            {big, QString::fromLatin1(big).replace("\n", "\r\n")},
            {QByteArray(1 << 20, 'q'), QString(1 << 20, 'q')},
            {QByteArray("\x83\x65\x83\x58\x83\x67\n\x82\xa0", 9), "テスト\r\nあ"},  // Shift_JIS
            {nul, QString::fromUtf8(nul)}};
        for (const auto& [file, input] : rows) {
            Started s("from the ini");
            const QString path = s.Write("input file", file);
            s.ChooseFile(path);
            QCOMPARE(s.Text(kStatusLine), "ファイル：" + path + " が選択されました");
            s.Click(kByteModeRadio);
            s.Click(kCreateDataButton);
            s.Click(kCreatePatternButton);
            QVERIFY(s.messages.isEmpty());
            QCOMPARE(s.Text(kStatusLine).section("  ", 0, 0),
                     QString("入力バイト数：%1").arg(input.toUtf8().size()));
            QCOMPARE(s.d->windowTitle(), quirvane::testing::MainCaptionText() + "   " + path);
            QCOMPARE(s.d->InputText(), input);
            QCOMPARE(Copied().size(), QSize(62, 62));
            s.ChooseFile(s.Write("second.txt", "second"));
            QCOMPARE(s.d->InputText(), QString("second"));
        }
    }

    // What cannot be read (a folder, no such file, no permission) or is
    // neither UTF-8 nor Shift_JIS is reported and changes nothing.
    void unloadableFilesLeaveTheInput() {
        const std::tuple<QString, QByteArray, QString> rows[] = {
            {"folder", {}, "ファイル"},
            {"missing.txt", {}, "ファイル"},
            {"locked.txt", "secret", "ファイル"},
            {"undefined bytes", QByteArray("A\xfd\xfe\xff", 4), "Shift_JIS"},
            {"lead byte at the end", QByteArray("AB\x83", 3), "Shift_JIS"}};
        for (const auto& [name, bytes, message] : rows) {
            Started s("kept");
            QDir(s.dir.path()).mkdir("folder");
            const QString path = bytes.isNull() ? s.dir.filePath(name) : s.Write(name, bytes);
            QFile::setPermissions(s.dir.filePath("locked.txt"), QFileDevice::WriteOwner);
            if (name == "locked.txt" && QFile(path).open(QIODevice::ReadOnly)) {
                continue;  // running as root: permissions do not stop reading
            }
            s.ChooseFile(path);
            QCOMPARE(s.messages.size(), 1);
            QVERIFY(s.messages[0].contains(message));
            QCOMPARE(s.d->InputText(), QString("kept"));
        }
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
