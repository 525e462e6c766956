// quirvane: the desktop program. Shows the main window modally and ends when
// it closes; there are no options and nothing is saved.
#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/main_dialog.h"

int main(int argc, char** argv) {
    const std::string noDisplay = quirvane::app::NoDisplayReason(
        std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (!noDisplay.empty()) {
        std::fprintf(stderr, "quirvane: %s\n", noDisplay.c_str());
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    quirvane::app::ConfigureApplication(application);
    quirvane::app::MainDialog dialog;
    dialog.exec();
    return EXIT_SUCCESS;
}
