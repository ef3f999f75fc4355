// The condition dialog's rows, checks and messages.
#include "rtn/cond_dialog.h"

#include <gtest/gtest.h>

namespace gramarbor {
namespace {

using Cells = std::vector<std::string>;
using Rows = std::vector<std::pair<const char*, const char*>>;

// A dialog opened for node `node` of net `net` with `count` nodes and no conditions.
struct OpenDialog {
    RecordingSink Sink;
    TCondDlg Dlg{Sink};
    OpenDialog(const std::string& net, int count, int node, const Rows& rows = {}) {
        Dlg.SetupCondDlg(net, count, false, node);
        for (int r = 1; r <= CondRows; ++r) {
            Dlg.Conds[r].clear();
            Dlg.Srcs[r] = net + std::to_string(node);
            Dlg.Dsts[r] = net + std::to_string(node + 1);
        }
        Dlg.FormShow();
        // Rows 1, 2, ... get conditions; a destination of "" keeps the default.
        int r = 1;
        for (const auto& [cond, dst] : rows) {
            Dlg.Conds[r] = cond;
            if (*dst) Dlg.Dsts[r] = dst;
            ++r;
        }
    }
    // Rows 1 to CondRows of a column of cells.
    static Cells Col(const std::array<std::string, CondRows + 1>& cells) {
        return {cells.begin() + 1, cells.end()};
    }
    int Ok() {
        Sink.Clear();
        Dlg.OkBtnClick();
        return Dlg.DlgResult;
    }
};

TEST(CondDlg, AcceptsTheKindsOfConditionsWithoutDuplicates) {
    OpenDialog o("Net0", 4, 0, {{"\"the\"", ""}, {"@number", ""}, {"JMP", ""}, {"np", ""}});
    EXPECT_EQ(o.Ok(), DlgAccepted);
    EXPECT_TRUE(o.Sink.Empty());
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"the", "@Number", "JMP", "NP", ""}));
    EXPECT_EQ((std::array<int, 6>{0, 4, 3, 1, 2, 0}), o.Dlg.RowKind);
    EXPECT_EQ(o.Dlg.RowSrc[1], 0);
    EXPECT_EQ(o.Dlg.RowDst[1], 1);

    OpenDialog dup("N", 3, 0, {{"np", ""}, {"NP", ""}, {"\"a\"", ""}, {"\"A\"", ""}});
    EXPECT_EQ(dup.Ok(), DlgAccepted);
    EXPECT_EQ((std::array<int, 6>{0, 2, 0, 4, 0, 0}), dup.Dlg.RowKind);
}

// Each refusal gives its one message and shows the dialog again with the cells as
// typed, but for the one cell its message names, which is set right.
TEST(CondDlg, EachCheckGivesItsMessageAndKeepsTheTypedCells) {
    struct Repair {
        int Row = 0; // 0: nothing repaired
        bool Dst = true;
        const char* Value = "";
    };
    const struct {
        const char* Net;
        Rows Typed;
        std::string Message;
        Repair Repaired = {};
    } cases[] = {
        {"NP", {{"A", ""}, {"pOp", "NP3"}}, "Pop-arcs can`t be entered.", {2, false, ""}},
        {"NP", {{"A", ""}, {"\"the", ""}}, "Error in #2: Text must be included in \"..\"."},
        {"NP", {{"A", ""}, {"\"", ""}}, "Error in #2: Text must be included in \"..\"."},
        {"NP",
         {{"A", ""}, {"@word", ""}},
         "Error in #2: only \"@Ident\", \"@Number\", \"@Float\", \"@Integer\" is allowed."},
        {"NP", {{"A", ""}, {"a-b", ""}}, "Error in #2: \"a-b\" is no valid NT-symbol-name."},
        {"NP", {{"A", ""}, {"X", "XY1"}}, "Wrong node-name: XY1"},
        {"NP", {{"A", ""}, {"X", "NP"}}, "Wrong node-name: NP"},
        {"NP", {{"A", ""}, {"X", "NP9"}}, "Wrong node-destination: NP9"},
        {"NP", {{"A", ""}, {"X", "NP2"}}, MsgBackwardByYourself, {2, true, "NP3"}},
        {"NP", {{"A", "NP1"}}, MsgBackwardByYourself, {1, true, "NP3"}},
        {"NP", {}, "Please input at least 1 condition."},
        {"NP", {{"jmp", ""}, {"A", "NP4"}}, MsgPlainForwardRow},
        {"NP", {{"A", "NP4"}}, MsgOnlyConditionToNext, {1, true, "NP3"}},
        {"NP",
         {{"B", "NP4"}, {"C", "NP4"}, {"D", "NP4"}},
         "Condition #3 must always end in the following node.",
         {3, true, "NP3"}},
        // Refusals after good rows.
        {"Net0",
         {{"\"the\"", ""}, {"@number", ""}, {"np", ""}, {"\"\"", ""}, {"x", "Net00"}},
         MsgBackwardByYourself,
         {5, true, "NET01"}},
        {"Net0", {{"jmp", "Net01"}, {"A", "Net02"}, {"B", "Net03"}}, MsgPlainForwardRow},
        {"Net0",
         {{"\"a\"", ""}, {"Jmp", ""}, {"@Ident", ""}, {"a-b", ""}},
         "Error in #4: \"a-b\" is no valid NT-symbol-name."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const int node = c.Net == std::string("NP") ? 2 : 0;
        OpenDialog o(c.Net, 5, node, c.Typed);
        auto conds = o.Dlg.Conds;
        auto dsts = o.Dlg.Dsts;
        EXPECT_EQ(o.Ok(), DlgAgain);
        EXPECT_EQ(o.Sink.Texts(), Cells{c.Message});
        if (c.Repaired.Row) (c.Repaired.Dst ? dsts : conds)[c.Repaired.Row] = c.Repaired.Value;
        EXPECT_EQ(o.Dlg.Conds, conds);
        EXPECT_EQ(o.Dlg.Dsts, dsts);
    }

    // A source cell naming another node would store an arc outside this node.
    OpenDialog foreign("NP", 4, 2, {{"A", ""}});
    foreign.Dlg.Srcs[1] = "NP1";
    EXPECT_EQ(foreign.Ok(), DlgAgain);
    EXPECT_EQ(foreign.Sink.Last(), "Wrong node-name: NP1");
}

// The last filled row must end in the next node: another row that does takes its
// place, silently, once OK is accepted; the node-name cells stay.
TEST(CondDlg, ARowToTheNextNodeTakesTheLastRowsPlace) {
    const struct {
        int Count;
        Rows Typed;
        Cells Stored;
        std::vector<int> Dsts;
    } cases[] = {
        {4, {{"A", ""}, {"B", ""}, {"C", "N2"}}, {"C", "B", "A", "", ""}, {2, 1, 1}},
        {5, {{"B", "N1"}, {"C", "N3"}, {"D", "N3"}}, {"D", "C", "B", "", ""}, {3, 3, 1}},
        {5,
         {{"A", ""}, {"B", "N3"}, {"C", "N3"}, {"D", "N2"}, {"E", "N4"}},
         {"E", "B", "C", "D", "A"},
         {4, 3, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed.size());
        OpenDialog o("N", c.Count, 0, c.Typed);
        const auto dsts = o.Dlg.Dsts;
        EXPECT_EQ(o.Ok(), DlgAccepted);
        EXPECT_TRUE(o.Sink.Empty());
        EXPECT_EQ(o.Col(o.Dlg.RowText), c.Stored);
        EXPECT_EQ(
            std::vector<int>(o.Dlg.RowDst.begin() + 1, o.Dlg.RowDst.begin() + 1 + c.Dsts.size()),
            c.Dsts);
        EXPECT_EQ(o.Dlg.Dsts, dsts);
    }

    // After a refusal the rows are stored as then typed: the repaired backward row as
    // it was set back, the exchange only on acceptance.
    OpenDialog o("Net0", 4, 0, {{"\"the\"", ""}, {"\"\"", ""}, {"x", "Net00"}});
    EXPECT_EQ(o.Ok(), DlgAgain);
    o.Dlg.FormShow();
    EXPECT_EQ(o.Ok(), DlgAccepted);
    EXPECT_EQ(o.Col(o.Dlg.RowText), (Cells{"the", "", "X", "", ""}));
    EXPECT_EQ((std::array<int, 6>{0, 4, 4, 2, 0, 0}), o.Dlg.RowKind);
    OpenDialog swapped("Net0", 4, 0, {{"jmp", "Net01"}, {"A", "Net02"}, {"B", "Net03"}});
    EXPECT_EQ(swapped.Ok(), DlgAgain);
    swapped.Dlg.Conds[1] = "C";
    EXPECT_EQ(swapped.Ok(), DlgAccepted);
    EXPECT_EQ(swapped.Col(swapped.Dlg.RowText), (Cells{"B", "A", "C", "", ""}));
}

TEST(CondDlg, RowsCompactInsertAndDelete) {
    OpenDialog o("N", 5, 1, {{"", ""}, {"A", "N3"}, {"", ""}, {"", ""}, {"B", ""}});
    EXPECT_TRUE(o.Dlg.CompactRows());
    EXPECT_EQ(o.Dlg.FilledCount, 2);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"A", "B", "", "", ""}));
    EXPECT_EQ(o.Dlg.Dsts[1], "N3");

    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbRight, ssRight);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"", "A", "B", "", ""}));
    EXPECT_EQ(o.Dlg.Dsts[1], "N2");
    EXPECT_EQ(o.Dlg.Dsts[2], "N3");
    o.Dlg.EnterCondsMouseDown(2, TMouseButton::mbRight, ssRight | ssCtrl);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"B", "", "", "", ""}));
    // Other shift states and the header row do nothing.
    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbRight, ssRight | ssShift);
    o.Dlg.EnterCondsMouseDown(0, TMouseButton::mbRight, ssRight);
    o.Dlg.EnterCondsMouseDown(1, TMouseButton::mbLeft, ssLeft);
    EXPECT_EQ(o.Col(o.Dlg.Conds), (Cells{"B", "", "", "", ""}));
}

TEST(CondDlg, OptionalAndRepeatedNodeTypes) {
    OpenDialog opt("N", 4, 1);
    opt.Dlg.Conds[3] = "A";
    opt.Dlg.NodeTypeRGClick(TNodeType::Optional);
    EXPECT_EQ(opt.Dlg.NodeType, TNodeType::Optional);
    EXPECT_EQ(opt.Col(opt.Dlg.Conds), (Cells{"A", "jmp", "", "", ""}));
    EXPECT_EQ(opt.Dlg.Dsts[2], "N2");
    EXPECT_TRUE(opt.Dlg.EditingEnabled);

    OpenDialog rep("Net0", 4, 0, {{"\"a\"", ""}});
    rep.Dlg.NodeTypeRGClick(TNodeType::Repeated);
    EXPECT_EQ(rep.Col(rep.Dlg.Conds), (Cells{"\"a\"", "\"a\"", "jmp", "", ""}));
    EXPECT_EQ(rep.Dlg.Srcs[2], "NET01");
    EXPECT_EQ(rep.Dlg.Dsts[2], "Net00");
    EXPECT_FALSE(rep.Dlg.EditingEnabled);
    EXPECT_FALSE(rep.Dlg.NodeTypeEnabled);
    EXPECT_EQ(rep.Ok(), DlgAccepted);
    EXPECT_EQ(rep.Dlg.RowSrc[2], 1);
    EXPECT_EQ(rep.Dlg.RowDst[2], 0);

    const struct {
        Rows Typed;
        std::string Message;
    } refusals[] = {
        {{}, "Please enter a condition first."},
        {{{"jmp", ""}}, "You can\xB4t have have an optional or repeated \"jmp\"/\"pop\"!"},
        {{{"A", ""}, {"B", ""}},
         "Only 1 condition is allowed when creating an optional or repeated node."},
    };
    for (const auto& r : refusals) {
        OpenDialog o("N", 4, 0, r.Typed);
        o.Dlg.NodeTypeRGClick(TNodeType::Repeated);
        EXPECT_EQ(o.Sink.Texts(), Cells{r.Message});
        EXPECT_EQ(o.Dlg.NodeType, TNodeType::Normal);
    }

    // Showing the dialog again resets the node type, so the loop row is refused.
    OpenDialog o("N", 4, 0, {{"A", ""}});
    o.Dlg.NodeTypeRGClick(TNodeType::Repeated);
    o.Dlg.FormShow();
    EXPECT_EQ(o.Dlg.NodeType, TNodeType::Normal);
    EXPECT_EQ(o.Ok(), DlgAgain);
    EXPECT_EQ(o.Sink.Last(), MsgBackwardByYourself);
}

TEST(CondDlg, PopAndRepeatedNodesAreReadOnly) {
    RecordingSink sink;
    TCondDlg dlg(sink);
    dlg.SetupCondDlg("n", 3, false, 2);
    dlg.FormShow();
    EXPECT_TRUE(dlg.IsPopNode);
    EXPECT_EQ(dlg.DlgNetName, "N");
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
