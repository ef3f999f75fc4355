// Settings that persist: a window changes them, exits through the Exit button, and a
// new window started from the same program folder finds them again (or the defaults).
#include "workbench/environment_io.h"

#include <cstdlib>

#include "parsing/parse_options.h"
#include "settings/environment.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;
using test::FakePrompter;
using test::ReadAll;

std::vector<std::string> History(const TForm1& form) {
    std::vector<std::string> items;
    for (int i = 0; i < form.InputText->count(); ++i)
        items.push_back(form.InputText->itemText(i).toStdString());
    return items;
}

class EnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("gramarbor_env_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        SetProgramDir(Dir.string());
    }
    void TearDown() override {
        SetProgramDir("");
        fs::remove_all(Dir);
    }

    // Answers the global options dialog with a save choice and a length entry.
    void SetGlobalOptions(TForm1& form, bool save, const QString& length) {
        QTimer::singleShot(0, [&form, save, length] {
            form.GlobOptsDlg->SaveEnvirCB->setChecked(save);
            form.GlobOptsDlg->IOTextLenME->setText(length);
            form.GlobOptsDlg->accept();
        });
        form.GlobOptsBtnClick();
    }

    // Changes every setting of the parsing side away from its default.
    void ChangeParsingSide(TForm1& form) {
        form.GlobalPC->setCurrentWidget(form.TreeSheet);
        form.Parsing->GrammarPC->setCurrentWidget(form.Parsing->InternalSheet);
        form.Parsing->ParsingPC->setCurrentWidget(form.Parsing->TraceSheet);
        for (const char* text : {"the dog", "the cat chases the dog"}) {
            form.InputText->setEditText(QString::fromUtf8(text));
            form.InputTextExit();
        }
        form.Parsing->ParseMethodRG->ClickItem(0);
        form.Parsing->ParseDirRG->ClickItem(0);
        form.Parsing->CaseSensCB->setChecked(true);
        form.Parsing->CaseSensCBClick();
        form.Parsing->Network->WMFSplitCB->setChecked(false);
        form.Parsing->Network->WMFSplitCBClick();
        TRtnWorkspace& network = form.Parsing->Network->Workspace();
        network.SetDisplayOptions(6, 9, network.LinesAllowed, network.SplitWmf);
        form.Parsing->Network->RefreshRtnOptions();
        form.InstructionBtnClick();
        form.HelpPageDlg->move(100, 80);
        form.HelpPageDlg->resize(400, 300);
    }

    // Changes settings of the trees side that its controls show.
    void ChangeTreesSide(TForm1& form) {
        TTreeSheet& sheet = form.Trees->Sheet();
        sheet.TreeList = {"(1) Sentence@[S [NP] [VP]]", "Empty@[]"};
        sheet.RebuildTreeNames();
        sheet.SplitScreenCBClick(true);
        sheet.SetOptionBit(toFrames, false);
        sheet.IOFormat = {1, 1, 0, 1};
    }

    fs::path Dir;
    FakePrompter Prompts;
};

TEST_F(EnvironmentTest, ExitWithSavingOnRestoresTheNextWindowAndItsControls) {
    uint8_t changedOptions = 0;
    {
        TForm1 form(&Prompts);
        form.FormShow();
        ChangeParsingSide(form);
        ChangeTreesSide(form);
        SetGlobalOptions(form, true, QStringLiteral(" 80 "));
        changedOptions = form.Parsing->Sheet().ParseOptions();
        EXPECT_NE(changedOptions, DefaultParseOptions);
        form.ExitButtonClick();
        EXPECT_EQ(form.HelpRect, (THelpRect{100, 80, 400, 300}));
    }
    TForm1 form(&Prompts);
    EXPECT_TRUE(form.SaveEnvironmentOption);
    EXPECT_EQ(form.InputText->lineEdit()->maxLength(), 80);
    EXPECT_TRUE(form.InputText->currentText().isEmpty());
    EXPECT_EQ(History(form), (std::vector<std::string>{"the cat chases the dog", "the dog"}));
    EXPECT_EQ(form.GlobalPC->currentWidget(), form.TreeSheet);
    EXPECT_EQ(form.Parsing->GrammarPC->currentWidget(), form.Parsing->InternalSheet);
    EXPECT_EQ(form.Parsing->ParsingPC->currentWidget(), form.Parsing->TraceSheet);
    EXPECT_EQ(form.Parsing->Sheet().ParseOptions(), changedOptions);
    EXPECT_TRUE(form.Parsing->CaseSensCB->isChecked());
    EXPECT_FALSE(form.Parsing->Network->WMFSplitCB->isChecked());
    EXPECT_EQ(form.Parsing->Network->NodeSizeUD->Position(), 6);
    EXPECT_EQ(form.Parsing->Network->NodeDistUD->Position(), 9);
    // The trees side reaches its controls (the models' values are the settings
    // mapping's own tests).
    ASSERT_EQ(form.Trees->NewTreeCB->count(), 2);
    EXPECT_EQ(form.Trees->NewTreeCB->itemText(0), "(1) Sentence");
    EXPECT_TRUE(form.Trees->SplitScreenCB->isChecked());
    EXPECT_FALSE(form.Trees->FrameCB->isChecked());
    EXPECT_TRUE(form.Trees->TriangleCB->isChecked());
    // The instructions window opens where it was, on the page of the sheet in front.
    form.FormShow();
    ASSERT_TRUE(form.HelpPageDlg->isVisible());
    EXPECT_EQ(form.HelpPageDlg->Page(), 2);
    EXPECT_EQ(QRect(form.HelpPageDlg->pos(), form.HelpPageDlg->size()), QRect(100, 80, 400, 300));
    // Switching sheets shows the other page.
    form.GlobalPC->setCurrentWidget(form.Parsing);
    EXPECT_EQ(form.HelpPageDlg->Page(), 1);
    EXPECT_TRUE(Prompts.Messages.empty());
    form.HelpPageDlg->close();
}

TEST_F(EnvironmentTest, ExitWithSavingOffWritesTheFileButTheNextStartUsesDefaults) {
    {
        TForm1 form(&Prompts);
        form.FormShow();
        ChangeParsingSide(form);
        ChangeTreesSide(form);
        SetGlobalOptions(form, false, QStringLiteral("80"));
        form.ExitButtonClick();
    }
    // The complete file, with the save flag off.
    EXPECT_EQ(ReadAll(Dir / "Environment.Env").substr(0, 5), std::string("v002\0", 5));
    // The next start has the defaults on both sides.
    TForm1 form(&Prompts);
    EXPECT_FALSE(form.SaveEnvironmentOption);
    EXPECT_EQ(form.InputText->count(), 0);
    EXPECT_EQ(form.GlobalPC->currentWidget(), form.Parsing);
    EXPECT_EQ(form.Parsing->ParsingPC->currentWidget(), form.Parsing->Network);
    EXPECT_EQ(form.Parsing->Sheet().ParseOptions(), DefaultParseOptions);
    form.FormShow();
    EXPECT_FALSE(form.HelpPageDlg->isVisible());
}

TEST_F(EnvironmentTest, ClosingWithoutExitKeepsThePreviousFile) {
    {
        TForm1 form(&Prompts);
        SetGlobalOptions(form, true, QStringLiteral("42"));
        form.ExitButtonClick();
    }
    const std::string before = ReadAll(Dir / "Environment.Env");
    {
        TForm1 form(&Prompts);
        SetGlobalOptions(form, false, QStringLiteral("7"));
        form.close();
    }
    EXPECT_EQ(ReadAll(Dir / "Environment.Env"), before);
    TForm1 form(&Prompts);
    EXPECT_EQ(form.MaxTextLength(), 42);
}

TEST_F(EnvironmentTest, DamagedFilesNeverStopTheStart) {
    TEnvironment stored;
    stored.SaveEnvironment = true;
    stored.MaxTextLength = 30;
    stored.InputHistory = {"a b"};
    stored.ParseOptions = 0x02 | 0x08 | 0x40;
    const std::string bytes = WriteEnvironment(stored);
    for (std::size_t length :
         {std::size_t(0), std::size_t(3), std::size_t(9), std::size_t(40), bytes.size() - 1}) {
        SCOPED_TRACE(length);
        std::ofstream(Dir / "Environment.Env", std::ios::binary) << bytes.substr(0, length);
        TForm1 form(&Prompts);
        EXPECT_TRUE(form.Started());
        EXPECT_EQ(form.MaxTextLength(), length >= 9 ? 30 : 255);
        EXPECT_EQ(form.Parsing->Sheet().ParseOptions(),
                  length > 40 ? stored.ParseOptions : DefaultParseOptions);
    }
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(EnvironmentTest, FailedSaveShowsTheMessageAndKeepsWhatWasThere) {
    // The file's place is taken by a folder: it cannot be replaced.
    fs::create_directories(Dir / "Environment.Env" / "inside");
    {
        TForm1 form(&Prompts);
        EXPECT_FALSE(form.SaveEnvironment(true));
    }
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(fs::is_directory(Dir / "Environment.Env" / "inside"));
}

TEST_F(EnvironmentTest, ProgramFolderNotWritableUsesTheConfigurationFolder) {
    // A program folder below a plain file can be neither read nor written.
    std::ofstream(Dir / "plain") << "x";
    SetProgramDir((Dir / "plain" / "bin").string());
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    ::setenv("XDG_CONFIG_HOME", (Dir / "config").c_str(), 1);
    EXPECT_EQ(EnvironmentFileName(), (Dir / "config" / "gramarbor" / "Environment.Env").string());
    {
        TForm1 form(&Prompts);
        SetGlobalOptions(form, true, QStringLiteral("12"));
        EXPECT_TRUE(form.SaveEnvironment(true));
    }
    EXPECT_TRUE(fs::is_regular_file(Dir / "config" / "gramarbor" / "Environment.Env"));
    {
        TForm1 form(&Prompts);
        EXPECT_EQ(form.MaxTextLength(), 12);
    }
    // A configuration folder that cannot be made.
    ::setenv("XDG_CONFIG_HOME", (Dir / "plain" / "config").c_str(), 1);
    {
        TForm1 form(&Prompts);
        EXPECT_FALSE(form.SaveEnvironment(true));
    }
    EXPECT_EQ(Prompts.Last(), MsgCannotCreateEnvironment);
    if (oldConfig)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(EnvironmentTest, MaximumLengthEntries) {
    TForm1 form(&Prompts);
    const struct {
        const char* Entry;
        int Length;
    } cases[] = {{"0", 1}, {"", 255}, {"   ", 255}, {"1", 1}, {"00300", 300}, {"99999", 99999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Entry);
        form.InputText->setEditText(QStringLiteral("text"));
        SetGlobalOptions(form, false, QString::fromLatin1(c.Entry));
        EXPECT_EQ(form.MaxTextLength(), c.Length);
        EXPECT_EQ(form.InputText->lineEdit()->maxLength(), c.Length);
        EXPECT_TRUE(form.InputText->currentText().isEmpty());
    }
    // The entry takes digits only, five at most.
    QLineEdit* edit = form.GlobOptsDlg->IOTextLenME;
    int pos = 0;
    QString six = QStringLiteral("123456"), letters = QStringLiteral("12a");
    EXPECT_NE(edit->validator()->validate(six, pos), QValidator::Acceptable);
    EXPECT_EQ(edit->validator()->validate(letters, pos), QValidator::Invalid);
    // Cancel changes nothing.
    QTimer::singleShot(0, [&form] {
        form.GlobOptsDlg->IOTextLenME->setText(QStringLiteral("5"));
        form.GlobOptsDlg->SaveEnvirCB->setChecked(true);
        form.GlobOptsDlg->reject();
    });
    form.GlobOptsBtnClick();
    EXPECT_EQ(form.MaxTextLength(), 99999);
    EXPECT_FALSE(form.SaveEnvironmentOption);
}

// The in/out history as typed, through Exit with saving on, into the file and back.
// The options dialog and the in/out history as typed, through Exit with saving on,
// into the file and back.
class HistoryOnExitTest : public test::ShownWindow {};

TEST_F(HistoryOnExitTest, TypedAndLeftTextsAreWrittenOnExitAndComeBack) {
    TypeSentence(QStringLiteral("some text"));
    WhenShown<TGlobOptsDlg>([&](TGlobOptsDlg& dialog) {
        EXPECT_EQ(dialog.IOTextLenME->text(), "255");
        TypeInto(dialog.IOTextLenME, QStringLiteral("7"));
        Click(dialog.SaveEnvirCB);
        Press(Qt::Key_Return);
    });
    Click(Form->GlobOptsBtn);
    EXPECT_TRUE(Form->InputText->currentText().isEmpty());
    // Longer texts are cut to the new length as they are typed.
    for (const char* text : {"the dog", "a cat", "the cat chases the dog"}) {
        TypeSentence(QString::fromLatin1(text));
        Click(Form->Parsing->SrcCFG); // leaves the field
    }
    Click(Form->ExitButton);
    EXPECT_FALSE(Form->isVisible());
    Start();
    EXPECT_EQ(Items(), (std::vector<std::string>{"the cat", "a cat", "the dog", "some text"}));
    EXPECT_EQ(Form->MaxTextLength(), 7);
}

} // namespace
} // namespace gramarbor
