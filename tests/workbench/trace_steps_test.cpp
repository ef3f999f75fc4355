// The partial analysis below the trace list, driven by clicks into the list, the
// arrow keys and the step and play buttons (what each line shows is the stepper
// model's own tests).
#include <QSpinBox>

#include "workbench/trace_stepper_view.h"
#include "workbench/trace_view.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

const std::string WholeTree =
    "[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] [N [cat]]]]]";

class TraceStepsTest : public test::ShownWindow {
protected:
    TTraceStepperView* Stepper() const { return Form->Parsing->Stepper; }
    TTraceView* List() const { return Form->Parsing->TrcMemo; }

    void ParseWithTrace(int method, int direction) {
        ChooseTrace(method, direction, 0);
        Parse(test::QuickStart, QStringLiteral("the dog chases the cat"));
        ASSERT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
        ASSERT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->TraceSheet);
    }
    void ClickLine(int row) {
        const QModelIndex cell = List()->model()->index(row, 2);
        List()->scrollTo(cell);
        Click(List()->viewport(), Qt::LeftButton, Qt::NoModifier,
              List()->visualRect(cell).center());
    }
    std::string Shown() const { return Stepper()->Model().Analysis().Text(); }
    QImage Picture() const { return Stepper()->StepPB->grab().toImage(); }
    int Line() const { return List()->currentIndex().row(); }
};

TEST_F(TraceStepsTest, ClicksKeysAndButtonsShowTheDerivationAtTheLine) {
    ParseWithTrace(0, 0);
    ClickLine(1);
    EXPECT_EQ(Shown(), "[S [NP] [VP]]");
    EXPECT_EQ(Stepper()->StepLabel->text(), "Line 1");
    const QImage first = Picture();
    ASSERT_FALSE(first.isNull());

    // The arrow keys move through the list and the picture follows.
    Press(Qt::Key_Down);
    EXPECT_EQ(Line(), 2);
    EXPECT_NE(Picture(), first);
    Press(Qt::Key_Up);
    EXPECT_EQ(Shown(), "[S [NP] [VP]]");
    EXPECT_EQ(Picture(), first);

    // The buttons step through the lines, and stop at either end.
    for (int i = 0; i < 5; ++i)
        Click(Stepper()->StepForwardBtn);
    EXPECT_EQ(Line(), 6);
    Click(Stepper()->StepBackBtn);
    EXPECT_EQ(Shown(), "[S [NP [DET [the]] [N [dog]]] [VP]]");
    ClickLine(10);
    EXPECT_EQ(Shown(), WholeTree);
    Click(Stepper()->StepForwardBtn);
    EXPECT_EQ(Line(), 10);
    ClickLine(0);
    Click(Stepper()->StepBackBtn);
    EXPECT_EQ(Line(), 0);
    EXPECT_EQ(Shown(), "[S]");
}

TEST_F(TraceStepsTest, BottomUpShowsTheForestBuiltSoFar) {
    ParseWithTrace(1, 1);
    ClickLine(0);
    EXPECT_EQ(Shown(), "[DET [the]] [N [dog]] [V [chases]] [DET [the]] [N [cat]]");
    const QImage words = Picture();
    Click(Stepper()->StepForwardBtn);
    // A taller picture: the forest has grown by a level.
    EXPECT_GT(Picture().height(), words.height());
}

TEST_F(TraceStepsTest, PlayRunsToTheEndAndStopsOnAClickOrANewParse) {
    ParseWithTrace(0, 0);
    TypeInto(Stepper()->SpeedEdit, QStringLiteral("20"));
    EXPECT_EQ(Stepper()->SpeedEdit->value(), 20);

    // From the first line to the last, then it stops by itself.
    Click(Stepper()->PlayBtn);
    EXPECT_TRUE(Stepper()->Playing());
    EXPECT_EQ(Stepper()->PlayBtn->text(), "Stop");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Stepper()->Playing(); }, 10000));
    EXPECT_EQ(Line(), 10);
    EXPECT_EQ(Shown(), WholeTree);
    EXPECT_EQ(Stepper()->PlayBtn->text(), "Play");

    // Play again starts at the top; Stop, a click into the list or a new parse end it.
    Click(Stepper()->PlayBtn);
    EXPECT_EQ(Line(), 0);
    Click(Stepper()->PlayBtn);
    EXPECT_FALSE(Stepper()->Playing());
    Click(Stepper()->PlayBtn);
    ClickLine(4);
    EXPECT_FALSE(Stepper()->Playing());
    EXPECT_EQ(Shown(), "[S [NP [DET [the]] [N [cat]]] [VP]]");
    Click(Stepper()->PlayBtn);
    EXPECT_TRUE(Stepper()->Playing());
    TypeSentence(QStringLiteral("the dog the"));
    Click(Form->Parsing->ParseBtn);
    EXPECT_FALSE(Stepper()->Playing());
    // The rejected sentence leaves no trace and no picture.
    EXPECT_EQ(List()->model()->rowCount(), 0);
    EXPECT_EQ(Stepper()->StepPB->size(), QSize(0, 0));
}

} // namespace
} // namespace gramarbor
