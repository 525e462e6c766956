#include "app/symbol_frame.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>

#include <memory>

#include "app/message_box.h"
#include "app/symbol_saving.h"
#include "render/drawing_options.h"

namespace quirvane::app {
namespace {

// Grey for the quiet confirmation, on the white the frame is filled with.
const char kQuietStyle[] = "QLabel { color: #606060; }";

}  // namespace

SymbolFrame::SymbolFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    saveAction_ = new QAction(QString::fromUtf8(kSaveEntry), this);
    saveAction_->setEnabled(false);
    connect(saveAction_, &QAction::triggered, this, [this] {
        if (!drawing_.IsNull()) {
            SaveDrawing(window(), drawing_);
        }
    });
    note_ = new QLabel(this);
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setAttribute(Qt::WA_TransparentForMouseEvents);  // the menu stays the frame's
    note_->hide();
}

void SymbolFrame::Keep(SymbolDrawing drawing) {
    if (drawing.image.cacheKey() != drawing_.image.cacheKey()) {
        note_->hide();
    }
    drawing_ = std::move(drawing);
    saveAction_->setEnabled(!drawing_.IsNull());
}

void SymbolFrame::ShowSymbol(const SymbolDrawing& drawing, const ScanNote& note) {
    Keep(drawing);
    note_->setText(note.text);
    note_->setStyleSheet(QString::fromLatin1(note.warning ? kWarningStyle : kQuietStyle));
    PlaceNote();
    note_->setVisible(!note.text.isEmpty());
    repaint();
}

// Below the image, whose white margin keeps it off the symbol, and lined up
// with the symbol's left edge.
void SymbolFrame::PlaceNote() {
    const QRect inside = contentsRect();
    const int top = inside.top() + drawing_.image.height();
    note_->setGeometry(inside.left() + kMarginPixels, top, inside.width() - 2 * kMarginPixels,
                       qMax(0, inside.bottom() + 1 - top));
}

void SymbolFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceNote();
}

void SymbolFrame::Clear() {
    Keep(SymbolDrawing());
    repaint();
}

QMenu* SymbolFrame::CreateContextMenu() {
    if (drawing_.IsNull()) {
        return nullptr;
    }
    auto* menu = new QMenu(this);
    menu->addAction(saveAction_);
    return menu;
}

void SymbolFrame::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(CreateContextMenu());
    if (menu == nullptr) {
        event->ignore();  // on to the window's menu
        return;
    }
    menu->exec(event->globalPos());
}

void SymbolFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (waiting_) {
        if (SymbolDrawing waiting = waiting_(); !waiting.IsNull()) {
            Keep(std::move(waiting));
        }
    }
    if (!drawing_.IsNull()) {
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.setClipRect(inside);
        painter.fillRect(inside, Qt::white);
        painter.drawImage(inside.topLeft(), drawing_.image);
    }
    emit Painted();
}

}  // namespace quirvane::app
