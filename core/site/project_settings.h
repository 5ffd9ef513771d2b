// The project settings of a build: what the project file (and the caller of
// ProcessProject) decided, read once at the start of the build.
#pragma once

#include <string>
#include <vector>

namespace orv {

// A page or file list: one entry per line, without line breaks.
using LineList = std::vector<std::string>;

// The line ends of written pages ([other] lineends): CR LF, or LF alone.
enum class LineEnds { CrLf, Lf };

// The [Compiler] switches, the folders, the file list and the page form of a
// project.
struct TProjectSettings {
  bool UseVars = true;
  bool UseDb = true;
  bool UseScripts = true;
  bool UseExtApps = true;
  bool UseIncludes = true;
  bool Preview = false;

  // [directories] src and out, resolved against the project file's folder
  // (see docs/architecture.md); the built-in variables keep them as written.
  LineEnds PageLineEnds = LineEnds::CrLf;

  std::string SourceDir;
  std::string OutputDir;
  std::string ProjectFile;
  std::string SingleFile;

  // The pages to build: the [files] entries in key order, each page pattern
  // replaced by the files it matches.
  LineList Files;
  // The [files] key number each Files entry came from (a pattern gives
  // several entries the same key).
  std::vector<size_t> FileEntryKeys;
  // The line of the project file where each [files] key 0 to n-1 stands
  // (0 when the key is missing), for warnings about its entries.
  std::vector<size_t> FileLines;
  LineList VariableKeys;
  LineList FileKeys;
};

}  // namespace orv
