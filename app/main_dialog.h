// MainDialog: the program's one main window (template 102). It owns the
// EncoderState and the values shown in its controls, builds itself from the
// template, and wires each numbered control to one handler; each handler sets
// a value, calls one encoder operation and shows what comes back.
//
// Two transfers move values between the controls and the stored values. The
// read (ReadControls) takes the input box and the three colour fields. The
// refresh (Refresh) writes the status line and the ten result fields; it
// leaves the input box and the colour fields as the user has them, so that a
// click on a radio button or a list never throws away what was typed. The
// program writes those fields itself only when it has just changed their
// value: at start-up and when a file is chosen.
#pragma once

#include <QDialog>
#include <QHash>

#include <memory>
#include <string>

#include "app/dialog_units.h"
#include "app/status_text.h"
#include "app/symbol_drawing.h"
#include "encode/encoder_state.h"

class QAction;
class QMenu;

namespace quirvane::app {

class ContentDialog;
class SymbolFrame;

// The numbered controls of template 102.
enum ControlId : int {
    kExitButton = 2,
    kInputBox = 1000,
    kByteModeRadio = 1001,
    kAlphanumericModeRadio = 1002,
    kNumericModeRadio = 1003,
    kVersionList = 1004,
    kLevelList = 1005,
    kModuleWidthList = 1006,
    kMaskList = 1007,
    kStatusLine = 1008,
    kCreateDataButton = 1009,
    kCreatePatternButton = 1010,
    kSymbolFrame = 1013,
    kFileButton = 1024,
    kRedField = 1025,
    kGreenField = 1026,
    kBlueField = 1027,
};

class MainDialog : public QDialog {
    Q_OBJECT

  public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    // A control by its template id, or nullptr.
    QWidget* Control(int id) const { return controls_.value(id); }
    template <typename T>
    T* ControlAs(int id) const {
        return qobject_cast<T*>(Control(id));
    }

    EncoderState& State() { return *state_; }
    SymbolFrame* Frame() const { return frame_; }
    // The About entry of the background's context menu (null if string 101
    // is empty).
    QAction* AboutAction() const { return aboutAction_; }
    const DialogBaseUnits& BaseUnits() const { return units_; }
    // The input as the encoder gets it: the box's text with CR LF line ends.
    QString InputText() const;
    // The input box's context menu, owned by the caller: Qt's own entries,
    // then 「入力支援」, whose dialogs write a finished text into the box.
    QMenu* CreateInputMenu();

    void setVisible(bool visible) override;
    // The colour as last read (red, green, blue).
    SymbolColour StoredColour() const { return colour_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Initialise();
    void LoadStartupText();
    void FillLists();
    void Connect();

    // Settings handlers.
    void OnModeClicked(int mode);
    void OnVersionSelected(int position);
    void OnLevelSelected(int position);
    void OnMaskSelected(int position);
    void OnModuleWidthSelected(int position);
    void OnAbout();
    // Commands: Create Data, Create Pattern, the input file.
    void OnCreateData();
    void OnCreatePattern();
    void OnChooseFile();
    void OnInputHelp(ContentDialog& dialog);

    void LoadSymbolParameters();
    void Refresh();
    bool ReadControls();
    bool ReadColourField(int id, int& value);
    void SetInputText(const QString& crlfText);
    void SetColourFields();
    void PaintSymbol();
    SymbolDrawing WaitingSymbol();

    std::unique_ptr<EncoderState> state_;
    QHash<int, QWidget*> controls_;
    DialogBaseUnits units_;
    SymbolFrame* frame_ = nullptr;
    QAction* aboutAction_ = nullptr;

    // Stored values bound to controls.
    QString statusLine_;
    ResultTexts resultTexts_;
    QString inputText_;  // CR LF line ends
    SymbolColour colour_ = kPresetSettings.symbolColour;
    QString selectedPath_;

    // The symbol waiting to be drawn while DataReady is set, drawn once per
    // (symbol, width, colour).
    quint64 symbolGeneration_ = 0;
    SymbolDrawing waitingDrawing_;
    quint64 waitingGeneration_ = 0;
    int waitingWidth_ = 0;
    std::uint32_t waitingRgb_ = 0;
    // The bytes the symbol made last holds, kept apart from the encoder's
    // record, which a refused run overwrites: what its read-back must give.
    std::string heldBytes_;
};

}  // namespace quirvane::app
