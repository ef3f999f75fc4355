// The network sheet's commands, options and files, driven without a window (mouse
// and dialog scenarios are scripts, see network_script_test.cpp).
#include "rtn/rtn_workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "picture/wmf_writer.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class Workspace : public ::testing::Test {
protected:
    void MakeFrom(const TRuleList& rules) {
        ASSERT_EQ(Ws.MakeRTNClick(true, true, &rules), TMakeRtnResult::Made);
    }

    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TRtnWorkspace Ws{Sink, Measurer};
};

TEST_F(Workspace, MakeRtnReportsMissingOrBadGrammars) {
    const TRuleList rules = Rules(QuickStart);
    EXPECT_EQ(Ws.MakeRTNClick(false, true, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, false, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, true, nullptr), TMakeRtnResult::NotMade);
    EXPECT_EQ(Sink.Texts(), (std::vector<std::string>{MsgDefineValidCfg, MsgNoCfgYet}));

    MakeFrom(rules);
    EXPECT_EQ(Ws.RtnPicture.Height, 7 * 128);
    const TRuleList tooMany = Rules({"VP = (A,B,C,D,E)"});
    EXPECT_EQ(Ws.MakeRTNClick(true, true, &tooMany), TMakeRtnResult::TooManyAlternatives);
    EXPECT_EQ(Ws.AreaWidth, 16);
}

TEST_F(Workspace, DisplayOptionsRedraw) {
    EXPECT_FALSE(Ws.NodeSizeChange(3));
    MakeFrom(Rules({"S = NP VP"}));
    EXPECT_TRUE(Ws.NodeSizeChange(16));
    EXPECT_EQ(Ws.RtnPicture.Width, 4 * 160);
    EXPECT_TRUE(Ws.NodeDistChange(40));
    EXPECT_EQ(Ws.Metrics.NodeDist, 16);
    EXPECT_EQ(Ws.AreaWidth, 4 * (160 + 128));
    Ws.ArcCheckBoxClick(true);
    EXPECT_FALSE(Ws.LinesAllowed);
    EXPECT_EQ(Ws.FileOptions(), (TRtnFileOptions{false, 16, 16}));
}

class WorkspaceFiles : public Workspace, public ScratchFolder {};

TEST_F(WorkspaceFiles, SaveAndLoadKeepTheNetworkAndOptions) {
    MakeFrom(Rules(QuickStart));
    Ws.NodeSizeChange(5);
    Ws.NodeDistChange(7);
    Ws.ArcCheckBoxClick(true);
    ASSERT_TRUE(Ws.SaveRTNButtonClick(Path("quick.RTN")));
    const TRtn saved = *Ws.Rtn;

    RecordingSink sink;
    TRtnWorkspace other(sink, Measurer);
    ASSERT_TRUE(other.LoadRTNButtonClick(Path("quick.RTN")));
    EXPECT_EQ(*other.Rtn, saved);
    EXPECT_EQ(other.FileOptions(), (TRtnFileOptions{false, 5, 7}));
    EXPECT_EQ(other.Metrics.NodeRadius, 29);
    EXPECT_EQ(other.RtnPicture.Calls(), Ws.RtnPicture.Calls());
    EXPECT_EQ(other.NewNetCounter, 0);
}

TEST_F(WorkspaceFiles, FailedLoadKeepsNetworkAndPicture) {
    MakeFrom(Rules(QuickStart));
    const TRtn before = *Ws.Rtn;
    const Picture picture = Ws.RtnPicture;
    const std::string broken = std::string(GRAMARBOR_TEST_DATA) + "/broken/net_";
    EXPECT_FALSE(Ws.LoadRTNButtonClick(broken + "second_net_truncated.rtn"));
    EXPECT_FALSE(Ws.LoadRTNButtonClick(Path("x.CFG")));
    EXPECT_EQ(Sink.Texts(), (std::vector<std::string>{
                                MsgRtnDamaged(broken + "second_net_truncated.rtn",
                                              "net 2 (\"B\"), node B0 is truncated or damaged"),
                                MsgRtnWrongExtension}));
    EXPECT_TRUE(Ws.HasRtn());
    EXPECT_EQ(*Ws.Rtn, before);
    EXPECT_EQ(Ws.RtnPicture.Calls(), picture.Calls());
}

TEST_F(WorkspaceFiles, MetafileExportWholeAndSplit) {
    const PictureFileWriter wmf = [](const Picture& p, const std::string& path) {
        return SavePictureAsWmf(p, path);
    };
    MakeFrom(Rules(QuickStart));
    std::vector<std::string> written;
    Ws.WMFSplitCBClick(false);
    ASSERT_TRUE(Ws.SaveMetaButtonClick(Path("RTN.WMF"), wmf, &written));
    Ws.WMFSplitCBClick(true);
    ASSERT_TRUE(Ws.SaveMetaButtonClick(Path("RTN.WMF"), wmf, &written));
    // One net: only the part that holds it is written.
    MakeFrom(Rules({"X = {\"a\"} [B]"}));
    ASSERT_TRUE(Ws.SaveMetaButtonClick(Path("one.wmf"), wmf, &written));
    EXPECT_EQ(written,
              (std::vector<std::string>{Path("RTN.WMF"), Path("RTN_0.WMF"), Path("RTN_1.WMF"),
                                        Path("RTN_2.WMF"), Path("one_0.wmf")}));
    EXPECT_FALSE(fs::exists(Path("one_1.wmf")));
    // Metafiles; what the desktop readers make of them is proved by the picture tests
    // and through the command-line tool.
    for (const std::string& path : written) {
        std::string bytes;
        ASSERT_EQ(ReadFileBytes(path, bytes), FileError::None) << path;
        EXPECT_EQ(bytes.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4)) << path;
    }
    Ws.ClearRTNBtnClick();
    EXPECT_FALSE(Ws.SaveMetaButtonClick(Path("none.wmf"), wmf));
    EXPECT_EQ(Sink.Last(), MsgNoRtnToSave);
}

TEST(DialogPlacement, StaysOnTheScreen) {
    EXPECT_EQ(PlaceCondDlg({400, 256}, 300, 200, 1280, 1024), (TPoint{250, 256}));
    EXPECT_EQ(PlaceCondDlg({400, 900}, 300, 200, 1280, 1024), (TPoint{250, 900 - 200 - 128}));
    EXPECT_EQ(PlaceCondDlg({1250, 256}, 300, 200, 1280, 1024), (TPoint{980, 256}));
    EXPECT_EQ(PlaceNetNameDlg({0, -30}), (TPoint{0, 0}));
}

} // namespace
} // namespace gramarbor
