// The desktop program's application object. Every command a user starts arrives as an
// event, so memory that runs out inside a command is turned into the program's memory
// message here, once, and the program goes on with its next event.
#pragma once

#include <functional>
#include <string>

#include <QApplication>

namespace gramarbor {

class TWorkbenchApp : public QApplication {
public:
    TWorkbenchApp(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the memory message; by default an error box over the active window.
    std::function<void(const std::string& text)> ShowMemoryMessage;
};

} // namespace gramarbor
