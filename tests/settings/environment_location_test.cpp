// Choosing the folder of the settings file.
#include "settings/environment_location.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace gramarbor {
namespace {

namespace fs = std::filesystem;

// A writable program folder holds the file; else the configuration folder does.
TEST(EnvironmentLocation, ProgramFolderOrConfigurationFolder) {
    EXPECT_EQ(EnvironmentFilePath("/opt/g/bin", true, "/x", "/home/u"),
              "/opt/g/bin/Environment.Env");
    EXPECT_EQ(EnvironmentFilePath("/opt/g/bin/", true, nullptr, nullptr),
              "/opt/g/bin/Environment.Env");
    EXPECT_EQ(EnvironmentFilePath("/usr/bin", false, "/cfg", "/home/u"),
              "/cfg/gramarbor/Environment.Env");
    EXPECT_EQ(EnvironmentFilePath("/usr/bin", false, "/cfg/", "/home/u"),
              "/cfg/gramarbor/Environment.Env");
    // Unset, empty or relative XDG_CONFIG_HOME falls back to ~/.config.
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/cfg"})
        EXPECT_EQ(EnvironmentFilePath("/usr/bin", false, xdg, "/home/u"),
                  "/home/u/.config/gramarbor/Environment.Env");
    // Nowhere else to go: beside the program after all.
    EXPECT_EQ(EnvironmentFilePath("/usr/bin", false, nullptr, ""), "/usr/bin/Environment.Env");
}

TEST(EnvironmentLocation, FoldersAreCheckedAndCreated) {
    const fs::path root =
        fs::temp_directory_path() / ("gramarbor-location-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const std::string file = (root / "cfg" / "gramarbor" / "Environment.Env").string();
    EXPECT_FALSE(FolderWritable((root / "cfg").string()));
    EXPECT_TRUE(CreateFolderOf(file));
    EXPECT_TRUE(fs::is_directory(root / "cfg" / "gramarbor"));
    EXPECT_TRUE(FolderWritable((root / "cfg" / "gramarbor").string()));
    EXPECT_TRUE(CreateFolderOf(file)); // already there
    // A plain file where a folder should be.
    fs::create_directories(root);
    std::ofstream(root / "plain") << "x";
    EXPECT_FALSE(CreateFolderOf((root / "plain" / "sub" / "Environment.Env").string()));
    fs::remove_all(root);
}

TEST(EnvironmentLocation, ASetSettingsFolderWinsUntilItIsCleared) {
    const std::string usual = EnvironmentFilePath("/opt/g/bin");
    SetSettingsFolder("/tmp/isolated");
    EXPECT_EQ(EnvironmentFilePath("/opt/g/bin"), "/tmp/isolated/Environment.Env");
    EXPECT_EQ(EnvironmentFilePath("/usr/bin"), "/tmp/isolated/Environment.Env");
    SetSettingsFolder("");
    EXPECT_EQ(EnvironmentFilePath("/opt/g/bin"), usual);
}

} // namespace
} // namespace gramarbor
