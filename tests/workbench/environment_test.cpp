// Settings files the window meets at start and on saving: damaged files, a file that
// cannot be replaced, a program folder that cannot be written, and the instructions
// window's place. (The settings changed through the controls and restored by the next
// window are the window scripts' settings cases.)
#include "workbench/environment_io.h"

#include <cstdlib>

#include "parsing/parse_options.h"
#include "settings/environment.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;
using test::FakePrompter;

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

    fs::path Dir;
    FakePrompter Prompts;
};

TEST_F(EnvironmentTest, InstructionsWindowOpensWhereItWas) {
    {
        TForm1 form(&Prompts);
        form.FormShow();
        form.InstructionBtnClick();
        form.HelpPageDlg->move(100, 80);
        form.HelpPageDlg->resize(400, 300);
        SetGlobalOptions(form, true, QStringLiteral("80"));
        form.ExitButtonClick();
        EXPECT_EQ(form.HelpRect, (THelpRect{100, 80, 400, 300}));
    }
    TForm1 form(&Prompts);
    form.FormShow();
    ASSERT_TRUE(form.HelpPageDlg->isVisible());
    EXPECT_EQ(QRect(form.HelpPageDlg->pos(), form.HelpPageDlg->size()), QRect(100, 80, 400, 300));
    form.HelpPageDlg->close();
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

} // namespace
} // namespace gramarbor
