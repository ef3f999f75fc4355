// Choosing the folder of the settings file.
#include "settings/environment_location.h"

#include <gtest/gtest.h>

namespace gramarbor {
namespace {

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
