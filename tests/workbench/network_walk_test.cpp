// The walk of the parse tree through the network as a user drives it: parse, open the
// network page, click "Walk", step with the buttons and the arrow keys, and watch the
// marked arc, the stack of net names and the words consumed.
#include "workbench/network_walk_panel.h"

#include "rtn/rtn_drawing.h"
#include "rtn/rtn_layout.h"
#include "rtn/rtn_walker.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

class NetworkWalkTest : public test::ShownWindow {
protected:
    TNetworkPageView& Network() { return *Form->Parsing->Network; }
    TNetworkWalkPanel& Panel() { return *Network().WalkPanel; }

    // Parses the quick-start sentence (the parse tree comes to the front), then goes to
    // the network page, makes the network and starts the walk.
    void Walk() {
        Parse(test::QuickStart, QStringLiteral("the dog chases the cat"));
        ASSERT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->ParseTreeSheet);
        ShowPage(Form->Parsing->ParsingPC, &Network());
        Click(Network().MakeRTN);
        EXPECT_FALSE(Panel().StepForwardBtn->isEnabled());
        EXPECT_EQ(MarkedPixels(), 0);
        Click(Panel().WalkBtn);
    }
    void StepToTheEnd() {
        for (int i = 0; i < 30 && Panel().StepForwardBtn->isEnabled(); ++i)
            Click(Panel().StepForwardBtn);
    }

    // Pixels of the shown network drawing in the highlight colour, within the band of
    // net row (all rows when row < 0).
    int MarkedPixels(int row = -1) {
        const QImage image = Network().PaintBox1->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            if (row >= 0 && y / LineHeight != row) continue;
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++count;
            }
        }
        return count;
    }
    QString Step() { return Panel().WalkStepLab->text(); }
    QString Stack() { return Panel().WalkStackLab->text(); }
};

TEST_F(NetworkWalkTest, WalkStepsThroughTheNetworkAndMarksTheArcTaken) {
    Walk();
    EXPECT_EQ(Step(), "Step 1 of 23: Start in S");
    EXPECT_FALSE(Panel().StepBackBtn->isEnabled());
    const int nameOnly = MarkedPixels(0); // the name of net S
    EXPECT_GT(nameOnly, 0);
    Click(Panel().StepForwardBtn);
    EXPECT_EQ(Step(), "Step 2 of 23: S0 -> S1: push NP");
    EXPECT_EQ(Stack(), "S\nNP");
    EXPECT_GT(MarkedPixels(0), nameOnly); // and now its arc S0 -> S1
    EXPECT_EQ(MarkedPixels(), MarkedPixels(0));

    // The arrow keys step as well, while the focus is on the page.
    Press(Qt::Key_Right);
    EXPECT_EQ(Stack(), "S\nNP\nDET");
    EXPECT_EQ(MarkedPixels(0), 0);
    EXPECT_GT(MarkedPixels(1), 0); // the arc of net NP
    Press(Qt::Key_Right);
    EXPECT_EQ(Panel().WalkWordsLab->text(), "the");
    Press(Qt::Key_Left);
    Press(Qt::Key_Left);
    EXPECT_EQ(Step(), "Step 2 of 23: S0 -> S1: push NP");

    StepToTheEnd();
    EXPECT_EQ(Step(), "Step 23 of 23: S2: pop");
    EXPECT_EQ(Stack(), QString());
    EXPECT_EQ(Panel().WalkWordsLab->text(), "the dog chases the cat");
    EXPECT_EQ(Panel().WalkOutcomeLab->text(), QString::fromStdString(MsgWalkAccepted));

    // Display options keep the walk; typing into the grammar ends it.
    Click(Network().NodeDistUD->UpButton());
    EXPECT_EQ(Step(), "Step 23 of 23: S2: pop");
    EXPECT_GT(MarkedPixels(), 0);
    TypeGrammar(test::QuickStart + QStringLiteral("\nN = \"bird\""));
    EXPECT_EQ(Step(), QString());
    EXPECT_EQ(MarkedPixels(), 0);
    EXPECT_FALSE(Panel().StepForwardBtn->isEnabled());
}

TEST_F(NetworkWalkTest, EditedNetworkStopsTheWalkWithItsReason) {
    Walk();
    // Ctrl + right click on the name of net DET deletes it: the walk ends.
    const TRtnMetrics& m = Network().Workspace().Metrics;
    Click(Network().PaintBox1, Qt::RightButton, Qt::ControlModifier, QPoint(4, m.RowY(3) + 4));
    ASSERT_EQ(Network().Workspace().Rtn->size(), 6u);
    EXPECT_EQ(Step(), QString());

    Click(Panel().WalkBtn);
    const QString reason = QStringLiteral("The walk stops at step 3: there is no \"DET\"-network.");
    EXPECT_EQ(Panel().WalkOutcomeLab->text(), reason);
    StepToTheEnd();
    EXPECT_EQ(Step(), "Step 2 of 2: S0 -> S1: push NP");
    EXPECT_EQ(Panel().WalkOutcomeLab->text(), reason);
    // A new parse ends the walk as well.
    Click(Form->Parsing->ParseBtn);
    EXPECT_EQ(Step(), QString());
    EXPECT_EQ(Panel().WalkOutcomeLab->text(), QString());
}

TEST_F(NetworkWalkTest, WalkNeedsANetworkAndAParseTree) {
    Click(Form->Parsing->Network->NewRTNButton);
    Click(Panel().WalkBtn);
    EXPECT_EQ(Prompts.Last(), MsgWalkNeedsTree);
    Click(Network().ClearRTNBtn);
    Click(Panel().WalkBtn);
    EXPECT_EQ(Prompts.Last(), MsgDefineRtnFirst);
    EXPECT_EQ(Step(), QString());
}

} // namespace
} // namespace gramarbor
