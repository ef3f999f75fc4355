// Drives the real main window through its handlers and widgets: grammar commands,
// parsing with the result sheets, and the network sheet with mouse editing.
#include "workbench/main_window.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core_version.h"
#include "parsing/parse_options.h"
#include "rtn/rtn_layout.h"
#include "workbench/fake_prompter.h"
#include "workbench/glob_opts_dlg.h"
#include "workbench/info_dialogs.h"
#include "workbench/rtn_dialogs.h"
#include "workbench/widgets.h"

namespace gramarbor {
namespace {

using test::FakePrompter;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char* const QuickStart = "S = NP VP\nNP = DET N\nVP = V NP\nDET = \"the\"\n"
                               "N = \"cat\"\nN = \"dog\"\nV = \"chases\"";

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Answers the network sheet's dialogs with a scripted function per showing.
class ScriptedDialogHost final : public TRtnDialogHost {
public:
    std::function<void(TCondDlg&, int)> OnCond;
    std::function<void(TNetNameDlg&, int)> OnNetName;
    int CondShown = 0;
    int NetNameShown = 0;
    void ShowCondDlg(TCondDlg& dlg, TPoint) override {
        if (OnCond) OnCond(dlg, CondShown);
        ++CondShown;
    }
    void ShowNetNameDlg(TNetNameDlg& dlg, TPoint) override {
        if (OnNetName) OnNetName(dlg, NetNameShown);
        ++NetNameShown;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() /
              ("gramarbor_gui_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Dir);
        Form = std::make_unique<TForm1>(&Prompts);
        Form->SetRtnDialogHost(&Host);
    }
    void TearDown() override {
        Form.reset();
        std::filesystem::remove_all(Dir);
    }

    void Type(const char* grammar, const char* sentence = "") {
        Form->SrcCFG->setPlainText(QString::fromUtf8(grammar));
        Form->InputText->setEditText(QString::fromUtf8(sentence));
    }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }
    std::vector<std::string> MemoLines(const QPlainTextEdit* memo) const {
        std::vector<std::string> lines;
        for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
            lines.push_back(line.toStdString());
        return lines;
    }
    // A mouse event on the network drawing, as the platform would deliver it.
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers keys, int x,
               int y) {
        const Qt::MouseButtons held =
            type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(x, y), Form->PaintBox1->mapToGlobal(QPointF(x, y)), button,
                          held, keys);
        QApplication::sendEvent(Form->PaintBox1, &event);
    }
    void MoveTo(int x, int y) { Mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoModifier, x, y); }
    void Click(Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y) {
        MoveTo(x, y);
        Mouse(QEvent::MouseButtonPress, button, keys, x, y);
    }

    FakePrompter Prompts;
    ScriptedDialogHost Host;
    std::unique_ptr<TForm1> Form;
    std::filesystem::path Dir;
};

TEST_F(MainWindowTest, StartsWithTheDefaultSettingsInItsControls) {
    EXPECT_EQ(Form->windowTitle().toStdString(), TitleText());
    EXPECT_TRUE(Form->Started());
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_EQ(Form->ParseOptions, 0x65);
    // 0x65: bottom up, breadth first, optimal trace, parse trees.
    EXPECT_EQ(Form->ParseMethodRG->ItemIndex(), 1);
    EXPECT_EQ(Form->ParseDirRG->ItemIndex(), 1);
    EXPECT_EQ(Form->TraceListRG->ItemIndex(), 1);
    EXPECT_FALSE(Form->TraceListCB->isChecked());
    EXPECT_TRUE(Form->ParseTreeCB->isChecked());
    EXPECT_FALSE(Form->CaseSensCB->isChecked());
    EXPECT_FALSE(Form->ParseMethodRG->isEnabled());
    EXPECT_FALSE(Form->ParseDirRG->isEnabled());
    EXPECT_FALSE(Form->TraceListRG->isEnabled());
    EXPECT_EQ(Form->GlobalPC->currentWidget(), Form->ParsingSheet);
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->ExternalSheet);
    EXPECT_EQ(Form->ParsingPC->currentWidget(), Form->RTNSheet);
    EXPECT_EQ(Form->Label8->text(), "0 lines");
    EXPECT_EQ(Form->Label10->text(), "-");
    EXPECT_EQ(Form->PTUD->Max(), 99);
    EXPECT_EQ(Form->NodeSizeUD->Max(), 16);
    EXPECT_EQ(Form->NodeDistUD->Max(), 16);
    EXPECT_TRUE(Form->WMFSplitCB->isChecked());
    EXPECT_FALSE(Form->ArcCheckBox->isChecked());
    EXPECT_EQ(Form->InputText->lineEdit()->maxLength(), 255);
    EXPECT_EQ(Form->Check->text(), "&Check CFG");
    EXPECT_EQ(Form->ParseBtn->text(), "&Parse CFG");
    EXPECT_EQ(Form->Button5->text(), "Clip&board");
    for (const char* name :
         {"SrcCFG",        "DstCFG",     "GrammarPC",   "ExternalSheet", "InternalSheet",
          "ParseMethodRG", "ParseDirRG", "TraceListCB", "TraceListRG",   "ParseTreeCB",
          "CaseSensCB",    "InputText",  "PaintBox1",   "NodeSizeUD",    "NodeDistUD",
          "ArcCheckBox",   "WMFSplitCB", "TrcMemo",     "Label8",        "Label10",
          "ParseTreePB",   "PTNum",      "PTCur",       "PTUD",          "Panel1"})
        EXPECT_NE(Form->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
}

TEST_F(MainWindowTest, OptionControlsKeepTheOptionByteInStep) {
    Form->TraceListCB->click();
    // Enabling the groups runs their handlers: the byte follows their items.
    EXPECT_EQ(Form->ParseOptions, 0x75);
    EXPECT_TRUE(Form->ParseMethodRG->isEnabled());
    Form->ParseMethodRG->ClickItem(0);
    Form->ParseDirRG->ClickItem(0);
    Form->TraceListRG->ClickItem(0);
    EXPECT_EQ(Form->ParseOptions, poTopDown | poDepthFirst | poTraceList | poParseTrees);
    Form->CaseSensCB->click();
    Form->ParseTreeCB->click();
    EXPECT_EQ(Form->ParseOptions, poTopDown | poDepthFirst | poTraceList | poCaseSensitive);
    Form->TraceListRG->ClickItem(1);
    Form->TraceListCB->click();
    // Switching the trace list off clears the optimal flag and keeps method and direction.
    EXPECT_EQ(Form->ParseOptions, poTopDown | poDepthFirst | poCaseSensitive);
    EXPECT_FALSE(Form->TraceListRG->isEnabled());
}

TEST_F(MainWindowTest, CheckListsTheInternalGrammar) {
    Form->CheckClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define a CFG first."));
    Prompts.Clear();

    Type(QuickStart);
    Form->CheckClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->InternalSheet);
    const std::vector<std::string> listing = MemoLines(Form->DstCFG);
    ASSERT_EQ(listing.size(), 7u);
    EXPECT_EQ(listing[0], "0 (N):\tS = NP VP");
    EXPECT_THAT(listing, ::testing::Contains("3 (T):\tDET = \"the\""));
}

TEST_F(MainWindowTest, FaultyRuleShowsItsMessageAndPutsTheCaretOnItsLine) {
    Type("// a comment\n\nS = NP VP\nNP = DET N\nVP = V NP x$y\nDET = \"the\"");
    Form->CheckClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Error);
    EXPECT_THAT(Prompts.Last(), HasSubstr("Wrong letters in symbol-name"));
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->ExternalSheet);
    // The offending rule is rule line 2 but line 4 of the text.
    EXPECT_EQ(Form->SrcCFG->textCursor().blockNumber(), 4);
    EXPECT_EQ(Form->SrcCFG->textCursor().positionInBlock(), 0);

    // Parsing stops at the same place.
    Prompts.Clear();
    Form->SrcCFG->moveCursor(QTextCursor::Start);
    Form->InputText->setEditText(QStringLiteral("the"));
    Form->ParseClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Form->SrcCFG->textCursor().blockNumber(), 4);
}

TEST_F(MainWindowTest, LoadsAndSavesGrammarFiles) {
    {
        std::ofstream(Path("g.cfg"), std::ios::binary) << "// quick\r\nS = A\r\nA = \"a\"\r\n";
        std::ofstream(Path("g.txt"), std::ios::binary) << "S = A\r\n";
    }
    Type("X = \"x\"");
    Prompts.AnswerWith(Path("g.txt"));
    Form->LoadCFGButtonClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".CFG\" expected."));
    EXPECT_EQ(Form->SrcCFG->toPlainText(), "X = \"x\"");
    ASSERT_EQ(Prompts.Dialogs.size(), 1u);
    EXPECT_EQ(Prompts.Dialogs[0].Title, "Load (external) CFG");
    EXPECT_EQ(Prompts.Dialogs[0].Filter, "CFG files|*.CFG|All files|*.*");
    EXPECT_EQ(Prompts.Dialogs[0].DefaultExt, "CFG");
    Prompts.Clear();

    Form->LoadCFGButtonClick(); // cancelled: nothing happens
    EXPECT_EQ(Form->SrcCFG->toPlainText(), "X = \"x\"");

    Prompts.AnswerWith(Path("g.cfg"));
    Form->LoadCFGButtonClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->SrcCFG->toPlainText(), "// quick\nS = A\nA = \"a\"");

    Prompts.AnswerWith(Path("out.cfg"));
    Form->SaveCFGButtonClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save external CFG");
    EXPECT_EQ(ReadAll(Dir / "out.cfg"), "// quick\r\nS = A\r\nA = \"a\"\r\n");

    // The internal listing is saved as shown, tabs included.
    Form->CheckClick();
    Prompts.AnswerWith(Path("internal.cfg"));
    Form->SaveCFGButtonClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save internal CFG");
    EXPECT_EQ(ReadAll(Dir / "internal.cfg"), "0 (N):\tS = A\r\n1 (T):\tA = \"a\"\r\n");

    Form->NewCFGBtnClick();
    EXPECT_TRUE(Form->SrcCFG->toPlainText().isEmpty());
    EXPECT_TRUE(Form->DstCFG->toPlainText().isEmpty());
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->ExternalSheet);
}

TEST_F(MainWindowTest, ParsingTheQuickStartSentenceDrawsItsTree) {
    Type(QuickStart, "the dog chases the cat");
    Form->ParseClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->PTNum->text(), "1");
    EXPECT_EQ(Form->PTCur->text(), "1");
    EXPECT_EQ(Form->ParsingPC->currentWidget(), Form->ParseTreeSheet);
    EXPECT_GT(Form->ParseTreePB->width(), 100);
    EXPECT_GT(Form->ParseTreePB->height(), 100);
    EXPECT_EQ(Form->ParseTreePB->width(), Form->ParseTree.GetMetafile().Width);
    EXPECT_THAT(Form->Parser.GetParseTrees(),
                ElementsAre("[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] "
                            "[N [cat]]]]]"));

    Prompts.AnswerWith(Path("tree.tre"));
    Form->SaveParseTreeBtnClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save parse tree");
    EXPECT_GT(std::filesystem::file_size(Dir / "tree.tre"), 0u);
}

TEST_F(MainWindowTest, TraceListFillsTheMemoAndItsLabels) {
    Form->TraceListCB->click();
    Form->ParseMethodRG->ClickItem(0);
    Form->ParseDirRG->ClickItem(0);
    Form->TraceListRG->ClickItem(0);
    Type(QuickStart, "the dog chases the cat");
    Form->ParseClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    // With a trace list the trace sheet stays in front and the listing is shown.
    EXPECT_EQ(Form->ParsingPC->currentWidget(), Form->TraceSheet);
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->InternalSheet);
    const std::vector<std::string> lines = MemoLines(Form->TrcMemo);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "0\t-\t S");
    EXPECT_EQ(lines[1], "1\t0\t NP VP");
    EXPECT_EQ(lines, Form->Parser.GetTraceLines());
    EXPECT_EQ(Form->Label8->text().toStdString(), std::to_string(lines.size()) + " Lines");
    EXPECT_EQ(Form->Label10->text().toStdString(), "\"" + lines.back() + "\"");
    EXPECT_EQ(Form->PTNum->text(), "1");

    Prompts.AnswerWith(Path("trace.txt"));
    Form->SaveTraceButtonClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save trace list");
    EXPECT_EQ(Prompts.Dialogs.back().DefaultExt, "TXT");
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(ReadAll(Dir / "trace.txt"), expected);
}

TEST_F(MainWindowTest, ParseResultsAndRefusalsAreReportedInTheirBoxes) {
    Type(QuickStart, "");
    Form->ParseClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("You have not entered a text to parse."));
    Prompts.Clear();

    Form->InputText->setEditText(QStringLiteral("the dog the"));
    Form->ParseClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(Prompts.Last(), "Parsing failed!");
    Prompts.Clear();

    // Without trace list and trees only the answer is shown.
    Form->ParseTreeCB->click();
    Form->InputText->setEditText(QStringLiteral("the cat chases the dog"));
    Form->ParseClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Information);
    EXPECT_EQ(Prompts.Last(), "Parsing successful!");
    Prompts.Clear();

    Form->SrcCFG->clear();
    Form->ParseClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define a CFG first."));
}

TEST_F(MainWindowTest, AmbiguousSentenceCanBeSteppedThrough) {
    Prompts.AnswerWith(GRAMARBOR_EXAMPLES "/ambiguous_pp.cfg");
    Form->LoadCFGButtonClick();
    Form->InputText->setEditText(QStringLiteral("I saw the man with the telescope"));
    Form->ParseClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->PTNum->text(), "2");
    EXPECT_EQ(Form->PTUD->Max(), 1);
    std::string first, second;
    ASSERT_TRUE(Form->ParseTree.TreeToStr(first));
    Form->PTUD->Step(1);
    EXPECT_EQ(Form->PTCur->text(), "2");
    ASSERT_TRUE(Form->ParseTree.TreeToStr(second));
    EXPECT_NE(first, second);
    Form->PTUD->Step(1); // no wrap
    EXPECT_EQ(Form->PTCur->text(), "2");
    Form->PTUD->Step(-1);
    EXPECT_EQ(Form->PTCur->text(), "1");
}

TEST_F(MainWindowTest, HugelyAmbiguousSentenceShowsItsExactTreeCount) {
    // Every binary bracketing of twenty words: Catalan(19) trees, far more than kept.
    Type("START = S\nS = S S\nS = \"a\"", "a a a a a a a a a a a a a a a a a a a a");
    Form->ParseClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->PTNum->text(), "1767263190 (first 32768 shown)");
    EXPECT_EQ(Form->PTUD->Max(), 32767);
}

TEST_F(MainWindowTest, LongParseCanBeCancelled) {
    Type(QuickStart, "the cat chases the dog");
    // A search that ends only when it is cancelled.
    Form->Runner().Parse = [](TParser&, const std::vector<std::string>&, uint8_t, TParseRun& run) {
        while (!run.Cancel->IsCancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        run.Cancelled = true;
        return false;
    };
    Form->Runner().ProgressDelayMs = 50;
    bool shown = false;
    Form->Runner().OnProgressShown = [&](QProgressDialog& progress) {
        shown = true;
        EXPECT_TRUE(progress.isModal());
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        progress.cancel();
    };
    Form->ParseClick();
    EXPECT_TRUE(shown);
    EXPECT_THAT(Prompts.Texts(), ElementsAre(MsgParsingCancelled));
    EXPECT_TRUE(Form->Parser.GetParseTrees().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The window is usable again afterwards.
    Prompts.Clear();
    Form->Runner().OnProgressShown = nullptr;
    Form->Runner().Parse = nullptr;
    Form->ParseClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->PTNum->text(), "1");
}

TEST_F(MainWindowTest, MakeRtnDrawsOneNetPerRuleAndMakeCfgWritesItBack) {
    Form->MakeCFGClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Please define an RTN-grammar first."));
    Prompts.Clear();

    Type(QuickStart);
    Form->ParsingPC->setCurrentWidget(Form->TraceSheet);
    Form->MakeRTNClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    ASSERT_TRUE(Form->Rtn.HasRtn());
    EXPECT_EQ(Form->Rtn.Rtn->size(), 7u);
    EXPECT_EQ(Form->ParsingPC->currentWidget(), Form->RTNSheet);
    EXPECT_EQ(Form->PaintBox1->width(), Form->Rtn.RtnPicture.Width);
    EXPECT_EQ(Form->PaintBox1->height(), 7 * LineHeight);

    // Left click on the transition DET0-DET1 (net 3) edits node 0: the first answer
    // is refused and the dialog comes back with the user's input.
    Host.OnCond = [](TCondDlg& dlg, int showing) {
        EXPECT_EQ(dlg.Srcs[1], "DET0");
        dlg.Conds[1] = showing == 0 ? "pop" : "\"a\"";
        dlg.OkBtnClick();
    };
    Click(Qt::LeftButton, Qt::NoModifier, 140, 3 * LineHeight + 60);
    EXPECT_EQ(Host.CondShown, 2);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Pop-arcs can`t be entered."));
    // Ctrl with the left button is no left click.
    Click(Qt::LeftButton, Qt::ControlModifier, 140, 3 * LineHeight + 60);
    EXPECT_EQ(Host.CondShown, 2);

    Prompts.Clear();
    Form->MakeCFGClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->ExternalSheet);
    EXPECT_THAT(MemoLines(Form->SrcCFG),
                ElementsAre("S = NP VP", "NP = DET N", "VP = V NP", "DET = \"a\"", "N = \"cat\"",
                            "N = \"dog\"", "V = \"chases\""));
}

TEST_F(MainWindowTest, TooManyAlternativesTakeTheUserToTheGrammar) {
    Type("S = (\"a\",\"b\",\"c\",\"d\",\"e\")");
    Form->GrammarPC->setCurrentWidget(Form->InternalSheet);
    Form->MakeRTNClick();
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_THAT(Prompts.Last(), HasSubstr("Too many alternatives in the \"S\"-network"));
    EXPECT_FALSE(Form->Rtn.HasRtn());
    EXPECT_EQ(Form->GrammarPC->currentWidget(), Form->ExternalSheet);
    EXPECT_EQ(Form->PaintBox1->size(), QSize(16, 16));
}

TEST_F(MainWindowTest, MouseGesturesInsertRenameAndDeleteNets) {
    Form->NewRTNButtonClick();
    ASSERT_EQ(Form->Rtn.Rtn->size(), 1u);
    // Right click in the lower half of net 0's name area inserts Net1 below it.
    Click(Qt::RightButton, Qt::NoModifier, 4, 100);
    ASSERT_EQ(Form->Rtn.Rtn->size(), 2u);
    EXPECT_EQ((*Form->Rtn.Rtn)[1].Name, "Net1");
    // A right click with Shift held is none of the gestures.
    Click(Qt::RightButton, Qt::ShiftModifier, 4, 100);
    EXPECT_EQ(Form->Rtn.Rtn->size(), 2u);

    Host.OnNetName = [](TNetNameDlg& dlg, int showing) {
        // Shown again after a refusal, the dialog keeps what the user typed.
        EXPECT_EQ(dlg.NetNameEdit, showing == 0 ? "Net1" : "1x");
        dlg.NetNameEdit = showing == 0 ? "1x" : "np";
        dlg.OKBtnClick();
    };
    Click(Qt::LeftButton, Qt::NoModifier, 4, LineHeight + 10);
    EXPECT_EQ(Host.NetNameShown, 2);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong net-name."));
    EXPECT_EQ((*Form->Rtn.Rtn)[1].Name, "NP");

    // Right click on a transition inserts a node; Ctrl + right click deletes one.
    Click(Qt::RightButton, Qt::NoModifier, 150, LineHeight + 64);
    EXPECT_EQ((*Form->Rtn.Rtn)[1].Nodes.size(), 5u);
    Click(Qt::RightButton, Qt::ControlModifier, 150, LineHeight + 64);
    EXPECT_EQ((*Form->Rtn.Rtn)[1].Nodes.size(), 4u);
    Click(Qt::RightButton, Qt::ControlModifier, 4, LineHeight + 64);
    EXPECT_EQ(Form->Rtn.Rtn->size(), 1u);

    // The focus frame follows the mouse; below the last net it stays.
    MoveTo(150, 64);
    TFocusFrame frame;
    ASSERT_TRUE(Form->Rtn.CurrentFocusFrame(frame));
    EXPECT_FALSE(frame.Filled);
    MoveTo(150, 5 * LineHeight);
    EXPECT_EQ(Form->Rtn.FocusLine, 0);

    Form->ClearRTNBtnClick();
    EXPECT_FALSE(Form->Rtn.HasRtn());
    EXPECT_EQ(Form->PaintBox1->size(), QSize(0, 0));
}

TEST_F(MainWindowTest, NetworkFilesAndPicturesGoThroughTheDialogs) {
    Form->SaveRTNButtonClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("There is no valid RTN to save."));
    EXPECT_TRUE(Prompts.Dialogs.empty());
    Prompts.Clear();

    // Without a network the up-downs refuse to move.
    Form->NodeSizeUD->Step(1);
    EXPECT_EQ(Form->NodeSizeUD->Position(), 0);

    Type(QuickStart);
    Form->MakeRTNClick();
    Form->NodeSizeUD->Step(1);
    Form->NodeSizeUD->Step(1);
    EXPECT_EQ(Form->NodeSizeLab->text(), "2");
    Form->ArcCheckBox->click();
    Prompts.AnswerWith(Path("net.rtn"));
    Form->SaveRTNButtonClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save RTN");
    EXPECT_EQ(Prompts.Dialogs.back().Filter, "RTN files|*.RTN|All files|*.*");

    Prompts.AnswerWith(Path("net.wmf"));
    Form->SaveMetaButtonClick();
    EXPECT_EQ(Prompts.Dialogs.back().Title, "Save RTN as MetaFile");
    for (const char* name : {"net_0.wmf", "net_1.wmf", "net_2.wmf"})
        EXPECT_TRUE(std::filesystem::exists(Dir / name)) << name;
    Form->WMFSplitCB->click();
    Prompts.AnswerWith(Path("whole.wmf"));
    Form->SaveMetaButtonClick();
    EXPECT_TRUE(std::filesystem::exists(Dir / "whole.wmf"));
    EXPECT_FALSE(std::filesystem::exists(Dir / "whole_0.wmf"));

    Form->Button5Click();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat(QStringLiteral("image/x-wmf")));

    Form->NewRTNButtonClick();
    Form->NodeSizeUD->Step(-1);
    Form->ArcCheckBox->click();
    Prompts.AnswerWith(Path("net.cfg"));
    Form->LoadRTNButtonClick();
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Wrong file-type: extension \".RTN\" expected."));
    EXPECT_EQ(Form->Rtn.Rtn->size(), 1u);

    Prompts.Clear();
    Prompts.AnswerWith(Path("net.rtn"));
    Form->LoadRTNButtonClick();
    EXPECT_TRUE(Prompts.Messages.empty()) << Prompts.Last();
    EXPECT_EQ(Form->Rtn.Rtn->size(), 7u);
    // The file's display options reach the controls.
    EXPECT_EQ(Form->NodeSizeUD->Position(), 2);
    EXPECT_EQ(Form->NodeSizeLab->text(), "2");
    EXPECT_TRUE(Form->ArcCheckBox->isChecked());
    EXPECT_EQ(Form->PaintBox1->width(), Form->Rtn.RtnPicture.Width);
}

// The real dialog, shown modally and answered while it is open.
TEST_F(MainWindowTest, ConditionDialogIsShownAgainUntilItsInputIsValid) {
    Form->SetRtnDialogHost(nullptr);
    Form->NewRTNButtonClick();
    std::vector<std::string> answers{"@word", "\"the\""};
    int answered = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* view = qobject_cast<TCondDlgView*>(QApplication::activeModalWidget());
        if (!view || !view->isVisible()) return;
        if (answered >= static_cast<int>(answers.size())) {
            view->CancelBtnClick(); // never reached when the dialog behaves
            return;
        }
        EXPECT_EQ(view->EnterConds->item(0, 1)->text(), "Net00");
        view->EnterConds->item(0, 0)->setText(QString::fromStdString(answers[answered++]));
        view->OkBtn->click();
    });
    answer.start(5);
    Click(Qt::LeftButton, Qt::NoModifier, 140, 64);
    answer.stop();
    EXPECT_EQ(answered, 2);
    EXPECT_THAT(Prompts.Texts(), ElementsAre("Error in #1: only \"@Ident\", \"@Number\", "
                                             "\"@Float\", \"@Integer\" is allowed."));
    const TRtnNodeConds& node = (*Form->Rtn.Rtn)[0].Nodes[0];
    ASSERT_EQ(node.size(), 1u);
    EXPECT_EQ(node[0].Kind, ckText);
    EXPECT_EQ(node[0].Text, "the");
    EXPECT_EQ(node[0].Dst, 1);
}

TEST_F(MainWindowTest, InputHistoryKeepsSixteenDistinctTexts) {
    auto leave = [&](const QString& text) {
        Form->InputText->setEditText(text);
        Form->InputTextExit();
    };
    for (int i = 0; i < 17; ++i)
        leave(QStringLiteral("text %1").arg(i));
    ASSERT_EQ(Form->InputText->count(), 16);
    EXPECT_EQ(Form->InputText->itemText(0), "text 16");
    EXPECT_EQ(Form->InputText->itemText(15), "text 1");
    leave(QStringLiteral("text 5"));
    EXPECT_EQ(Form->InputText->itemText(0), "text 16");
    EXPECT_EQ(Form->InputText->currentText(), "text 5");
    leave(QString());
    EXPECT_EQ(Form->InputText->count(), 16);
}

TEST_F(MainWindowTest, GlobalOptionsSetTheInOutLength) {
    Form->InputText->setEditText(QStringLiteral("some text"));
    QTimer::singleShot(0, [&] {
        TGlobOptsDlg* dlg = Form->GlobOptsDlg;
        EXPECT_EQ(dlg->IOTextLenME->text(), "255");
        EXPECT_FALSE(dlg->SaveEnvirCB->isChecked());
        dlg->IOTextLenME->setText(QStringLiteral("0"));
        dlg->SaveEnvirCB->setChecked(true);
        dlg->accept();
    });
    Form->GlobOptsBtnClick();
    EXPECT_EQ(Form->MaxTextLength, 1);
    EXPECT_TRUE(Form->SaveEnvironmentOption);
    EXPECT_EQ(Form->InputText->lineEdit()->maxLength(), 1);
    EXPECT_TRUE(Form->InputText->currentText().isEmpty());
}

TEST_F(MainWindowTest, InformationAndInstructions) {
    Form->InfoDlg->show();
    EXPECT_EQ(Form->InfoDlg->windowTitle(), "Information");
    EXPECT_THAT(Form->InfoDlg->VersionLabel->text().toStdString(), HasSubstr("Version: v1.01"));
    Form->InfoDlg->hide();

    Form->InstructionBtnClick();
    EXPECT_TRUE(Form->HelpPageDlg->isVisible());
    EXPECT_FALSE(Form->HelpPageDlg->isModal());
    EXPECT_EQ(Form->HelpPageDlg->windowTitle(), "Instructions (Parsing)");
    EXPECT_THAT(Form->HelpPageDlg->ParseHelpMemo->toPlainText().toStdString(),
                HasSubstr("V = \"chases\""));
    Form->GlobalPC->setCurrentWidget(Form->TreeSheet);
    EXPECT_EQ(Form->HelpPageDlg->Page(), 2);
    EXPECT_EQ(Form->HelpPageDlg->windowTitle(), "Instructions (Trees)");
    Form->HelpPageDlg->resize(700, 500);
    EXPECT_EQ(Form->HelpPageDlg->width(), 400);
    Form->HelpPageDlg->close();
}

} // namespace
} // namespace gramarbor
