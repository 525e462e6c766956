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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app/about_box.h"
#include "app/dialog_font.h"
#include "app/dialog_template.h"
#include "app/large_symbol_window.h"
#include "app/symbol_frame.h"
#include "tests/app/app_test_support.h"
#include "tests/support/zbar_decode.h"

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

}  // namespace

class WindowExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { SetJapaneseFamiliesForTesting(std::nullopt); }

    // The template's family when there, else the best there is.
    void dialogFamily_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the template's own")
            << QStringList{"IPAGothic", "Noto Sans CJK JP", "IPAPGothic"} << "IPAPGothic";
        QTest::newRow("the template's own, in other case")
            << QStringList{"ipapgothic"} << "IPAPGothic";
        QTest::newRow("Noto Sans CJK JP before IPAexGothic and a serif")
            << QStringList{"Noto Serif CJK JP", "IPAexGothic", "Noto Sans CJK JP"}
            << "Noto Sans CJK JP";
        QTest::newRow("IPAexGothic without Noto")
            << QStringList{"IPAGothic", "IPAexGothic"} << "IPAexGothic";
        QTest::newRow("proportional before monospaced")
            << QStringList{"IPAGothic", "VL PGothic"} << "VL PGothic";
        QTest::newRow("an unknown gothic before serif and mono")
            << QStringList{"Noto Serif CJK JP", "Noto Sans Mono CJK JP", "Some Gothic"}
            << "Some Gothic";
        QTest::newRow("only a serif") << QStringList{"Noto Serif CJK JP"} << "Noto Serif CJK JP";
        QTest::newRow("none at all") << QStringList() << "IPAPGothic";
    }
    void dialogFamily() {
        QFETCH(QStringList, installed);
        QFETCH(QString, chosen);
        QCOMPARE(ResolveDialogFamily("IPAPGothic", installed), chosen);
    }

    // Each window in IPAPGothic, and in Noto Sans CJK JP on a system without
    // the IPA fonts: the font really drawn with, and nothing cut or overlapping.
    void layout_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("templateId");
        const QString families[] = {"IPAPGothic", "Noto Sans CJK JP"};
        const std::pair<QString, int> windows[] = {{"main window", kMainTemplate},
                                                   {"About box", kAboutTemplate},
                                                   {"version 40 window", kLargeSymbolTemplate}};
        for (const QString& family : families) {
            for (const auto& [name, id] : windows) {
                QTest::newRow(qPrintable(family + ", " + name)) << family << id;
            }
        }
    }
    void layout() {
        QFETCH(QString, family);
        QFETCH(int, templateId);
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

    // ... and the messages of the file dialogs.
    void fileDialogMessagesInJapanese_data() {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("japanese");
        QTest::newRow("replace a file") << "%1 already exists.\nDo you want to replace it?"
                                        << "%1 は既に存在します。\n置き換えますか?";
        QTest::newRow("no such file")
            << "%1\nFile not found.\nPlease verify the correct file name was given."
            << "%1\nファイルが見つかりません。\n正しいファイル名が入力されているかを確認してくださ"
               "い。";
        QTest::newRow("no such folder")
            << "%1\nDirectory not found.\nPlease verify the correct directory name was given."
            << "%1\nディレクトリが見つかりません。\n正しいディレクトリ名が入力されているかを確認"
               "してください。";
    }
    void fileDialogMessagesInJapanese() {
        QFETCH(QString, english);
        QFETCH(QString, japanese);
        Started s;
        QCOMPARE(QCoreApplication::translate("QFileDialog", qPrintable(english)), japanese);
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
