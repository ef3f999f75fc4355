// The condition dialog's rows, checks and messages.
#include "rtn/cond_dialog.h"

#include <gtest/gtest.h>

namespace gramarbor {
namespace {

using Cells = std::vector<std::string>;

// A dialog opened for node `node` of net `net` with `count` nodes and no conditions.
struct OpenDialog {
    RecordingSink Sink;
    TCondDlg Dlg{Sink};
    OpenDialog(const std::string& net, int count, int node) {
        Dlg.SetupCondDlg(net, count, false, node);
        for (int r = 1; r <= CondRows; ++r) {
            Dlg.Conds[r].clear();
            Dlg.Srcs[r] = net + std::to_string(node);
            Dlg.Dsts[r] = net + std::to_string(node + 1);
        }
        Dlg.FormShow();
    }
    // Fills rows 1, 2, ... with conditions; a destination of "" keeps the default.
    OpenDialog& Rows(const std::vector<std::pair<const char*, const char*>>& rows) {
        int r = 1;
        for (const auto& [cond, dst] : rows) {
            Dlg.Conds[r] = cond;
            if (*dst) Dlg.Dsts[r] = dst;
            ++r;
        }
        return *this;
    }
    // Rows 1 to CondRows of a column of cells.
    static std::vector<std::string> Col(const std::array<std::string, CondRows + 1>& cells) {
        return {cells.begin() + 1, cells.end()};
    }
    int Ok() {
        Sink.Clear();
        Dlg.OkBtnClick();
        return Dlg.DlgResult;
    }
};

TEST(CondDlg, AcceptsTheKindsOfConditions) {
    OpenDialog o("Net0", 4, 0);
    o.Rows({{"\"the\"", ""}, {"@number", ""}, {"JMP", ""}, {"np", ""}});
    EXPECT_EQ(o.Ok(), DlgAccepted);
    EXPECT_TRUE(o.Sink.Empty());
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"the", "@Number", "JMP", "NP", ""}));
    EXPECT_EQ((std::array<int, 6>{0, 4, 3, 1, 2, 0}), o.Dlg.RowKind);
    EXPECT_EQ(o.Dlg.RowSrc[1], 0);
    EXPECT_EQ(o.Dlg.RowDst[1], 1);
}

TEST(CondDlg, EachCheckGivesItsMessage) {
    struct Case {
        const char* Cond;
        const char* Dst; // destination cell of row 2 (the row under test)
        std::string Message;
    };
    const Case cases[] = {
        {"pOp", "NP3", "Pop-arcs can`t be entered."},
        {"\"the", "NP3", "Error in #2: Text must be included in \"..\"."},
        {"\"", "NP3", "Error in #2: Text must be included in \"..\"."},
        {"@word", "NP3",
         "Error in #2: only \"@Ident\", \"@Number\", \"@Float\", \"@Integer\" is allowed."},
        {"a-b", "NP3", "Error in #2: \"a-b\" is no valid NT-symbol-name."},
        {"X", "XY1", "Wrong node-name: XY1"},
        {"X", "NP", "Wrong node-name: NP"},
        {"X", "NP9", "Wrong node-destination: NP9"},
        {"X", "NP1", "You can`t define a backward-condition by yourself."},
        {"X", "NP2", "You can`t define a backward-condition by yourself."},
    };
    for (const Case& c : cases) {
        OpenDialog o("NP", 4, 2);
        o.Rows({{"A", ""}, {c.Cond, c.Dst}});
        EXPECT_EQ(o.Ok(), DlgAgain) << c.Cond << " " << c.Dst;
        EXPECT_EQ(o.Sink.Texts(), std::vector<std::string>{c.Message}) << c.Cond << " " << c.Dst;
    }
}

TEST(CondDlg, FailedChecksRepairCells) {
    OpenDialog pop("NP", 4, 2);
    pop.Dlg.Conds[1] = "pop";
    EXPECT_EQ(pop.Ok(), DlgAgain);
    EXPECT_EQ(pop.Dlg.Conds[1], "");

    OpenDialog back("NP", 4, 2);
    back.Rows({{"A", "NP1"}});
    EXPECT_EQ(back.Ok(), DlgAgain);
    EXPECT_EQ(back.Dlg.Dsts[1], "NP3");
    back.Dlg.FormShow();
    EXPECT_EQ(back.Ok(), DlgAccepted);

    // A source cell naming another node would store an arc outside this node.
    OpenDialog foreign("NP", 4, 2);
    foreign.Dlg.Conds[1] = "A";
    foreign.Dlg.Srcs[1] = "NP1";
    EXPECT_EQ(foreign.Ok(), DlgAgain);
    EXPECT_EQ(foreign.Sink.Last(), "Wrong node-name: NP1");
}

TEST(CondDlg, EmptyAndJumpOnlyInputsAreRefused) {
    OpenDialog empty("N", 3, 0);
    EXPECT_EQ(empty.Ok(), DlgAgain);
    EXPECT_EQ(empty.Sink.Last(), "Please input at least 1 condition.");

    OpenDialog jumps("N", 3, 0);
    jumps.Rows({{"jmp", ""}, {"A", "N2"}});
    EXPECT_EQ(jumps.Ok(), DlgAgain);
    EXPECT_EQ(jumps.Sink.Last(), "Please enter at least 1 condition that is not a jump-arc and "
                                 "ends in the directly following node.");
}

TEST(CondDlg, LastRowMustReachTheNextNode) {
    OpenDialog one("N", 4, 0);
    one.Rows({{"A", "N2"}});
    EXPECT_EQ(one.Ok(), DlgAgain);
    EXPECT_EQ(one.Sink.Last(), "The only condition must always end in the following node.");
    EXPECT_EQ(one.Dlg.Dsts[1], "N1");

    // Three rows, the third skipping a node: rows 1 and 3 are exchanged silently.
    OpenDialog three("N", 4, 0);
    three.Rows({{"A", ""}, {"B", ""}, {"C", "N2"}});
    EXPECT_EQ(three.Ok(), DlgAccepted);
    EXPECT_TRUE(three.Sink.Empty());
    EXPECT_EQ(three.Dlg.Conds[1], "C");
    EXPECT_EQ(three.Dlg.RowDst[1], 2);
    EXPECT_EQ(three.Dlg.Conds[3], "A");
    EXPECT_EQ(three.Dlg.RowDst[3], 1);
    EXPECT_EQ(three.Dlg.Dsts[3], "N2"); // the node-name cells stay

    OpenDialog noPartner("N", 5, 0);
    noPartner.Rows({{"B", "N1"}, {"C", "N3"}, {"D", "N3"}});
    EXPECT_EQ(noPartner.Ok(), DlgAccepted); // row 1 can take the place of row 3

    OpenDialog allSkip("N", 4, 0);
    allSkip.Rows({{"B", "N2"}, {"C", "N2"}, {"D", "N2"}});
    EXPECT_EQ(allSkip.Ok(), DlgAgain);
    EXPECT_EQ(allSkip.Sink.Last(), "Condition #3 must always end in the following node.");
    EXPECT_EQ(allSkip.Dlg.Dsts[3], "N1");

    OpenDialog fiveRows("N", 5, 0);
    fiveRows.Rows({{"A", ""}, {"B", "N3"}, {"C", "N3"}, {"D", "N2"}, {"E", "N4"}});
    EXPECT_EQ(fiveRows.Ok(), DlgAccepted);
    EXPECT_EQ(fiveRows.Dlg.Conds[1], "E");
    EXPECT_EQ(fiveRows.Dlg.Conds[5], "A");
}

TEST(CondDlg, RefusedOkBringsBackTheRowsAsTyped) {
    struct Case {
        const char* What;
        std::vector<std::pair<const char*, const char*>> Rows;
        std::string Message;
    };
    const Case cases[] = {
        {"a later row goes backward",
         {{"\"the\"", ""}, {"@number", ""}, {"np", ""}, {"\"\"", ""}, {"x", "Net00"}},
         "You can`t define a backward-condition by yourself."},
        {"no plain row after the last row's place is taken",
         {{"jmp", "Net01"}, {"A", "Net02"}, {"B", "Net03"}},
         MsgPlainForwardRow},
        {"a bad symbol after good rows",
         {{"\"a\"", ""}, {"Jmp", ""}, {"@Ident", ""}, {"a-b", ""}},
         "Error in #4: \"a-b\" is no valid NT-symbol-name."},
    };
    for (const Case& c : cases) {
        OpenDialog o("Net0", 4, 0);
        o.Rows(c.Rows);
        const auto conds = o.Dlg.Conds;
        auto dsts = o.Dlg.Dsts;
        EXPECT_EQ(o.Ok(), DlgAgain) << c.What;
        EXPECT_EQ(o.Sink.Texts(), std::vector<std::string>{c.Message}) << c.What;
        // Only the backward row's node names are set back, as its message says.
        if (c.Message == MsgBackwardByYourself) dsts[5] = "NET01";
        EXPECT_EQ(o.Dlg.Conds, conds) << c.What;
        EXPECT_EQ(o.Dlg.Dsts, dsts) << c.What;
    }
}

TEST(CondDlg, FixedRowsAreStoredAsTypedAfterARefusal) {
    OpenDialog o("Net0", 4, 0);
    o.Rows({{"\"the\"", ""}, {"\"\"", ""}, {"x", "Net00"}});
    EXPECT_EQ(o.Ok(), DlgAgain);
    o.Dlg.FormShow();
    EXPECT_EQ(o.Ok(), DlgAccepted); // the backward row was set back to Net00 -> Net01
    EXPECT_EQ(o.Col(o.Dlg.RowText), (Cells{"the", "", "X", "", ""}));
    EXPECT_EQ((std::array<int, 6>{0, 4, 4, 2, 0, 0}), o.Dlg.RowKind);

    // The rows are exchanged only when the dialog is accepted.
    OpenDialog swapped("Net0", 4, 0);
    swapped.Rows({{"jmp", "Net01"}, {"A", "Net02"}, {"B", "Net03"}});
    EXPECT_EQ(swapped.Ok(), DlgAgain);
    swapped.Dlg.Conds[1] = "C";
    EXPECT_EQ(swapped.Ok(), DlgAccepted);
    EXPECT_EQ(swapped.Col(swapped.Dlg.RowText), (Cells{"B", "A", "C", "", ""}));
    EXPECT_EQ(swapped.Dlg.RowDst[1], 3);
    EXPECT_EQ(swapped.Dlg.RowDst[3], 1);
}

TEST(CondDlg, DuplicatesAreDroppedIgnoringCase) {
    OpenDialog o("N", 3, 0);
    o.Rows({{"np", ""}, {"NP", ""}, {"\"a\"", ""}, {"\"A\"", ""}});
    EXPECT_EQ(o.Ok(), DlgAccepted);
    EXPECT_EQ((std::array<int, 6>{0, 2, 0, 4, 0, 0}), o.Dlg.RowKind);
}

TEST(CondDlg, RowsCompactInsertAndDelete) {
    OpenDialog o("N", 5, 1);
    o.Rows({{"", ""}, {"A", "N3"}, {"", ""}, {"", ""}, {"B", ""}});
    EXPECT_TRUE(o.Dlg.CompactRows());
    EXPECT_EQ(o.Dlg.FilledCount, 2);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"A", "B", "", "", ""}));
    EXPECT_EQ(o.Dlg.Dsts[1], "N3");

    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbRight, ssRight);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"", "A", "B", "", ""}));
    EXPECT_EQ(o.Dlg.Dsts[1], "N2");
    EXPECT_EQ(o.Dlg.Dsts[2], "N3");

    o.Dlg.EnterCondsMouseDown(2, TMouseButton::mbRight, ssRight | ssCtrl);
    EXPECT_EQ(o.Dlg.Conds[1], "B");
    EXPECT_EQ(o.Dlg.Conds[2], "");

    // Other shift states and the header row do nothing.
    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbRight, ssRight | ssShift);
    o.Dlg.EnterCondsMouseDown(0, TMouseButton::mbRight, ssRight);
    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbLeft, ssLeft);
    EXPECT_EQ(o.Dlg.Conds[1], "B");
}

TEST(CondDlg, OptionalAndRepeatedNodeTypes) {
    OpenDialog opt("N", 4, 1);
    opt.Dlg.Conds[3] = "A";
    opt.Dlg.NodeTypeRGClick(TNodeType::Optional);
    EXPECT_EQ(opt.Dlg.NodeType, TNodeType::Optional);
    EXPECT_EQ(opt.Dlg.Conds[1], "A");
    EXPECT_EQ(opt.Dlg.Conds[2], "jmp");
    EXPECT_EQ(opt.Dlg.Dsts[2], "N2");
    EXPECT_TRUE(opt.Dlg.EditingEnabled);

    OpenDialog rep("Net0", 4, 0);
    rep.Dlg.Conds[1] = "\"a\"";
    rep.Dlg.NodeTypeRGClick(TNodeType::Repeated);
    EXPECT_EQ(rep.Dlg.Conds[2], "\"a\"");
    EXPECT_EQ(rep.Dlg.Srcs[2], "NET01");
    EXPECT_EQ(rep.Dlg.Dsts[2], "Net00");
    EXPECT_EQ(rep.Dlg.Conds[3], "jmp");
    EXPECT_FALSE(rep.Dlg.EditingEnabled);
    EXPECT_FALSE(rep.Dlg.NodeTypeEnabled);
    EXPECT_EQ(rep.Ok(), DlgAccepted);
    EXPECT_EQ(rep.Dlg.RowSrc[2], 1);
    EXPECT_EQ(rep.Dlg.RowDst[2], 0);

    struct Refusal {
        std::vector<std::string> Conds;
        std::string Message;
    };
    const Refusal refusals[] = {
        {{}, "Please enter a condition first."},
        {{"jmp"}, "You can\xB4t have have an optional or repeated \"jmp\"/\"pop\"!"},
        {{"A", "B"}, "Only 1 condition is allowed when creating an optional or repeated node."},
    };
    for (const Refusal& r : refusals) {
        OpenDialog o("N", 4, 0);
        for (std::size_t i = 0; i < r.Conds.size(); ++i)
            o.Dlg.Conds[i + 1] = r.Conds[i];
        o.Dlg.NodeTypeRGClick(TNodeType::Repeated);
        EXPECT_EQ(o.Sink.Texts(), std::vector<std::string>{r.Message});
        EXPECT_EQ(o.Dlg.NodeType, TNodeType::Normal);
    }

    // Showing the dialog again resets the node type, so the loop row is refused.
    OpenDialog o("N", 4, 0);
    o.Dlg.Conds[1] = "A";
    o.Dlg.NodeTypeRGClick(TNodeType::Repeated);
    o.Dlg.FormShow();
    EXPECT_EQ(o.Dlg.NodeType, TNodeType::Normal);
    EXPECT_EQ(o.Ok(), DlgAgain);
    EXPECT_EQ(o.Sink.Last(), "You can`t define a backward-condition by yourself.");
}

TEST(CondDlg, PopAndRepeatedNodesAreReadOnly) {
    RecordingSink sink;
    TCondDlg dlg(sink);
    dlg.SetupCondDlg("n", 3, false, 2);
    dlg.FormShow();
    EXPECT_TRUE(dlg.IsPopNode);
    EXPECT_EQ(dlg.DlgNetName, "N");
    EXPECT_FALSE(dlg.EditingEnabled);
    dlg.ClearAllBtnClick();
    EXPECT_FALSE(dlg.EditingEnabled);
    dlg.OkBtnClick();
    EXPECT_EQ(dlg.DlgResult, DlgCancelled);

    dlg.SetupCondDlg("n", 3, true, 0);
    dlg.FormShow();
    EXPECT_FALSE(dlg.EditingEnabled);
    // Help disables the buttons; closing it restores them but not the node-type choice
    // of a repeated node.
    dlg.HelpBtnClick();
    EXPECT_FALSE(dlg.ButtonsEnabled);
    dlg.HelpBtnClick();
    EXPECT_TRUE(dlg.ButtonsEnabled);
    EXPECT_FALSE(dlg.NodeTypeEnabled);
    dlg.Conds[1] = "A";
    dlg.ClearAllBtnClick();
    EXPECT_TRUE(dlg.EditingEnabled);
    EXPECT_FALSE(dlg.IsRepeated);
    EXPECT_EQ(dlg.Conds[1], "");
    EXPECT_EQ(dlg.Srcs[1], "N0");
    EXPECT_EQ(dlg.Dsts[5], "N1");
    EXPECT_TRUE(sink.Empty());
}

} // namespace
} // namespace gramarbor
