// Layout in any Japanese font, Qt's own texts in Japanese, file dialogs,
// failed saves, and the keyboard path.
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
#include "tests/app/app_test_support.h"

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
    return QString("%1 \"%2\" at (%3, %4)")
        .arg(c->metaObject()->className(), c->property("text").toString())
        .arg(c->x())
        .arg(c->y());
}

// Everything wrong with a window's layout: a control away from its template
// position or out of the window, a caption wider or taller than its control,
// two controls on each other, a control across a group frame's line.
QStringList LayoutProblems(QDialog* window, const DialogBaseUnits& units) {
    QStringList problems;
    QList<QWidget*> placed, groups;
    for (QWidget* c : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        (qobject_cast<QGroupBox*>(c) ? groups : placed) << c;
    }
    for (QWidget* c : placed) {
        if (c->pos() != units.ToPixels(c->property("dialogUnits").toRect()).topLeft() ||
            !window->rect().contains(c->geometry())) {
            problems << Named(c) + " is not at its template position inside the window";
        }
        if ((qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c)) &&
            (CaptionWidth(c) > c->width() || QFontMetrics(c->font()).height() > c->height())) {
            problems << Named(c) + " cuts its caption, which needs " +
                            QString::number(CaptionWidth(c)) + " pixels across";
        }
        for (QWidget* other : placed.mid(placed.indexOf(c) + 1)) {
            if (c->geometry().intersects(other->geometry())) {
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

    // Each window in IPAPGothic, and in Noto Sans CJK JP without the IPA
    // fonts: the font drawn with, the layout, and the captions in order.
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
        LargeSymbolWindow large(Symbol{}, "", 2, SymbolColour{0, 0, 0});
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
    // standard context menus of the edit boxes, and both file dialogs.
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
        QStringList shown;
        for (const QAction* action : menu->actions()) {
            shown << action->text().section('\t', 0, 0);  // without the shortcut
        }
        shown.removeAll(QString());  // separators
        QCOMPARE(shown.join('|'), entries);
    }

    // Both file dialogs in Japanese with the program's filters; in the save
    // dialog the filter chosen and the name typed give the file and format.
    void fileDialogs_data() {
        QTest::addColumn<int>("filter");  // -1: the input file's dialog, cancelled
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("svg");
        // clang-format off
        QTest::newRow("ファイル選択") << -1 << QString() << QString() << false;
        QTest::newRow("PNG, no extension typed") << 0 << "typed" << "typed.png" << false;
        QTest::newRow("SVG, no extension typed") << 1 << "typed" << "typed.svg" << true;
        QTest::newRow("PNG, .svg typed") << 0 << "typed.svg" << "typed.svg" << true;
        QTest::newRow("SVG, .PNG typed") << 1 << "typed.PNG" << "typed.PNG" << false;
        // clang-format on
    }
    void fileDialogs() {
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, file);
        QFETCH(bool, svg);
        Started s;
        s.CreateData(kByteModeRadio, "typed in the dialog");
        s.Click(kCreatePatternButton);
        const QStringList before = FilesIn(s.dir.path());
        QStringList shown;
        const bool checked = s.modals.InModalWindow(
            [&] { filter < 0 ? s.Click(kFileButton) : s.d->Frame()->SaveAction()->trigger(); },
            [&](QWidget* window) {
                shown << window->windowTitle();
                for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
                    shown << window->findChild<QLabel*>(label)->text();
                }
                auto* buttons = window->findChild<QDialogButtonBox*>("buttonBox");
                for (QAbstractButton* button : buttons->buttons()) {
                    shown << button->text();
                }
                auto* name = window->findChild<QLineEdit*>("fileNameEdit");
                shown << name->text() << qobject_cast<QFileDialog*>(window)->nameFilters();
                if (filter < 0) {
                    return;  // cancelled as the check ends
                }
                auto* types = window->findChild<QComboBox*>("fileTypeCombo");
                for (int i = 0; i < filter; ++i) {
                    QTest::keyClick(types, Qt::Key_Down);
                }
                QCOMPARE(types->currentIndex(), filter);
                QTest::keyClicks(name, typed);
                QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
                QVERIFY(!window->isVisible());
            });
        if (!checked) {
            return;
        }
        QCOMPARE(shown.join('|'),
                 filter < 0 ? "開く|アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル|"
                              "*.*|すべて(*.*)|ﾃｷｽﾄ(*.txt)"
                            : "名前を付けて保存|アドレス:|ファイル名(&N):|ファイルの種類:|"
                              "保存(&S)|キャンセル||PNG 画像 (*.png)|SVG 画像 (*.svg)");
        QStringList files = before;
        files << file;
        files.removeAll(QString());
        files.sort();
        QCOMPARE(FilesIn(s.dir.path()), files);
        QVERIFY(s.messages.isEmpty());
        if (filter >= 0) {
            QCOMPARE(Drawn(s.dir.filePath(file), svg ? SaveFormat::Svg : SaveFormat::Png),
                     Copied());
        }
    }

    // A file that cannot be written is told with the system's reason and
    // leaves nothing behind; cancelling writes nothing; "-" is a file.
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

    // Tab and Shift+Tab round from the input box: every control that takes
    // input in template order, the mode buttons one stop, no read-only field.
    void tabOrder_data() {
        QTest::addColumn<int>("modeClicked");  // 0: none
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QList<int>>("order");
        QList<int> rest{kVersionList,         kLevelList, kMaskList,   kCreateDataButton,
                        kModuleWidthList,     kRedField,  kGreenField, kBlueField,
                        kCreatePatternButton, kExitButton};
        QTest::newRow("Tab") << 0 << false
                             << QList<int>{kFileButton, kByteModeRadio} + rest +
                                    QList<int>{kInputBox};
        std::reverse(rest.begin(), rest.end());
        QTest::newRow("Shift+Tab, alphanumeric mode clicked")
            << int(kAlphanumericModeRadio) << true
            << rest + QList<int>{kAlphanumericModeRadio, kFileButton, kInputBox};
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
