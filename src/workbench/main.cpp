// Start of the desktop program: the application, the main window and the event loop.
#include <clocale>

#include <QApplication>

#include "workbench/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers are read and written with "." whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Gramarbor"));
    gramarbor::TForm1 form;
    if (!form.Started()) return 1;
    form.FormShow();
    return app.exec();
}
