// The folders of the platform: the running program's, the data folder that
// holds the user's ORV files, shipped read-only data, and the temporary,
// "system" and "Windows" folders. Every folder path returned ends in '/'
// unless its description says otherwise.
#pragma once

#include <string>

namespace orv {

// Full path of the running program's executable ("" if it cannot be told).
std::string ProgramPath();

// Folder of the running program's executable.
std::string ProgramDir();

// The data folder (preferences, tool lists, snippets ...): $ORV_HOME when set
// and not empty; else the program's folder when it is writable and not an
// install (IsInstalledProgramDir); else $XDG_CONFIG_HOME/orv, with
// $XDG_CONFIG_HOME defaulting to ~/.config. The folder is not created here.
std::string DataDir();

// Whether `program_dir` (with a final '/') is the bin/ folder of an install:
// it lies under /usr/, or a share/orv/ folder stands beside it. An installed
// program keeps its users' files in their own folders, never beside itself,
// even when it may write there (run as root, or installed into a home).
bool IsInstalledProgramDir(const std::string& program_dir);

// The user's ORV configuration folder: $XDG_CONFIG_HOME/orv/, with
// $XDG_CONFIG_HOME defaulting to ~/.config. Not created here.
std::string ConfigDir();

// A base folder of the desktop's conventions: the environment variable
// `variable` when it holds an absolute path, else `home_relative` under
// $HOME; with a final '/'.
std::string XdgBaseDir(const char* variable, const char* home_relative);

// Read-only data shipped with an install: <prefix>/share/orv/, where the
// program lies in <prefix>/bin/.
std::string SharedDataDir();

// $TMPDIR when set and not empty, else /tmp/.
std::string TempDir();

// Stand-ins for the platform's system and Windows folders, without a final
// '/': "/usr/lib" (where the shared system libraries live) and "/usr".
std::string SystemDir();
std::string WinDir();

}  // namespace orv
