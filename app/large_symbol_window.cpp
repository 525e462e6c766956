#include "app/large_symbol_window.h"

#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/scan_note.h"
#include "app/symbol_frame.h"
#include "render/clipboard.h"

namespace quirvane::app {

LargeSymbolWindow::LargeSymbolWindow(const Symbol& symbol, std::string_view heldBytes,
                                     int moduleWidth, SymbolColour colour, QWidget* parent)
    : QDialog(parent) {
    const BuiltControls built =
        BuildDialog(this, LoadDialogTemplate(kLargeSymbolTemplate),
                    [](const ControlTemplate& c, QWidget* parentWidget) -> QWidget* {
                        return c.id == kFrame ? new SymbolFrame(parentWidget) : nullptr;
                    });
    controls_ = built.byId;
    frame_ = qobject_cast<SymbolFrame*>(controls_.value(kFrame));
    if (auto* ok = qobject_cast<QPushButton*>(controls_.value(kOkButton))) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }

    const SymbolDrawing drawing = DrawSymbol(symbol, moduleWidth, colour);
    frame_->ShowSymbol(drawing, CheckDrawing(drawing, heldBytes));
    CopySymbolToClipboard(drawing.image);
}

QWidget* LargeSymbolWindow::Control(int id) const {
    return controls_.value(id);
}

}  // namespace quirvane::app
