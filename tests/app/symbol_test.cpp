// Create Data and Create Pattern: refusals, the statistics line, the colour
// prompt, the clipboard bitmap (and that it scans), the version 40 window,
// and the mended faults: a repaint never writes the clipboard, and the drawn
// symbol stays visible.
#include <QLabel>

#include "app/large_symbol_window.h"
#include "app/symbol_frame.h"
#include "tests/app/app_test_support.h"
#include "tests/support/symbol_pixels.h"
#include "tests/support/zbar_decode.h"

namespace {

const QString kColourPrompt = "0 から 255 までの整数を入力してください。";
const QString kNoData = "データ作成ボタンでデータを作成してください";

QClipboard* Clipboard() {
    return QGuiApplication::clipboard();
}

QByteArray Decoded(const QImage& image) {
    std::string text = "(nothing read)";
    quirvane::testing::DecodeImageWithZbar(image, text);
    return QByteArray::fromStdString(text);
}

// What a frame shows inside its border, where `image` is drawn.
QImage Shown(SymbolFrame* frame, const QImage& image) {
    const QImage all = frame->grab(frame->contentsRect()).toImage();
    return all.copy(QRect(QPoint(), image.size())).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

#define VERIFY_DRAWING(image, st, w, dark) \
    QCOMPARE(quirvane::testing::WrongPixel(image, st, w, dark), QString())

class SymbolTest : public QObject {
    Q_OBJECT

  private slots:
    // Mode, text, message, status line: a refusal leaves the status line and
    // DataReady 0; a success sets both. Without a mode nothing is read.
    void createData() {
        const std::tuple<int, QString, QString, QString> rows[] = {
            {0, "", "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください",
             ""},
            {kAlphanumericModeRadio, "AB\ncd", "英数字の文字セットのみを選択してください",
             "「英数字」の選択[最大容量：25　文字]（フラグ：2）"},
            {kNumericModeRadio, "12 3", "数字の文字セットのみを選択してください",
             "「数字」の選択[最大容量：41　桁]（フラグ：3）"},
            {kNumericModeRadio, "01234567", "",
             "入力バイト数：8  データバイト数：6　訂正ブロック数：1　訂正次数GA：7  "
             "総コード数：26"},
            {kByteModeRadio, "Hello, Quirvane\nsecond line\n", "",  // CR LF counts two bytes
             "入力バイト数：30  データバイト数：19　訂正ブロック数：1　訂正次数GA：7  "
             "総コード数：26"},
        };
        for (const auto& [mode, text, message, status] : rows) {
            Started s;
            s.Set(kBlueField, mode == 0 ? "300" : "0");
            mode == 0 ? s.Click(kCreateDataButton) : s.CreateData(mode, text);
            QCOMPARE(s.messages.join('|'), message);
            QCOMPARE(s.Text(kStatusLine), status);
            QCOMPARE(s.d->State().dataReady, message.isEmpty() ? 1 : 0);
        }
    }

    // Read blue, green, red: a bad entry stops the read there, with the
    // prompt and the focus on it, at Create Data and at Create Pattern, and
    // the command goes on with the values that stand.
    void colourPrompt() {
        for (const char* entry :
             {"abc", "12x", "-1", "256", "", " ", "1e2", "0x10", "99999999999"}) {
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
    }

    // The clipboard bitmap (version position, width, colour): size, margin,
    // colour, module grid, and it scans. Mended faults: a repaint (window
    // uncovered, frame resized) put the symbol on the clipboard again, and
    // erased it from the frame once DataReady was cleared.
    void clipboardImageAndRepaints() {
        for (const auto& [version, width, dark] :
             {std::tuple{0, 1, qRgb(0, 0, 0)}, std::tuple{0, 2, qRgb(255, 0, 0)},
              std::tuple{19, 2, qRgb(12, 34, 56)}}) {
            Started s;
            s.Choose(kVersionList, version);
            s.Choose(kModuleWidthList, 2 - width);
            for (int i = 0; i < 3; ++i) {  // red, green, blue
                s.Set(kRedField + i, QString::number((dark >> (16 - 8 * i)) & 0xff));
            }
            s.CreateData(kByteModeRadio, "Quirvane clip");
            s.Click(kCreatePatternButton);
            QVERIFY(s.messages.isEmpty());
            const QImage drawn = Copied();
            VERIFY_DRAWING(drawn, s.d->State(), width, dark);
            QCOMPARE(Decoded(drawn), QByteArray("Quirvane clip"));
            Clipboard()->setText("copied elsewhere");
            for (QWidget* target : QWidgetList{s.d.get(), s.d->Frame()}) {
                const QSize size = target->size();
                target == s.d.get() ? target->hide() : target->resize(size / 2);
                QCoreApplication::processEvents();
                target == s.d.get() ? target->show() : target->resize(size);
                QCoreApplication::processEvents();
                QCOMPARE(Shown(s.d->Frame(), drawn), drawn);
            }
            // While new data waits (DataReady set) the frame shows it.
            s.CreateData(kByteModeRadio, "second");
            s.d->Frame()->repaint();
            QCOMPARE(Decoded(s.d->Frame()->Image()), QByteArray("second"));
            QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
        }
    }

    // A version 40 symbol opens in its own window, which puts the bitmap on
    // the clipboard once, shows it whole, and closes with OK; the main frame
    // stays empty.
    void version40Window() {
        Started s;
        s.Choose(kVersionList, 20);
        s.CreateData(kByteModeRadio, "Version 40 symbol");
        QImage copied, shown;
        const bool checked = s.modals.InModalWindow(
            [&] { s.Click(kCreatePatternButton); },
            [&](QWidget* modal) {
                auto* window = qobject_cast<LargeSymbolWindow*>(modal);
                QVERIFY(window != nullptr);
                QCOMPARE(window->windowTitle(), QString("Quirvane_V40"));
                QCOMPARE(window->findChild<QLabel*>()->text(), QString("バージョン　４０ 表示"));
                copied = Copied();
                Clipboard()->setText("copied elsewhere");
                shown = Shown(window->Frame(), copied);  // a repaint, which writes no clipboard
                QTest::mouseClick(window->Control(LargeSymbolWindow::kOkButton), Qt::LeftButton);
                QVERIFY(!window->isVisible());
            });
        if (!checked) {
            return;  // what failed is logged already
        }
        QCOMPARE(s.d->State().dataReady, 0);
        VERIFY_DRAWING(copied, s.d->State(), 2, qRgb(0, 0, 0));
        QCOMPARE(shown, copied);  // whole, in the window's frame
        QCOMPARE(Decoded(copied), QByteArray("Version 40 symbol"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
        QVERIFY(s.d->Frame()->Image().isNull());
    }

    // Create Pattern draws the symbol made last, as it was made whatever the
    // lists say since and after a refused run, and only once; with nothing
    // made it says so and leaves the clipboard.
    void createPatternDrawsWhatWasMade() {
        Started s;
        Clipboard()->setText("untouched");
        s.Click(kCreatePatternButton);
        QCOMPARE(Clipboard()->text(), QString("untouched"));
        s.CreateData(kByteModeRadio, "made at version 1");
        s.Choose(kVersionList, 9);
        s.CreateData(kNumericModeRadio, "not digits");
        s.Click(kCreatePatternButton);
        s.Click(kCreatePatternButton);  // DataReady is 0 again after drawing
        QCOMPARE(s.messages,
                 QStringList({kNoData, "数字の文字セットのみを選択してください", kNoData}));
        QCOMPARE(Copied().size(), QSize(62, 62));
        QCOMPARE(Decoded(Copied()), QByteArray("made at version 1"));
    }
};

QTEST_MAIN(SymbolTest)
#include "symbol_test.moc"
