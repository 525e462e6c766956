// The settings and the input files: QRcode.ini and the file chosen, huge,
// unreadable or no text; presets, status texts, Escape, the result fields.
#include <quirvane/version.h>

#include "tests/app/app_test_support.h"

class MainWindowTest : public QObject {
    Q_OBJECT

    // What QRcode.ini is, its bytes (null: none written), the text read, and
    // the message at start-up and when it is chosen ("": none).
    using FileRow = std::tuple<QString, QByteArray, QString, QString, QString>;
    // Controls and their positions in turn (-1: a radio, -2: Escape), the
    // status line, the result fields ("": not looked at).
    using SettingRow = std::tuple<QList<int>, QString, QString>;

  private slots:
    // The file as QRcode.ini, then chosen after one that was read: its text
    // with CR LF line ends, every byte counted by Create Data, or one message
    // and the input, caption and status as before.
    void files_data() {
        QTest::addColumn<FileRow>("row");
        QByteArray big;
        for (int i = 0; big.size() < (10 << 20); ++i) {
            big += QByteArray::number(i).rightJustified(79, '0') + '\n';
        }
        const QString cannotStart = "初期化の読み込みファイル[QRcode.ini]をオープンできません。",
                      notRegular = "通常のファイル", tooLong = "大きすぎて読み込めません";
        const QByteArray none, nul("A\0B\0", 4);
        // clang-format off
        QTest::newRow("missing") << FileRow{"file", none, "", cannotStart, "ファイルを開けません。\nNo such file or directory"};
        QTest::newRow("a folder") << FileRow{"folder", none, "", cannotStart, "ファイルを開けません。\nIs a directory"};
        QTest::newRow("a character device") << FileRow{"device", none, "", notRegular, notRegular};
        QTest::newRow("16 MiB and one byte") << FileRow{"file", QByteArray((16 << 20) + 1, 'x'), "", tooLong, tooLong};
        QTest::newRow("bytes undefined in Shift_JIS") << FileRow{"file", "A\xfd\xfe\xff", "", "Shift_JIS", "Shift_JIS"};
        QTest::newRow("a lead byte at the end") << FileRow{"file", "AB\x83", "", "Shift_JIS", "Shift_JIS"};
        QTest::newRow("empty") << FileRow{"file", "", "", "", ""};
        QTest::newRow("LF and CR LF both become CR LF") << FileRow{"file", "a\nb\r\nc", "a\r\nb\r\nc", "", ""};
        QTest::newRow("NUL bytes kept") << FileRow{"file", nul, QString::fromUtf8(nul), "", ""};
        QTest::newRow("10 MiB of numbered lines") << FileRow{"file", big, QString::fromLatin1(big).replace("\n", "\r\n"), "", ""};
        // clang-format on
    }
    void files() {
        QFETCH(FileRow, row);
        const auto& [kind, bytes, input, atStart, chosen] = row;
        Started s(bytes, [&](Started& t) {
            const QString path = t.dir.filePath("QRcode.ini");
            if (kind != "file") {
                kind == "folder" ? QDir().mkdir(path) : QFile::link("/dev/null", path);
            }
        });
        const auto said = [&s](const QString& part) {  // one message that holds it, or none
            return part.isEmpty() ? s.messages.isEmpty()
                                  : s.messages.size() == 1 && s.messages[0].contains(part);
        };
        QVERIFY2(said(atStart), qPrintable(s.messages.join('|')));
        QCOMPARE(s.d->InputText().size(), input.size());  // a failure says how much came
        QCOMPARE(s.d->InputText(), input);
        const EncoderState& st = s.d->State();
        QList<int> presets{st.settings.version,       st.settings.errorCorrectionLevel,
                           st.settings.moduleWidth,   st.settings.maskReference,
                           st.settings.characterMode, st.dataReady};
        for (int id : {kVersionList, kLevelList, kModuleWidthList, kMaskList}) {
            presets << s.d->ControlAs<QComboBox>(id)->currentIndex();
        }
        QCOMPARE(presets, QList<int>({1, kLevelL, 2, 3, kModeNone, 0, 0, 0, 0, 3}));
        QCOMPARE(s.Text(kRedField) + s.Text(kGreenField) + s.Text(kBlueField) + "|" + s.Text(1014) +
                     "|" + s.Text(kStatusLine),
                 QString("000|26|"));  // colours, total codewords, no status

        const QString first = s.Write("first.txt", "kept"), path = s.dir.filePath("QRcode.ini");
        for (const QString& file : {first, path}) {  // in the file dialog
            s.messages.clear();
            SetFileChooserForTesting([file](QWidget*) { return file; });
            s.Click(kFileButton);
        }
        QVERIFY2(said(chosen), qPrintable(s.messages.join('|')));
        const QString named = chosen.isEmpty() ? path : first;
        QCOMPARE(s.d->InputText(), chosen.isEmpty() ? input : QString("kept"));
        QCOMPARE(
            s.d->windowTitle(),
            QString("Quirvane（VER%1）   ").arg(QString(kVersionText).replace('.', "．")) + named);
        QCOMPARE(s.Text(kStatusLine), "ファイル：" + named + " が選択されました");
        s.Click(kByteModeRadio);
        s.Click(kCreateDataButton);
        QCOMPARE(s.Text(kStatusLine).section("  ", 0, 0),
                 QString("入力バイト数：%1").arg(s.d->InputText().toUtf8().size()));
    }

    // After typing: the status, Escape only beeps, the fields 1014-1023 of a
    // one-group and a two-group symbol; mended fault: the typed text was lost.
    void settings_data() {
        QTest::addColumn<SettingRow>("row");
        const QString preset = "26|19|7|1|( 26, 19, 7 )|0|( 0, 0, 0 )|17 バイト|25 文字|41 桁";
        // clang-format off
        QTest::newRow("byte mode") << SettingRow{{kByteModeRadio, -1}, "「８ビットバイト」の選択[最大容量：17　バイト]（フラグ：1）", preset};
        QTest::newRow("version 7") << SettingRow{{kVersionList, 6}, "バージョン： 7　、一辺：０～44 　、総コードビット数：1568", ""};
        QTest::newRow("version 40") << SettingRow{{kVersionList, 20}, "バージョン：40　、一辺：０～176 　、総コードビット数：29648", ""};
        QTest::newRow("level Q") << SettingRow{{kLevelList, 2}, "誤り訂正レベルは「Q（3）」の選択", ""};
        QTest::newRow("mask 5") << SettingRow{{kMaskList, 5}, "マスクパターン参照子は「 5（5）」が選択されました", preset};
        QTest::newRow("module width 1") << SettingRow{{kModuleWidthList, 1}, "モジュール幅は「1 ピクセル」が選択されました", preset};
        QTest::newRow("4-H, one group of blocks") << SettingRow{{kVersionList, 3, kLevelList, 3}, "誤り訂正レベルは「H（4）」の選択",
            "100|36|64|4|( 25, 9, 16 )|0|( 0, 0, 0 )|34 バイト|50 文字|82 桁"};
        QTest::newRow("5-Q, two groups of blocks, then byte mode") << SettingRow{{kVersionList, 4, kLevelList, 2, kByteModeRadio, -1},
            "「８ビットバイト」の選択[最大容量：60　バイト]（フラグ：1）", "134|62|72|2|( 33, 15, 18 )|2|( 34, 16, 18 )|60 バイト|87 文字|144 桁"};
        QTest::newRow("Escape in the input box") << SettingRow{{kInputBox, -2}, "", preset};
        QTest::newRow("Escape in a list") << SettingRow{{kVersionList, -2}, "", ""};
        // clang-format on
    }
    void settings() {
        QFETCH(SettingRow, row);
        const auto& [steps, status, fields] = row;
        Started s("from the ini");
        for (int id : {kInputBox, kRedField}) {  // "128" typed over both
            QMetaObject::invokeMethod(s.d->Control(id), "selectAll");
            QTest::keyClicks(s.d->Control(id), "128");
        }
        for (int i = 0; i < steps.size(); i += 2) {
            steps[i + 1] == -2   ? QTest::keyClick(s.d->Control(steps[i]), Qt::Key_Escape)
            : steps[i + 1] == -1 ? s.Click(steps[i])
                                 : s.Choose(steps[i], steps[i + 1]);
        }
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.beeps, steps[1] == -2 ? 1 : 0);
        QVERIFY(s.d->isVisible());
        QCOMPARE(s.d->State().settings.maskReference, steps[0] == kMaskList ? steps[1] : 3);
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
        QStringList shown;
        for (int id = 1014; id <= 1023; ++id) {
            shown << s.Text(id);
        }
        QCOMPARE(fields.isEmpty() ? fields : shown.join('|'), fields);
    }

    // Without a platform or a display (unset, or set but empty) the program
    // says why in one line instead of letting Qt abort.
    void noDisplayIsSaidClearly() {
        QVERIFY(!NoDisplayReason(nullptr, nullptr, nullptr).empty());
        QVERIFY(!NoDisplayReason("", "", "").empty());
        QVERIFY(NoDisplayReason(nullptr, ":9", nullptr).empty());
        QVERIFY(NoDisplayReason("offscreen", nullptr, nullptr).empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
