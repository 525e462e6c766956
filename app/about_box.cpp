#include "app/about_box.h"

#include <QPushButton>

#include "app/dialog_builder.h"

namespace quirvane::app {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    const BuiltControls built = BuildDialog(this, LoadDialogTemplate(kAboutTemplate));
    if (auto* ok = qobject_cast<QPushButton*>(built.byId.value(1))) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
}

}  // namespace quirvane::app
