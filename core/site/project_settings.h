// The project settings of a build: what the project file (and the caller of
// ProcessProject) decided, read once at the start of the build.
#pragma once

#include <string>
#include <vector>

namespace orv {

// A page or file list: one entry per line, without line breaks.
using LineList = std::vector<std::string>;

// The [Compiler] switches, the folders and the file list of a project.
struct TProjectSettings {
  bool UseVars = true;
  bool UseDb = true;
  bool UseScripts = true;
  bool UseExtApps = true;
  bool UseIncludes = true;
  bool Preview = false;

  // [directories] src and out, resolved against the project file's folder
  // (see docs/architecture.md); the built-in variables keep them as written.
  std::string SourceDir;
  std::string OutputDir;
  // [directories] static, resolved the same way; "" when the key is missing
  // or empty (no static folder).
  std::string StaticDir;
  std::string ProjectFile;
  std::string SingleFile;

  LineList Files;
  // The line of the project file where the key of each Files entry stands
  // (0 when the key is missing), for warnings about the entry.
  std::vector<size_t> FileLines;
  LineList VariableKeys;
  LineList FileKeys;
};

}  // namespace orv
