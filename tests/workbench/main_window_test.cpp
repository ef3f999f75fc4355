// What the window scripts cannot say: the progress window's Cancel and closing during
// a parse, Play through the trace list, and the dialogs' full help, all through real
// clicks and key presses on the window as shown.
#include <atomic>

#include <QElapsedTimer>
#include <QSpinBox>

#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "workbench/help_texts.h"
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
