// The frame a symbol is drawn into (frame 1013 of the main window, frame 1026
// of the version 40 window). It keeps the drawing last shown in it and paints
// that whenever it is painted, so covering, minimising or resizing the window
// never erases the symbol; painting never touches the clipboard. White fills
// the frame once something has been drawn; the image sits at the top left of
// the frame's inside and is cut off where the frame is smaller. Once it shows
// a symbol, its context menu offers to save that symbol as PNG or SVG. Under
// the symbol, in the room the frame has below it, a note may say whether it
// will scan (scan_note.h).
#pragma once

#include <QFrame>
#include <QImage>

#include <functional>

#include "app/scan_note.h"
#include "app/symbol_drawing.h"

class QAction;
class QLabel;
class QMenu;

namespace quirvane::app {

class SymbolFrame : public QFrame {
    Q_OBJECT

  public:
    explicit SymbolFrame(QWidget* parent = nullptr);

    // Keeps drawing as the frame's drawing and paints it at once, with the
    // note on it under the symbol (none for an empty note).
    void ShowSymbol(const SymbolDrawing& drawing, const ScanNote& note = {});

    // Forgets the drawing: the frame is empty again, its note and menu gone.
    void Clear();

    // The note under the symbol; hidden while there is none.
    const QLabel* Note() const { return note_; }

    // The image last drawn into the frame (null before the first).
    const QImage& Image() const { return drawing_.image; }

    // Asked at every paint: a drawing that is waiting to be shown (the main
    // window's current symbol while DataReady is set), or a null one. A
    // non-null answer becomes the frame's drawing; a note on another drawing
    // goes, since only 「パターン作成」 checks a symbol.
    void SetWaitingSymbol(std::function<SymbolDrawing()> source) { waiting_ = std::move(source); }

    // "名前を付けて保存...": saves the drawing (symbol_saving.h); enabled
    // while there is one.
    QAction* SaveAction() const { return saveAction_; }

    // The context menu, owned by the caller; null while nothing is drawn, so
    // that the window's own menu shows instead.
    QMenu* CreateContextMenu();

  signals:
    // After every paint of the frame; the speed measurement listens.
    void Painted();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Keep(SymbolDrawing drawing);
    void PlaceNote();

    SymbolDrawing drawing_;
    QLabel* note_ = nullptr;
    std::function<SymbolDrawing()> waiting_;
    QAction* saveAction_ = nullptr;
};

}  // namespace quirvane::app
