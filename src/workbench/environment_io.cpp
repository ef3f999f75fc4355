// Where the desktop program's settings file lives, and reading it.
#include "workbench/environment_io.h"

#include <QCoreApplication>

#include "base/file_io.h"
#include "settings/environment_location.h"

namespace gramarbor {

namespace {

// A settings file is a few kilobytes; anything far larger is not one.
constexpr std::size_t MaxEnvironmentFileSize = std::size_t(1) << 24;

std::string& ProgramDirValue() {
    static std::string dir;
    return dir;
}

} // namespace

const std::string& ProgramDir() {
    std::string& dir = ProgramDirValue();
    if (dir.empty() && QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath().toStdString() + "/";
    return dir;
}

void SetProgramDir(const std::string& dir) {
    ProgramDirValue() = dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

std::string EnvironmentFileName() {
    return EnvironmentFilePath(ProgramDir());
}

std::string ReadEnvironmentFile() {
    std::string bytes;
    if (ReadFileBytes(EnvironmentFileName(), bytes, MaxEnvironmentFileSize) != FileError::None)
        bytes.clear();
    return bytes;
}

} // namespace gramarbor
