#include "app/symbol_frame.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include <memory>

#include "app/symbol_saving.h"

namespace quirvane::app {

SymbolFrame::SymbolFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    saveAction_ = new QAction(QString::fromUtf8(kSaveEntry), this);
    saveAction_->setEnabled(false);
    connect(saveAction_, &QAction::triggered, this, [this] {
        if (!drawing_.IsNull()) {
            SaveDrawing(window(), drawing_);
        }
    });
}

void SymbolFrame::Keep(SymbolDrawing drawing) {
    drawing_ = std::move(drawing);
    saveAction_->setEnabled(!drawing_.IsNull());
}

void SymbolFrame::ShowSymbol(const SymbolDrawing& drawing) {
    Keep(drawing);
    repaint();
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
