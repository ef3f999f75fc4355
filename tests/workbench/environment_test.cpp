// Settings files the window meets on saving: a file that cannot be replaced and a
// program folder that cannot be written. (The settings changed through the controls
// and restored by the next window, and damaged files at start, are the window
// scripts' settings cases.)
#include "workbench/environment_io.h"

#include <cstdlib>

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
