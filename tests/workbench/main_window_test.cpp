// What the window scripts cannot say: the progress window's Cancel and closing during a parse, Play through the trace, the walk's marked
// arcs and the dialogs' full help, all through real clicks and key presses on the window
// as shown.
#include <atomic>

#include <QElapsedTimer>
#include <QSpinBox>

#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "rtn/rtn_layout.h"
#include "rtn/rtn_walker.h"
#include "workbench/help_texts.h"
#include "workbench/network_walk_panel.h"
#include "workbench/parse_progress_dlg.h"
#include "workbench/trace_stepper_view.h"
#include "workbench/trace_view.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

using test::QuickStart;
using ::testing::ElementsAre;

const QString AllBracketings = QStringLiteral("START = S\nS = S S\nS = \"a\"");

QString Words(const char* word, int count) {
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << QString::fromLatin1(word);
    return words.join(QLatin1Char(' '));
}

class MainWindowTest : public test::ShownWindow {
protected:
    TParsingPageView& P() { return *Form->Parsing; }
    void ExpectNoMessage() { EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last(); }
};

// Thirty words have more groupings than any search could try: both breadth-first
// traces run until Cancel is pressed on the progress window.
TEST_F(MainWindowTest, CancelEndsTheSearchAtOnceAndNothingElseStartsMeanwhile) {
    std::atomic<int> started{0};
    P().Sheet().Search = [&started](TParser& store, const std::vector<std::string>& sentence,
                                    uint8_t options, TParseRun& run) {
        ++started;
        return ParseSentence(store, sentence, options, run);
    };
    P().Runner().ProgressDelayMs = 50;
    TypeGrammar(AllBracketings);
    TypeSentence(Words("a", 30));
    for (const int method : {1, 0}) {
        SCOPED_TRACE(method);
        ChooseTrace(method, 1, 0);
        Prompts.Clear();
        started = 0;
        QElapsedTimer sinceCancel;
        bool shown = false;
        P().Runner().OnProgressShown = [&](TParseProgressDlg& progress) {
            shown = true;
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
            EXPECT_TRUE(progress.isModal());
            Click(progress.CancelBtn);
            sinceCancel.start();
            EXPECT_FALSE(progress.CancelBtn->isEnabled());
            // While the search winds down the window takes no second parse or check.
            QTest::mouseClick(P().ParseBtn, Qt::LeftButton);
            QTest::mouseClick(P().Check, Qt::LeftButton);
            QTest::keyClick(Form.get(), Qt::Key_P, Qt::AltModifier);
        };
        Click(P().ParseBtn);
        ASSERT_TRUE(shown);
        // The search thread has ended when the click returns.
        EXPECT_FALSE(P().Runner().Busy());
        EXPECT_LT(sinceCancel.elapsed(), 1000);
        EXPECT_EQ(started, 1);
        EXPECT_THAT(Prompts.Texts(), ElementsAre(MsgParsingCancelled));
        EXPECT_TRUE(P().Sheet().Parser.GetParseTrees().empty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // The window is usable afterwards.
    P().Runner().OnProgressShown = nullptr;
    Prompts.Clear();
    Click(P().TraceListCB);
    TypeSentence(Words("a", 3));
    Click(P().ParseBtn);
    ExpectNoMessage();
    EXPECT_EQ(P().PTNum->text(), "2");
}

TEST_F(MainWindowTest, ClosingTheWindowDuringAParseStopsItFirst) {
    P().Runner().ProgressDelayMs = 50;
    ChooseTrace(1, 1, 0);
    P().Runner().OnProgressShown = [&](TParseProgressDlg&) { Form->close(); };
    Parse(AllBracketings, Words("a", 30));
    EXPECT_FALSE(P().Runner().Busy());
    EXPECT_FALSE(Form->isVisible());
    ExpectNoMessage();
}

// Play runs through the trace list to its end and stops on Stop, a click into the
// list or a new parse (the steps themselves are the window scripts' results cases).
TEST_F(MainWindowTest, PlayRunsToTheEndAndStopsOnAClickOrANewParse) {
    TTraceStepperView& stepper = *P().Stepper;
    const auto line = [&] { return P().TrcMemo->currentIndex().row(); };
    ChooseTrace(0, 0, 0);
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    TypeInto(stepper.SpeedEdit, QStringLiteral("20"));
    EXPECT_EQ(stepper.SpeedEdit->value(), 20);
    Click(stepper.PlayBtn);
    EXPECT_TRUE(stepper.Playing());
    EXPECT_EQ(stepper.PlayBtn->text(), "Stop");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !stepper.Playing(); }, 10000));
    EXPECT_EQ(line(), 10);
    EXPECT_EQ(stepper.PlayBtn->text(), "Play");
    // Play again starts at the top.
    Click(stepper.PlayBtn);
    EXPECT_EQ(line(), 0);
    Click(stepper.PlayBtn);
    EXPECT_FALSE(stepper.Playing());
    Click(stepper.PlayBtn);
    Click(P().TrcMemo->viewport(), Qt::LeftButton, Qt::NoModifier,
          P().TrcMemo->visualRect(P().TrcMemo->model()->index(4, 2)).center());
    EXPECT_FALSE(stepper.Playing());
    EXPECT_EQ(line(), 4);
    Click(stepper.PlayBtn);
    EXPECT_TRUE(stepper.Playing());
    TypeSentence(QStringLiteral("the dog the"));
    Click(P().ParseBtn);
    EXPECT_FALSE(stepper.Playing());
    // The rejected sentence leaves no trace and no picture.
    EXPECT_EQ(P().TrcMemo->model()->rowCount(), 0);
    EXPECT_EQ(stepper.StepPB->size(), QSize(0, 0));
}

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

// The help of the node definition and of the in/out format shows whole.
TEST_F(MainWindowTest, DialogsShowTheirFullHelp) {
    ShowPage(Form->GlobalPC, Form->TreeSheet);
    TypeSentence(QStringLiteral("[S]"));
    Click(Form->Trees->TextToTreeBtn);
    std::string defNodeHelp, ioFormHelp;
    const auto read = [&](QAbstractButton* help, QPlainTextEdit* memo, std::string& text) {
        Click(help);
        EXPECT_TRUE(memo->isVisible());
        text = memo->toPlainText().toStdString();
        Click(help);
    };
    WhenShown<TDefNodeDlgView>([&](TDefNodeDlgView& dialog) {
        read(dialog.BitBtn3, dialog.HelpMemo, defNodeHelp);
        Click(dialog.BitBtn1);
    });
    const TRect& at = Form->Trees->Sheet().Tree1.GetRoot()->Rect;
    Click(Form->Trees->TreePaint1, Qt::LeftButton, Qt::NoModifier,
          QPoint((at.Left + at.Right) / 2, (at.Top + at.Bottom) / 2));
    WhenShown<TIOFormDlgView>([&](TIOFormDlgView& dialog) {
        read(dialog.HelpBtn, dialog.HelpMemo, ioFormHelp);
        Click(dialog.CancelBtn);
    });
    Click(Form->Trees->InputFormatBtn);
    EXPECT_EQ(defNodeHelp, DefNodeHelpText());
    EXPECT_EQ(ioFormHelp, IOFormHelpText());
}

} // namespace
} // namespace gramarbor
