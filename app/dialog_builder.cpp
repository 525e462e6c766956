#include "app/dialog_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>

#include "app/dialog_font.h"

namespace quirvane::app {
namespace {

const char kDialogUnitsProperty[] = "dialogUnits";

// The narrowest a caption's font is condensed to (percent); narrower is hard
// to read.
constexpr int kMostCondensed = 75;

// What a widened label leaves free before whatever stops it: text run up
// against the next label would read as one.
constexpr int kLabelGap = 3;

// The platform's edit boxes have a thin border and almost no inner margin;
// the style's default frame and margins would leave too little room for
// "255" or "4296 文字" in the narrow boxes of the template. Qt's line edit
// keeps a fixed margin of kLineEditMargin pixels inside its contents; in the
// centred boxes a negative text margin gives it back, so their text may use
// the whole inside of the border.
void MakeCompact(QLineEdit* edit, bool centred) {
    QString sheet = "QLineEdit { border: 1px solid palette(dark); padding: 0px; }";
    if (edit->isReadOnly()) {
        // A read-only edit shows on the window colour, as on the platform.
        sheet += " QLineEdit { background: palette(window); }";
    }
    edit->setStyleSheet(sheet);
    if (centred) {
        edit->setTextMargins(-kLineEditMargin, 0, -kLineEditMargin, 0);
    }
}

QWidget* MakeEdit(const ControlTemplate& c, QWidget* parent) {
    if (c.Has("multiline")) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        if (c.Has("hscroll")) {
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        if (c.Has("vscroll")) {
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        // Tab moves on to the next control, as in a dialog; Enter starts a
        // new line ("wantreturn"), which is what a plain-text edit does.
        edit->setTabChangesFocus(true);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    if (c.Has("readonly")) {
        // Shows a result: it can be clicked to copy from, but Tab passes it
        // by, on to the next control that takes input.
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    const bool centred = c.Has("centre");
    if (centred) {
        edit->setAlignment(Qt::AlignCenter);
    }
    if (c.Has("number")) {
        // Only digits can be typed, as with the platform's number style; the
        // range is checked when the value is read.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    }
    MakeCompact(edit, centred);
    return edit;
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent, const DialogBaseUnits& units) {
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(c.caption, parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            label->setWordWrap(c.Has("wrap"));
            return label;
        }
        case ControlKind::Edit:
            return MakeEdit(c, parent);
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(c.caption, parent);
            button->setDefault(c.kind == ControlKind::DefaultButton);
            return button;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(c.caption, parent);
            radio->setAutoExclusive(true);
            return radio;
        }
        case ControlKind::Check:
            return new QCheckBox(c.caption, parent);
        case ControlKind::List: {
            auto* list = new QComboBox(parent);
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            return list;
        }
        case ControlKind::Frame: {
            auto* frame = new QFrame(parent);
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return frame;
        }
        case ControlKind::Group: {
            auto* group = new QGroupBox(parent);
            // Like the platform's group box: drawn, but clicks go through.
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(parent);
            const int icon = c.caption.mid(1).toInt();  // "#128"
            const QSize size(units.ToPixelsX(c.rect.width()), units.ToPixelsY(c.rect.height()));
            label->setPixmap(LoadResourceIcon(icon).pixmap(size.expandedTo(QSize(32, 32))));
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            return label;
        }
    }
    return new QWidget(parent);
}

QRect GeometryOf(const ControlTemplate& c, QWidget* widget, const DialogBaseUnits& units) {
    QRect r = units.ToPixels(c.rect);
    switch (c.kind) {
        case ControlKind::List:
            // The rectangle's height is that of the dropped list; the closed
            // list is one line high.
            r.setHeight(widget->sizeHint().height());
            break;
        case ControlKind::Icon:
            r.setSize(r.size().expandedTo(QSize(32, 32)));
            break;
        default:
            break;
    }
    return r;
}

// The width a control needs for its whole caption, or 0 for one without.
int CaptionWidthOf(const ControlTemplate& c, QWidget* widget) {
    switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Radio:
        case ControlKind::Check:
            return c.caption.isEmpty() ? 0 : widget->sizeHint().width();
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            // Not the size hint: this style never makes a button narrower
            // than 80 pixels, and "終了" has half that.
            const QStyle* style = widget->style();
            return widget->fontMetrics().size(Qt::TextShowMnemonic, c.caption).width() +
                   style->pixelMetric(QStyle::PM_ButtonMargin) +
                   2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        }
        default:
            return 0;
    }
}

// How far a control may reach to the right before it runs into a control
// beside it, a group frame's line or the window's edge.
int RoomOf(QWidget* widget, const QList<QWidget*>& controls, const QList<QWidget*>& groups,
           int windowWidth) {
    const QRect r = widget->geometry();
    int right = windowWidth;
    for (QWidget* other : controls) {
        const QRect o = other->geometry();
        if (groups.contains(other) && o.contains(r)) {
            right = qMin(right, o.x() + other->contentsRect().right() + 1);
        } else if (other != widget && o.x() > r.x() && o.top() <= r.bottom() &&
                   r.top() <= o.bottom()) {
            right = qMin(right, o.x());
        }
    }
    return right - r.x();
}

// Never cut a caption: the indicators of this style are wider than the
// platform's, and a Japanese font other than the template's (Noto Sans CJK
// JP sets kana full width) is wider than the original. A control whose
// caption does not fit is widened to the right as far as the room it has;
// where even that is too little, its font is condensed until the caption
// fits. Positions never change, so no control is moved onto another.
void FitCaption(const ControlTemplate& c, QWidget* widget, int room) {
    const int needed = CaptionWidthOf(c, widget);
    if (needed <= widget->width()) {
        return;
    }
    if (c.kind == ControlKind::Label) {
        room -= kLabelGap;
    }
    const int width = qMax(widget->width(), qMin(needed, room));
    widget->resize(width, widget->height());
    QFont font = widget->font();
    for (int stretch = 99; stretch >= kMostCondensed && CaptionWidthOf(c, widget) > width;
         --stretch) {
        font.setStretch(stretch);
        widget->setFont(font);
    }
}

}  // namespace

BuiltControls BuildDialog(QDialog* dialog, const DialogTemplate& t, const ControlFactory& factory) {
    BuiltControls built;
    const QFont font = DialogFontOf(t.fontFamily, t.fontPoints);
    dialog->setFont(font);
    built.units = BaseUnitsOf(font);
    dialog->setWindowTitle(t.caption);
    dialog->setFixedSize(built.units.ToPixels(t.size));

    QList<QWidget*> groups;
    for (const ControlTemplate& c : t.controls) {
        QWidget* widget = factory ? factory(c, dialog) : nullptr;
        if (widget == nullptr) {
            widget = MakeControl(c, dialog, built.units);
        }
        widget->setFont(font);
        widget->setGeometry(GeometryOf(c, widget, built.units));
        widget->setProperty(kDialogUnitsProperty, c.rect);
        if (c.id != kNoId) {
            widget->setObjectName(QString("control%1").arg(c.id));
            if (!built.byId.contains(c.id)) {
                built.byId.insert(c.id, widget);
            }
        }
        if (c.kind == ControlKind::Group) {
            groups.append(widget);
        }
        built.inOrder.append(widget);
    }
    for (int i = 0; i < t.controls.size(); ++i) {
        QWidget* widget = built.inOrder[i];
        FitCaption(t.controls[i], widget, RoomOf(widget, built.inOrder, groups, dialog->width()));
    }
    // Group frames come last in the template but lie beneath what they surround.
    for (QWidget* group : groups) {
        group->lower();
    }
    return built;
}

void FitListToItems(QComboBox* list, const DialogBaseUnits& units) {
    const QRect du = list->property(kDialogUnitsProperty).toRect();
    const int dropped = units.ToPixelsY(du.height());
    const int itemHeight = list->fontMetrics().height();
    list->setMaxVisibleItems(qMax(1, (dropped - list->height()) / qMax(1, itemHeight)));
    list->resize(qMax(list->width(), list->sizeHint().width()), list->height());
}

}  // namespace quirvane::app
