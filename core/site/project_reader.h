// Reading a project file into the build context.
//
// Folder values ([directories] src, out, img) and [files] entries that are
// relative paths are taken relative to the project file's folder; absolute
// paths are used exactly as written; an empty folder value means the project
// file's folder itself. The built-in variables keep the texts as written.
// A [files] entry that is a page pattern (page_patterns.h) is replaced by
// the files it matches, so the page list holds paths only.
#pragma once

#include <string>

#include "core/site/parse_struct.h"
#include "platform/project_folders.h"

namespace orv {

// The [directories] and [other] texts exactly as written in the project file.
struct ProjectTexts {
  bool NamesSource = false;  // [directories] has a src key
  std::string Src;
  std::string Out;
  std::string Img;
  std::string ImgPrep;
};

// Fills the context (folders, switches, files) and its build (UserVars,
// ImageDir, ImgPrefix) from context.Settings.ProjectFile. A missing or unreadable
// project file reads as an empty one. A folder ([directories] src, out,
// img) or [files] entry that holds a NUL byte raises EInOutError naming it.
// Returns the texts as written.
ProjectTexts ReadProject(TParseStruct& context);

}  // namespace orv
