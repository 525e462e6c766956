// The windows as their templates describe them: every control at its
// rectangle inside the window, nothing overlapping, and every caption exact.
#include <QGroupBox>
#include <QLabel>

#include "app/about_box.h"
#include "app/dialog_template.h"
#include "render/large_symbol_window.h"
#include "tests/app/app_test_support.h"

class LayoutTest : public QObject {
    Q_OBJECT

    static QString Where(const QWidget* c) { return QString("(%1, %2)").arg(c->x()).arg(c->y()); }

  private slots:
    // The window's caption, then its controls' captions in template order.
    void windows_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("main")
            << int(kMainTemplate)
            << QString(
                   "Quirvane（VER40．02）|入力コ－ド|ファイル選択|状態|８ビットバイト|"
                   "英数字（ABC... ./:）|数字|バージョン|誤り訂正|マスク|データ作成|総コード数 =|"
                   "データ語数 +|誤り訂正語数|RSブロック数/|RSブロック内容|８ビット容量|"
                   "英数字容量|数字容量|RSブロック数/|RSブロック内容|ピクセル|"
                   "色(　RGB：０～２５５)|パターン作成|終了")
                   .split('|');
        QTest::newRow("about") << int(kAboutTemplate)
                               << QStringList{"Quirvane のﾊﾞｰｼﾞｮﾝ情報", "Quirvane Version 40.02",
                                              "QR コード作成プログラム", "OK"};
        QTest::newRow("version 40") << int(kLargeSymbolTemplate)
                                    << QStringList{"Quirvane_V40", "OK", "バージョン　４０ 表示"};
    }
    void windows() {
        QFETCH(int, id);
        QFETCH(QStringList, captions);
        Started s;
        std::unique_ptr<QDialog> other;
        if (id == kAboutTemplate) {
            other = std::make_unique<AboutBox>();
        } else if (id == kLargeSymbolTemplate) {
            other = std::make_unique<LargeSymbolWindow>(SymbolView{}, 2, SymbolColour{0, 0, 0});
        }
        QDialog* window = other ? other.get() : s.d.get();
        const DialogBaseUnits& units = s.d->BaseUnits();
        QStringList shown{window->windowTitle()};
        QList<QWidget*> placed;
        for (QWidget* c : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            QCOMPARE(c->pos(), units.ToPixels(c->property("dialogUnits").toRect()).topLeft());
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
        QCOMPARE(shown, captions);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
