// The dialog templates, icons and strings of the program, as data: the file
// resources/dialogs.json, compiled into the program. A template lists its
// controls in tab order, each with the numeric id the handlers know it by, its
// kind, its caption and its rectangle in dialog units, as a Windows resource
// script would; the windows are built from it (see dialog_builder.h).
#pragma once

#include <QIcon>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace quirvane::app {

// Template ids of the windows, and the other resources.
inline constexpr int kAboutTemplate = 100;
inline constexpr int kMainTemplate = 102;
inline constexpr int kLargeSymbolTemplate = 129;
inline constexpr int kWifiTemplate = 130;
inline constexpr int kMeCardTemplate = 131;
inline constexpr int kAppIcon = 128;
inline constexpr int kAboutMenuString = 101;

// Id of a control that has none of its own (a label or a group frame).
inline constexpr int kNoId = -1;

enum class ControlKind {
    Label,          // static text, left aligned
    Edit,           // edit box; see the styles
    Button,         // push button
    DefaultButton,  // the push button Enter presses
    Radio,          // automatic radio button
    Check,          // automatic check box
    List,           // drop-down list; the rectangle's height includes the dropped list
    Frame,          // a frame a symbol is drawn into
    Group,          // untitled group frame around other controls
    Icon,           // an icon resource, caption "#id"
};

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Label;
    QString caption;
    QRect rect;          // dialog units
    QStringList styles;  // "multiline", "hscroll", "vscroll", "wantreturn", "readonly",
                         // "centre", "number", "sunken"; a label's "wrap"

    bool Has(const char* style) const { return styles.contains(QLatin1String(style)); }
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QString fontFamily;
    int fontPoints = 9;
    QSize size;  // client area, dialog units
    QList<ControlTemplate> controls;

    // The first control with this id, or nullptr.
    const ControlTemplate* Find(int controlId) const;
};

// The template with this id. Aborts with a clear message if it is missing,
// since that is a build fault, not something a user can cause.
const DialogTemplate& LoadDialogTemplate(int id);

// A string of the string table; empty when there is none.
QString LoadResourceString(int id);

// An icon resource, with every size the resources hold.
QIcon LoadResourceIcon(int id);

}  // namespace quirvane::app
