// ~tmppref.ini: the exchange file of the project-options dialog. The editor
// writes the open project's folders, image prefix and build switches into it
// before the call and reads them back after a true result.
//
//   [dirs]     img, src, out, img_prep   (texts, default empty)
//   [compiler] vars, db, scripts, ext, inc  (Booleans 1/0, default 1)
#pragma once

#include <string>

namespace orv {

// The values the dialog shows and writes back.
struct TProjectOptions {
  std::string ImageDir;
  std::string SourceDir;
  std::string OutputDir;
  std::string ImagePrefix;
  bool Vars = true;
  bool Databases = true;
  bool Scripts = true;
  bool ExtApps = true;
  bool Includes = true;
};

// DataDir() + "~tmppref.ini".
std::string ProjectOptionsFile();

// The values of `path` (defaults for a missing file or key).
TProjectOptions ReadProjectOptions(const std::string& path);

// Writes dirs img, src, out, img_prep, then compiler vars, db, scripts, ext,
// inc, in this order. EInOutError names the file and the reason.
void WriteProjectOptions(const std::string& path, const TProjectOptions& options);

}  // namespace orv
