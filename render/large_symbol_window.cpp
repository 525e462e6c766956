#include "render/large_symbol_window.h"

#include <QPushButton>

#include "app/dialog_builder.h"
#include "render/clipboard.h"
#include "render/symbol_frame.h"
#include "render/symbol_image.h"

namespace quirvane {

LargeSymbolWindow::LargeSymbolWindow(SymbolView symbol, int moduleWidth, SymbolColour colour,
                                     QWidget* parent)
    : QDialog(parent) {
    const app::BuiltControls built =
        app::BuildDialog(this, app::LoadDialogTemplate(app::kLargeSymbolTemplate),
                         [](const app::ControlTemplate& c, QWidget* parentWidget) -> QWidget* {
                             return c.id == kFrame ? new SymbolFrame(parentWidget) : nullptr;
                         });
    controls_ = built.byId;
    frame_ = qobject_cast<SymbolFrame*>(controls_.value(kFrame));
    if (auto* ok = qobject_cast<QPushButton*>(controls_.value(kOkButton))) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }

    const QImage image = RenderSymbolImage(symbol, moduleWidth, colour);
    frame_->ShowSymbol(image);
    CopySymbolToClipboard(image);
}

QWidget* LargeSymbolWindow::Control(int id) const {
    return controls_.value(id);
}

}  // namespace quirvane
