#include "app/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <quirvane/version.h>

#include "app/dialog_font.h"
#include "app/dialog_template.h"
#include "app/message_box.h"

namespace quirvane::app {
namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

const char kQtTranslator[] = "qtbase_ja";

}  // namespace

bool InstallQtJapanese(QApplication& application) {
    if (application.findChild<QTranslator*>(QLatin1String(kQtTranslator)) != nullptr) {
        return true;  // the tests configure the one application again and again
    }
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLatin1String(kQtTranslator),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    translator->setObjectName(QLatin1String(kQtTranslator));
    QApplication::installTranslator(translator);
    return true;
}

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
    // The program speaks Japanese whatever the desktop's language, and so do
    // the parts of it that Qt draws: the file dialogs, their messages, the
    // edit boxes' context menus, the dates and sizes in the file list.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    InstallQtJapanese(application);
    const DialogTemplate& main = LoadDialogTemplate(kMainTemplate);
    QApplication::setFont(DialogFontOf(main.fontFamily, main.fontPoints));
}

}  // namespace quirvane::app
