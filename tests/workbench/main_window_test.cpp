// The parsing sheet as a user drives it: typing the grammar and the sentence, the
// buttons, the option controls, the progress window's Cancel, the result pages and
// the network drawing under the mouse, all through real clicks and key presses on
// the window as shown.
#include <atomic>

#include <QElapsedTimer>
#include <QScrollArea>
#include <QTableWidget>

#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "rtn/rtn_layout.h"
#include "workbench/parse_progress_dlg.h"
#include "workbench/trace_view.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

using test::QuickStart;
using test::ReadAll;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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
    TNetworkPageView& Net() { return *Form->Parsing->Network; }
    std::string Tree() {
        std::string text;
        EXPECT_TRUE(P().Sheet().ParseTree.TreeToStr(text));
        return text;
    }
    void ClickNet(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at) {
        Click(Net().PaintBox1, button, keys, at);
    }
    void ExpectNoMessage() { EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last(); }
};

// The clicks reach the model (its own tests follow the byte click by click) and the
// controls show what it says.
TEST_F(MainWindowTest, OptionControlsFollowTheirModel) {
    EXPECT_FALSE(P().ParseMethodRG->isEnabled());
    Click(P().TraceListCB);
    EXPECT_EQ(P().Sheet().ParseOptions(), 0x75);
    EXPECT_TRUE(P().ParseMethodRG->isEnabled());
    ChooseTrace(0, 0, 0);
    Click(P().CaseSensCB);
    Click(P().ParseTreeCB);
    Click(P().TraceListCB);
    EXPECT_EQ(P().Sheet().ParseOptions(), poTopDown | poDepthFirst | poCaseSensitive);
    EXPECT_FALSE(P().TraceListRG->isEnabled());
    EXPECT_EQ(P().Sheet().Options.Controls().MethodItem, P().ParseMethodRG->ItemIndex());
}

TEST_F(MainWindowTest, CheckListsTheInternalGrammarOrSelectsTheFaultyLine) {
    Click(P().Check);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define a CFG first."));
    Prompts.Clear();
    TypeGrammar(QuickStart);
    Click(P().Check);
    ExpectNoMessage();
    EXPECT_EQ(P().GrammarPC->currentWidget(), P().InternalSheet);
    EXPECT_EQ(MemoLines(P().DstCFG)[3], "3 (T):\tDET = \"the\"");

    // The offending rule is rule line 2 but line 4 of the text: that whole line is
    // selected, after Check and after Parse CFG alike.
    TypeGrammar(
        QStringLiteral("// a comment\n\nS = NP VP\nNP = DET N\nVP = V NP x$y\nDET = \"the\""));
    TypeSentence(QStringLiteral("the"));
    for (QPushButton* button : {P().Check, P().ParseBtn}) {
        Prompts.Clear();
        P().SrcCFG->moveCursor(QTextCursor::Start);
        Click(button);
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Error);
        EXPECT_THAT(Prompts.Last(), HasSubstr("Wrong letters in symbol-name"));
        EXPECT_EQ(P().GrammarPC->currentWidget(), P().ExternalSheet);
        const QTextCursor caret = P().SrcCFG->textCursor();
        EXPECT_EQ(caret.blockNumber(), 4);
        EXPECT_EQ(caret.selectedText(), "VP = V NP x$y");
    }
}

TEST_F(MainWindowTest, GrammarFilesGoThroughTheDialogs) {
    std::ofstream(Path("g.cfg"), std::ios::binary) << "// quick\r\nS = A\r\nA = \"a\"\r\n";
    std::ofstream(Path("g.txt"), std::ios::binary) << "S = A\r\n";
    TypeGrammar(QStringLiteral("X = \"x\""));
    Prompts.AnswerWith(Path("g.txt"));
    Prompts.AnswerWith(""); // cancelled: nothing happens
    Click(P().LoadCFGButton);
    Click(P().LoadCFGButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".CFG\" expected."));
    EXPECT_EQ(P().SrcCFG->toPlainText(), "X = \"x\"");
    Prompts.Clear();

    Prompts.AnswerWith(Path("g.cfg"));
    Click(P().LoadCFGButton);
    ExpectNoMessage();
    EXPECT_EQ(P().SrcCFG->toPlainText(), "// quick\nS = A\nA = \"a\"");
    Prompts.AnswerWith(Path("out.cfg"));
    Click(P().SaveCFGButton);
    EXPECT_EQ(ReadAll(Dir / "out.cfg"), "// quick\r\nS = A\r\nA = \"a\"\r\n");
    // The internal listing is saved as shown, tabs included.
    Click(P().Check);
    Prompts.AnswerWith(Path("internal.cfg"));
    Click(P().SaveCFGButton);
    EXPECT_EQ(ReadAll(Dir / "internal.cfg"), "0 (N):\tS = A\r\n1 (T):\tA = \"a\"\r\n");

    Click(P().NewCFGBtn);
    EXPECT_TRUE(P().SrcCFG->toPlainText().isEmpty());
    EXPECT_TRUE(P().DstCFG->toPlainText().isEmpty());
    EXPECT_EQ(P().GrammarPC->currentWidget(), P().ExternalSheet);
}

// The conversion and its note are the converter's own tests; the window loads,
// warns, parses and saves back in the chosen notation.
TEST_F(MainWindowTest, NltkGrammarsAreConvertedOnLoadingAndOnSaving) {
    std::ofstream(Path("course.txt"), std::ios::binary)
        << "# NLTK\nS -> NP VP | VP\nNP -> 'Kim'\nVP -> 'runs' | 'sees' NP\n";
    Prompts.AnswerWith(Path("course.txt"));
    Click(P().LoadCFGButton);
    EXPECT_EQ(P().SrcCFG->toPlainText(),
              "START = S\nS = NP VP\nS = VP\nNP = \"Kim\"\nVP = \"runs\"\nVP = \"sees\" NP");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Warning);
    EXPECT_THAT(Prompts.Last(), HasSubstr("The grammar was converted"));
    Parse(P().SrcCFG->toPlainText(), QStringLiteral("Kim sees Kim"));
    EXPECT_THAT(P().Sheet().Parser.GetParseTrees(),
                ElementsAre("[START [S [NP [Kim]] [VP [#0 [sees]] [NP [Kim]]]]]"));

    // Saved with the NLTK file type, from whichever page is in front.
    Prompts.Clear();
    Prompts.AnswerWith(Path("back.txt"), 1);
    Click(P().SaveCFGButton);
    ExpectNoMessage();
    EXPECT_EQ(ReadAll(Dir / "back.txt"),
              "START -> S\nS -> NP VP | VP\nNP -> 'Kim'\nVP -> 'runs' | 'sees' NP\n");
}

TEST_F(MainWindowTest, ParsingDrawsEachNewTreeFromItsTopLeftCorner) {
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    ExpectNoMessage();
    EXPECT_EQ(P().PTNum->text(), "1");
    EXPECT_EQ(P().ParsingPC->currentWidget(), P().ParseTreeSheet);
    EXPECT_EQ(P().ParseTreePB->width(), P().Sheet().ParseTree.GetMetafile().Width);
    Prompts.AnswerWith(Path("tree.tre"));
    Click(P().SaveParseTreeBtn);
    EXPECT_GT(std::filesystem::file_size(Dir / "tree.tre"), 0u);

    // A tree larger than its window, looked at in its far corner; the next parse
    // (and the next tree stepped to) starts at the top-left corner again.
    Parse(AllBracketings, Words("a", 30));
    QScrollBar* across = P().ParseTreeSB->horizontalScrollBar();
    QScrollBar* down = P().ParseTreeSB->verticalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    ASSERT_GT(down->maximum(), 0);
    for (const auto& next : std::vector<std::function<void()>>{
             [&] { Click(P().ParseBtn); }, [&] { ClickArrow(P().PTUD, true); }}) {
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        next();
        EXPECT_EQ(across->value(), 0);
        EXPECT_EQ(down->value(), 0);
    }
    EXPECT_EQ(P().PTCur->text(), "2");
}

TEST_F(MainWindowTest, TraceListFillsTheMemoAndItsLabels) {
    ChooseTrace(0, 0, 0);
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    ExpectNoMessage();
    // With a trace list the trace sheet stays in front and the listing is shown.
    EXPECT_EQ(P().ParsingPC->currentWidget(), P().TraceSheet);
    EXPECT_EQ(P().GrammarPC->currentWidget(), P().InternalSheet);
    // Line number, rule number and pattern in three columns.
    QAbstractItemModel* shown = P().TrcMemo->model();
    ASSERT_EQ(shown->rowCount(), 11);
    std::string saved;
    for (int row = 0; row < shown->rowCount(); ++row)
        for (int column = 0; column < 3; ++column)
            saved += shown->index(row, column).data().toString().toStdString() +
                     (column < 2 ? "\t" : "\r\n");
    EXPECT_EQ(saved.substr(0, 18), "0\t-\t S\r\n1\t0\t NP VP");
    // Ctrl+C copies the chosen lines.
    Click(P().TrcMemo->viewport(), Qt::LeftButton, Qt::NoModifier,
          P().TrcMemo->visualRect(shown->index(1, 2)).center());
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t0\t NP VP");
    EXPECT_EQ(P().Label8->text(), "11 Lines");
    EXPECT_EQ(P().Label10->text(), "\"10\t4\t the dog chases the cat\"");
    Prompts.AnswerWith(Path("trace.txt"));
    Click(P().SaveTraceButton);
    EXPECT_EQ(ReadAll(Dir / "trace.txt"), saved);
}

// The model decides each outcome and its message (its own tests hold them all); the
// window shows the message and puts the user where the fault is.
TEST_F(MainWindowTest, EachOutcomeShowsItsMessageWhereTheUserIs) {
    const struct {
        QString Grammar;
        const char* Sentence;
        const char* Message;
        std::function<QWidget*()> Focus; // what has the keyboard focus afterwards
    } cases[] = {
        {QuickStart, "", "You have not entered a text to parse.", [&] { return Form->InputText; }},
        {QString(), "a", "Please define a CFG first.", [&] { return P().SrcCFG; }},
        {QuickStart, "the dog the", "Parsing failed!", [&] { return P().ParseBtn; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sentence);
        Prompts.Clear();
        Parse(c.Grammar, QString::fromLatin1(c.Sentence));
        EXPECT_THAT(Prompts.Texts(), ElementsAre(c.Message));
        EXPECT_EQ(QApplication::focusWidget(), c.Focus());
        EXPECT_EQ(P().GrammarPC->currentWidget(), P().ExternalSheet);
    }
}

TEST_F(MainWindowTest, AmbiguousSentenceCanBeSteppedThrough) {
    Prompts.AnswerWith(GRAMARBOR_EXAMPLES "/ambiguous_pp.cfg");
    Click(P().LoadCFGButton);
    TypeSentence(QStringLiteral("I saw the man with the telescope"));
    Click(P().ParseBtn);
    ExpectNoMessage();
    EXPECT_EQ(P().PTNum->text(), "2");
    const std::string first = Tree();
    // The arrows step without wrapping.
    for (const auto& [up, current] : {std::pair{true, "2"}, {true, "2"}, {false, "1"}}) {
        ClickArrow(P().PTUD, up);
        EXPECT_EQ(P().PTCur->text(), current);
    }
    EXPECT_EQ(Tree(), first);
    EXPECT_FALSE(P().PTUD->DownButton()->isEnabled());

    // A tree number typed into the field, and one that is not a tree.
    for (const char* typed : {"2", "3"}) {
        P().PTCur->selectAll();
        QTest::keyClicks(P().PTCur, QString::fromLatin1(typed));
        QTest::keyClick(P().PTCur, Qt::Key_Return);
        EXPECT_EQ(P().PTCur->text(), "2");
    }
    EXPECT_NE(Tree(), first);
    EXPECT_FALSE(P().PTUD->UpButton()->isEnabled());
    EXPECT_EQ(Prompts.Last(), "Please enter a tree number from 1 to 2.");
}

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

TEST_F(MainWindowTest, InOutHistoryRecordsParsedAndLeftTexts) {
    // Parsing records the sentence; so does leaving the field for another control.
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    TypeSentence(QStringLiteral("the cat"));
    Click(P().SrcCFG);
    TypeSentence(QStringLiteral("the dog"));
    Press(Qt::Key_Tab);
    // (Typing "the dog" does not complete to the longer sentence listed before.)
    EXPECT_THAT(Items(), ElementsAre("the dog", "the cat", "the dog chases the cat"));
    // Known texts are not listed twice; sixteen at most.
    for (int i = 0; i < 17; ++i) {
        TypeSentence(QStringLiteral("text %1").arg(i % 15));
        Click(P().SrcCFG);
    }
    const std::vector<std::string> items = Items();
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items.front(), "text 14");
    EXPECT_EQ(items.back(), "the dog");
}

TEST_F(MainWindowTest, MakeRtnDrawsOneNetPerRuleAndMakeCfgWritesItBack) {
    Click(Net().MakeCFG);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define an RTN-grammar first."));
    Prompts.Clear();
    // An empty grammar makes an empty network that still has room for a click.
    Click(Net().MakeRTN);
    ASSERT_TRUE(Net().Workspace().HasRtn()) << Prompts.Last();
    EXPECT_TRUE(Net().Workspace().Rtn->empty());
    EXPECT_GE(Net().PaintBox1->height(), LineHeight);

    TypeGrammar(QuickStart);
    Click(Net().MakeRTN);
    ExpectNoMessage();
    EXPECT_EQ(Net().Workspace().Rtn->size(), 7u);
    EXPECT_EQ(P().ParsingPC->currentWidget(), &Net());
    EXPECT_EQ(Net().PaintBox1->height(), 7 * LineHeight);

    // A left click on DET's first transition opens its conditions; the first answer
    // is refused and the dialog comes back with what the user typed.
    std::vector<std::string> answers{"pop", "\"a\""};
    int answered = 0;
    std::function<void(TCondDlgView&)> answer = [&](TCondDlgView& dialog) {
        EXPECT_EQ(dialog.EnterConds->item(0, 1)->text(), "DET0");
        dialog.EnterConds->item(0, 0)->setText(QString::fromStdString(answers[answered++]));
        Click(dialog.OkBtn);
        if (answered < 2) WhenShown(answer);
    };
    WhenShown(answer);
    const TRtnMetrics& m = Net().Workspace().Metrics;
    ClickNet(Qt::LeftButton, Qt::NoModifier, {m.ArcOrigin, m.RowY(3) + 4});
    EXPECT_EQ(answered, 2);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Pop-arcs can`t be entered."));

    Prompts.Clear();
    Click(Net().MakeCFG);
    ExpectNoMessage();
    EXPECT_EQ(P().GrammarPC->currentWidget(), P().ExternalSheet);
    EXPECT_THAT(MemoLines(P().SrcCFG),
                ElementsAre("S = NP VP", "NP = DET N", "VP = V NP", "DET = \"a\"", "N = \"cat\"",
                            "N = \"dog\"", "V = \"chases\""));
}

TEST_F(MainWindowTest, MouseGesturesEditNetsDownToNoneAndBack) {
    Click(Net().NewRTNButton);
    ASSERT_EQ(Net().Workspace().Rtn->size(), 1u);
    std::function<void(TNetNameDlgView&)> rename = [&](TNetNameDlgView& dialog) {
        // Shown again after a refusal, the dialog keeps what the user typed.
        const bool again = dialog.NetNameEdit->text() == "1x";
        EXPECT_EQ(dialog.NetNameEdit->text(), again ? "1x" : "Net1");
        TypeInto(dialog.NetNameEdit, again ? QStringLiteral("np") : QStringLiteral("1x"));
        Click(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")));
        if (!again) WhenShown(rename);
    };
    const struct {
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Keys;
        QPoint At;
        std::vector<std::string> Nets; // name and node count of each net afterwards
    } clicks[] = {
        // A right click in the lower half of net 0's name area inserts Net1 below it.
        {Qt::RightButton, Qt::NoModifier, {4, 100}, {"Net0 4", "Net1 4"}},
        // Shift is none of the gestures.
        {Qt::RightButton, Qt::ShiftModifier, {4, 100}, {"Net0 4", "Net1 4"}},
        {Qt::LeftButton, Qt::NoModifier, {4, LineHeight + 10}, {"Net0 4", "NP 4"}},
        // On a transition: right click inserts a node, Ctrl + right click deletes one.
        {Qt::RightButton, Qt::NoModifier, {150, LineHeight + 64}, {"Net0 4", "NP 5"}},
        {Qt::RightButton, Qt::ControlModifier, {150, LineHeight + 64}, {"Net0 4", "NP 4"}},
        {Qt::RightButton, Qt::ControlModifier, {4, LineHeight + 64}, {"Net0 4"}},
        // Down to no net at all: the area still takes the right click that inserts Net0.
        {Qt::RightButton, Qt::ControlModifier, {4, 64}, {}},
        {Qt::RightButton, Qt::NoModifier, {40, 64}, {"Net0 4"}},
    };
    WhenShown(rename);
    for (const auto& click : clicks) {
        ClickNet(click.Button, click.Keys, click.At);
        std::vector<std::string> nets;
        for (const TRTNLine& net : *Net().Workspace().Rtn)
            nets.push_back(net.Name + " " + std::to_string(net.Nodes.size()));
        EXPECT_EQ(nets, click.Nets) << click.At.x() << "," << click.At.y();
        EXPECT_GE(std::min(Net().PaintBox1->height(), Net().PaintBox1->width()), LineHeight);
    }
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong net-name."));
    Click(Net().ClearRTNBtn);
    EXPECT_FALSE(Net().Workspace().HasRtn());
    EXPECT_EQ(Net().PaintBox1->size(), QSize(0, 0));
}

TEST_F(MainWindowTest, NetworkFilesAndPicturesGoThroughTheDialogs) {
    Click(Net().SaveRTNButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("There is no valid RTN to save."));
    EXPECT_TRUE(Prompts.Dialogs.empty());
    Prompts.Clear();
    // Without a network the up-downs refuse to move.
    ClickArrow(Net().NodeSizeUD, true);
    EXPECT_EQ(Net().NodeSizeUD->Position(), 0);

    TypeGrammar(QuickStart);
    Click(Net().MakeRTN);
    ClickArrow(Net().NodeSizeUD, true);
    ClickArrow(Net().NodeSizeUD, true);
    Click(Net().ArcCheckBox);
    Prompts.AnswerWith(Path("net.rtn"));
    Click(Net().SaveRTNButton);
    // A name without an extension takes that of the chosen type; split pictures
    // are numbered.
    Prompts.AnswerWith(Path("net"), 0);
    Click(Net().SaveMetaButton);
    for (const char* name : {"net_0.wmf", "net_1.wmf", "net_2.wmf"})
        EXPECT_TRUE(std::filesystem::exists(Dir / name)) << name;
    Click(Net().WMFSplitCB);
    Prompts.AnswerWith(Path("whole"), 1);
    Click(Net().SaveMetaButton);
    EXPECT_EQ(ReadAll(Dir / "whole.svg").substr(0, 5), "<?xml");
    Click(Net().Button5);
    ASSERT_NE(QApplication::clipboard()->mimeData(), nullptr);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-wmf")));

    Click(Net().NewRTNButton);
    ClickArrow(Net().NodeSizeUD, false);
    Click(Net().ArcCheckBox);
    Prompts.AnswerWith(Path("net.cfg"));
    Click(Net().LoadRTNButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".RTN\" expected."));
    EXPECT_EQ(Net().Workspace().Rtn->size(), 1u);
    Prompts.Clear();
    Prompts.AnswerWith(Path("net.rtn"));
    Click(Net().LoadRTNButton);
    ExpectNoMessage();
    EXPECT_EQ(Net().Workspace().Rtn->size(), 7u);
    // The file's display options reach the controls.
    EXPECT_EQ(Net().NodeSizeLab->text(), "2");
    EXPECT_TRUE(Net().ArcCheckBox->isChecked());
}

TEST_F(MainWindowTest, InformationAndInstructions) {
    WhenShown<TInfoDlg>([&](TInfoDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
    Click(Form->InfoBtn);
    EXPECT_FALSE(Form->InfoDlg->isVisible());
    Click(Form->InstructionBtn);
    EXPECT_FALSE(Form->HelpPageDlg->isModal());
    EXPECT_EQ(Form->HelpPageDlg->Page(), 1);
    // It follows the user to the other sheet.
    ShowPage(Form->GlobalPC, Form->TreeSheet);
    EXPECT_EQ(Form->HelpPageDlg->Page(), 2);
    Click(Form->HelpPageDlg->CloseBtn);
    EXPECT_FALSE(Form->HelpPageDlg->isVisible());
}

} // namespace
} // namespace gramarbor
