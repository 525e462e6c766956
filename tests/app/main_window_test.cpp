// The windows and the settings: every control at its template rectangle,
// nothing overlapping, captions exact; QRcode.ini, lists and presets, the handlers'
// status texts, the result fields, Escape, and a refresh that keeps what the
// user typed.
#include <QGroupBox>
#include <QLabel>

#include <tuple>

#include "app/about_box.h"
#include "app/dialog_template.h"
#include "app/large_symbol_window.h"
#include "tests/app/app_test_support.h"

class MainWindowTest : public QObject {
    Q_OBJECT

    static QString Where(const QWidget* c) { return QString("(%1, %2)").arg(c->x()).arg(c->y()); }

  private slots:
    // Each window's caption, then its controls' captions in template order.
    void windows() {
        Started s;
        AboutBox about;
        LargeSymbolWindow large(SymbolView{}, 2, SymbolColour{0, 0, 0});
        const std::pair<QDialog*, QString> rows[] = {
            {s.d.get(),
             quirvane::testing::MainCaptionText() +
                 "|入力コ－ド|ファイル選択|状態|８ビットバイト|英数字（ABC... ./:）|"
                 "数字|バージョン|誤り訂正|マスク|データ作成|総コード数 =|データ語数 "
                 "+|誤り訂正語数|"
                 "RSブロック数/|RSブロック内容|８ビット容量|英数字容量|数字容量|RSブロック数/|"
                 "RSブロック内容|ピクセル|色(　RGB：０～２５５)|パターン作成|終了"},
            {&about,
             QString("Quirvane のﾊﾞｰｼﾞｮﾝ情報|Quirvane Version %1|QR コード作成プログラム|OK")
                 .arg(kVersionText)},
            {&large, "Quirvane_V40|OK|バージョン　４０ 表示"},
        };
        for (const auto& [window, captions] : rows) {
            QStringList shown{window->windowTitle()};
            QList<QWidget*> placed;
            for (QWidget* c :
                 window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                QCOMPARE(c->pos(),
                         s.d->BaseUnits().ToPixels(c->property("dialogUnits").toRect()).topLeft());
                QVERIFY2(window->rect().contains(c->geometry()), qPrintable(Where(c)));
                for (QWidget* p : placed) {
                    QVERIFY2(!p->geometry().intersects(c->geometry()),
                             qPrintable(Where(p) + " overlaps " + Where(c)));
                }
                if (qobject_cast<QGroupBox*>(c) == nullptr) {
                    placed << c;  // group frames surround others
                }
                if (qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c)) {
                    shown << c->property("text").toString();
                }
            }
            shown.removeAll(QString());  // the About box's icon
            QCOMPARE(shown.join('|'), captions);
        }
    }

    // QRcode.ini: the input, a message naming what went wrong if any, and the
    // start goes on with the presets and list items.
    void startupFile() {
        const std::tuple<QByteArray, QString, QString> rows[] = {
            {"one\ntwo", "one\r\ntwo", ""},  // no last line feed
            {"one\ntwo\n", "one\r\ntwo\r\n", ""},
            {QByteArray(), "", "初期化の読み込みファイル[QRcode.ini]をオープンできません。"},
            {"", "", ""},
            {QByteArray("\x83\x65\x83\x58\x83\x67", 6), "テスト", ""},  // Shift_JIS
            {QByteArray("\xff\xfe\xfd", 3), "", "Shift_JIS"},           // not text
            {QByteArray(2 << 20, '7'), QString(2 << 20, '7'), ""},
        };
        for (const auto& [ini, input, message] : rows) {
            Started s(ini);
            QCOMPARE(s.messages.size(), message.isEmpty() ? 0 : 1);
            QVERIFY(message.isEmpty() || s.messages[0].contains(message));
            QCOMPARE(s.d->InputText(), input);
            const EncoderState& st = s.d->State();
            QCOMPARE(QList<int>({st.settings.version, st.settings.errorCorrectionLevel,
                                 st.settings.moduleWidth, st.settings.maskReference,
                                 st.settings.characterMode, st.dataReady}),
                     QList<int>({1, kLevelL, 2, 3, kModeNone, 0}));
            QCOMPARE(s.Text(kRedField) + s.Text(kGreenField) + s.Text(kBlueField) + "|" +
                         s.Text(1014) + "|" + s.Text(kStatusLine),
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
    }

    // A radio (position -1) or a list item, and the status line (the other
    // two radios' in symbol_test's createData).
    void handlers() {
        const std::tuple<int, int, QString> rows[] = {
            {kByteModeRadio, -1, "「８ビットバイト」の選択[最大容量：17　バイト]（フラグ：1）"},
            {kVersionList, 6, "バージョン： 7　、一辺：０～44 　、総コードビット数：1568"},
            {kVersionList, 20, "バージョン：40　、一辺：０～176 　、総コードビット数：29648"},
            {kLevelList, 2, "誤り訂正レベルは「Q（3）」の選択"},
            {kMaskList, 5, "マスクパターン参照子は「 5（5）」が選択されました"},
            {kModuleWidthList, 1, "モジュール幅は「1 ピクセル」が選択されました"},
        };
        for (const auto& [id, position, status] : rows) {
            Started s;
            position < 0 ? s.Click(id) : s.Choose(id, position);
            QCOMPARE(s.Text(kStatusLine), status);
            QCOMPARE(s.d->State().settings.maskReference, id == kMaskList ? position : 3);
        }
    }

    // Fields 1014-1023 for a one-group and a two-group symbol, and the byte
    // capacity then in force.
    void resultFields() {
        Started s;
        for (const auto& [version, level, fields] :
             {std::tuple{3, 3, "100|36|64|4|( 25, 9, 16 )|0|( 0, 0, 0 )|34 バイト|50 文字|82 桁"},
              std::tuple{4, 2,
                         "134|62|72|2|( 33, 15, 18 )|2|( 34, 16, 18 )|60 バイト|87 文字|144 桁"}}) {
            s.Choose(kVersionList, version);
            s.Choose(kLevelList, level);
            QStringList shown;
            for (int id = 1014; id <= 1023; ++id) {
                shown << s.Text(id);
            }
            QCOMPARE(shown.join('|'), QString(fields));
            s.Click(kByteModeRadio);
            QVERIFY(s.Text(kStatusLine).contains("：" + shown[7].chopped(4) + "　バイト]"));
        }
    }

    // Mended fault: a refresh wrote the stored input and colour back into
    // their boxes, throwing away what the user had typed since. Escape beeps
    // wherever the focus is and neither closes the window nor clears a box.
    void typedTextSurvivesRefreshAndEscape() {
        Started s("from the ini");
        for (int id : {kInputBox, kRedField}) {
            QMetaObject::invokeMethod(s.d->Control(id), "selectAll");
            QTest::keyClicks(s.d->Control(id), "128");
        }
        for (int id : {kInputBox, kRedField, kVersionList, kCreateDataButton}) {
            QTest::keyClick(s.d->Control(id), Qt::Key_Escape);
        }
        QCOMPARE(s.beeps, 4);
        QVERIFY(s.d->isVisible());
        s.Click(kNumericModeRadio);
        for (int id : {kVersionList, kLevelList, kMaskList, kModuleWidthList}) {
            s.Choose(id, 1);
        }
        QCOMPARE(s.Text(kInputBox) + "/" + s.Text(kRedField), QString("128/128"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
