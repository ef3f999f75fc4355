// Start-up on a screen smaller than 1024 x 768 is refused with its message.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "workbench/fake_prompter.h"
#include "workbench/main_window.h"

namespace gramarbor {
namespace {

TEST(ScreenSizeTest, SmallScreenEndsTheStartWithTheDesktopMessage) {
    test::FakePrompter prompts;
    TForm1 form(&prompts);
    EXPECT_FALSE(form.Started());
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(prompts.Last(), "Wrong desktop size. Use 1024*768, 1152*864, 1280*1024 or more.");
}

} // namespace
} // namespace gramarbor
