#include "app/application.h"

#include <QApplication>
#include <QStyleFactory>

#include <quirvane/version.h>

#include "app/dialog_template.h"
#include "app/message_box.h"

namespace quirvane::app {
namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

}  // namespace

std::string NoDisplayReason(const char* qpaPlatform, const char* display,
                            const char* waylandDisplay) {
    if (IsSet(qpaPlatform) || IsSet(display) || IsSet(waylandDisplay)) {
        return std::string();
    }
    return "no display found (DISPLAY is not set); run it on a desktop session, "
           "or use quirvane-encode";
}

void ConfigureApplication(QApplication& application) {
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("quirvane"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        application.setStyle(fusion);
    }
    QApplication::setWindowIcon(LoadResourceIcon(kAppIcon));
}

}  // namespace quirvane::app
