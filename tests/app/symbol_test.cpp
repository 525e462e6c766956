// Create Data and Create Pattern: refusals, the statistics line, the colour
// prompt, the drawn symbol on the clipboard, in the frames and saved.
#include <QMenu>

#include "app/large_symbol_window.h"
#include "encode/symbol_access.h"
#include "tests/app/app_test_support.h"
#include "tests/support/drawing_reference.h"

namespace {

const QString kColourPrompt = "0 から 255 までの整数を入力してください。";
const QString kNoData = "データ作成ボタンでデータを作成してください";
const QString kDigitsOnly = "数字の文字セットのみを選択してください";

QClipboard* Clipboard() {
    return QGuiApplication::clipboard();
}

// The first pixel that is not the window's drawing of the symbol, or "".
QString WrongDrawing(const QImage& image, const EncoderState& st, int w, QRgb dark) {
    const DrawingOptions options{.moduleWidth = w, .dark = {qRed(dark), qGreen(dark), qBlue(dark)}};
    return QString::fromStdString(quirvane::testing::WrongUnit(image, 1, SymbolOf(st), options));
}

// An empty frame: no drawing, no menu, and none of a drawing's white shown.
bool Empty(SymbolFrame* frame) {
    const QImage inside =
        frame->grab(frame->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < inside.height(); ++y) {
        for (int x = 0; x < inside.width(); ++x) {
            if (inside.pixel(x, y) == qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    const std::unique_ptr<QMenu> menu(frame->CreateContextMenu());
    return frame->Image().isNull() && menu == nullptr;
}

}  // namespace

class SymbolTest : public QObject {
    Q_OBJECT

  private slots:
    // A refusal leaves the status line and DataReady 0; a success sets both.
    // Without a mode nothing is read, so a bad blue entry brings no prompt.
    void createData_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("no mode chosen")
            << 0 << QString()
            << QString(
                   "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください")
            << QString();
        QTest::newRow("alphanumeric refuses lower case and CR LF")
            << int(kAlphanumericModeRadio) << QString("AB\ncd")
            << QString("英数字の文字セットのみを選択してください")
            << QString("「英数字」の選択[最大容量：25　文字]（フラグ：2）");
        QTest::newRow("numeric refuses a blank")
            << int(kNumericModeRadio) << QString("12 3") << kDigitsOnly
            << QString("「数字」の選択[最大容量：41　桁]（フラグ：3）");
        QTest::newRow("numeric") << int(kNumericModeRadio) << QString("01234567") << QString()
                                 << QString(
                                        "入力バイト数：8  データバイト数：6　訂正ブロック数：1　"
                                        "訂正次数GA：7  総コード数：26");
        QTest::newRow("byte, CR LF counting two bytes")
            << int(kByteModeRadio) << QString("Hello, Quirvane\nsecond line\n") << QString()
            << QString(
                   "入力バイト数：30  データバイト数：19　訂正ブロック数：1　訂正次数GA：7  "
                   "総コード数：26");
    }
    void createData() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, status);
        Started s;
        s.Set(kBlueField, mode == 0 ? "300" : "0");
        mode == 0 ? s.Click(kCreateDataButton) : s.CreateData(mode, text);
        QCOMPARE(s.messages.join('|'), message);
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.d->State().dataReady, message.isEmpty() ? 1 : 0);
    }

    // Read blue, green, red: a bad green entry stops the read there (red
    // stays 0), with the prompt and the focus on it, and the command goes on.
    void colourPrompt_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("letters") << QString("abc");
        QTest::newRow("a digit and a letter") << QString("12x");
        QTest::newRow("negative") << QString("-1");
        QTest::newRow("256") << QString("256");
        QTest::newRow("empty") << QString("");
        QTest::newRow("a blank") << QString(" ");
        QTest::newRow("an exponent") << QString("1e2");
        QTest::newRow("hexadecimal") << QString("0x10");
        QTest::newRow("past 32 bits") << QString("99999999999");
    }
    void colourPrompt() {
        QFETCH(QString, entry);
        Started s;
        s.Set(kRedField, "200");
        s.Set(kGreenField, entry);
        s.Set(kBlueField, "7");
        s.CreateData(kByteModeRadio, "");
        QCOMPARE(s.messages, QStringList{kColourPrompt});
        QCOMPARE(s.d->focusWidget(), s.d->Control(kGreenField));
        s.Click(kCreatePatternButton);
        QCOMPARE(s.messages, QStringList({kColourPrompt, kColourPrompt}));
        QCOMPARE(WrongDrawing(Copied(), s.d->State(), 2, qRgb(0, 0, 7)), QString());
    }

    // The clipboard's bitmap is the drawing and scans; the frame (version 40:
    // its own window's) shows it whole and its one menu entry saves it.
    // Mended faults: a repaint wrote the clipboard or erased the symbol, a
    // waiting symbol was not the one shown and saved, and the main frame kept
    // the symbol before a version 40 one.
    void drawnSymbol_data() {
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("dark");
        QTest::addColumn<bool>("svg");
        QTest::newRow("version 1, width 1, black, PNG") << 0 << 1 << qRgb(0, 0, 0) << false;
        QTest::newRow("version 1, width 2, red, SVG") << 0 << 2 << qRgb(255, 0, 0) << true;
        QTest::newRow("version 20, width 2, dark blue, PNG")
            << 19 << 2 << qRgb(12, 34, 56) << false;
        QTest::newRow("version 40, width 2, black, SVG") << 20 << 2 << qRgb(0, 0, 0) << true;
        QTest::newRow("version 40, width 1, red, PNG") << 20 << 1 << qRgb(255, 0, 0) << false;
    }
    void drawnSymbol() {
        QFETCH(int, versionPosition);
        QFETCH(int, width);
        QFETCH(QRgb, dark);
        QFETCH(bool, svg);
        const SaveFormat format = svg ? SaveFormat::Svg : SaveFormat::Png;
        const bool large = versionPosition == 20;
        Started s;
        const QString path = s.dir.filePath("saved");
        SetSaveChooserForTesting([&](QWidget*) { return SaveTarget{path, format}; });
        const auto restore = qScopeGuard([] { SetSaveChooserForTesting({}); });
        SymbolFrame* frame = s.d->Frame();
        QVERIFY(Empty(frame) && !frame->SaveAction()->isEnabled());
        s.Choose(kModuleWidthList, 2 - width);
        s.SetColour(dark);
        if (large) {  // a symbol before it in the main frame
            s.CreateData(kByteModeRadio, "the one before");
            s.Click(kCreatePatternButton);
        }
        s.Choose(kVersionList, versionPosition);
        s.CreateData(kByteModeRadio, "Quirvane clip");
        QImage copied;
        const auto showAndSave = [&](SymbolFrame* shownIn) {
            copied = Copied();
            Clipboard()->setText("copied elsewhere");
            QCOMPARE(Shown(shownIn), copied);  // a repaint, which writes no clipboard
            const std::unique_ptr<QMenu> menu(shownIn->CreateContextMenu());
            QVERIFY(menu != nullptr);
            QCOMPARE(menu->actions().size(), 1);
            QCOMPARE(menu->actions()[0]->text(), QString("名前を付けて保存..."));
            menu->actions()[0]->trigger();
        };
        if (large) {
            const bool checked = s.modals.InModalWindow(
                [&] { s.Click(kCreatePatternButton); },
                [&](QWidget* modal) {
                    auto* window = qobject_cast<LargeSymbolWindow*>(modal);
                    QVERIFY(window != nullptr);
                    QVERIFY(Empty(frame));  // the symbol before is gone
                    showAndSave(window->Frame());
                    QTest::mouseClick(window->Control(LargeSymbolWindow::kOkButton),
                                      Qt::LeftButton);
                    QVERIFY(!window->isVisible());
                });
            if (!checked) {
                return;  // what failed is logged already
            }
            QCOMPARE(s.d->State().dataReady, 0);
        } else {
            s.Click(kCreatePatternButton);
            showAndSave(frame);
        }
        QVERIFY(!QTest::currentTestFailed() && s.messages.isEmpty());
        QCOMPARE(WrongDrawing(copied, s.d->State(), width, dark), QString());
        QCOMPARE(Decoded(copied), QString("Quirvane clip"));
        QCOMPARE(Drawn(path, format), copied);
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
        for (QWidget* target : QWidgetList{s.d.get(), frame}) {
            const QSize size = target->size();
            target == s.d.get() ? target->hide() : target->resize(size / 2);
            QCoreApplication::processEvents();
            target == s.d.get() ? target->show() : target->resize(size);
            QCoreApplication::processEvents();
            QVERIFY(large ? Empty(frame) : Shown(frame) == copied);
        }
        if (large) {
            s.Choose(kVersionList, 0);
            s.CreateData(kByteModeRadio, "the next one");
            s.Click(kCreatePatternButton);
            QCOMPARE(Decoded(Shown(frame)), QString("the next one"));
            return;
        }
        s.CreateData(kByteModeRadio, "the next one");
        frame->repaint();
        frame->SaveAction()->trigger();
        QCOMPARE(Decoded(Drawn(path, format)), QString("the next one"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
    }

    // Create Pattern draws the symbol made last as it was made, once; with
    // nothing made it says so and leaves the clipboard.
    void createPatternDrawsWhatWasMade_data() {
        QTest::addColumn<bool>("made");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("nothing made") << false << QStringList{kNoData};
        QTest::newRow("made at version 1, then version 10, a refused run and two clicks")
            << true << QStringList({kDigitsOnly, kNoData});
    }
    void createPatternDrawsWhatWasMade() {
        QFETCH(bool, made);
        QFETCH(QStringList, messages);
        Started s;
        Clipboard()->setText("untouched");
        if (made) {
            s.CreateData(kByteModeRadio, "made at version 1");
            s.Choose(kVersionList, 9);
            s.CreateData(kNumericModeRadio, "not digits");
            s.Click(kCreatePatternButton);
        }
        s.Click(kCreatePatternButton);
        QCOMPARE(s.messages, messages);
        if (!made) {
            QCOMPARE(Clipboard()->text(), QString("untouched"));
            return;
        }
        QCOMPARE(Copied().size(), QSize(62, 62));
        QCOMPARE(Decoded(Copied()), QString("made at version 1"));
    }
};

QTEST_MAIN(SymbolTest)
#include "symbol_test.moc"
