#include "qtcanvas/gui_session.h"

#include <QGuiApplication>

namespace gramarbor {

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    const bool hasDisplay =
        qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!hasDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gramarbor";
    static char* argv[] = {name, nullptr};
    // Never destroyed: it must outlive every font and image the program still holds.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

} // namespace gramarbor
