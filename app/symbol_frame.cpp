#include "app/symbol_frame.h"

#include <QPainter>

namespace quirvane::app {

SymbolFrame::SymbolFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void SymbolFrame::ShowSymbol(const QImage& image) {
    image_ = image;
    repaint();
}

void SymbolFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (waiting_) {
        if (QImage waiting = waiting_(); !waiting.isNull()) {
            image_ = std::move(waiting);
        }
    }
    if (!image_.isNull()) {
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.setClipRect(inside);
        painter.fillRect(inside, Qt::white);
        painter.drawImage(inside.topLeft(), image_);
    }
    emit Painted();
}

}  // namespace quirvane::app
