// Create Data and Create Pattern: refusals, the statistics line, the colour
// prompt, the clipboard bitmap (and that it scans), the version 40 window,
// and the mended faults: a repaint never writes the clipboard, and the drawn
// symbol stays visible.
#include "app/large_symbol_window.h"
#include "tests/app/app_test_support.h"

namespace {

const QString kColourPrompt = "0 から 255 までの整数を入力してください。";
const QString kNoData = "データ作成ボタンでデータを作成してください";
const QString kDigitsOnly = "数字の文字セットのみを選択してください";

QClipboard* Clipboard() {
    return QGuiApplication::clipboard();
}

}  // namespace

#define VERIFY_DRAWING(image, st, w, dark) QCOMPARE(WrongDrawing(image, st, w, dark), QString())

class SymbolTest : public QObject {
    Q_OBJECT

  private slots:
    // Mode (0: none chosen), text, message, status line: a refusal leaves the
    // status line and DataReady 0; a success sets both. Without a mode nothing
    // is read, so the bad blue entry of that row brings no colour prompt.
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

    // Read blue, green, red: a bad green entry stops the read there, with the
    // prompt and the focus on it, at Create Data and at Create Pattern, and
    // the command goes on with the values that stand: blue 7 read, red never
    // read and still 0.
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
        VERIFY_DRAWING(Copied(), s.d->State(), 2, qRgb(0, 0, 7));
    }

    // The clipboard bitmap (version position, width, colour): size, margin,
    // colour, module grid, and it scans. Mended faults: a repaint (window
    // uncovered, frame resized) put the symbol on the clipboard again, and
    // erased it from the frame once DataReady was cleared.
    void clipboardImageAndRepaints_data() {
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("dark");
        QTest::newRow("version 1, width 1, black") << 0 << 1 << qRgb(0, 0, 0);
        QTest::newRow("version 1, width 2, red") << 0 << 2 << qRgb(255, 0, 0);
        QTest::newRow("version 20, width 2, dark blue") << 19 << 2 << qRgb(12, 34, 56);
    }
    void clipboardImageAndRepaints() {
        QFETCH(int, versionPosition);
        QFETCH(int, width);
        QFETCH(QRgb, dark);
        Started s;
        s.Choose(kVersionList, versionPosition);
        s.Choose(kModuleWidthList, 2 - width);
        s.SetColour(dark);
        s.CreateData(kByteModeRadio, "Quirvane clip");
        s.Click(kCreatePatternButton);
        QVERIFY(s.messages.isEmpty());
        const QImage drawn = Copied();
        VERIFY_DRAWING(drawn, s.d->State(), width, dark);
        QCOMPARE(Decoded(drawn), QString("Quirvane clip"));
        Clipboard()->setText("copied elsewhere");
        for (QWidget* target : QWidgetList{s.d.get(), s.d->Frame()}) {
            const QSize size = target->size();
            target == s.d.get() ? target->hide() : target->resize(size / 2);
            QCoreApplication::processEvents();
            target == s.d.get() ? target->show() : target->resize(size);
            QCoreApplication::processEvents();
            QCOMPARE(Shown(s.d->Frame()), drawn);
        }
        // While new data waits (DataReady set) the frame shows it.
        s.CreateData(kByteModeRadio, "second");
        s.d->Frame()->repaint();
        QCOMPARE(Decoded(s.d->Frame()->Image()), QString("second"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
    }

    // A version 40 symbol opens in its own window, which puts the bitmap on
    // the clipboard once, shows it whole, and closes with OK. (Its captions:
    // window_extras_test's layout; the main frame meanwhile: its
    // version40LeavesNoStaleSymbol.)
    void version40Window_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("dark");
        QTest::newRow("width 2, black") << 2 << qRgb(0, 0, 0);
        QTest::newRow("width 1, red") << 1 << qRgb(255, 0, 0);
    }
    void version40Window() {
        QFETCH(int, width);
        QFETCH(QRgb, dark);
        Started s;
        s.Choose(kVersionList, 20);
        s.Choose(kModuleWidthList, 2 - width);
        s.SetColour(dark);
        s.CreateData(kByteModeRadio, "Version 40 symbol");
        QImage copied, shown;
        const bool checked = s.modals.InModalWindow(
            [&] { s.Click(kCreatePatternButton); },
            [&](QWidget* modal) {
                auto* window = qobject_cast<LargeSymbolWindow*>(modal);
                QVERIFY(window != nullptr);
                copied = Copied();
                Clipboard()->setText("copied elsewhere");
                shown = Shown(window->Frame());  // a repaint, which writes no clipboard
                QTest::mouseClick(window->Control(LargeSymbolWindow::kOkButton), Qt::LeftButton);
                QVERIFY(!window->isVisible());
            });
        if (!checked) {
            return;  // what failed is logged already
        }
        QCOMPARE(s.d->State().dataReady, 0);
        VERIFY_DRAWING(copied, s.d->State(), width, dark);
        QCOMPARE(shown, copied);  // whole, in the window's frame
        QCOMPARE(Decoded(copied), QString("Version 40 symbol"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
    }

    // Create Pattern draws the symbol made last ("made at version 1", byte
    // mode), as it was made whatever the version list says since and after a
    // refused run, and only once; with nothing made it says so and leaves the
    // clipboard.
    void createPatternDrawsWhatWasMade_data() {
        QTest::addColumn<bool>("made");          // Create Data on "made at version 1"
        QTest::addColumn<bool>("versionMoved");  // then version 10 chosen
        QTest::addColumn<bool>("refusedRun");    // then "not digits" in numeric mode
        QTest::addColumn<int>("clicks");         // on Create Pattern
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("nothing made") << false << false << false << 1 << QStringList{kNoData};
        QTest::newRow("the version list moved since")
            << true << true << false << 1 << QStringList();
        QTest::newRow("a run refused since")
            << true << false << true << 1 << QStringList{kDigitsOnly};
        QTest::newRow("clicked twice") << true << false << false << 2 << QStringList{kNoData};
        QTest::newRow("all of these")
            << true << true << true << 2 << QStringList({kDigitsOnly, kNoData});
    }
    void createPatternDrawsWhatWasMade() {
        QFETCH(bool, made);
        QFETCH(bool, versionMoved);
        QFETCH(bool, refusedRun);
        QFETCH(int, clicks);
        QFETCH(QStringList, messages);
        Started s;
        Clipboard()->setText("untouched");
        if (made) {
            s.CreateData(kByteModeRadio, "made at version 1");
        }
        if (versionMoved) {
            s.Choose(kVersionList, 9);
        }
        if (refusedRun) {
            s.CreateData(kNumericModeRadio, "not digits");
        }
        for (int i = 0; i < clicks; ++i) {
            s.Click(kCreatePatternButton);
        }
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
