// Start of the desktop program: the application, the main window and the event loop.
#include <clocale>

#include "workbench/main_window.h"
#include "workbench/workbench_app.h"

int main(int argc, char** argv) {
    gramarbor::TWorkbenchApp app(argc, argv);
    // Numbers are read and written with "." whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Gramarbor"));
    gramarbor::TForm1 form;
    if (!form.Started()) return 1;
    form.FormShow();
    return app.exec();
}
