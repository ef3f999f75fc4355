// Memory that runs out inside a command: one message, and the program takes the next
// command as before.
#include <new>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

#include "base/message_sink.h"
#include "workbench/workbench_app.h"

namespace gramarbor {
namespace {

// A receiver whose first command runs out of memory. The event lives on the test's
// stack: an exception thrown through Qt's own delivery of a mouse click would leak
// the copy of the event that Qt makes for the widget.
class TCommandReceiver final : public QObject {
public:
    int Commands = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (++Commands == 1) throw std::bad_alloc();
        return true;
    }
};

TEST(WorkbenchApp, CommandWithoutMemoryEndsInOneMessageAndTheNextOneRuns) {
    auto* app = dynamic_cast<TWorkbenchApp*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    std::vector<std::string> shown;
    const auto previous = app->ShowMemoryMessage;
    app->ShowMemoryMessage = [&shown](const std::string& text) { shown.push_back(text); };

    TCommandReceiver receiver;
    QEvent command(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &command));
    EXPECT_EQ(shown, std::vector<std::string>{MsgOutOfMemory});
    EXPECT_TRUE(QCoreApplication::sendEvent(&receiver, &command));
    EXPECT_EQ(receiver.Commands, 2);
    EXPECT_EQ(shown.size(), 1u);
    app->ShowMemoryMessage = previous;
}

} // namespace
} // namespace gramarbor
