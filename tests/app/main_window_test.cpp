// The settings: QRcode.ini, lists and presets, the handlers' status texts,
// the result fields, Escape, and a refresh that keeps what the user typed.
// (The windows' layout and captions: window_extras_test.cpp.)
#include <optional>

#include "tests/app/app_test_support.h"

class MainWindowTest : public QObject {
    Q_OBJECT

    // "128" typed over the input box and the red field.
    static void TypeOverInputAndRed(Started& s) {
        for (int id : {kInputBox, kRedField}) {
            QMetaObject::invokeMethod(s.d->Control(id), "selectAll");
            QTest::keyClicks(s.d->Control(id), "128");
        }
    }

  private slots:
    // QRcode.ini (null: no such file): the input, whole; a message naming what
    // went wrong if any; and the start goes on with the presets and list items.
    void startupFile_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("two lines, no last line feed")
            << QByteArray("one\ntwo") << QString("one\r\ntwo") << QString();
        QTest::newRow("two lines, each ending in a line feed")
            << QByteArray("one\ntwo\n") << QString("one\r\ntwo\r\n") << QString();
        QTest::newRow("missing")
            << QByteArray() << QString()
            << QString("初期化の読み込みファイル[QRcode.ini]をオープンできません。");
        QTest::newRow("empty") << QByteArray("") << QString() << QString();
        QTest::newRow("Shift_JIS")
            << QByteArray("\x83\x65\x83\x58\x83\x67", 6) << QString("テスト") << QString();
        QTest::newRow("neither UTF-8 nor Shift_JIS")
            << QByteArray("\xff\xfe\xfd", 3) << QString() << QString("Shift_JIS");
        QTest::newRow("2 MiB on one line")
            << QByteArray(2 << 20, '7') << QString(2 << 20, '7') << QString();
    }
    void startupFile() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, input);
        QFETCH(QString, message);
        Started s(ini);
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

    // QRcode.ini that is no regular file or is longer than 16 MiB: one
    // message, an empty input, and the window starts as always. A FIFO is
    // never opened, so the start never waits for a writer.
    void startupFileNotRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("a FIFO") << QString("fifo") << QString("通常のファイル");
        QTest::newRow("a folder")
            << QString("folder")
            << QString("初期化の読み込みファイル[QRcode.ini]をオープンできません。");
        QTest::newRow("16 MiB and one byte")
            << QString("too long") << QString("大きすぎて読み込めません");
    }
    void startupFileNotRead() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        std::optional<StandbyFifo> fifo;
        Started s(QByteArray(), [&](const QString& folder) {
            const QString ini = folder + "/QRcode.ini";
            if (kind == "fifo") {
                fifo.emplace(ini);
            } else if (kind == "folder") {
                QDir(folder).mkdir("QRcode.ini");
            } else {
                QFile file(ini);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.resize((16 << 20) + 1));
            }
        });
        QVERIFY(!fifo || fifo->Made());
        QCOMPARE(s.messages.size(), 1);
        QVERIFY2(s.messages[0].contains(message), qPrintable(s.messages[0]));
        QCOMPARE(s.d->InputText(), QString());
        QVERIFY(s.d->isVisible());
        QCOMPARE(s.Text(1014), QString("26"));  // total codewords of the preset 1-L
    }

    // A radio (position -1) or a list item, and the status line (the other
    // two radios' in symbol_test's createData).
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
    }
    void handlers() {
        QFETCH(int, control);
        QFETCH(int, position);
        QFETCH(QString, status);
        Started s;
        s.Pick(control, position);
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.d->State().settings.maskReference, control == kMaskList ? position : 3);
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

    // Escape beeps wherever the focus is and neither closes the window nor
    // clears a box.
    void escapeOnlyBeeps_data() {
        QTest::addColumn<int>("control");
        QTest::newRow("in the input box") << int(kInputBox);
        QTest::newRow("in a colour field") << int(kRedField);
        QTest::newRow("in a list") << int(kVersionList);
        QTest::newRow("on a button") << int(kCreateDataButton);
    }
    void escapeOnlyBeeps() {
        QFETCH(int, control);
        Started s("from the ini");
        TypeOverInputAndRed(s);
        QTest::keyClick(s.d->Control(control), Qt::Key_Escape);
        QCOMPARE(s.beeps, 1);
        QVERIFY(s.d->isVisible());
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
    }

    // Mended fault: a refresh (a radio or a list item, position -1 for the
    // radio) wrote the stored input and colour back into their boxes,
    // throwing away what the user had typed since.
    void typedTextSurvivesRefresh_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("position");
        QTest::newRow("numeric mode") << int(kNumericModeRadio) << -1;
        QTest::newRow("version 2") << int(kVersionList) << 1;
        QTest::newRow("level M") << int(kLevelList) << 1;
        QTest::newRow("mask 1") << int(kMaskList) << 1;
        QTest::newRow("module width 1") << int(kModuleWidthList) << 1;
    }
    void typedTextSurvivesRefresh() {
        QFETCH(int, control);
        QFETCH(int, position);
        Started s("from the ini");
        TypeOverInputAndRed(s);
        s.Pick(control, position);
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
