// The frame a symbol is drawn into (frame 1013 of the main window, frame 1026
// of the version 40 window). It keeps the image last drawn into it and paints
// that whenever it is painted, so covering, minimising or resizing the window
// never erases the symbol; painting never touches the clipboard. White fills
// the frame once something has been drawn; the image sits at the top left of
// the frame's inside and is cut off where the frame is smaller.
#pragma once

#include <QFrame>
#include <QImage>

#include <functional>

namespace quirvane::app {

class SymbolFrame : public QFrame {
    Q_OBJECT

  public:
    explicit SymbolFrame(QWidget* parent = nullptr);

    // Keeps image as the frame's drawing and paints it at once.
    void ShowSymbol(const QImage& image);

    // The image last drawn into the frame (null before the first).
    const QImage& Image() const { return image_; }

    // Asked at every paint: an image that is waiting to be drawn (the main
    // window's current symbol while DataReady is set), or a null image. A
    // non-null answer becomes the frame's drawing.
    void SetWaitingSymbol(std::function<QImage()> source) { waiting_ = std::move(source); }

  signals:
    // After every paint of the frame; the speed measurement listens.
    void Painted();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    std::function<QImage()> waiting_;
};

}  // namespace quirvane::app
