// What the window scripts cannot say: the progress window's Cancel and closing during
// a parse, through real clicks and key presses on the window as shown.
#include <atomic>

#include <QElapsedTimer>

#include "parsing/parse_driver.h"
#include "workbench/parse_progress_dlg.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

// Thirty words have more groupings than any search could try: a breadth-first trace
// runs until it is stopped.
class MainWindowTest : public test::ShownWindow {
protected:
    void SetUp() override {
        ShownWindow::SetUp();
        P().Runner().ProgressDelayMs = 50;
        TypeGrammar(QStringLiteral("START = S\nS = S S\nS = \"a\""));
        TypeSentence(QStringLiteral(" a").repeated(30).mid(1));
    }
    TParsingPageView& P() { return *Form->Parsing; }
    void ExpectNoMessage() { EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last(); }
};

// Both breadth-first traces run until Cancel is pressed on the progress window.
TEST_F(MainWindowTest, CancelEndsTheSearchAtOnceAndNothingElseStartsMeanwhile) {
    std::atomic<int> started{0};
    P().Sheet().Search = [&started](TParser& store, const std::vector<std::string>& sentence,
                                    uint8_t options, TParseRun& run) {
        ++started;
        return ParseSentence(store, sentence, options, run);
    };
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
        EXPECT_EQ(Prompts.Texts(), std::vector<std::string>{MsgParsingCancelled});
        EXPECT_TRUE(P().Sheet().Parser.GetParseTrees().empty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // The window is usable afterwards.
    P().Runner().OnProgressShown = nullptr;
    Prompts.Clear();
    Click(P().TraceListCB);
    TypeSentence(QStringLiteral("a a a"));
    Click(P().ParseBtn);
    ExpectNoMessage();
    EXPECT_EQ(P().PTNum->text(), "2");
}

TEST_F(MainWindowTest, ClosingTheWindowDuringAParseStopsItFirst) {
    ChooseTrace(1, 1, 0);
    P().Runner().OnProgressShown = [&](TParseProgressDlg&) { Form->close(); };
    Click(P().ParseBtn);
    EXPECT_FALSE(P().Runner().Busy());
    EXPECT_FALSE(Form->isVisible());
    ExpectNoMessage();
}

} // namespace
} // namespace gramarbor
