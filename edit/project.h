// An ORV project as the editor sees it: the project file's folders, build
// switches, variables and pages, and the two exchange files through which
// the project-options and variables dialogs edit them. The dialogs never
// touch the project file; the editor carries their values into it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orv::edit {

// One open project. Folder texts are kept as written; the resolved forms
// are absolute (relative texts count from the project file's folder).
class Project {
 public:
  // Reads `path`. EInOutError when it is not a readable file.
  explicit Project(const std::string& path);

  const std::string& Path() const { return path_; }
  // The file name without ".orv": the project's name.
  std::string Name() const;
  // The folders, resolved and with a final '/'.
  std::string SourceDir() const;
  std::string OutputDir() const;
  std::string ImageDir() const;
  // The pages of [files], resolved, in order (empty entries left out).
  std::vector<std::string> Pages() const;
  // Where a build writes the page of `source`: its place under the source
  // folder mirrored under the output folder (or the output folder itself
  // for a file outside it), with the extension ".html".
  std::string OutputPageOf(const std::string& source) const;

  // ~tmppref.ini, written before Project | Options from [directories] src,
  // out, img, [other] imgprep and the [Compiler] switches.
  void WriteOptionsExchange(const std::string& exchange) const;
  // Carries the dialog's values back into the project file (and this object).
  void ReadOptionsExchange(const std::string& exchange);

  // ~fsetting.tmp, written before Project | Variables from [variables].
  void WriteVariablesExchange(const std::string& exchange) const;
  // Replaces [variables] with the dialog's list. EConvertError, with the
  // project file unchanged, for a name the project file cannot hold.
  void ReadVariablesExchange(const std::string& exchange);

 private:
  std::string path_;
  std::string folder_;
};

}  // namespace orv::edit
