// Create Data and Create Pattern: refusals, the statistics line, the colour
// prompt, the symbol on the clipboard, in the frames and saved, and the note
// under it on whether it scans.
#include <QLabel>
#include <QMenu>

#include "app/large_symbol_window.h"
#include "encode/symbol_access.h"
#include "tests/app/app_test_support.h"
#include "tests/support/drawing_reference.h"

namespace {

const QString kColourPrompt = "0 から 255 までの整数を入力してください。";
const QString kNoData = "データ作成ボタンでデータを作成してください";
const QString kReadBack = "読み取り確認済み";

// The first pixel that is not the window's drawing of the symbol, or "".
QString WrongDrawing(const QImage& image, const EncoderState& st, int w, QRgb dark) {
    const DrawingOptions options{.moduleWidth = w, .dark = {qRed(dark), qGreen(dark), qBlue(dark)}};
    return QString::fromStdString(WrongUnit(image, 1, SymbolOf(st), options));
}

// The note under the frame's symbol, "!" before a warning: in the frame below
// the image, never a window of its own.
QString Note(SymbolFrame* frame) {
    const QLabel* note = frame->Note();
    const bool placed = note->parentWidget() == frame &&
                        note->y() >= frame->contentsRect().top() + frame->Image().height();
    return note->isHidden() || !placed
               ? "(none)"
               : (note->styleSheet().contains("#b00000") ? "!" : "") + note->text();
}

// Nothing in the frame: no drawing, no note, no menu.
bool Empty(SymbolFrame* frame) {
    const std::unique_ptr<QMenu> menu(frame->CreateContextMenu());
    return frame->Image().isNull() && Note(frame) == "(none)" && menu == nullptr &&
           !frame->SaveAction()->isEnabled();
}

}  // namespace

class SymbolTest : public QObject {
    Q_OBJECT

    // Made at version 1 first (then version 10 chosen), the mode, the text,
    // the message, the status line.
    using DataRow = std::tuple<bool, int, QString, QString, QString>;
    // Version position, width, dark colour, saved as SVG, the note.
    using DrawRow = std::tuple<int, int, QRgb, bool, QString>;

  private slots:
    // A refusal leaves the status line and DataReady 0; a success sets both;
    // without a mode nothing is read, so a bad blue entry brings no prompt.
    // Create Pattern then draws the symbol made last as it was made, once,
    // and reads back what it holds, or says there is none.
    void createData_data() {
        QTest::addColumn<DataRow>("row");
        // clang-format off
        QTest::newRow("no mode chosen") << DataRow{false, 0, "", "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください", ""};
        QTest::newRow("alphanumeric refuses lower case and CR LF") << DataRow{false, kAlphanumericModeRadio, "AB\ncd",
            "英数字の文字セットのみを選択してください", "「英数字」の選択[最大容量：25　文字]（フラグ：2）"};
        QTest::newRow("numeric refuses a blank, after a symbol made at version 1") << DataRow{true, kNumericModeRadio, "12 3",
            "数字の文字セットのみを選択してください", "「数字」の選択[最大容量：652　桁]（フラグ：3）"};
        QTest::newRow("numeric") << DataRow{false, kNumericModeRadio, "01234567", "",
            "入力バイト数：8  データバイト数：6　訂正ブロック数：1　訂正次数GA：7  総コード数：26"};
        QTest::newRow("byte, CR LF counting two bytes") << DataRow{false, kByteModeRadio, "Hello, Quirvane\nsecond line\n", "",
            "入力バイト数：30  データバイト数：19　訂正ブロック数：1　訂正次数GA：7  総コード数：26"};
        // clang-format on
    }
    void createData() {
        QFETCH(DataRow, row);
        const auto& [madeBefore, mode, text, message, status] = row;
        Started s;
        QGuiApplication::clipboard()->setText("untouched");
        if (madeBefore) {
            s.CreateData(kByteModeRadio, "made at version 1");
            s.Choose(kVersionList, 9);
        }
        s.Set(kBlueField, mode == 0 ? "300" : "0");
        mode == 0 ? s.Click(kCreateDataButton) : s.CreateData(mode, text);
        QCOMPARE(s.messages.join('|'), message);
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(s.d->State().dataReady, message.isEmpty() || madeBefore ? 1 : 0);
        s.Click(kCreatePatternButton);
        s.Click(kCreatePatternButton);
        const QString drawn = madeBefore ? "made at version 1" : message.isEmpty() ? text : "";
        QStringList messages = message.isEmpty() ? QStringList() : QStringList{message};
        QCOMPARE(s.messages, messages << (drawn.isEmpty() ? QStringList{kNoData, kNoData}
                                                          : QStringList{kNoData}));
        QCOMPARE(QGuiApplication::clipboard()->text(), drawn.isEmpty() ? "untouched" : "");
        if (!drawn.isEmpty()) {  // at version 1-L, which holds 17 bytes
            QCOMPARE(Copied().size(), QSize(62, 62));
            QCOMPARE(QString::fromStdString(ZbarRead(Copied())),
                     QString(drawn).replace("\n", "\r\n").left(17));
            QCOMPARE(Note(s.d->Frame()), kReadBack);  // of the bytes it holds
            SymbolDrawing drawing;  // and a symbol that does not hold them is doubted
            drawing.image = Copied();
            drawing.moduleWidth = 2;
            QCOMPARE(CheckDrawing(drawing, "other bytes").text,
                     QString("読み取りを確認できませんでした"));
        }
    }

    // Read blue, green, red: a bad green entry stops the read there (red
    // stays 0), with the prompt and the focus on it, and the command goes on.
    void colourPrompt_data() {
        QTest::addColumn<QString>("entry");
        for (const char* entry :
             {"abc", "12x", "-1", "256", "", " ", "1e2", "0x10", "99999999999"}) {
            QTest::addRow("\"%s\"", entry) << QString(entry);
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
        QCOMPARE(WrongDrawing(Copied(), s.d->State(), 2, qRgb(0, 0, 7)), QString());
    }

    // The clipboard's bitmap is the drawing; the frame (version 40: its own
    // window's) shows it with the note zbarimg agrees with, and its one menu
    // entry saves it; no box, the status line as Create Data left it. A
    // repaint neither writes the clipboard nor erases or changes the symbol.
    void drawnSymbol_data() {
        QTest::addColumn<DrawRow>("row");
        const QString colour = "!この色では読み取れない可能性があります（コントラスト等級 %1）";
        // clang-format off
        QTest::newRow("version 1, width 1, black, PNG") << DrawRow{0, 1, qRgb(0, 0, 0), false, "!1ピクセルでは読み取れない可能性があります"};
        QTest::newRow("version 1, width 2, red, SVG") << DrawRow{0, 2, qRgb(255, 0, 0), true, kReadBack};
        QTest::newRow("version 1, yellow, grade F") << DrawRow{0, 2, qRgb(255, 255, 0), false, colour.arg('F')};
        QTest::newRow("version 1, light grey, grade D") << DrawRow{0, 2, qRgb(210, 210, 210), true, colour.arg('D')};
        QTest::newRow("version 1, white, nothing to read")
            << DrawRow{0, 2, qRgb(255, 255, 255), false, "!この色では読み取りを確認できませんでした（コントラスト等級 F）"};
        QTest::newRow("version 20, width 2, dark blue, PNG") << DrawRow{19, 2, qRgb(12, 34, 56), false, kReadBack};
        QTest::newRow("version 40, width 2, black, SVG") << DrawRow{20, 2, qRgb(0, 0, 0), true, kReadBack};
        QTest::newRow("version 40, width 1, yellow, PNG")
            << DrawRow{20, 1, qRgb(255, 255, 0), false, "!この色と1ピクセルでは読み取れない可能性があります（コントラスト等級 F）"};
        // clang-format on
    }
    void drawnSymbol() {
        QFETCH(DrawRow, row);
        const auto& [versionPosition, width, dark, svg, note] = row;
        const SaveFormat format = svg ? SaveFormat::Svg : SaveFormat::Png;
        Started s;
        const QString path = s.dir.filePath("saved");
        SetSaveChooserForTesting([&](QWidget*) { return SaveTarget{path, format}; });
        SymbolFrame* frame = s.d->Frame();
        QVERIFY(Empty(frame));
        s.Choose(kModuleWidthList, 2 - width);
        const int channels[] = {qRed(dark), qGreen(dark), qBlue(dark)};
        for (int id = kRedField; id <= kBlueField; ++id) {
            s.Set(id, QString::number(channels[id - kRedField]));
        }
        s.CreateData(kByteModeRadio, "the one before");
        s.Click(kCreatePatternButton);
        s.Choose(kVersionList, versionPosition);
        s.CreateData(kByteModeRadio, "Quirvane clip");
        const QString status = s.Text(kStatusLine);
        QImage copied;
        const auto showAndSave = [&](SymbolFrame* shownIn) {
            copied = Copied();
            QGuiApplication::clipboard()->setText("copied elsewhere");
            QCOMPARE(Shown(shownIn), copied);  // a repaint, which writes no clipboard
            QCOMPARE(Note(shownIn), note);
            const std::unique_ptr<QMenu> menu(shownIn->CreateContextMenu());
            QCOMPARE(menu ? menu->actions().size() : 0, 1);
            QCOMPARE(menu->actions()[0]->text(), QString("名前を付けて保存..."));
            menu->actions()[0]->trigger();
        };
        const bool large = versionPosition == 20;
        if (large) {
            const bool checked =
                s.modals.InModalWindow([&] { s.Click(kCreatePatternButton); },
                                       [&](QWidget* window) {
                                           QVERIFY(Empty(frame));  // the one before is gone
                                           showAndSave(window->findChild<SymbolFrame*>());
                                           QTest::mouseClick(ControlIn(window, 1), Qt::LeftButton);
                                           QVERIFY(!window->isVisible());
                                       });
            QVERIFY(checked);
        } else {
            s.Click(kCreatePatternButton);
            showAndSave(frame);
            QVERIFY(!QTest::currentTestFailed());
        }
        QCOMPARE(s.messages, QStringList());
        QCOMPARE(s.Text(kStatusLine), status);
        QCOMPARE(WrongDrawing(copied, s.d->State(), width, dark), QString());
        QCOMPARE(ZbarRead(copied) == "Quirvane clip", !note.contains("確認できません"));
        QCOMPARE(Drawn(path, format), copied);
        for (QWidget* target : QWidgetList{s.d.get(), frame}) {
            const QSize size = target->size();
            target == s.d.get() ? target->hide() : target->resize(size / 2);
            QCoreApplication::processEvents();
            target == s.d.get() ? target->show() : target->resize(size);
            QCoreApplication::processEvents();
            QVERIFY(large ? Empty(frame) : Shown(frame) == copied && Note(frame) == note);
        }
        if (!large) {
            s.CreateData(kByteModeRadio, "the next one");
            frame->repaint();  // shows the symbol waiting while DataReady is set, without a note
            frame->SaveAction()->trigger();
            QCOMPARE(Note(frame), QString("(none)"));
            QCOMPARE(WrongDrawing(Drawn(path, format), s.d->State(), width, dark), QString());
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("copied elsewhere"));
        }
    }
};

QTEST_MAIN(SymbolTest)
#include "symbol_test.moc"
