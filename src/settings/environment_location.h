// Where Environment.Env lives: beside the program when its folder is writable,
// otherwise in the user's configuration folder.
#pragma once

#include <string>

namespace gramarbor {

// The settings file for a program folder: programDir + "Environment.Env" when that
// folder is writable; otherwise "gramarbor/Environment.Env" in xdgConfigHome (when it
// is an absolute path) or in home + "/.config". Null or empty arguments count as unset;
// with neither a configuration folder nor a home the program folder is used.
std::string EnvironmentFilePath(const std::string& programDir, bool programDirWritable,
                                const char* xdgConfigHome, const char* home);

// True when files can be made in dir.
bool FolderWritable(const std::string& dir);

// The same for this process: the folder's own permissions, XDG_CONFIG_HOME and HOME of its
// environment; or, when a settings folder has been set, "Environment.Env" there.
std::string EnvironmentFilePath(const std::string& programDir);

// Puts this process's settings file into dir whatever the program folder is (tests use
// a temporary folder, so that no settings file lying about can change what they see).
// An empty dir returns to the usual places.
void SetSettingsFolder(const std::string& dir);

// Creates the folder that holds path, with its parents, when it is missing.
// False when it cannot be made.
bool CreateFolderOf(const std::string& path);

} // namespace gramarbor
