// Random edit sequences on the network sheet: whatever the mouse and the two dialogs
// do, every network the editor holds is well formed and comes back unchanged from a
// saved file, with its display options and its picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <unistd.h>

#include "rtn/rtn_file.h"
#include "rtn/rtn_workspace.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

// Plays a careless user in the dialogs: random cells, node types and row clicks, then
// OK; gives up with Cancel after a few refusals, as the workspace shows the dialog
// again as long as OK is refused.
class RandomDialogs final : public TRtnDialogHost {
public:
    explicit RandomDialogs(std::mt19937& random) : Random(random) {}

    int Showings = 0;
    int Accepted = 0;
    int Refused = 0;

    void ShowCondDlg(TCondDlg& dlg, TPoint) override {
        if (++Showings > 3 || Chance(10)) {
            dlg.CancelBtnClick();
            return;
        }
        // Mostly conditions the dialog takes, some it refuses.
        static const char* const conditions[] = {"jmp",    "\"the\"", "\"\"", "np",        "Det",
                                                 "@ident", "@Number", "VP",   "\"a dog\"", "n",
                                                 "pop",    "x-y",     "\"a",  "@word",     ""};
        if (Showings > 1 && Chance(50) && !dlg.IsPopNode) {
            // Gives in: clears the rows and types one plain condition.
            dlg.ClearAllBtnClick();
            dlg.Conds[1] = conditions[1 + Pick(9)];
        } else if (Chance(5)) {
            dlg.ClearAllBtnClick();
        }
        for (int r = 1; r <= CondRows && dlg.EditingEnabled; ++r) {
            if (Chance(50)) dlg.Conds[r] = conditions[Pick(std::size(conditions))];
            if (Chance(15)) {
                const std::string net = Chance(80) ? dlg.DlgNetName : "Other";
                dlg.Dsts[r] = NodeName(net, Pick(dlg.DlgNodeCount + 2) - 1);
            }
        }
        if (dlg.EditingEnabled && Chance(20))
            dlg.EnterCondsMouseDown(static_cast<int>(Pick(CondRows + 1)), TMouseButton::mbRight,
                                    Chance(50) ? ssRight : ssRight | ssCtrl);
        if (dlg.NodeTypeEnabled && Chance(25)) dlg.NodeTypeRGClick(static_cast<TNodeType>(Pick(3)));
        dlg.OkBtnClick();
        Accepted += dlg.DlgResult == DlgAccepted;
        Refused += dlg.DlgResult == DlgAgain;
    }

    void ShowNetNameDlg(TNetNameDlg& dlg, TPoint) override {
        if (++Showings > 3) {
            dlg.CancelBtnClick();
            return;
        }
        static const char* const names[] = {"np", "Net7", "9x", "a b", "\xC4RGER", "VERB_2"};
        dlg.NetNameEdit = names[Pick(std::size(names))];
        dlg.OKBtnClick();
    }

    bool Chance(int percent) { return static_cast<int>(Pick(100)) < percent; }
    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(Random);
    }

private:
    std::mt19937& Random;
};

TEST(RtnEditSequences, EveryEditedNetworkSavesAndLoadsBack) {
    const std::string saved =
        ::testing::TempDir() + "/rtn_edits_" + std::to_string(getpid()) + ".RTN";
    int accepted = 0;
    int refused = 0;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        std::mt19937 random(seed);
        RandomDialogs dialogs(random);
        RecordingSink sink;
        ApproxTextMeasurer measurer;
        TRtnWorkspace ws(sink, measurer);
        ws.SetDialogHost(&dialogs);
        // A new network, or one as a user might have written it by hand: loops that
        // return from nodes further on, and arcs that skip nodes.
        if (seed % 3 == 0)
            ws.NewRTNButtonClick();
        else
            ASSERT_TRUE(ws.LoadRTNButtonClick(GRAMARBOR_TEST_DATA "/rtn/hand_made.rtn"));
        // Display options the file keeps and the loaded picture is drawn with.
        ws.NodeSizeChange(static_cast<int32_t>(seed % 17));
        ws.NodeDistChange(static_cast<int32_t>(seed * 5 % 17));
        ws.ArcCheckBoxClick(seed % 2 == 0);
        for (int step = 0; step < 150; ++step) {
            // A click somewhere on the drawing (or just below it), with one of the
            // button and key combinations the editor knows, or one it ignores.
            const int32_t x = static_cast<int32_t>(dialogs.Pick(std::max(ws.AreaWidth, 64)));
            const int32_t y = static_cast<int32_t>(dialogs.Pick(ws.AreaHeight + LineHeight));
            static const std::pair<TMouseButton, unsigned> clicks[] = {
                {TMouseButton::mbLeft, ssLeft},
                {TMouseButton::mbLeft, ssLeft},
                {TMouseButton::mbRight, ssRight},
                {TMouseButton::mbRight, ssRight | ssCtrl},
                {TMouseButton::mbLeft, ssLeft | ssShift}};
            const auto [button, shift] = clicks[dialogs.Pick(std::size(clicks))];
            dialogs.Showings = 0;
            ws.TrackFocus(x, y);
            ws.PaintBox1MouseDown(button, shift, x, y);
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
            ASSERT_TRUE(ws.HasRtn());
            for (const TRTNLine& net : *ws.Rtn)
                ASSERT_TRUE(NetIsWellFormed(net)) << ::testing::PrintToString(net.Nodes);

            // The file's bytes after every step; now and then the file itself, through
            // the sheet's own Save RTN and Load RTN.
            TRtn read;
            TRtnFileOptions options;
            RecordingSink readSink;
            ASSERT_TRUE(
                ReadRtnBytes(WriteRtnBytes(*ws.Rtn, ws.FileOptions()), read, options, readSink))
                << readSink.Last();
            ASSERT_EQ(read, *ws.Rtn);
            if (step % 50 != 49) continue;
            ASSERT_TRUE(ws.SaveRTNButtonClick(saved)) << sink.Last();
            RecordingSink loadSink;
            TRtnWorkspace loaded(loadSink, measurer);
            ASSERT_TRUE(loaded.LoadRTNButtonClick(saved)) << loadSink.Last();
            ASSERT_EQ(*loaded.Rtn, *ws.Rtn);
            ASSERT_EQ(loaded.FileOptions(), ws.FileOptions());
            ASSERT_EQ(loaded.RtnPicture.Calls(), ws.RtnPicture.Calls());
        }
        accepted += dialogs.Accepted;
        refused += dialogs.Refused;
    }
    std::remove(saved.c_str());
    // The dialogs must really have changed nodes and refused input, or the test
    // proves little.
    EXPECT_GT(accepted, 200);
    EXPECT_GT(refused, 200);
}

} // namespace
} // namespace gramarbor
