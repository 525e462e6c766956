#include "render/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quirvane {

void CopySymbolToClipboard(const QImage& image) {
    if (image.isNull()) {
        return;  // as when the platform cannot make the bitmap: clipboard untouched
    }
    QGuiApplication::clipboard()->setImage(image, QClipboard::Clipboard);
}

}  // namespace quirvane
