// The network sheet's commands and mouse actions, driven without a window.
#include "rtn/rtn_workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/file_io.h"
#include "picture/wmf_writer.h"
#include "rtn/rtn_to_cfg.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Plays the user's part in the dialogs: each showing runs the next scripted step.
class ScriptedDialogs final : public TRtnDialogHost {
public:
    std::vector<std::function<void(TCondDlg&)>> CondSteps;
    std::vector<std::function<void(TNetNameDlg&)>> NameSteps;
    std::vector<TPoint> Anchors;
    int CondShown = 0;
    int NameShown = 0;

    void ShowCondDlg(TCondDlg& dlg, TPoint anchor) override {
        Show(CondSteps, CondShown, dlg, anchor);
    }
    void ShowNetNameDlg(TNetNameDlg& dlg, TPoint anchor) override {
        Show(NameSteps, NameShown, dlg, anchor);
    }

private:
    // Runs the next step, or cancels once the steps have run out.
    template <class Dlg>
    void Show(const std::vector<std::function<void(Dlg&)>>& steps, int& shown, Dlg& dlg,
              TPoint anchor) {
        Anchors.push_back(anchor);
        if (shown < static_cast<int>(steps.size()))
            steps[static_cast<std::size_t>(shown)](dlg);
        else
            dlg.CancelBtnClick();
        ++shown;
    }
};

class Workspace : public ::testing::Test {
protected:
    Workspace() { Ws.SetDialogHost(&Dialogs); }

    // Moves the mouse to (x, y) and clicks.
    void Click(TMouseButton button, unsigned shift, int32_t x, int32_t y) {
        Ws.TrackFocus(x, y);
        Ws.PaintBox1MouseDown(button, shift, x, y);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TRTNLine& net : *Ws.Rtn)
            names.push_back(net.Name);
        return names;
    }
    std::vector<std::string> Cfg() {
        std::vector<std::string> lines;
        EXPECT_TRUE(Ws.MakeCFGClick(lines));
        return lines;
    }
    void MakeFrom(const TRuleList& rules) {
        ASSERT_EQ(Ws.MakeRTNClick(true, true, &rules), TMakeRtnResult::Made);
    }

    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    ScriptedDialogs Dialogs;
    TRtnWorkspace Ws{Sink, Measurer};
};

TEST_F(Workspace, MakeRtnReportsMissingOrBadGrammars) {
    const TRuleList rules = QuickStartRules();
    EXPECT_EQ(Ws.MakeRTNClick(false, true, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, false, &rules), TMakeRtnResult::NotMade);
    EXPECT_EQ(Ws.MakeRTNClick(true, true, nullptr), TMakeRtnResult::NotMade);
    EXPECT_EQ(Sink.Texts(), (std::vector<std::string>{MsgDefineValidCfg, MsgNoCfgYet}));

    MakeFrom(rules);
    EXPECT_EQ(Names().size(), 7u);
    EXPECT_EQ(Ws.RtnPicture.Height, 7 * 128);
    const TRuleList tooMany = {
        Rule("VP", {Alts({Nt("A"), Nt("B"), Nt("C"), Nt("D"), Nt("E")}, ctOptAlternatives)})};
    EXPECT_EQ(Ws.MakeRTNClick(true, true, &tooMany), TMakeRtnResult::TooManyAlternatives);
    EXPECT_FALSE(Ws.HasRtn());
    EXPECT_TRUE(Ws.RtnPicture.Empty());
    EXPECT_EQ(Ws.AreaWidth, 16);
}

// Right click in the lower half of a net's name area: a net after it, in the upper
// half: before it; a left click renames, with Ctrl a right click deletes.
TEST_F(Workspace, NetsAreInsertedDeletedAndRenamed) {
    Ws.NewRTNButtonClick();
    std::vector<std::string> lines;
    EXPECT_FALSE(Ws.MakeCFGClick(lines)); // no condition yet
    EXPECT_EQ(Sink.Last(), MsgNodeCheckFailed("\"Net0\"-network in node \"Net00\""));
    Sink.Clear();
    Click(TMouseButton::mbRight, ssRight, 20, 100);
    Click(TMouseButton::mbRight, ssRight, 20, 140);
    Click(TMouseButton::mbRight, ssRight | ssShift, 20, 140); // not a gesture
    EXPECT_EQ(Names(), (std::vector<std::string>{"Net0", "Net2", "Net1"}));
    Dialogs.NameSteps = {[](TNetNameDlg& d) {
                             d.NetNameEdit = "9x";
                             d.OKBtnClick();
                         },
                         [](TNetNameDlg& d) {
                             EXPECT_EQ(d.DlgResult, DlgCancelled); // reset by FormShow
                             d.NetNameEdit = "verb";
                             d.OKBtnClick();
                         }};
    Click(TMouseButton::mbLeft, ssLeft, 20, 150);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Net0", "VERB", "Net1"}));
    EXPECT_EQ(Dialogs.Anchors.back(), (TPoint{0, 130}));
    EXPECT_EQ(Sink.Texts(), std::vector<std::string>{"Wrong net-name."});

    for (int i = 0; i < 3; ++i)
        Click(TMouseButton::mbRight, ssRight | ssCtrl, 20, 10);
    EXPECT_TRUE(Ws.Rtn->empty());
    EXPECT_EQ(Ws.RtnPicture.Height, 0);
    // The focused net is gone: a left click does nothing, a right click makes Net0.
    Ws.PaintBox1MouseDown(TMouseButton::mbLeft, ssLeft, 20, 10);
    EXPECT_EQ(Dialogs.NameShown, 2);
    Ws.PaintBox1MouseDown(TMouseButton::mbRight, ssRight, 20, 10);
    EXPECT_EQ(Names(), std::vector<std::string>{"Net0"});
}

TEST_F(Workspace, NodesAreInsertedAndDeletedWithTheirArcs) {
    MakeFrom({Rule("X", {Nt("A"), Nt("B"), Nt("C")})});
    // Left half of transition 0: a node before node 0.
    Click(TMouseButton::mbRight, ssRight, 100, 64);
    const auto& nodes = (*Ws.Rtn)[0].Nodes;
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_TRUE(nodes[0].empty());
    EXPECT_EQ(nodes[1], (TRtnNodeConds{Cond(ckPush, 1, "A", 2)}));
    EXPECT_EQ(nodes[4], (TRtnNodeConds{Cond(ckPop, 4, "pop", PopDst)}));
    // Delete it again with Ctrl and the right button.
    Click(TMouseButton::mbRight, ssRight | ssCtrl, 100, 64);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0], (TRtnNodeConds{Cond(ckPush, 0, "A", 1)}));
    // Right half of transition 0: between node 0 and 1; A now enters the empty node.
    Click(TMouseButton::mbRight, ssRight, 170, 64);
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0], (TRtnNodeConds{Cond(ckPush, 0, "A", 1)}));
    EXPECT_TRUE(nodes[1].empty());
    EXPECT_EQ(nodes[2], (TRtnNodeConds{Cond(ckPush, 2, "B", 3)}));
    // Deleting the empty node lets A enter its former successor.
    Click(TMouseButton::mbRight, ssRight | ssCtrl, 200, 64);
    EXPECT_EQ(Cfg(), std::vector<std::string>{"X = A B C"});
    // The pop node cannot be deleted.
    Click(TMouseButton::mbRight, ssRight | ssCtrl, 5000, 64);
    EXPECT_EQ(nodes.size(), 4u);
    for (const TRTNLine& net : *Ws.Rtn)
        EXPECT_TRUE(NetIsWellFormed(net));
}

TEST_F(Workspace, InsertingAroundARepeatedNodeKeepsItsLoop) {
    MakeFrom({Rule("X", {Nt("A"), Term("a", ctRepeated), Nt("B")})});
    Click(TMouseButton::mbRight, ssRight, 100, 64); // before node 0
    Click(TMouseButton::mbRight, ssRight, 440, 64); // between the repeated node and B
    Click(TMouseButton::mbRight, ssRight | ssCtrl, 100, 64);
    for (const TRTNLine& net : *Ws.Rtn)
        EXPECT_TRUE(NetIsWellFormed(net));
    const auto& nodes = (*Ws.Rtn)[0].Nodes;
    EXPECT_EQ(nodes[1][1], Cond(ckText, 2, "a", 1));
}

TEST_F(Workspace, ConditionsAreEditedThroughTheDialog) {
    Ws.NewRTNButtonClick();
    Dialogs.CondSteps = {[](TCondDlg& d) {
        EXPECT_EQ(d.Conds[5] + d.Srcs[5] + d.Dsts[5], "Net00Net01");
        d.Conds[1] = "\"the\"";
        d.OkBtnClick();
    }};
    Click(TMouseButton::mbLeft, ssLeft, 100, 64);
    EXPECT_EQ((*Ws.Rtn)[0].Nodes[0], (TRtnNodeConds{Cond(ckText, 0, "the", 1)}));
    EXPECT_EQ(Dialogs.Anchors.back(), (TPoint{136, 128}));

    // Node 1 repeated; on the next opening it is read-only and OK changes nothing.
    Dialogs.CondSteps.push_back([](TCondDlg& d) {
        d.Conds[1] = "a";
        d.NodeTypeRGClick(TNodeType::Repeated);
        d.OkBtnClick();
    });
    Dialogs.CondSteps.push_back([](TCondDlg& d) {
        EXPECT_TRUE(d.IsRepeated);
        EXPECT_FALSE(d.EditingEnabled);
        EXPECT_EQ(d.Dsts[1], "Net02");
        EXPECT_EQ(d.Srcs[2], "Net02");
        d.OkBtnClick();
    });
    Click(TMouseButton::mbLeft, ssLeft, 230, 64);
    Click(TMouseButton::mbLeft, ssLeft, 230, 64);
    EXPECT_EQ((*Ws.Rtn)[0].Nodes[1],
              (TRtnNodeConds{Cond(ckPush, 1, "A", 2), Cond(ckPush, 2, "A", 1),
                             Cond(ckJmp, 1, "jmp", 2)}));

    // A failed check shows the dialog again; cancelling then leaves the node alone.
    Dialogs.CondSteps.push_back([](TCondDlg& d) {
        d.Conds[1] = "pop";
        d.OkBtnClick();
    });
    Dialogs.CondSteps.push_back([](TCondDlg& d) { d.CancelBtnClick(); });
    Click(TMouseButton::mbLeft, ssLeft, 360, 64);
    EXPECT_EQ(Dialogs.CondShown, 5);
    EXPECT_TRUE((*Ws.Rtn)[0].Nodes[2].empty());
    Dialogs.CondSteps.push_back([](TCondDlg& d) {
        d.Conds[1] = "@float";
        d.OkBtnClick();
    });
    Click(TMouseButton::mbLeft, ssLeft, 360, 64);
    EXPECT_EQ(Cfg(), std::vector<std::string>{"Net0 = \"the\" {A} @Float"});
}

TEST_F(Workspace, RefusedDialogComesBackWithTheUsersInput) {
    Ws.NewRTNButtonClick();
    Dialogs.CondSteps = {[](TCondDlg& d) {
                             d.Conds[1] = "\"the\"";
                             d.Conds[2] = "x";
                             d.Dsts[2] = "Net00";
                             d.OkBtnClick();
                         },
                         [](TCondDlg& d) {
                             EXPECT_EQ(d.Conds[1], "\"the\"");
                             EXPECT_EQ(d.Conds[2], "x");
                             d.Dsts[2] = "Net01";
                             d.OkBtnClick();
                         }};
    Click(TMouseButton::mbLeft, ssLeft, 100, 64);
    EXPECT_EQ((*Ws.Rtn)[0].Nodes[0],
              (TRtnNodeConds{Cond(ckText, 0, "the", 1), Cond(ckPush, 0, "X", 1)}));
}

TEST_F(Workspace, DisplayOptionsRedraw) {
    EXPECT_FALSE(Ws.NodeSizeChange(3));
    MakeFrom({Rule("S", {Nt("NP"), Nt("VP")})});
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
    MakeFrom(QuickStartRules());
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
    MakeFrom(QuickStartRules());
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
    MakeFrom(QuickStartRules());
    std::vector<std::string> written;
    Ws.WMFSplitCBClick(false);
    ASSERT_TRUE(Ws.SaveMetaButtonClick(Path("RTN.WMF"), wmf, &written));
    Ws.WMFSplitCBClick(true);
    ASSERT_TRUE(Ws.SaveMetaButtonClick(Path("RTN.WMF"), wmf, &written));
    // One net: only the part that holds it is written.
    MakeFrom({Rule("X", {Term("a", ctRepeated), Nt("B", ctOptional)})});
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
