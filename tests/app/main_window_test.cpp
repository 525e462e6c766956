// The settings: QRcode.ini at start-up, lists and presets, the handlers'
// status texts, Escape, and the result fields.
#include "tests/app/app_test_support.h"

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // QRcode.ini as a file (null: none), a FIFO (never opened) or a folder:
    // the input, the message, and the presets as always.
    void startupFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        const QString file,
            cannotOpen = "初期化の読み込みファイル[QRcode.ini]をオープンできません。";
        QTest::newRow("missing") << file << QByteArray() << QString() << cannotOpen;
        QTest::newRow("empty") << file << QByteArray("") << QString() << QString();
        QTest::newRow("2 MiB on one line")
            << file << QByteArray(2 << 20, '7') << QString(2 << 20, '7') << QString();
        QTest::newRow("16 MiB and one byte") << file << QByteArray((16 << 20) + 1, '7') << QString()
                                             << QString("大きすぎて読み込めません");
        QTest::newRow("a FIFO") << "fifo" << QByteArray() << QString() << QString("通常のファイル");
        QTest::newRow("a folder") << "folder" << QByteArray() << QString() << cannotOpen;
    }
    void startupFile() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, ini);
        QFETCH(QString, input);
        QFETCH(QString, message);
        Started s(ini, [&](Started& t) {
            const QString path = t.dir.filePath("QRcode.ini");
            if (kind == "fifo") {
                t.fifo.emplace(path);
            } else if (kind == "folder") {
                QDir().mkdir(path);
            }
        });
        QVERIFY(kind != "fifo" || s.fifo->Made());
        QCOMPARE(s.messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || s.messages[0].contains(message));
        QCOMPARE(s.d->InputText().size(), input.size());  // a failure says how much came
        QCOMPARE(s.d->InputText(), input);
        const EncoderState& st = s.d->State();
        QCOMPARE(QList<int>({st.settings.version, st.settings.errorCorrectionLevel,
                             st.settings.moduleWidth, st.settings.maskReference,
                             st.settings.characterMode, st.dataReady}),
                 QList<int>({1, kLevelL, 2, 3, kModeNone, 0}));
        QCOMPARE(s.Text(kRedField) + s.Text(kGreenField) + s.Text(kBlueField) + "|" + s.Text(1014) +
                     "|" + s.Text(kStatusLine),
                 QString("000|26|"));  // colours, total codewords, no status
        QStringList items;             // the preset in brackets
        for (int id : {kVersionList, kLevelList, kModuleWidthList, kMaskList}) {
            auto* list = s.d->ControlAs<QComboBox>(id);
            for (int i = 0; i < list->count(); ++i) {
                items << (i == list->currentIndex() ? "[" + list->itemText(i) + "]"
                                                    : list->itemText(i));
            }
        }
        QCOMPARE(items.join('|'),
                 "[ 1]| 2| 3| 4| 5| 6| 7| 8| 9|10|11|12|13|14|15|16|17|18|19|20|40|"
                 "[L]|M|Q|H|[2 ピクセル]|1 ピクセル| 0| 1| 2|[ 3]| 4| 5| 6| 7");
    }

    // A radio (position -1), a list item or Escape (-2) after typing: the
    // status, Escape only beeps; mended fault: the typed text was lost.
    void handlers_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("status");
        QTest::newRow("byte mode")
            << int(kByteModeRadio) << -1
            << QString("「８ビットバイト」の選択[最大容量：17　バイト]（フラグ：1）");
        QTest::newRow("version 7")
            << int(kVersionList) << 6
            << QString("バージョン： 7　、一辺：０～44 　、総コードビット数：1568");
        QTest::newRow("version 40")
            << int(kVersionList) << 20
            << QString("バージョン：40　、一辺：０～176 　、総コードビット数：29648");
        QTest::newRow("level Q") << int(kLevelList) << 2
                                 << QString("誤り訂正レベルは「Q（3）」の選択");
        QTest::newRow("mask 5") << int(kMaskList) << 5
                                << QString("マスクパターン参照子は「 5（5）」が選択されました");
        QTest::newRow("module width 1") << int(kModuleWidthList) << 1
                                        << QString("モジュール幅は「1 ピクセル」が選択されました");
        QTest::newRow("Escape in the input box") << int(kInputBox) << -2 << QString();
        QTest::newRow("Escape in a colour field") << int(kRedField) << -2 << QString();
        QTest::newRow("Escape in a list") << int(kVersionList) << -2 << QString();
        QTest::newRow("Escape on a button") << int(kCreateDataButton) << -2 << QString();
    }
    void handlers() {
        QFETCH(int, control);
        QFETCH(int, position);
        QFETCH(QString, status);
        Started s("from the ini");
        for (int id : {kInputBox, kRedField}) {  // "128" typed over both
            QMetaObject::invokeMethod(s.d->Control(id), "selectAll");
            QTest::keyClicks(s.d->Control(id), "128");
        }
        if (position == -2) {
            QTest::keyClick(s.d->Control(control), Qt::Key_Escape);
        } else {
            s.Choose(control, position);
        }
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.beeps, position == -2 ? 1 : 0);
        QVERIFY(s.d->isVisible());
        QCOMPARE(s.d->State().settings.maskReference, control == kMaskList ? position : 3);
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
    }

    // Fields 1014-1023 for a one-group and a two-group symbol, and the byte
    // capacity then in force.
    void resultFields_data() {
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<int>("levelPosition");
        QTest::addColumn<QString>("fields");
        QTest::newRow("4-H, one group of blocks")
            << 3 << 3 << QString("100|36|64|4|( 25, 9, 16 )|0|( 0, 0, 0 )|34 バイト|50 文字|82 桁");
        QTest::newRow("5-Q, two groups of blocks")
            << 4 << 2
            << QString("134|62|72|2|( 33, 15, 18 )|2|( 34, 16, 18 )|60 バイト|87 文字|144 桁");
    }
    void resultFields() {
        QFETCH(int, versionPosition);
        QFETCH(int, levelPosition);
        QFETCH(QString, fields);
        Started s;
        s.Choose(kVersionList, versionPosition);
        s.Choose(kLevelList, levelPosition);
        QStringList shown;
        for (int id = 1014; id <= 1023; ++id) {
            shown << s.Text(id);
        }
        QCOMPARE(shown.join('|'), fields);
        s.Click(kByteModeRadio);
        QVERIFY(s.Text(kStatusLine).contains("：" + shown[7].chopped(4) + "　バイト]"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
