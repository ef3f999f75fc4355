// Choosing the folder of the settings file.
#include "settings/environment_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "settings/environment.h"

namespace gramarbor {

namespace {

std::string WithSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

std::string& SettingsFolder() {
    static std::string folder;
    return folder;
}

} // namespace

bool FolderWritable(const std::string& dir) {
    const std::string folder = dir.empty() ? std::string(".") : dir;
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string EnvironmentFilePath(const std::string& programDir, bool programDirWritable,
                                const char* xdgConfigHome, const char* home) {
    const std::string beside = WithSeparator(programDir) + EnvFileName;
    if (programDirWritable) return beside;
    std::string config;
    if (Set(xdgConfigHome) && xdgConfigHome[0] == '/')
        config = xdgConfigHome;
    else if (Set(home))
        config = WithSeparator(home) + ".config";
    else
        return beside;
    return WithSeparator(config) + "gramarbor/" + EnvFileName;
}

void SetSettingsFolder(const std::string& dir) {
    SettingsFolder() = dir;
}

std::string EnvironmentFilePath(const std::string& programDir) {
    if (!SettingsFolder().empty()) return WithSeparator(SettingsFolder()) + EnvFileName;
    return EnvironmentFilePath(programDir, FolderWritable(programDir),
                               std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

bool CreateFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

} // namespace gramarbor
