// Reading the version record that the running program carries about itself
// (see include/orv/version.h).
#pragma once

#include <string>

namespace orv {

// The running program's FileVersion: "0.0.0.0" when the program has no
// version record, "" when its record has no FileVersion.
std::string ProgramFileVersion();

// The running program's ProductVersion, with the same rules.
std::string ProgramProductVersion();

}  // namespace orv
