// Handing a drawn symbol to the system clipboard.
#pragma once

#include <QImage>

namespace quirvane {

// Puts the whole s x s image (symbol and white margin) on the clipboard as a
// bitmap. On X11 the clipboard holds no data of its own: other programs ask
// this one for it, so the bitmap is there only while the program runs (a
// clipboard manager keeps a copy after that).
void CopySymbolToClipboard(const QImage& image);

}  // namespace quirvane
