// Create Data and Create Pattern: refusals, the statistics line, the colour
// prompt, the clipboard bitmap (and that it scans), the version 40 window,
// and the mended faults: a repaint never writes the clipboard, and the drawn
// symbol stays visible.
#include <QClipboard>
#include <QLabel>
#include <QTimer>

#include "render/large_symbol_window.h"
#include "render/symbol_frame.h"
#include "tests/app/app_test_support.h"
#include "tests/support/zbar_decode.h"

namespace {

const QString kColourPrompt = "0 から 255 までの整数を入力してください。";
const QString kNoData = "データ作成ボタンでデータを作成してください";

QByteArray Decoded(const QImage& image) {
    std::string text = "(nothing read)";
    quirvane::testing::DecodeImageWithZbar(image, text);
    return QByteArray::fromStdString(text);
}

// The drawing of the symbol made last: white margin of 10, module (r, c) a
// w x w square at (10 + c w, 10 + r w) in `dark`.
void VerifyDrawing(const QImage& drawn, const EncoderState& st, int w, QRgb dark) {
    const QImage image = drawn.convertToFormat(QImage::Format_RGB32);
    const int n = st.SymbolSide();
    QCOMPARE(image.size(), QSize(n * w + 20, n * w + 20));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int r = (y - 10) / w, c = (x - 10) / w;
            const bool isDark = x >= 10 && y >= 10 && r < n && c < n && st.IsDark(r, c);
            if (image.pixel(x, y) != (isDark ? dark : qRgb(255, 255, 255))) {
                QFAIL(qPrintable(QString("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
    }
}

// What a frame shows inside its border, where `image` is drawn.
QImage Shown(SymbolFrame* frame, const QImage& image) {
    const QImage all = frame->grab(frame->contentsRect()).toImage();
    return all.copy(QRect(QPoint(), image.size())).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class SymbolTest : public QObject {
    Q_OBJECT

    static QClipboard* Clipboard() { return QGuiApplication::clipboard(); }
    static QImage Copied() { return Clipboard()->image().convertToFormat(QImage::Format_RGB32); }

  private slots:
    // A refusal (message) leaves the status line; a success sets it.
    void createData_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("no mode") << 0 << ""
                                 << "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\n"
                                    "を選択してください"
                                 << QString();
        QTest::newRow("alphanumeric") << int(kAlphanumericModeRadio) << "AB\ncd"
                                      << "英数字の文字セットのみを選択してください"
                                      << "「英数字」の選択[最大容量：25　文字]（フラグ：2）";
        QTest::newRow("numeric") << int(kNumericModeRadio) << "12 3"
                                 << "数字の文字セットのみを選択してください"
                                 << "「数字」の選択[最大容量：41　桁]（フラグ：3）";
        QTest::newRow("numeric data") << int(kNumericModeRadio) << "01234567" << QString()
                                      << "入力バイト数：8  データバイト数：6　訂正ブロック数：1　"
                                         "訂正次数GA：7  総コード数：26";
        QTest::newRow("two lines, cut")  // CR LF counts two bytes
            << int(kByteModeRadio) << "Hello, Quirvane\nsecond line\n"
            << QString()
            << "入力バイト数：30  データバイト数：19　訂正ブロック数：1　訂正次数GA：7  "
               "総コード数：26";
    }
    void createData() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, status);
        Started s;
        s.Set(kBlueField, mode == 0 ? "300" : "0");  // no mode: no read, so no prompt
        mode == 0 ? s.Click(kCreateDataButton) : s.CreateData(mode, text);
        QCOMPARE(s.messages.join('|'), message);
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.d->State().dataReady, message.isEmpty() ? 1 : 0);
    }

    // Read blue, green, red: a bad entry stops the read there, with the
    // prompt and the focus on it, and the command goes on.
    void colourPrompt_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry : {"256", "-1", "", "12x"}) {
            QTest::newRow(entry) << entry;
        }
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
        VerifyDrawing(Copied(), s.d->State(), 2, qRgb(0, 0, 7));
    }

    void createPatternWithoutData() {
        Started s;
        Clipboard()->setText("untouched");
        s.Click(kCreatePatternButton);
        QCOMPARE(Clipboard()->text(), QString("untouched"));
        s.CreateData(kByteModeRadio, "");
        s.Click(kCreatePatternButton);
        s.Click(kCreatePatternButton);  // DataReady is 0 again after drawing
        QCOMPARE(s.messages, QStringList({kNoData, kNoData}));
    }

    void clipboardImage_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("dark");
        QTest::newRow("v1 w1") << 0 << 1 << qRgb(0, 0, 0);
        QTest::newRow("v1 w2") << 0 << 2 << qRgb(255, 0, 0);
        QTest::newRow("v20 w2") << 19 << 2 << qRgb(12, 34, 56);
    }
    void clipboardImage() {
        QFETCH(int, version);
        QFETCH(int, width);
        QFETCH(QRgb, dark);
        Started s;
        s.Choose(kVersionList, version);
        s.Choose(kModuleWidthList, 2 - width);
        for (int i = 0; i < 3; ++i) {  // red, green, blue
            s.Set(kRedField + i, QString::number((dark >> (16 - 8 * i)) & 0xff));
        }
        s.CreateData(kByteModeRadio, "Quirvane clip");
        s.Click(kCreatePatternButton);
        QVERIFY(s.messages.isEmpty());
        VerifyDrawing(Copied(), s.d->State(), width, dark);
        QCOMPARE(Decoded(Copied()), QByteArray("Quirvane clip"));
        QCOMPARE(Shown(s.d->Frame(), Copied()), Copied());
    }

    void version40Window() {
        Started s;
        s.Choose(kVersionList, 20);
        s.CreateData(kByteModeRadio, "Version 40 symbol");
        QStringList texts;
        QImage copied, shown;
        QTimer::singleShot(0, s.d.get(), [&] {
            auto* window = qobject_cast<LargeSymbolWindow*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            texts << window->windowTitle() << window->findChild<QLabel*>()->text();
            copied = Copied();
            Clipboard()->setText("copied elsewhere");
            shown = Shown(window->Frame(), copied);  // a repaint, which writes no clipboard
            QTest::mouseClick(window->Control(LargeSymbolWindow::kOkButton), Qt::LeftButton);
        });
        s.Click(kCreatePatternButton);
        QCOMPARE(texts, QStringList({"Quirvane_V40", "バージョン　４０ 表示"}));
        QCOMPARE(s.d->State().dataReady, 0);
        VerifyDrawing(copied, s.d->State(), 2, qRgb(0, 0, 0));
        QCOMPARE(shown, copied);  // whole, in the window's frame
        QCOMPARE(Decoded(copied), QByteArray("Version 40 symbol"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
        QVERIFY(s.d->Frame()->Image().isNull());
    }

    // Mended faults: a repaint put the symbol on the clipboard again, and the
    // symbol vanished at the next repaint once DataReady was cleared.
    void repaintKeepsSymbolAndClipboard_data() {
        QTest::addColumn<bool>("resize");
        QTest::newRow("hide, show") << false;
        QTest::newRow("resize") << true;
    }
    void repaintKeepsSymbolAndClipboard() {
        QFETCH(bool, resize);
        Started s;
        s.CreateData(kByteModeRadio, "first");
        s.Click(kCreatePatternButton);
        const QImage drawn = Copied();
        Clipboard()->setText("copied elsewhere");
        QWidget* target = resize ? static_cast<QWidget*>(s.d->Frame()) : s.d.get();
        const QSize size = target->size();
        resize ? target->resize(size / 2) : target->hide();
        QCoreApplication::processEvents();
        resize ? target->resize(size) : target->show();
        QCoreApplication::processEvents();
        QCOMPARE(Shown(s.d->Frame(), drawn), drawn);
        // While new data waits (DataReady set) the frame shows it.
        s.CreateData(kByteModeRadio, "second");
        s.d->Frame()->repaint();
        QCOMPARE(Decoded(s.d->Frame()->Image()), QByteArray("second"));
        QCOMPARE(Clipboard()->text(), QString("copied elsewhere"));
    }
};

QTEST_MAIN(SymbolTest)
#include "symbol_test.moc"
