// Creates the Qt application object once, when no program has made one.
#include "qtcanvas/gui_session.h"

#include <cstdio>

#include <QGuiApplication>

namespace gramarbor {

namespace {

QtMessageHandler previousHandler = nullptr;

// Start-up notes of Qt (such as the missing runtime folder of a session without a
// desktop) mean nothing to a user of the command-line tool; errors still pass.
void QuietStartup(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gramarbor";
    static char* argv[] = {name, nullptr};
    previousHandler = qInstallMessageHandler(QuietStartup);
    // Never destroyed: it must outlive every font and image the program still holds.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    qInstallMessageHandler(previousHandler);
    (void)application;
}

} // namespace gramarbor
