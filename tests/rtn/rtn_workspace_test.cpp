// The network sheet's commands, options and files, driven without a window (mouse
// and dialog scenarios are scripts, see network_script_test.cpp).
#include "rtn/rtn_workspace.h"

#include <gtest/gtest.h>

#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

class Workspace : public ::testing::Test {
protected:
    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TRtnWorkspace Ws{Sink, Measurer};
};

// Grammars made into networks, the display options and failed loads are scripts; the
// metafiles written, whole and split, are among the golden command lines.
TEST_F(Workspace, MakeRtnAndMetafilesRefuseWithoutAGrammarOrNetwork) {
    const TRuleList rules = Rules(QuickStart);
    EXPECT_EQ(Ws.MakeRTNClick(false, true, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, false, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, true, nullptr), TMakeRtnResult::NotMade);
    const PictureFileWriter writer = [](const Picture&, const std::string&) { return true; };
    EXPECT_FALSE(Ws.SaveMetaButtonClick(::testing::TempDir() + "/none.wmf", writer));
    EXPECT_EQ(Sink.Texts(),
              (std::vector<std::string>{MsgDefineValidCfg, MsgNoCfgYet, MsgNoRtnToSave}));
}

TEST(DialogPlacement, StaysOnTheScreen) {
    EXPECT_EQ(PlaceCondDlg({400, 256}, 300, 200, 1280, 1024), (TPoint{250, 256}));
    EXPECT_EQ(PlaceCondDlg({400, 900}, 300, 200, 1280, 1024), (TPoint{250, 900 - 200 - 128}));
    EXPECT_EQ(PlaceCondDlg({1250, 256}, 300, 200, 1280, 1024), (TPoint{980, 256}));
    EXPECT_EQ(PlaceNetNameDlg({0, -30}), (TPoint{0, 0}));
}

} // namespace
} // namespace gramarbor
