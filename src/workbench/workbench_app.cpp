// Runs every event of the desktop program, turning memory that runs out in a command
// into one message.
#include "workbench/workbench_app.h"

#include <new>

#include "base/message_sink.h"
#include "workbench/prompter.h"

namespace gramarbor {

TWorkbenchApp::TWorkbenchApp(int& argc, char** argv) : QApplication(argc, argv) {
    ShowMemoryMessage = [](const std::string& text) {
        QtPrompter(QApplication::activeWindow()).Message(MessageKind::Error, FromCore(text), false);
    };
}

bool TWorkbenchApp::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // The command is abandoned where memory ran out; what it had done stays.
        ShowMemoryMessage(MsgOutOfMemory);
        return true;
    }
}

} // namespace gramarbor
