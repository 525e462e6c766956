// What the window gained after the port: captions whole and controls apart
// in whichever Japanese font the system has, Qt's own texts in Japanese, a
// keyboard path past the read-only fields, saving the drawn symbol as PNG or
// SVG, and a main frame that never keeps a symbol older than the last.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app/about_box.h"
#include "app/dialog_font.h"
#include "app/dialog_template.h"
#include "app/large_symbol_window.h"
#include "app/symbol_frame.h"
#include "app/symbol_saving.h"
#include "tests/app/app_test_support.h"
#include "tests/support/rasterise.h"
#include "tests/support/scratch_folder.h"

namespace {

// The width a caption takes in its control: the text, and beside it a radio
// button's indicator or inside it a button's margins and frame.
int CaptionWidth(const QWidget* c) {
    const QString text = c->property("text").toString();
    const QStyle* style = c->style();
    int width = QFontMetrics(c->font()).horizontalAdvance(text);
    if (qobject_cast<const QRadioButton*>(c)) {
        width += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    } else if (qobject_cast<const QPushButton*>(c)) {
        width += style->pixelMetric(QStyle::PM_ButtonMargin) +
                 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    }
    return width;
}

QString Named(const QWidget* c) {
    const QString text = c->property("text").toString();
    return QString("%1 \"%2\" at (%3, %4)")
        .arg(c->metaObject()->className(), text)
        .arg(c->x())
        .arg(c->y());
}

// Everything wrong with a window's layout: a caption wider or taller than its
// control, a control not at its template position or outside the window, two
// controls on each other, a control across a group frame's line.
QStringList LayoutProblems(QDialog* window, const DialogBaseUnits& units) {
    QStringList problems;
    QList<QWidget*> placed, groups;
    for (QWidget* c : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        (qobject_cast<QGroupBox*>(c) ? groups : placed) << c;
    }
    for (QWidget* c : placed) {
        if (c->pos() != units.ToPixels(c->property("dialogUnits").toRect()).topLeft()) {
            problems << Named(c) + " is not at its template position";
        }
        if (!window->rect().contains(c->geometry())) {
            problems << Named(c) + " reaches out of the window";
        }
        const bool captioned = qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c);
        if (captioned && CaptionWidth(c) > c->width()) {
            problems << QString("%1 needs %2 pixels, has %3")
                            .arg(Named(c))
                            .arg(CaptionWidth(c))
                            .arg(c->width());
        }
        if (captioned && QFontMetrics(c->font()).height() > c->height()) {
            problems << Named(c) + " is lower than its font";
        }
        for (QWidget* other : placed) {
            if (other != c && c->geometry().intersects(other->geometry()) &&
                placed.indexOf(other) > placed.indexOf(c)) {
                problems << Named(c) + " overlaps " + Named(other);
            }
        }
        for (QWidget* group : groups) {
            const QRect inside = group->contentsRect().translated(group->pos());
            if (group->geometry().intersects(c->geometry()) && !inside.contains(c->geometry())) {
                problems << Named(c) + " crosses the line of the group frame at " + Named(group);
            }
        }
    }
    return problems;
}

// A saved file as an image: a PNG read by Qt, an SVG drawn by rsvg-convert at
// its own size. Null when it cannot be read.
QImage Drawn(const QString& path, SaveFormat format) {
    if (format == SaveFormat::Png) {
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }
    using namespace quirvane::testing;
    QTemporaryDir dir;
    const QString png = dir.filePath("drawn.png");
    const std::string problem =
        Rasterise(VectorFormat::Svg, ReadFile(QFile::encodeName(path).toStdString()), {}, 96,
                  Raster::Colour, dir.path(), png);
    if (!problem.empty()) {
        qWarning("%s", problem.c_str());
    }
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// The texts of a menu's entries, without their shortcuts.
QString EntriesOf(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            entries << action->text().section('\t', 0, 0);
        }
    }
    return entries.join('|');
}

// Every file in a folder, sorted.
QStringList FilesIn(const QString& folder) {
    QStringList files =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    files.sort();
    return files;
}

}  // namespace

class WindowExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { SetJapaneseFamiliesForTesting(std::nullopt); }

    // The template's family when there, else the best there is.
    void dialogFamily_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("chosen");
        // clang-format off
        QTest::newRow("the template's own") << QStringList{"IPAGothic", "Noto Sans CJK JP", "IPAPGothic"} << "IPAPGothic";
        QTest::newRow("the template's own, in other case") << QStringList{"ipapgothic"} << "IPAPGothic";
        QTest::newRow("Noto Sans CJK JP before IPAexGothic and a serif")
            << QStringList{"Noto Serif CJK JP", "IPAexGothic", "Noto Sans CJK JP"} << "Noto Sans CJK JP";
        QTest::newRow("IPAexGothic without Noto") << QStringList{"IPAGothic", "IPAexGothic"} << "IPAexGothic";
        QTest::newRow("proportional before monospaced") << QStringList{"IPAGothic", "VL PGothic"} << "VL PGothic";
        QTest::newRow("an unknown gothic before serif and mono")
            << QStringList{"Noto Serif CJK JP", "Noto Sans Mono CJK JP", "Some Gothic"} << "Some Gothic";
        QTest::newRow("only a serif") << QStringList{"Noto Serif CJK JP"} << "Noto Serif CJK JP";
        QTest::newRow("none at all") << QStringList() << "IPAPGothic";
        // clang-format on
    }
    void dialogFamily() {
        QFETCH(QStringList, installed);
        QFETCH(QString, chosen);
        QCOMPARE(ResolveDialogFamily("IPAPGothic", installed), chosen);
    }

    // Each window in IPAPGothic, and in Noto Sans CJK JP on a system without
    // the IPA fonts: the font really drawn with, every control at its template
    // position, nothing cut or overlapping, and the window's caption, then its
    // controls' captions in template order.
    void layout_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("templateId");
        QTest::addColumn<QString>("captions");
        const QString families[] = {"IPAPGothic", "Noto Sans CJK JP"};
        const std::tuple<QString, int, QString> windows[] = {
            {"main window", kMainTemplate,
             quirvane::testing::MainCaptionText() +
                 "|入力コ－ド|ファイル選択|状態|８ビットバイト|英数字（ABC... ./:）|"
                 "数字|バージョン|誤り訂正|マスク|データ作成|総コード数 =|データ語数 +|"
                 "誤り訂正語数|RSブロック数/|RSブロック内容|８ビット容量|英数字容量|数字容量|"
                 "RSブロック数/|RSブロック内容|ピクセル|色(　RGB：０～２５５)|パターン作成|終了"},
            {"About box", kAboutTemplate,
             QString("Quirvane のﾊﾞｰｼﾞｮﾝ情報|Quirvane Version %1|QR コード作成プログラム|OK")
                 .arg(kVersionText)},
            {"version 40 window", kLargeSymbolTemplate, "Quirvane_V40|OK|バージョン　４０ 表示"}};
        for (const QString& family : families) {
            for (const auto& [name, id, captions] : windows) {
                QTest::newRow(qPrintable(family + ", " + name)) << family << id << captions;
            }
        }
    }
    void layout() {
        QFETCH(QString, family);
        QFETCH(int, templateId);
        QFETCH(QString, captions);
        QStringList installed = JapaneseFamilies();
        QVERIFY2(installed.contains(family),
                 qPrintable(family + " is not installed (fonts-ipafont-gothic, fonts-noto-cjk)"));
        if (family != "IPAPGothic") {
            installed.removeIf([](const QString& f) { return f.startsWith("IPA"); });
        }
        SetJapaneseFamiliesForTesting(installed);
        Started s;
        AboutBox about;
        LargeSymbolWindow large(SymbolView{}, 2, SymbolColour{0, 0, 0});
        QDialog* window = templateId == kMainTemplate    ? static_cast<QDialog*>(s.d.get())
                          : templateId == kAboutTemplate ? static_cast<QDialog*>(&about)
                                                         : &large;
        QCOMPARE(QFontInfo(window->font()).family(), family);
        const QStringList problems = LayoutProblems(window, s.d->BaseUnits());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QStringList shown{window->windowTitle()};
        for (QWidget* c : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c)) {
                shown << c->property("text").toString();
            }
        }
        shown.removeAll(QString());  // the About box's icon
        QCOMPARE(shown.join('|'), captions);
    }

    // Qt's own texts are Japanese whatever the locale the tests run in: the
    // standard context menus of the edit boxes ...
    void standardMenusInJapanese_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("entries");
        const QString editable =
            "元に戻す(&U)|やり直す(&R)|切り取り(&T)|コピー(&C)|貼り付け(&P)|削除|すべてを選択";
        QTest::newRow("the input box") << int(kInputBox) << editable;
        QTest::newRow("a colour field") << int(kRedField) << editable;
        QTest::newRow("the status line, read-only")
            << int(kStatusLine) << "コピー(&C)|すべてを選択";
    }
    void standardMenusInJapanese() {
        QFETCH(int, control);
        QFETCH(QString, entries);
        Started s("some text");
        s.Set(control, "some text");
        auto* box = s.d->ControlAs<QPlainTextEdit>(control);
        auto* line = s.d->ControlAs<QLineEdit>(control);
        const std::unique_ptr<QMenu> menu(box ? box->createStandardContextMenu()
                                              : line->createStandardContextMenu());
        QCOMPARE(EntriesOf(menu.get()), entries);
    }

    // ... and the messages of the file dialogs, such as the question before
    // a file is replaced.
    void fileDialogMessagesInJapanese() {
        Started s;
        QCOMPARE(QCoreApplication::translate("QFileDialog",
                                             "%1 already exists.\nDo you want to replace it?"),
                 QString("%1 は既に存在します。\n置き換えますか?"));
    }

    // Both file dialogs, as they open: Qt's own, in Japanese, with the
    // program's filters; the input file's name box starts as "*.*".
    void fileDialogsInJapanese_data() {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QString>("texts");
        QTest::newRow("ファイル選択")
            << false
            << "開く|アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル|*.*|"
               "すべて(*.*)|ﾃｷｽﾄ(*.txt)";
        QTest::newRow("名前を付けて保存...")
            << true
            << "名前を付けて保存|アドレス:|ファイル名(&N):|ファイルの種類:|保存(&S)|キャンセル||"
               "PNG 画像 (*.png)|SVG 画像 (*.svg)";
    }
    void fileDialogsInJapanese() {
        QFETCH(bool, saving);
        QFETCH(QString, texts);
        Started s;
        s.CreateData(kByteModeRadio, "dialog");
        s.Click(kCreatePatternButton);
        QStringList shown;
        const bool checked = s.modals.InModalWindow(
            [&] { saving ? s.d->Frame()->SaveAction()->trigger() : s.Click(kFileButton); },
            [&](QWidget* window) {
                auto* dialog = qobject_cast<QFileDialog*>(window);
                QVERIFY(dialog != nullptr);
                shown << dialog->windowTitle();
                for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
                    shown << dialog->findChild<QLabel*>(label)->text();
                }
                for (QAbstractButton* button :
                     dialog->findChild<QDialogButtonBox*>("buttonBox")->buttons()) {
                    shown << button->text();
                }
                shown << dialog->findChild<QLineEdit*>("fileNameEdit")->text();
                shown << dialog->nameFilters();
            });
        if (!checked) {
            return;
        }
        QCOMPARE(shown.join('|'), texts);
    }

    // The save dialog itself: the filter chosen (0 PNG, 1 SVG) and the name
    // typed give the file and its format; the chosen filter's extension is
    // added to a name typed without one.
    void saveDialog_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("svg");
        // clang-format off
        QTest::newRow("PNG, no extension typed") << 0 << "typed" << "typed.png" << false;
        QTest::newRow("SVG, no extension typed") << 1 << "typed" << "typed.svg" << true;
        QTest::newRow("PNG, .svg typed") << 0 << "typed.svg" << "typed.svg" << true;
        QTest::newRow("SVG, .PNG typed") << 1 << "typed.PNG" << "typed.PNG" << false;
        // clang-format on
    }
    void saveDialog() {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, file);
        QFETCH(bool, svg);
        Started s;
        s.CreateData(kByteModeRadio, "typed in the dialog");
        s.Click(kCreatePatternButton);
        const QStringList before = FilesIn(s.dir.path());
        const bool checked = s.modals.InModalWindow(
            [&] { s.d->Frame()->SaveAction()->trigger(); },
            [&](QWidget* window) {
                auto* types = window->findChild<QComboBox*>("fileTypeCombo");
                for (int i = 0; i < filter; ++i) {
                    QTest::keyClick(types, Qt::Key_Down);
                }
                QCOMPARE(types->currentIndex(), filter);
                QTest::keyClicks(window->findChild<QLineEdit*>("fileNameEdit"), typed);
                auto* buttons = window->findChild<QDialogButtonBox*>("buttonBox");
                QTest::mouseClick(buttons->button(QDialogButtonBox::Save)
                                      ? buttons->button(QDialogButtonBox::Save)
                                      : buttons->button(QDialogButtonBox::Open),
                                  Qt::LeftButton);
                QVERIFY(!window->isVisible());
            });
        if (!checked) {
            return;
        }
        QStringList files = before;
        files << file;
        files.sort();
        QCOMPARE(FilesIn(s.dir.path()), files);
        const QImage saved = Drawn(s.dir.filePath(file), svg ? SaveFormat::Svg : SaveFormat::Png);
        QCOMPARE(saved, Copied());
        QVERIFY(s.messages.isEmpty());
    }

    // Saved from the main window's frame or the version 40 window's (position
    // 20), as PNG or SVG: the file is what the frame shows, which is the
    // clipboard's bitmap, or, once new data waits (DataReady set), the new
    // symbol the frame shows then. Before a drawing there is no save entry.
    void savedFiles_data() {
        QTest::addColumn<int>("versionPosition");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRgb>("dark");
        QTest::addColumn<bool>("newDataWaits");
        QTest::addColumn<bool>("svg");
        // clang-format off
        QTest::newRow("main window, version 1, PNG") << 0 << 2 << qRgb(0, 0, 0) << false << false;
        QTest::newRow("main window, version 5, width 1, red, SVG") << 4 << 1 << qRgb(255, 0, 0) << false << true;
        QTest::newRow("main window, new data waiting, PNG") << 0 << 2 << qRgb(0, 0, 0) << true << false;
        QTest::newRow("main window, new data waiting, SVG") << 2 << 2 << qRgb(0, 0, 128) << true << true;
        QTest::newRow("version 40 window, PNG") << 20 << 2 << qRgb(0, 0, 0) << false << false;
        QTest::newRow("version 40 window, width 1, blue, SVG") << 20 << 1 << qRgb(0, 0, 255) << false << true;
        // clang-format on
    }
    void savedFiles() {
        QFETCH(int, versionPosition);
        QFETCH(int, width);
        QFETCH(QRgb, dark);
        QFETCH(bool, newDataWaits);
        QFETCH(bool, svg);
        const SaveFormat format = svg ? SaveFormat::Svg : SaveFormat::Png;
        Started s;
        const QString path = s.dir.filePath(svg ? "saved.svg" : "saved.png");
        SetSaveChooserForTesting([&](QWidget*) { return SaveTarget{path, format}; });
        const auto restore = qScopeGuard([] { SetSaveChooserForTesting({}); });
        QVERIFY(std::unique_ptr<QMenu>(s.d->Frame()->CreateContextMenu()) == nullptr);
        QVERIFY(!s.d->Frame()->SaveAction()->isEnabled());
        s.Choose(kVersionList, versionPosition);
        s.Choose(kModuleWidthList, 2 - width);
        s.SetColour(dark);
        s.CreateData(kByteModeRadio, "saved as drawn");
        QString entries;
        QImage shown, copied;
        const auto save = [&](SymbolFrame* frame) {
            const std::unique_ptr<QMenu> menu(frame->CreateContextMenu());
            entries = menu ? EntriesOf(menu.get()) : QString("(no menu)");
            shown = Shown(frame);
            copied = Copied();
            frame->SaveAction()->trigger();
        };
        if (versionPosition == 20) {
            const bool checked = s.modals.InModalWindow(
                [&] { s.Click(kCreatePatternButton); },
                [&](QWidget* window) { save(qobject_cast<LargeSymbolWindow*>(window)->Frame()); });
            if (!checked) {
                return;
            }
        } else {
            s.Click(kCreatePatternButton);
            if (newDataWaits) {
                s.CreateData(kByteModeRadio, "the next one");
                s.d->Frame()->repaint();
            }
            save(s.d->Frame());
        }
        QCOMPARE(entries, QString("名前を付けて保存..."));
        QVERIFY(s.messages.isEmpty());
        const QImage saved = Drawn(path, format);
        QCOMPARE(saved, shown);
        QCOMPARE(saved == copied, !newDataWaits);
        QCOMPARE(Decoded(saved),
                 newDataWaits ? QString("the next one") : QString("saved as drawn"));
    }

    // A file that cannot be written is told with the system's reason and
    // leaves nothing behind; cancelling says nothing and writes nothing. The
    // chooser gives names relative to the working folder: "-" is a file
    // there, never standard output.
    void saveFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("a folder that does not exist") << "no such folder/saved.png" << "No such file or directory";
        QTest::newRow("a folder in the file's place") << "folder" << "Is a directory";
        QTest::newRow("a name too long") << QString(300, 'n') + ".png" << "File name too long";
        // clang-format on
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("named -, which is a file") << "-" << QString();
    }
    void saveFailures() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Started s;
        QDir(s.dir.path()).mkdir("folder");
        SetSaveChooserForTesting([&](QWidget*) { return SaveTarget{name, SaveFormat::Png}; });
        const auto restore = qScopeGuard([] { SetSaveChooserForTesting({}); });
        s.CreateData(kByteModeRadio, "not saved");
        s.Click(kCreatePatternButton);
        QStringList files = FilesIn(s.dir.path());
        s.d->Frame()->SaveAction()->trigger();
        const QString path = s.dir.filePath(name);
        QCOMPARE(s.messages, reason.isEmpty()
                                 ? QStringList()
                                 : QStringList{path + "\nファイルを保存できません。\n" + reason});
        if (name == "-") {
            files << name;
            files.sort();
            QCOMPARE(Drawn(path, SaveFormat::Png), Copied());
        }
        QCOMPARE(FilesIn(s.dir.path()), files);
        QCOMPARE(FilesIn(s.dir.filePath("folder")), QStringList());
    }

    // Mended fault: after a version 40 symbol (in its own window) the main
    // frame still showed the symbol before it, of another version. It is
    // empty from the moment the window opens, with no save entry, and the
    // next smaller symbol shows there again.
    void version40LeavesNoStaleSymbol_data() {
        QTest::addColumn<int>("previousPosition");
        QTest::addColumn<int>("width");
        QTest::newRow("after version 1") << 0 << 2;
        QTest::newRow("after version 20, width 1") << 19 << 1;
    }
    void version40LeavesNoStaleSymbol() {
        QFETCH(int, previousPosition);
        QFETCH(int, width);
        Started s;
        SymbolFrame* frame = s.d->Frame();
        // An empty frame shows the window's colour, none of a drawing's white.
        const auto empty = [frame] {
            const QImage inside =
                frame->grab(frame->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
            for (int i = 0; i < inside.width() * inside.height(); ++i) {
                if (inside.pixel(i % inside.width(), i / inside.width()) == qRgb(255, 255, 255)) {
                    return false;
                }
            }
            const std::unique_ptr<QMenu> menu(frame->CreateContextMenu());
            return frame->Image().isNull() && menu == nullptr;
        };
        s.Choose(kModuleWidthList, 2 - width);
        s.Choose(kVersionList, previousPosition);
        s.CreateData(kByteModeRadio, "the one before");
        s.Click(kCreatePatternButton);
        QVERIFY(!empty());
        s.Choose(kVersionList, 20);
        s.CreateData(kByteModeRadio, "version 40");
        bool emptyWhileOpen = false;
        const bool checked = s.modals.InModalWindow([&] { s.Click(kCreatePatternButton); },
                                                    [&](QWidget*) { emptyWhileOpen = empty(); });
        if (!checked) {
            return;
        }
        QVERIFY(emptyWhileOpen);
        s.d->repaint();
        QVERIFY(empty());
        s.Choose(kVersionList, 0);
        s.CreateData(kByteModeRadio, "the next one");
        s.Click(kCreatePatternButton);
        QCOMPARE(Decoded(Shown(frame)), QString("the next one"));
    }

    // Tab and Shift+Tab from the input box, round to it again: every control
    // that takes input, in template order, and none of the read-only fields
    // (status line 1008, results 1014-1023). The mode buttons are one stop,
    // as a group of radio buttons is: the first one Tab meets, then the one
    // last focused (arrow keys move within the group).
    void tabOrder_data() {
        QTest::addColumn<int>("modeClicked");  // 0: none
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QList<int>>("order");
        const QList<int> rest{kVersionList,         kLevelList, kMaskList,   kCreateDataButton,
                              kModuleWidthList,     kRedField,  kGreenField, kBlueField,
                              kCreatePatternButton, kExitButton};
        const auto forwards = [&](int mode) {
            return QList<int>{kFileButton, mode} + rest + QList<int>{kInputBox};
        };
        const auto backwards = [&](int mode) {
            QList<int> order(rest.rbegin(), rest.rend());
            return order + QList<int>{mode, kFileButton, kInputBox};
        };
        QTest::newRow("Tab") << 0 << false << forwards(kByteModeRadio);
        QTest::newRow("Shift+Tab") << 0 << true << backwards(kNumericModeRadio);
        QTest::newRow("Tab, alphanumeric mode clicked")
            << int(kAlphanumericModeRadio) << false << forwards(kAlphanumericModeRadio);
        QTest::newRow("Shift+Tab, alphanumeric mode clicked")
            << int(kAlphanumericModeRadio) << true << backwards(kAlphanumericModeRadio);
    }
    void tabOrder() {
        QFETCH(int, modeClicked);
        QFETCH(bool, backwards);
        QFETCH(QList<int>, order);
        Started s;
        // Focus moves as on a desktop only in the active window.
        s.d->activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(s.d->isActiveWindow());
        if (modeClicked != 0) {
            s.Click(modeClicked);
        }
        s.d->Control(kInputBox)->setFocus();
        QList<int> visited;
        for (int i = 0; i < order.size() + 5 && (visited.isEmpty() || visited.last() != kInputBox);
             ++i) {
            QTest::keyClick(s.d->focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            visited << s.d->focusWidget()->objectName().mid(7).toInt();  // "control<id>"
        }
        QCOMPARE(visited, order);
    }
};

QTEST_MAIN(WindowExtrasTest)
#include "window_extras_test.moc"
