// Builds a window from its template (dialog_template.h): one Qt widget per
// control, at its rectangle converted from dialog units, created in template
// order so that the tab order is the template's. The platform's kinds map to
// Qt widgets: label QLabel (word-wrapped with "wrap"), edit QLineEdit or
// QPlainTextEdit (multi-line), push button QPushButton, automatic radio button
// QRadioButton (auto-exclusive among its siblings, none checked), automatic
// check box QCheckBox, drop-down list QComboBox, group frame an untitled
// QGroupBox, frame a sunken QFrame unless the caller makes its own.
#pragma once

#include <QHash>
#include <QList>

#include <functional>

#include "app/dialog_template.h"
#include "app/dialog_units.h"

class QComboBox;
class QDialog;
class QWidget;

namespace quirvane::app {

// The margin Qt's line edit keeps between its contents and its text, on each
// side (a fixed value inside QLineEdit).
inline constexpr int kLineEditMargin = 2;

struct BuiltControls {
    QHash<int, QWidget*> byId;  // numbered controls
    QList<QWidget*> inOrder;    // every control, in template order
    DialogBaseUnits units;
};

// Makes the widget of a control itself, or returns nullptr to leave it to the
// builder; used for the frames a symbol is drawn into.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

// Gives the dialog the template's font (dialog_font.h), caption and fixed
// client size and creates its controls. Each numbered control is also named
// "control<id>", and every control carries its template rectangle as the
// property "dialogUnits" (a QRect). A control whose caption would be cut is
// widened to the right, no further than the next control, group line or
// window edge, and its font condensed if that is not enough; a read-only
// edit is no tab stop.
BuiltControls BuildDialog(QDialog* dialog, const DialogTemplate& dialogTemplate,
                          const ControlFactory& factory = {});

// After a list has its items: the dropped list shows as many items as the
// template's height allows, and the list is widened, if need be, so that its
// longest item shows whole (the dialog font is wider than the original's).
void FitListToItems(QComboBox* list, const DialogBaseUnits& units);

}  // namespace quirvane::app
