// Layout in any Japanese font, Qt's own texts and file dialogs in Japanese,
// failed saves, and the keyboard path.
#include <QCheckBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app/about_box.h"
#include "app/dialog_font.h"
#include "app/dialog_template.h"
#include "app/large_symbol_window.h"
#include "app/mecard_dialog.h"
#include "app/wifi_dialog.h"
#include "tests/app/app_test_support.h"
#include "tests/support/drawing_reference.h"

namespace {

// The width a caption takes in its control: the text, and beside it a radio
// button's or check box's indicator, or inside it a button's margins and frame.
int CaptionWidth(const QWidget* c) {
    const QStyle* style = c->style();
    const auto metric = [style](QStyle::PixelMetric m) { return style->pixelMetric(m); };
    const int text = QFontMetrics(c->font()).horizontalAdvance(c->property("text").toString());
    return text + (qobject_cast<const QRadioButton*>(c)
                       ? metric(QStyle::PM_ExclusiveIndicatorWidth) +
                             metric(QStyle::PM_RadioButtonLabelSpacing)
                   : qobject_cast<const QCheckBox*>(c)
                       ? metric(QStyle::PM_IndicatorWidth) + metric(QStyle::PM_CheckBoxLabelSpacing)
                   : qobject_cast<const QPushButton*>(c)
                       ? metric(QStyle::PM_ButtonMargin) + 2 * metric(QStyle::PM_DefaultFrameWidth)
                       : 0);
}

QString Named(const QWidget* c) {
    return QString("%1 \"%2\" at (%3, %4)")
        .arg(c->metaObject()->className(), c->property("text").toString(), QString::number(c->x()),
             QString::number(c->y()));
}

// Everything wrong with a window's layout: a control away from its template
// position or out of the window, a caption wider or taller than its control
// (a word-wrapped label: its lines taller), two controls on each other, a
// control across a group frame's line.
QStringList LayoutProblems(QWidget* window, const DialogBaseUnits& units) {
    QStringList problems;
    QList<QWidget*> placed, groups;
    for (QWidget* c : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        (qobject_cast<QGroupBox*>(c) ? groups : placed) << c;
    }
    for (QWidget* c : placed) {
        const auto* label = qobject_cast<QLabel*>(c);
        if (c->pos() != units.ToPixels(c->property("dialogUnits").toRect()).topLeft() ||
            !window->rect().contains(c->geometry())) {
            problems << Named(c) + " is not at its template position inside the window";
        }
        if (label != nullptr && label->wordWrap()
                ? label->heightForWidth(c->width()) > c->height()
                : (label || qobject_cast<QAbstractButton*>(c)) &&
                      (CaptionWidth(c) > c->width() ||
                       QFontMetrics(c->font()).height() > c->height())) {
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
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace

class WindowExtrasTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { SetJapaneseFamiliesForTesting(std::nullopt); }

    // With no Japanese family at all, the template's is asked for.
    void dialogFamily() { QCOMPARE(ResolveDialogFamily("IPAPGothic", {}), "IPAPGothic"); }

    // Each window in IPAPGothic, and in Noto Sans CJK JP without the IPA
    // fonts: the font drawn with and the layout, with the longest refusal of
    // an input help dialog, and under a frame's largest symbol the longest
    // note at each width.
    void layout_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("templateId");
        for (const QString family : {"IPAPGothic", "Noto Sans CJK JP"}) {
            for (const int id : {kMainTemplate, kAboutTemplate, kLargeSymbolTemplate, kWifiTemplate,
                                 kMeCardTemplate}) {
                QTest::addRow("%s, template %d", qPrintable(family), id) << family << id;
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
        const auto largest =
            MakeSymbol(templateId == kLargeSymbolTemplate ? 40 : 20, Level::L, Mode::Byte, "x");
        AboutBox about;
        LargeSymbolWindow large(largest->symbol, "x", 2, SymbolColour{0, 0, 0});
        WifiDialog wifi;
        MeCardDialog meCard;
        QDialog* window = QHash<int, QDialog*>{{kMainTemplate, s.d.get()},
                                               {kAboutTemplate, &about},
                                               {kLargeSymbolTemplate, &large},
                                               {kWifiTemplate, &wifi},
                                               {kMeCardTemplate, &meCard}}[templateId];
        QCOMPARE(QFontInfo(window->font()).family(), family);
        if (qobject_cast<ContentDialog*>(window) != nullptr) {
            // A WEP key of one letter, a phone number of one: the longest refusals.
            for (const int id : {WifiDialog::kSsid, WifiDialog::kPassword,
                                 MeCardDialog::kFamilyName, MeCardDialog::kPhone}) {
                if (auto* field = ControlIn<QLineEdit>(window, id)) {
                    field->setText("x");
                }
            }
            wifi.Control(WifiDialog::kSecurity)->setProperty("currentIndex", 1);
            ControlIn<QPushButton>(window, kContentOkButton)->click();
            QVERIFY(!ControlIn<QLabel>(window, kContentMessage)->text().isEmpty());
        }
        QStringList problems = LayoutProblems(window, s.d->BaseUnits());
        if (auto* frame = window->findChild<SymbolFrame*>()) {
            for (int width : {1, 2}) {  // white, which grades F and does not read back
                const SymbolDrawing drawing = DrawSymbol(largest->symbol, width, {255, 255, 255});
                frame->ShowSymbol(drawing, CheckDrawing(drawing, "x"));
                const QLabel* note = frame->Note();
                if (note->heightForWidth(note->width()) > note->height() ||
                    !frame->contentsRect().contains(note->geometry())) {
                    problems << "no room for the note " + note->text();
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // Qt's own texts are Japanese whatever the locale the tests run in: the
    // context menus of the input box, followed by the input help, and of the
    // read-only status line; the file dialogs with the program's filters. In
    // the save dialog the filter the user picks gives a name typed without an
    // extension its own, and an extension typed decides the format.
    void qtTextsInJapanese() {
        Started s("some text");
        s.Set(kStatusLine, "some text");
        QFileDialog open, save;
        ConfigureInputFileDialog(open);
        ConfigureSaveDialog(save);
        emit save.filterSelected(QString::fromUtf8(kSvgFilter));
        QStringList shown;
        for (QMenu* menu : {s.d->CreateInputMenu(),
                            s.d->ControlAs<QLineEdit>(kStatusLine)->createStandardContextMenu()}) {
            for (const QAction* action : menu->actions()) {
                shown << action->text().section('\t', 0, 0);  // without the shortcut
                for (const QAction* entry :
                     action->menu() ? action->menu()->actions() : QList<QAction*>()) {
                    shown.last() += " " + entry->text();
                }
            }
            delete menu;
        }
        shown.removeAll(QString());  // separators; the file dialogs' empty suffix comes after
        for (const QFileDialog* dialog : {&open, &save}) {
            shown << dialog->windowTitle() << dialog->nameFilters()
                  << dialog->findChild<QLineEdit*>("fileNameEdit")->text()
                  << dialog->defaultSuffix();
        }
        QCOMPARE(shown.join('|'),
                 "元に戻す(&U)|やり直す(&R)|切り取り(&T)|コピー(&C)|貼り付け(&P)|削除|すべてを選択|"
                 "入力支援 Wi-Fi… 連絡先 (MeCard)…|コピー(&C)|すべてを選択|"
                 "開く|すべて(*.*)|ﾃｷｽﾄ(*.txt)|*.*||"
                 "名前を付けて保存|PNG 画像 (*.png)|SVG 画像 (*.svg)||svg");
        const QString png = QString::fromUtf8(kPngFilter), svg = QString::fromUtf8(kSvgFilter);
        QCOMPARE(QList<SaveFormat>({FormatOf("typed", png), FormatOf("typed", svg),
                                    FormatOf("typed.svg", png), FormatOf("typed.PNG", svg)}),
                 QList<SaveFormat>(
                     {SaveFormat::Png, SaveFormat::Svg, SaveFormat::Svg, SaveFormat::Png}));
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
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("named -, which is a file") << "-" << QString();
        // clang-format on
    }
    void saveFailures() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        Started s;
        QDir(s.dir.path()).mkdir("folder");
        s.CreateData(kByteModeRadio, "not saved");
        s.Click(kCreatePatternButton);
        QStringList files = FilesIn(s.dir.path());
        SetSaveChooserForTesting([&](QWidget*) { return SaveTarget{name, SaveFormat::Png}; });
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

    // Tab round from the input box: every control that takes input in
    // template order, the mode buttons one stop (the one checked), no
    // read-only field.
    void tabOrder() {
        Started s;
        // Focus moves as on a desktop only in the active window.
        s.d->activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(s.d->isActiveWindow());
        s.Click(kAlphanumericModeRadio);
        s.d->Control(kInputBox)->setFocus();
        QList<int> visited;
        for (int i = 0; i < 20 && (visited.isEmpty() || visited.last() != kInputBox); ++i) {
            QTest::keyClick(s.d->focusWidget(), Qt::Key_Tab);
            visited << s.d->focusWidget()->objectName().mid(7).toInt();  // "control<id>"
        }
        QCOMPARE(visited,
                 QList<int>({kFileButton, kAlphanumericModeRadio, kVersionList, kLevelList,
                             kMaskList, kCreateDataButton, kModuleWidthList, kRedField, kGreenField,
                             kBlueField, kCreatePatternButton, kExitButton, kInputBox}));
    }
};

QTEST_MAIN(WindowExtrasTest)
#include "window_extras_test.moc"
