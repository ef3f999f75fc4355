// The program folder and the settings file of the desktop program.
#pragma once

#include <string>

namespace gramarbor {

// The folder of the program, with a trailing separator: the executable's folder
// unless set otherwise (tests use a folder of their own).
const std::string& ProgramDir();
void SetProgramDir(const std::string& dir);

// Where Environment.Env is read and written for ProgramDir().
std::string EnvironmentFileName();

// The bytes of the settings file; empty when there is none or it cannot be read.
std::string ReadEnvironmentFile();

} // namespace gramarbor
