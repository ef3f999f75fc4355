// Memory that runs out inside a command: one message, and the program takes the next
// command as before.
#include <new>
#include <string>
#include <vector>

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "base/message_sink.h"
#include "workbench/workbench_app.h"

namespace gramarbor {
namespace {

TEST(WorkbenchApp, CommandWithoutMemoryEndsInOneMessageAndTheNextOneRuns) {
    auto* app = dynamic_cast<TWorkbenchApp*>(QApplication::instance());
    ASSERT_NE(app, nullptr);
    std::vector<std::string> shown;
    const auto previous = app->ShowMemoryMessage;
    app->ShowMemoryMessage = [&shown](const std::string& text) { shown.push_back(text); };

    QPushButton button(QStringLiteral("Parse"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] {
        if (++clicks == 1) throw std::bad_alloc();
    });
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(shown, std::vector<std::string>{MsgOutOfMemory});
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(shown.size(), 1u);
    app->ShowMemoryMessage = previous;
}

} // namespace
} // namespace gramarbor
