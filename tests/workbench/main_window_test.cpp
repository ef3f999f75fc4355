// The parsing sheet as a user drives it: typing the grammar and the sentence, the
// buttons, the option controls, the progress window's Cancel, the result pages and
// the network drawing under the mouse, all through real clicks and key presses on
// the window as shown.
#include "workbench/main_window.h"
#include "workbench/network_page.h"
#include "workbench/parsing_page.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBlock>

#include <gmock/gmock.h>

#include "core_version.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "rtn/rtn_layout.h"
#include "workbench/glob_opts_dlg.h"
#include "workbench/info_dialogs.h"
#include "workbench/parse_progress_dlg.h"
#include "workbench/rtn_dialogs.h"
#include "workbench/trace_view.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const QString QuickStart = QStringLiteral(
    "S = NP VP\nNP = DET N\nVP = V NP\nDET = \"the\"\nN = \"cat\"\nN = \"dog\"\nV = \"chases\"");
const QString AllBracketings = QStringLiteral("START = S\nS = S S\nS = \"a\"");

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

QString Words(const char* word, int count) {
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << QString::fromLatin1(word);
    return words.join(QLatin1Char(' '));
}

class MainWindowTest : public test::ShownWindow {
protected:
    // Trace list on, then method, direction and kind of trace by their items.
    void ChooseTrace(int method, int direction, int kind) {
        if (!Form->Parsing->TraceListCB->isChecked()) Click(Form->Parsing->TraceListCB);
        ClickItem(Form->Parsing->ParseMethodRG, method);
        ClickItem(Form->Parsing->ParseDirRG, direction);
        ClickItem(Form->Parsing->TraceListRG, kind);
    }
    void Parse(const QString& grammar, const QString& sentence) {
        TypeGrammar(grammar);
        TypeSentence(sentence);
        Click(Form->Parsing->ParseBtn);
    }
    // Centre of net row's transition k (k = -1: the net name) on the drawing.
    QPoint NetPoint(int row, int k) const {
        const TRtnMetrics& m = Form->Parsing->Network->Workspace().Metrics;
        const int x = k < 0 ? 4 : m.ArcOrigin + k * m.Step;
        return {x, m.RowY(row) + 4};
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (int i = 0; i < Form->InputText->count(); ++i)
            items.push_back(Form->InputText->itemText(i).toStdString());
        return items;
    }
    void ClickNet(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at) {
        Click(Form->Parsing->Network->PaintBox1, button, keys, at);
    }
};

// The clicks reach the model (its own tests follow the byte click by click) and the
// controls show what it says.
TEST_F(MainWindowTest, OptionControlsFollowTheirModel) {
    const TParseSheet& sheet = Form->Parsing->Sheet();
    EXPECT_EQ(sheet.ParseOptions(), DefaultParseOptions);
    EXPECT_FALSE(Form->Parsing->ParseMethodRG->isEnabled());
    Click(Form->Parsing->TraceListCB);
    EXPECT_EQ(sheet.ParseOptions(), 0x75);
    EXPECT_TRUE(Form->Parsing->ParseMethodRG->isEnabled());
    ClickItem(Form->Parsing->ParseMethodRG, 0);
    ClickItem(Form->Parsing->ParseDirRG, 0);
    ClickItem(Form->Parsing->TraceListRG, 0);
    Click(Form->Parsing->CaseSensCB);
    Click(Form->Parsing->ParseTreeCB);
    EXPECT_EQ(sheet.ParseOptions(), poTopDown | poDepthFirst | poTraceList | poCaseSensitive);
    Click(Form->Parsing->TraceListCB);
    EXPECT_EQ(sheet.ParseOptions(), poTopDown | poDepthFirst | poCaseSensitive);
    EXPECT_FALSE(Form->Parsing->TraceListRG->isEnabled());
    EXPECT_EQ(sheet.Options.Controls().MethodItem, Form->Parsing->ParseMethodRG->ItemIndex());
}

TEST_F(MainWindowTest, CheckListsTheInternalGrammarOrSelectsTheFaultyLine) {
    Click(Form->Parsing->Check);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define a CFG first."));
    Prompts.Clear();

    TypeGrammar(QuickStart);
    Click(Form->Parsing->Check);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->InternalSheet);
    const std::vector<std::string> listing = MemoLines(Form->Parsing->DstCFG);
    ASSERT_EQ(listing.size(), 7u);
    EXPECT_EQ(listing[0], "0 (N):\tS = NP VP");
    EXPECT_EQ(listing[3], "3 (T):\tDET = \"the\"");

    // The offending rule is rule line 2 but line 4 of the text: that whole line is
    // selected, after Check and after Parse CFG alike.
    TypeGrammar(
        QStringLiteral("// a comment\n\nS = NP VP\nNP = DET N\nVP = V NP x$y\nDET = \"the\""));
    TypeSentence(QStringLiteral("the"));
    for (QPushButton* button : {Form->Parsing->Check, Form->Parsing->ParseBtn}) {
        Prompts.Clear();
        Form->Parsing->SrcCFG->moveCursor(QTextCursor::Start);
        Click(button);
        ASSERT_EQ(Prompts.Messages.size(), 1u);
        EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Error);
        EXPECT_THAT(Prompts.Last(), HasSubstr("Wrong letters in symbol-name"));
        EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->ExternalSheet);
        const QTextCursor caret = Form->Parsing->SrcCFG->textCursor();
        EXPECT_EQ(caret.blockNumber(), 4);
        EXPECT_EQ(caret.selectedText(), "VP = V NP x$y");
    }
}

TEST_F(MainWindowTest, GrammarFilesGoThroughTheDialogs) {
    {
        std::ofstream(Path("g.cfg"), std::ios::binary) << "// quick\r\nS = A\r\nA = \"a\"\r\n";
        std::ofstream(Path("g.txt"), std::ios::binary) << "S = A\r\n";
    }
    TypeGrammar(QStringLiteral("X = \"x\""));
    Prompts.AnswerWith(Path("g.txt"));
    Prompts.AnswerWith(""); // cancelled: nothing happens
    Click(Form->Parsing->LoadCFGButton);
    Click(Form->Parsing->LoadCFGButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".CFG\" expected."));
    EXPECT_EQ(Form->Parsing->SrcCFG->toPlainText(), "X = \"x\"");
    Prompts.Clear();

    Prompts.AnswerWith(Path("g.cfg"));
    Click(Form->Parsing->LoadCFGButton);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->SrcCFG->toPlainText(), "// quick\nS = A\nA = \"a\"");

    Prompts.AnswerWith(Path("out.cfg"));
    Click(Form->Parsing->SaveCFGButton);
    EXPECT_EQ(ReadAll(Dir / "out.cfg"), "// quick\r\nS = A\r\nA = \"a\"\r\n");

    // The internal listing is saved as shown, tabs included.
    Click(Form->Parsing->Check);
    Prompts.AnswerWith(Path("internal.cfg"));
    Click(Form->Parsing->SaveCFGButton);
    EXPECT_EQ(ReadAll(Dir / "internal.cfg"), "0 (N):\tS = A\r\n1 (T):\tA = \"a\"\r\n");

    Click(Form->Parsing->NewCFGBtn);
    EXPECT_TRUE(Form->Parsing->SrcCFG->toPlainText().isEmpty());
    EXPECT_TRUE(Form->Parsing->DstCFG->toPlainText().isEmpty());
    EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->ExternalSheet);
}

TEST_F(MainWindowTest, NltkGrammarsAreConvertedOnLoadingAndOnSaving) {
    std::ofstream(Path("course.txt"), std::ios::binary)
        << "# NLTK\nS -> NP VP | VP\nNP -> 'Kim'\nVP -> 'runs' | 'sees' NP\n";
    Prompts.AnswerWith(Path("course.txt"));
    Click(Form->Parsing->LoadCFGButton);
    EXPECT_EQ(Form->Parsing->SrcCFG->toPlainText(),
              "START = S\nS = NP VP\nS = VP\nNP = \"Kim\"\nVP = \"runs\"\nVP = \"sees\" NP");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Warning);
    EXPECT_EQ(Prompts.Last(), "The grammar was converted; not everything could be carried over:\n"
                              "Line 2: the start category S has several rules, so the rule "
                              "START = S is put first and each tree has START as its root.");
    EXPECT_EQ(Prompts.Dialogs[0].Filter,
              "CFG files|*.CFG|NLTK grammars|*.cfg;*.fcfg;*.txt|All files|*.*");
    Parse(Form->Parsing->SrcCFG->toPlainText(), QStringLiteral("Kim sees Kim"));
    EXPECT_THAT(Form->Parsing->Sheet().Parser.GetParseTrees(),
                ElementsAre("[START [S [NP [Kim]] [VP [#0 [sees]] [NP [Kim]]]]]"));

    // Saved with the NLTK file type, from whichever page is in front.
    Prompts.Clear();
    Prompts.AnswerWith(Path("back.txt"), 1);
    Click(Form->Parsing->SaveCFGButton);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(ReadAll(Dir / "back.txt"),
              "START -> S\nS -> NP VP | VP\nNP -> 'Kim'\nVP -> 'runs' | 'sees' NP\n");
}

TEST_F(MainWindowTest, ParsingDrawsEachNewTreeFromItsTopLeftCorner) {
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->PTNum->text(), "1");
    EXPECT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->ParseTreeSheet);
    EXPECT_EQ(Form->Parsing->ParseTreePB->width(),
              Form->Parsing->Sheet().ParseTree.GetMetafile().Width);
    EXPECT_THAT(Form->Parsing->Sheet().Parser.GetParseTrees(),
                ElementsAre("[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] "
                            "[N [cat]]]]]"));
    Prompts.AnswerWith(Path("tree.tre"));
    Click(Form->Parsing->SaveParseTreeBtn);
    EXPECT_GT(std::filesystem::file_size(Dir / "tree.tre"), 0u);

    // A tree larger than its window, looked at in its far corner; the next parse
    // (and the next tree stepped to) starts at the top-left corner again.
    Parse(AllBracketings, Words("a", 30));
    QScrollBar* across = Form->Parsing->ParseTreeSB->horizontalScrollBar();
    QScrollBar* down = Form->Parsing->ParseTreeSB->verticalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    ASSERT_GT(down->maximum(), 0);
    for (const auto& next :
         std::vector<std::function<void()>>{[&] { Click(Form->Parsing->ParseBtn); },
                                            [&] { ClickArrow(Form->Parsing->PTUD, true); }}) {
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        next();
        EXPECT_EQ(across->value(), 0);
        EXPECT_EQ(down->value(), 0);
    }
    EXPECT_EQ(Form->Parsing->PTCur->text(), "2");
}

TEST_F(MainWindowTest, TraceListFillsTheMemoAndItsLabels) {
    ChooseTrace(0, 0, 0);
    Parse(QuickStart, QStringLiteral("the dog chases the cat"));
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    // With a trace list the trace sheet stays in front and the listing is shown.
    EXPECT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->TraceSheet);
    EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->InternalSheet);
    // Line number, rule number and pattern in three columns.
    QAbstractItemModel* shown = Form->Parsing->TrcMemo->model();
    ASSERT_EQ(shown->rowCount(), 11);
    std::vector<std::string> lines;
    for (int row = 0; row < shown->rowCount(); ++row) {
        QStringList columns;
        for (int column = 0; column < 3; ++column)
            columns << shown->index(row, column).data().toString();
        lines.push_back(columns.join(QLatin1Char('\t')).toStdString());
    }
    EXPECT_EQ(lines[0], "0\t-\t S");
    EXPECT_EQ(lines[1], "1\t0\t NP VP");
    EXPECT_EQ(lines.back(), "10\t4\t the dog chases the cat");
    // Ctrl+C copies the chosen lines.
    Click(Form->Parsing->TrcMemo->viewport(), Qt::LeftButton, Qt::NoModifier,
          Form->Parsing->TrcMemo->visualRect(shown->index(1, 2)).center());
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t0\t NP VP");
    EXPECT_EQ(Form->Parsing->Label8->text().toStdString(), std::to_string(lines.size()) + " Lines");
    EXPECT_EQ(Form->Parsing->Label10->text().toStdString(), "\"" + lines.back() + "\"");

    Prompts.AnswerWith(Path("trace.txt"));
    Click(Form->Parsing->SaveTraceButton);
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(ReadAll(Dir / "trace.txt"), expected);
}

// The model decides each outcome and its message (its own tests hold them all); the
// window shows the message and puts the user where the fault is.
TEST_F(MainWindowTest, EachOutcomeShowsItsMessageWhereTheUserIs) {
    const struct {
        QString Grammar;
        const char* Sentence;
        std::vector<std::string> Messages;
        std::function<QWidget*()> Focus; // what has the keyboard focus afterwards
    } cases[] = {
        {QuickStart,
         "",
         {"You have not entered a text to parse."},
         [&] { return Form->InputText; }},
        {QString(), "a", {"Please define a CFG first."}, [&] { return Form->Parsing->SrcCFG; }},
        {QuickStart, "the dog the", {"Parsing failed!"}, [&] { return Form->Parsing->ParseBtn; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sentence);
        Prompts.Clear();
        Parse(c.Grammar, QString::fromLatin1(c.Sentence));
        EXPECT_EQ(Prompts.Texts(), c.Messages);
        EXPECT_EQ(QApplication::focusWidget(), c.Focus());
        EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->ExternalSheet);
    }
}

TEST_F(MainWindowTest, AmbiguousSentenceCanBeSteppedThrough) {
    Prompts.AnswerWith(GRAMARBOR_EXAMPLES "/ambiguous_pp.cfg");
    Click(Form->Parsing->LoadCFGButton);
    TypeSentence(QStringLiteral("I saw the man with the telescope"));
    Click(Form->Parsing->ParseBtn);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->PTNum->text(), "2");
    std::string first, second;
    ASSERT_TRUE(Form->Parsing->Sheet().ParseTree.TreeToStr(first));
    // The arrows step without wrapping.
    const struct {
        bool Up;
        const char* Current;
    } steps[] = {{true, "2"}, {true, "2"}, {false, "1"}, {false, "1"}};
    for (const auto& step : steps) {
        ClickArrow(Form->Parsing->PTUD, step.Up);
        EXPECT_EQ(Form->Parsing->PTCur->text(), step.Current);
        if (std::string(step.Current) == "2") {
            ASSERT_TRUE(Form->Parsing->Sheet().ParseTree.TreeToStr(second));
        }
    }
    EXPECT_NE(first, second);
    EXPECT_FALSE(Form->Parsing->PTUD->DownButton()->isEnabled());

    // A tree number typed into the field, and one that is not a tree.
    QLineEdit* field = Form->Parsing->PTCur;
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("2"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "2");
    EXPECT_FALSE(Form->Parsing->PTUD->UpButton()->isEnabled());
    std::string typed;
    ASSERT_TRUE(Form->Parsing->Sheet().ParseTree.TreeToStr(typed));
    EXPECT_EQ(typed, second);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("3"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Prompts.Last(), "Please enter a tree number from 1 to 2.");
    EXPECT_EQ(field->text(), "2");
}

// Thirty words have more groupings than any search could try: both breadth-first
// traces run until Cancel is pressed on the progress window.
TEST_F(MainWindowTest, CancelEndsTheSearchAtOnceAndNothingElseStartsMeanwhile) {
    std::atomic<int> started{0};
    Form->Parsing->Sheet().Search = [&started](TParser& store,
                                               const std::vector<std::string>& sentence,
                                               uint8_t options, TParseRun& run) {
        ++started;
        return ParseSentence(store, sentence, options, run);
    };
    Form->Parsing->Runner().ProgressDelayMs = 50;
    TypeGrammar(AllBracketings);
    TypeSentence(Words("a", 30));
    for (const int method : {1, 0}) {
        SCOPED_TRACE(method == 1 ? "bottom up" : "top down");
        ChooseTrace(method, 1, 0);
        Prompts.Clear();
        started = 0;
        QElapsedTimer sinceCancel;
        bool shown = false;
        Form->Parsing->Runner().OnProgressShown = [&](TParseProgressDlg& progress) {
            shown = true;
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
            EXPECT_TRUE(progress.isModal());
            Click(progress.CancelBtn);
            sinceCancel.start();
            EXPECT_FALSE(progress.CancelBtn->isEnabled());
            // While the search winds down the window takes no second parse or check.
            QTest::mouseClick(Form->Parsing->ParseBtn, Qt::LeftButton);
            QTest::mouseClick(Form->Parsing->Check, Qt::LeftButton);
            QTest::keyClick(Form.get(), Qt::Key_P, Qt::AltModifier);
        };
        Click(Form->Parsing->ParseBtn);
        ASSERT_TRUE(shown);
        // The search thread has ended when the click returns.
        EXPECT_FALSE(Form->Parsing->Runner().Busy());
        EXPECT_LT(sinceCancel.elapsed(), 1000);
        EXPECT_EQ(started, 1);
        EXPECT_THAT(Prompts.Texts(), ElementsAre(MsgParsingCancelled));
        EXPECT_TRUE(Form->Parsing->Sheet().Parser.GetParseTrees().empty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // The window is usable afterwards.
    Form->Parsing->Runner().OnProgressShown = nullptr;
    Prompts.Clear();
    Click(Form->Parsing->TraceListCB);
    TypeSentence(Words("a", 3));
    Click(Form->Parsing->ParseBtn);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->PTNum->text(), "2");
}

TEST_F(MainWindowTest, ClosingTheWindowDuringAParseStopsItFirst) {
    Form->Parsing->Runner().ProgressDelayMs = 50;
    ChooseTrace(1, 1, 0);
    Form->Parsing->Runner().OnProgressShown = [&](TParseProgressDlg&) { Form->close(); };
    Parse(AllBracketings, Words("a", 30));
    EXPECT_FALSE(Form->Parsing->Runner().Busy());
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
}

TEST_F(MainWindowTest, InOutHistoryRecordsParsedAndLeftTexts) {
    TypeGrammar(QuickStart);
    // Parsing records the sentence; so does leaving the field for another control.
    TypeSentence(QStringLiteral("the dog chases the cat"));
    Click(Form->Parsing->ParseBtn);
    TypeSentence(QStringLiteral("the cat"));
    Click(Form->Parsing->SrcCFG);
    TypeSentence(QStringLiteral("the dog"));
    Press(Qt::Key_Tab);
    // (Typing "the dog" does not complete to the longer sentence listed before.)
    EXPECT_THAT(Items(), ElementsAre("the dog", "the cat", "the dog chases the cat"));
    // Known texts are not listed twice; sixteen at most.
    for (int i = 0; i < 17; ++i) {
        TypeSentence(QStringLiteral("text %1").arg(i % 15));
        Click(Form->Parsing->SrcCFG);
    }
    const std::vector<std::string> items = Items();
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items.front(), "text 14");
    EXPECT_EQ(items.back(), "the dog");
}

TEST_F(MainWindowTest, MakeRtnDrawsOneNetPerRuleAndMakeCfgWritesItBack) {
    Click(Form->Parsing->Network->MakeCFG);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define an RTN-grammar first."));
    Prompts.Clear();

    TypeGrammar(QuickStart);
    Click(Form->Parsing->Network->MakeRTN);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    ASSERT_TRUE(Form->Parsing->Network->Workspace().HasRtn());
    EXPECT_EQ(Form->Parsing->Network->Workspace().Rtn->size(), 7u);
    EXPECT_EQ(Form->Parsing->ParsingPC->currentWidget(), Form->Parsing->Network);
    EXPECT_EQ(Form->Parsing->Network->PaintBox1->height(), 7 * LineHeight);

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
    ClickNet(Qt::LeftButton, Qt::NoModifier, NetPoint(3, 0));
    EXPECT_EQ(answered, 2);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Pop-arcs can`t be entered."));

    Prompts.Clear();
    Click(Form->Parsing->Network->MakeCFG);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->GrammarPC->currentWidget(), Form->Parsing->ExternalSheet);
    EXPECT_THAT(MemoLines(Form->Parsing->SrcCFG),
                ElementsAre("S = NP VP", "NP = DET N", "VP = V NP", "DET = \"a\"", "N = \"cat\"",
                            "N = \"dog\"", "V = \"chases\""));
}

TEST_F(MainWindowTest, MouseGesturesEditNetsDownToNoneAndBack) {
    Click(Form->Parsing->Network->NewRTNButton);
    ASSERT_EQ(Form->Parsing->Network->Workspace().Rtn->size(), 1u);
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
        for (const TRTNLine& net : *Form->Parsing->Network->Workspace().Rtn)
            nets.push_back(net.Name + " " + std::to_string(net.Nodes.size()));
        EXPECT_EQ(nets, click.Nets) << click.At.x() << "," << click.At.y();
        if (Form->Parsing->Network->Workspace().Rtn->empty()) {
            EXPECT_GE(Form->Parsing->Network->PaintBox1->height(), LineHeight);
            EXPECT_GE(Form->Parsing->Network->PaintBox1->width(), LineHeight);
        }
    }
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong net-name."));

    Click(Form->Parsing->Network->ClearRTNBtn);
    EXPECT_FALSE(Form->Parsing->Network->Workspace().HasRtn());
    EXPECT_EQ(Form->Parsing->Network->PaintBox1->size(), QSize(0, 0));
}

TEST_F(MainWindowTest, AnEmptyGrammarMakesAnEmptyNetworkThatTakesItsFirstNet) {
    Click(Form->Parsing->Network->MakeRTN);
    ASSERT_TRUE(Form->Parsing->Network->Workspace().HasRtn()) << Prompts.Last();
    ASSERT_TRUE(Form->Parsing->Network->Workspace().Rtn->empty());
    ASSERT_GE(Form->Parsing->Network->PaintBox1->height(), LineHeight);
    ClickNet(Qt::RightButton, Qt::NoModifier, {40, 40});
    ASSERT_EQ(Form->Parsing->Network->Workspace().Rtn->size(), 1u);
    EXPECT_EQ((*Form->Parsing->Network->Workspace().Rtn)[0].Name, "Net0");
}

TEST_F(MainWindowTest, NetworkFilesAndPicturesGoThroughTheDialogs) {
    Click(Form->Parsing->Network->SaveRTNButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("There is no valid RTN to save."));
    EXPECT_TRUE(Prompts.Dialogs.empty());
    Prompts.Clear();
    // Without a network the up-downs refuse to move.
    ClickArrow(Form->Parsing->Network->NodeSizeUD, true);
    EXPECT_EQ(Form->Parsing->Network->NodeSizeUD->Position(), 0);

    TypeGrammar(QuickStart);
    Click(Form->Parsing->Network->MakeRTN);
    ClickArrow(Form->Parsing->Network->NodeSizeUD, true);
    ClickArrow(Form->Parsing->Network->NodeSizeUD, true);
    EXPECT_EQ(Form->Parsing->Network->NodeSizeLab->text(), "2");
    Click(Form->Parsing->Network->ArcCheckBox);
    Prompts.AnswerWith(Path("net.rtn"));
    Click(Form->Parsing->Network->SaveRTNButton);

    // A name without an extension takes that of the chosen type; split pictures
    // are numbered.
    Prompts.AnswerWith(Path("net"), 0);
    Click(Form->Parsing->Network->SaveMetaButton);
    for (const char* name : {"net_0.wmf", "net_1.wmf", "net_2.wmf"})
        EXPECT_TRUE(std::filesystem::exists(Dir / name)) << name;
    Click(Form->Parsing->Network->WMFSplitCB);
    Prompts.AnswerWith(Path("whole"), 1);
    Click(Form->Parsing->Network->SaveMetaButton);
    EXPECT_EQ(ReadAll(Dir / "whole.svg").substr(0, 5), "<?xml");

    Click(Form->Parsing->Network->Button5);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat(QStringLiteral("image/x-wmf")));

    Click(Form->Parsing->Network->NewRTNButton);
    ClickArrow(Form->Parsing->Network->NodeSizeUD, false);
    Click(Form->Parsing->Network->ArcCheckBox);
    Prompts.AnswerWith(Path("net.cfg"));
    Click(Form->Parsing->Network->LoadRTNButton);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".RTN\" expected."));
    EXPECT_EQ(Form->Parsing->Network->Workspace().Rtn->size(), 1u);
    Prompts.Clear();
    Prompts.AnswerWith(Path("net.rtn"));
    Click(Form->Parsing->Network->LoadRTNButton);
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Parsing->Network->Workspace().Rtn->size(), 7u);
    // The file's display options reach the controls.
    EXPECT_EQ(Form->Parsing->Network->NodeSizeLab->text(), "2");
    EXPECT_TRUE(Form->Parsing->Network->ArcCheckBox->isChecked());
}

TEST_F(MainWindowTest, OptionsDialogSetsTheInOutLength) {
    TypeSentence(QStringLiteral("some text"));
    WhenShown<TGlobOptsDlg>([&](TGlobOptsDlg& dialog) {
        EXPECT_EQ(dialog.IOTextLenME->text(), "255");
        TypeInto(dialog.IOTextLenME, QStringLiteral("3"));
        Click(dialog.SaveEnvirCB);
        Press(Qt::Key_Return);
    });
    Click(Form->GlobOptsBtn);
    EXPECT_EQ(Form->MaxTextLength(), 3);
    EXPECT_TRUE(Form->SaveEnvironmentOption);
    EXPECT_TRUE(Form->InputText->currentText().isEmpty());
    TypeSentence(QStringLiteral("abcdef"));
    EXPECT_EQ(Form->InputText->currentText(), "abc");
}

TEST_F(MainWindowTest, InformationAndInstructions) {
    WhenShown<TInfoDlg>([&](TInfoDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
    Click(Form->InfoBtn);
    EXPECT_FALSE(Form->InfoDlg->isVisible());

    Click(Form->InstructionBtn);
    EXPECT_FALSE(Form->HelpPageDlg->isModal());
    EXPECT_EQ(Form->HelpPageDlg->windowTitle(), "Instructions (Parsing)");
    // It follows the user to the other sheet.
    ShowPage(Form->GlobalPC, Form->TreeSheet);
    EXPECT_EQ(Form->HelpPageDlg->windowTitle(), "Instructions (Trees)");
    Click(Form->HelpPageDlg->CloseBtn);
    EXPECT_FALSE(Form->HelpPageDlg->isVisible());
}

} // namespace
} // namespace gramarbor
