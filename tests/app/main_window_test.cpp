// The main window and its settings: lists and presets, the handlers' status
// texts, the result fields, Escape, QRcode.ini, and a refresh that keeps
// what the user typed.
#include "tests/app/app_test_support.h"

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The items, the preset in brackets.
    void listsAndPresets_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("items");
        QTest::newRow("version")
            << int(kVersionList)
            << "[ 1]| 2| 3| 4| 5| 6| 7| 8| 9|10|11|12|13|14|15|16|17|18|19|20|40";
        QTest::newRow("level") << int(kLevelList) << "[L]|M|Q|H";
        QTest::newRow("width") << int(kModuleWidthList) << "[2 ピクセル]|1 ピクセル";
        QTest::newRow("mask") << int(kMaskList) << " 0| 1| 2|[ 3]| 4| 5| 6| 7";
    }
    void listsAndPresets() {
        QFETCH(int, id);
        QFETCH(QString, items);
        Started s;
        auto* list = s.d->ControlAs<QComboBox>(id);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) {
            shown << (i == list->currentIndex() ? "[" + list->itemText(i) + "]"
                                                : list->itemText(i));
        }
        QCOMPARE(shown.join('|'), items);
    }

    // A radio (position -1) or a list item, and the status line.
    void handlers_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("status");
        QTest::newRow("byte") << int(kByteModeRadio) << -1
                              << "「８ビットバイト」の選択[最大容量：17　バイト]（フラグ：1）";
        QTest::newRow("alphanumeric") << int(kAlphanumericModeRadio) << -1
                                      << "「英数字」の選択[最大容量：25　文字]（フラグ：2）";
        QTest::newRow("numeric") << int(kNumericModeRadio) << -1
                                 << "「数字」の選択[最大容量：41　桁]（フラグ：3）";
        QTest::newRow("version 7") << int(kVersionList) << 6
                                   << "バージョン： 7　、一辺：０～44 　、総コードビット数：1568";
        QTest::newRow("version 40")
            << int(kVersionList) << 20
            << "バージョン：40　、一辺：０～176 　、総コードビット数：29648";
        QTest::newRow("level Q") << int(kLevelList) << 2 << "誤り訂正レベルは「Q（3）」の選択";
        QTest::newRow("mask 5") << int(kMaskList) << 5
                                << "マスクパターン参照子は「 5（5）」が選択されました";
        QTest::newRow("width 1") << int(kModuleWidthList) << 1
                                 << "モジュール幅は「1 ピクセル」が選択されました";
    }
    void handlers() {
        QFETCH(int, id);
        QFETCH(int, position);
        QFETCH(QString, status);
        Started s;
        position < 0 ? s.Click(id) : s.Choose(id, position);
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.d->State().maskReference, id == kMaskList ? position : 3);
    }

    void resultFields_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("fields");
        QTest::newRow("4-H, one group")
            << 3 << 3 << "100|36|64|4|( 25, 9, 16 )|0|( 0, 0, 0 )|34 バイト|50 文字|82 桁";
        QTest::newRow("5-Q, two groups")
            << 4 << 2 << "134|62|72|2|( 33, 15, 18 )|2|( 34, 16, 18 )|60 バイト|87 文字|144 桁";
    }
    void resultFields() {
        QFETCH(int, version);
        QFETCH(int, level);
        QFETCH(QString, fields);
        Started s;
        s.Choose(kVersionList, version);
        s.Choose(kLevelList, level);
        QStringList shown;
        for (int id = 1014; id <= 1023; ++id) {
            shown << s.Text(id);
        }
        QCOMPARE(shown.join('|'), fields);
        s.Click(kByteModeRadio);  // the capacity now in force
        QVERIFY(s.Text(kStatusLine).contains("：" + shown[7].chopped(4) + "　バイト]"));
    }

    void escapeBeepsAndNeverCloses() {
        Started s;
        for (int id : {kInputBox, kRedField, kVersionList, kCreateDataButton}) {
            QTest::keyClick(s.d->Control(id), Qt::Key_Escape);
        }
        QCOMPARE(s.beeps, 4);
        QVERIFY(s.d->isVisible());
    }

    void startupFile_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("messages");
        QTest::newRow("no last line feed") << QByteArray("one\ntwo") << "one\r\ntwo" << QString();
        QTest::newRow("last line feed") << QByteArray("one\ntwo\n") << "one\r\ntwo\r\n"
                                        << QString();
        QTest::newRow("absent") << QByteArray() << QString()
                                << "初期化の読み込みファイル[QRcode.ini]をオープンできません。";
    }
    void startupFile() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, input);
        QFETCH(QString, messages);
        Started s(ini);
        QCOMPARE(s.messages.join('|'), messages);
        QCOMPARE(s.d->InputText(), input);
        const EncoderState& st = s.d->State();  // and the start goes on
        QCOMPARE(QList<int>({st.version, st.errorCorrectionLevel, st.moduleWidth, st.maskReference,
                             st.characterMode, st.dataReady}),
                 QList<int>({1, kLevelL, 2, 3, kModeNone, 0}));
        QCOMPARE(s.Text(kRedField) + s.Text(kGreenField) + s.Text(kBlueField), QString("000"));
        QCOMPARE(s.Text(1014) + s.Text(kStatusLine), QString("26"));
    }

    // Mended fault: a refresh wrote the stored input and colour back into
    // their boxes, throwing away what the user had typed since.
    void refreshKeepsWhatTheUserTyped() {
        Started s("from the ini");
        for (int id : {kInputBox, kRedField}) {
            QMetaObject::invokeMethod(s.d->Control(id), "selectAll");
            QTest::keyClicks(s.d->Control(id), "128");
        }
        s.Click(kNumericModeRadio);
        for (int id : {kVersionList, kLevelList, kMaskList, kModuleWidthList}) {
            s.Choose(id, 1);
        }
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
