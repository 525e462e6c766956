// LargeSymbolWindow: the window of a version 40 symbol (template 129, caption
// "Quirvane_V40"), too large for the main window's frame. It is handed the
// symbol, the bytes it holds, the module width and the colour when it is
// made, draws the symbol into its frame 1026 with the note on whether it
// scans, and puts the image on the clipboard once, when it opens; later
// repaints only show that drawing again. "OK" closes it.
#pragma once

#include <QDialog>
#include <QImage>

#include <string_view>

#include <quirvane/colour.h>
#include <quirvane/encoder.h>

namespace quirvane::app {

class SymbolFrame;

class LargeSymbolWindow : public QDialog {
    Q_OBJECT

  public:
    LargeSymbolWindow(const Symbol& symbol, std::string_view heldBytes, int moduleWidth,
                      SymbolColour colour, QWidget* parent = nullptr);

    // A control of the window by its template id (1, 1026), or nullptr.
    QWidget* Control(int id) const;
    SymbolFrame* Frame() const { return frame_; }

    // Ids of the controls.
    static constexpr int kOkButton = 1;
    static constexpr int kFrame = 1026;

  private:
    SymbolFrame* frame_ = nullptr;
    QHash<int, QWidget*> controls_;
};

}  // namespace quirvane::app
