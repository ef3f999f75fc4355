// The settings file lives beside a writable program; when the program folder cannot be
// written, in the configuration folder, made when first needed and read from there; a
// configuration folder that cannot be made is reported. (The settings changed through the controls and restored by the
// next window, damaged files at start and a file that cannot be replaced are the window
// scripts' settings cases.)
#include "workbench/environment_io.h"

#include <cstdlib>

#include "settings/environment.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;

TEST(EnvironmentFolder, ProgramFolderWhenWritableElseTheConfigurationFolder) {
    const fs::path dir = fs::temp_directory_path() /
                         ("gramarbor_env_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    SetProgramDir(dir.string());
    EXPECT_EQ(EnvironmentFileName(), (dir / "Environment.Env").string());
    // A program folder below a plain file can be neither read nor written.
    std::ofstream(dir / "plain") << "x";
    SetProgramDir((dir / "plain" / "bin").string());
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(EnvironmentFileName(), (dir / "config" / "gramarbor" / "Environment.Env").string());
    test::FakePrompter prompts;
    {
        TForm1 form(&prompts);
        form.Parsing->Sheet().MaxTextLength = 12;
        EXPECT_TRUE(form.SaveEnvironment(true));
    }
    {
        TForm1 form(&prompts);
        EXPECT_EQ(form.MaxTextLength(), 12);
    }
    ::setenv("XDG_CONFIG_HOME", (dir / "plain" / "config").c_str(), 1);
    {
        TForm1 form(&prompts);
        EXPECT_FALSE(form.SaveEnvironment(true));
    }
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{MsgCannotCreateEnvironment});
    if (oldConfig)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    SetProgramDir("");
    fs::remove_all(dir);
}

} // namespace
} // namespace gramarbor
