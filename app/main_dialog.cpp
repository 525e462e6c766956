#include "app/main_dialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "app/about_box.h"
#include "app/content_dialog.h"
#include "app/dialog_builder.h"
#include "app/input_file.h"
#include "app/large_symbol_window.h"
#include "app/mecard_dialog.h"
#include "app/message_box.h"
#include "app/scan_note.h"
#include "app/symbol_frame.h"
#include "app/wifi_dialog.h"
#include "encode/symbol_access.h"
#include "render/clipboard.h"
#include "text/input_text.h"
#include "text/statistics_line.h"

namespace quirvane::app {
namespace {

// List items, in the order they are inserted and kept.
const char* const kVersionItems[] = {" 1", " 2", " 3", " 4", " 5", " 6", " 7",
                                     " 8", " 9", "10", "11", "12", "13", "14",
                                     "15", "16", "17", "18", "19", "20", "40"};
const char* const kLevelItems[] = {"L", "M", "Q", "H"};
const char* const kModuleWidthItems[] = {"2 ピクセル", "1 ピクセル"};
const char* const kMaskItems[] = {" 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7"};

// The 21st version item stands for version 40.
constexpr int kVersion40Position = 20;

// List positions of the settings, and back.
constexpr int VersionPosition(int version) {
    return version == kLargestVersion ? kVersion40Position : version - 1;
}
constexpr int LevelPosition(int level) {
    return level - kLevelL;
}
constexpr int ModuleWidthPosition(int width) {
    return 2 - width;  // "2 ピクセル" comes first
}

const char kColourPrompt[] = "0 から 255 までの整数を入力してください。";
const char kStartupFileMissing[] = "初期化の読み込みファイル[QRcode.ini]をオープンできません。";
const char kNoDataYet[] = "データ作成ボタンでデータを作成してください";
const char kNoModeChosen[] =
    "作成する文字種別フラグ(８ビットバイト、英数字、数字のみ）\nを選択してください";
const char kNotAlphanumeric[] = "英数字の文字セットのみを選択してください";
const char kNotNumeric[] = "数字の文字セットのみを選択してください";

const char kInputHelpMenu[] = "入力支援";
const char kWifiEntry[] = "Wi-Fi…";
const char kMeCardEntry[] = "連絡先 (MeCard)…";

template <std::size_t N>
void Fill(QComboBox* list, const char* const (&items)[N], int presetPosition) {
    list->clear();
    for (const char* item : items) {
        list->addItem(QString::fromUtf8(item));
    }
    list->setCurrentIndex(presetPosition);
}

}  // namespace

MainDialog::MainDialog(QWidget* parent)
    : QDialog(parent), state_(std::make_unique<EncoderState>()) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const BuiltControls built =
        BuildDialog(this, LoadDialogTemplate(kMainTemplate),
                    [](const ControlTemplate& c, QWidget* parentWidget) -> QWidget* {
                        return c.id == kSymbolFrame ? new SymbolFrame(parentWidget) : nullptr;
                    });
    controls_ = built.byId;
    units_ = built.units;
    frame_ = qobject_cast<SymbolFrame*>(Control(kSymbolFrame));
    frame_->SetWaitingSymbol([this] { return WaitingSymbol(); });
    Initialise();
    Connect();
    // Escape and F1 are taken before any control sees them.
    qApp->installEventFilter(this);
}

MainDialog::~MainDialog() = default;

void MainDialog::Initialise() {
    // The About entry: on Linux there is no system menu to extend, so it goes
    // into the context menu of the window's background.
    if (const QString about = LoadResourceString(kAboutMenuString); !about.isEmpty()) {
        aboutAction_ = new QAction(about, this);
        connect(aboutAction_, &QAction::triggered, this, &MainDialog::OnAbout);
    }
    setWindowIcon(LoadResourceIcon(kAppIcon));
    LoadStartupText();
    FillLists();
    state_->settings = kPresetSettings;
    state_->dataReady = 0;
    SetColourFields();
    LoadSymbolParameters();
}

void MainDialog::LoadStartupText() {
    const QString path = QDir::current().filePath(QString::fromLatin1(kStartupFileName));
    const InputFileText file = ReadInputFile(path);
    switch (file.outcome) {
        case ReadOutcome::CannotOpen:
            ShowMessage(this, QString::fromUtf8(kStartupFileMissing));
            SetInputText(QString());
            break;
        case ReadOutcome::Refused:
            ShowMessage(this, file.reason);
            SetInputText(QString());
            break;
        case ReadOutcome::Read:
            SetInputText(file.text);
            break;
    }
}

void MainDialog::FillLists() {
    const EncoderSettings& preset = kPresetSettings;
    Fill(ControlAs<QComboBox>(kVersionList), kVersionItems, VersionPosition(preset.version));
    Fill(ControlAs<QComboBox>(kLevelList), kLevelItems, LevelPosition(preset.errorCorrectionLevel));
    Fill(ControlAs<QComboBox>(kModuleWidthList), kModuleWidthItems,
         ModuleWidthPosition(preset.moduleWidth));
    Fill(ControlAs<QComboBox>(kMaskList), kMaskItems, preset.maskReference);
    for (int id : {kVersionList, kLevelList, kModuleWidthList, kMaskList}) {
        FitListToItems(ControlAs<QComboBox>(id), units_);
    }
}

void MainDialog::Connect() {
    const std::pair<int, int> modes[] = {{kByteModeRadio, kModeByte},
                                         {kAlphanumericModeRadio, kModeAlphanumeric},
                                         {kNumericModeRadio, kModeNumeric}};
    for (const auto& [id, mode] : modes) {
        connect(ControlAs<QRadioButton>(id), &QRadioButton::clicked, this,
                [this, mode = mode] { OnModeClicked(mode); });
    }
    // "activated": the user's choice, also of the item already chosen; the
    // program's own changes of the lists run no handler.
    connect(ControlAs<QComboBox>(kVersionList), &QComboBox::activated, this,
            &MainDialog::OnVersionSelected);
    connect(ControlAs<QComboBox>(kLevelList), &QComboBox::activated, this,
            &MainDialog::OnLevelSelected);
    connect(ControlAs<QComboBox>(kMaskList), &QComboBox::activated, this,
            &MainDialog::OnMaskSelected);
    connect(ControlAs<QComboBox>(kModuleWidthList), &QComboBox::activated, this,
            &MainDialog::OnModuleWidthSelected);
    connect(ControlAs<QPushButton>(kCreateDataButton), &QPushButton::clicked, this,
            &MainDialog::OnCreateData);
    connect(ControlAs<QPushButton>(kCreatePatternButton), &QPushButton::clicked, this,
            &MainDialog::OnCreatePattern);
    connect(ControlAs<QPushButton>(kFileButton), &QPushButton::clicked, this,
            &MainDialog::OnChooseFile);
    connect(ControlAs<QPushButton>(kExitButton), &QPushButton::clicked, this, &QDialog::reject);
    auto* box = ControlAs<QPlainTextEdit>(kInputBox);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
        const std::unique_ptr<QMenu> menu(CreateInputMenu());
        menu->exec(box->viewport()->mapToGlobal(at));  // a scroll area's menu is its viewport's
    });
}

// ---- Transfers ----

void MainDialog::Refresh() {
    auto* status = ControlAs<QLineEdit>(kStatusLine);
    status->setText(statusLine_);
    status->setCursorPosition(0);
    for (int i = 0; i < kResultFieldCount; ++i) {
        auto* field = ControlAs<QLineEdit>(kFirstResultField + i);
        field->setText(resultTexts_[static_cast<std::size_t>(i)]);
        field->setCursorPosition(0);
    }
}

QString MainDialog::InputText() const {
    QString text = ControlAs<QPlainTextEdit>(kInputBox)->toPlainText();
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return text;
}

void MainDialog::SetInputText(const QString& crlfText) {
    inputText_ = crlfText;
    QString shown = crlfText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ControlAs<QPlainTextEdit>(kInputBox)->setPlainText(shown);
}

void MainDialog::SetColourFields() {
    ControlAs<QLineEdit>(kRedField)->setText(QString::number(colour_.red));
    ControlAs<QLineEdit>(kGreenField)->setText(QString::number(colour_.green));
    ControlAs<QLineEdit>(kBlueField)->setText(QString::number(colour_.blue));
}

bool MainDialog::ReadColourField(int id, int& value) {
    auto* field = ControlAs<QLineEdit>(id);
    static const QRegularExpression integer(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    bool ok = integer.match(field->text()).hasMatch();
    const int read = ok ? field->text().trimmed().toInt(&ok) : 0;
    if (!ok || read < 0 || read > 255) {
        ShowMessage(this, QString::fromUtf8(kColourPrompt));
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return false;
    }
    value = read;
    return true;
}

bool MainDialog::ReadControls() {
    inputText_ = InputText();
    // The numbers in the transfer's order: blue, green, red. A bad entry
    // stops the read there; the values read before it stay.
    return ReadColourField(kBlueField, colour_.blue) &&
           ReadColourField(kGreenField, colour_.green) && ReadColourField(kRedField, colour_.red);
}

// ---- Settings ----

void MainDialog::LoadSymbolParameters() {
    state_->LoadSymbolParameters();
    resultTexts_ = ShowSymbolParameters(state_->symbolParameters);
    Refresh();
}

void MainDialog::OnModeClicked(int mode) {
    state_->settings.characterMode = mode;
    statusLine_ = ModeStatus(mode, CapacityOf(state_->symbolParameters, mode));
    Refresh();
}

void MainDialog::OnVersionSelected(int position) {
    state_->settings.version = position == kVersion40Position ? kLargestVersion : position + 1;
    LoadSymbolParameters();
    statusLine_ = VersionStatus(ControlAs<QComboBox>(kVersionList)->itemText(position),
                                state_->settings.version, state_->symbolParameters.totalCodewords);
    Refresh();
}

void MainDialog::OnLevelSelected(int position) {
    state_->settings.errorCorrectionLevel = kLevelL + position;
    LoadSymbolParameters();
    statusLine_ = LevelStatus(ControlAs<QComboBox>(kLevelList)->itemText(position),
                              state_->settings.errorCorrectionLevel);
    Refresh();
}

void MainDialog::OnMaskSelected(int position) {
    state_->settings.maskReference = position;
    statusLine_ = MaskStatus(ControlAs<QComboBox>(kMaskList)->itemText(position), position);
    Refresh();
}

void MainDialog::OnModuleWidthSelected(int position) {
    state_->settings.moduleWidth = 2 - position;
    statusLine_ = ModuleWidthStatus(ControlAs<QComboBox>(kModuleWidthList)->itemText(position));
    Refresh();
}

void MainDialog::OnAbout() {
    AboutBox about(this);
    about.setWindowIcon(windowIcon());
    about.exec();
}

// ---- Create Data ----

void MainDialog::OnCreateData() {
    // The read comes after the settings checks; of those only the mode can
    // fail with the encoder's table, so no read (and no colour prompt) when
    // no mode has been chosen.
    if (state_->settings.characterMode != kModeNone) {
        ReadControls();  // a bad colour entry does not stop the command
    }
    // In the program's code page whenever the text has a form there: readers
    // guess the encoding of byte mode, and mostly guess Shift_JIS. The digits
    // and letters of the other modes are the same bytes either way.
    const ByteModeText text = EncodeForByteMode(inputText_, ByteModeEncoding::CodePageWhenPossible);
    const GenerationResult result = state_->CreateData(text.bytes, text.encoding);
    // A refusal on the mode or the characters leaves the status line as it was.
    switch (result.outcome) {
        case GenerationOutcome::Created:
            statusLine_ = StatisticsLine(result.statistics);
            Refresh();
            ++symbolGeneration_;
            heldBytes_.assign(state_->dataText,
                              static_cast<std::size_t>(state_->dataCharacterCount));
            return;
        case GenerationOutcome::NoModeChosen:
            ShowMessage(this, QString::fromUtf8(kNoModeChosen));
            return;
        case GenerationOutcome::NotAlphanumeric:
            ShowMessage(this, QString::fromUtf8(kNotAlphanumeric));
            return;
        case GenerationOutcome::NotNumeric:
            ShowMessage(this, QString::fromUtf8(kNotNumeric));
            return;
    }
}

// ---- Create Pattern ----

void MainDialog::OnCreatePattern() {
    if (state_->dataReady == 0) {
        ShowMessage(this, QString::fromUtf8(kNoDataYet));
        return;
    }
    ReadControls();  // a bad colour entry does not stop the command
    state_->settings.symbolColour = colour_;
    // By the symbol's own version: the list may have moved on since Create Data.
    if (state_->symbolVersion == kLargestVersion) {
        frame_->Clear();  // the main frame never shows a symbol older than this one
        LargeSymbolWindow window(SymbolOf(*state_), heldBytes_, state_->settings.moduleWidth,
                                 state_->settings.symbolColour, this);
        window.setWindowIcon(windowIcon());
        window.exec();
    } else {
        PaintSymbol();
    }
    state_->dataReady = 0;
}

void MainDialog::PaintSymbol() {
    // The very drawing the frame's repaints show until DataReady is cleared,
    // so that they keep it and its note.
    const SymbolDrawing drawing = WaitingSymbol();
    frame_->ShowSymbol(drawing, CheckDrawing(drawing, heldBytes_));
    CopySymbolToClipboard(drawing.image);
}

SymbolDrawing MainDialog::WaitingSymbol() {
    // While DataReady is set, a repaint shows the symbol made last (a
    // version 40 symbol only ever shows in its own window). It never writes
    // the clipboard: only Create Pattern does.
    if (state_->dataReady != 1 || state_->symbolVersion == 0 ||
        state_->symbolVersion == kLargestVersion) {
        return SymbolDrawing();
    }
    const std::uint32_t rgb = PackedRgbOf(state_->settings.symbolColour);
    if (waitingDrawing_.IsNull() || waitingGeneration_ != symbolGeneration_ ||
        waitingWidth_ != state_->settings.moduleWidth || waitingRgb_ != rgb) {
        waitingDrawing_ = DrawSymbol(SymbolOf(*state_), state_->settings.moduleWidth,
                                     state_->settings.symbolColour);
        waitingGeneration_ = symbolGeneration_;
        waitingWidth_ = state_->settings.moduleWidth;
        waitingRgb_ = rgb;
    }
    return waitingDrawing_;
}

// ---- Input file ----

void MainDialog::OnChooseFile() {
    statusLine_.clear();  // the stored value only: the line keeps its text until the next refresh
    const QString path = ChooseInputFile(this);
    if (path.isEmpty()) {
        return;
    }
    const InputFileText file = ReadInputFile(path);
    switch (file.outcome) {
        case ReadOutcome::CannotOpen:
            // The platform's file-error report.
            ShowMessage(this,
                        QStringLiteral("%1\nファイルを開けません。\n%2").arg(path, file.reason));
            return;
        case ReadOutcome::Refused:
            ShowMessage(this, file.reason);
            return;
        case ReadOutcome::Read:
            break;
    }
    // Caption and status name the file only once its text is in the box.
    selectedPath_ = path;
    statusLine_ = FileSelectedStatus(path);
    setWindowTitle(MainCaptionWithFile(path));
    SetInputText(file.text);
    Refresh();
}

// ---- Input help ----

QMenu* MainDialog::CreateInputMenu() {
    QMenu* menu = ControlAs<QPlainTextEdit>(kInputBox)->createStandardContextMenu();
    menu->addSeparator();
    QMenu* help = menu->addMenu(QString::fromUtf8(kInputHelpMenu));
    connect(help->addAction(QString::fromUtf8(kWifiEntry)), &QAction::triggered, this, [this] {
        WifiDialog dialog(this);
        OnInputHelp(dialog);
    });
    connect(help->addAction(QString::fromUtf8(kMeCardEntry)), &QAction::triggered, this, [this] {
        MeCardDialog dialog(this);
        OnInputHelp(dialog);
    });
    return menu;
}

void MainDialog::OnInputHelp(ContentDialog& dialog) {
    dialog.setWindowIcon(windowIcon());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    SetInputText(dialog.Text());
    // Only byte mode holds these texts (lower case, ';', ':'), and it writes
    // them in the program's code page, as Japanese phones expect: the mode is
    // chosen as the user would choose it, status line included.
    ControlAs<QRadioButton>(kByteModeRadio)->click();
}

// ---- Keys and the background menu ----

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool mine = widget != nullptr && (widget == this || isAncestorOf(widget));
        if (mine) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                Beep();  // and never close the window
                return true;
            }
            if (key == Qt::Key_F1) {
                return true;  // help: handled, nothing happens
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::setVisible(bool visible) {
    QDialog::setVisible(visible);
    // The template has no default button, but Qt has just made the first
    // button after the focus one the default, so that Enter in a colour field
    // would open the file dialog. A button is the default only while it has
    // the focus.
    if (visible) {
        for (QPushButton* button : findChildren<QPushButton*>()) {
            button->setDefault(false);
        }
    }
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
    if (aboutAction_ == nullptr) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(aboutAction_);
    menu.exec(event->globalPos());
}

}  // namespace quirvane::app
