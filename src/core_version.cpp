// The version texts of the program.
#include "core_version.h"

namespace gramarbor {

std::string TitleText() {
    return std::string("Gramarbor v") + VersionNumber;
}

std::string VersionText() {
    return std::string("v") + VersionNumber + "\r(2026-12-06)";
}

} // namespace gramarbor
