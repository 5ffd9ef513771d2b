// What one page read while it was built, gathered for the build record: the
// files it read or looked for, the variables it looked up, the variables its
// scripts set, and whether it did something whose reads cannot be recorded
// (then it is built every time). The page stages, the image routines and
// the script library report to the build's PageInputs (BuildState::Inputs)
// while one is set; outside an incremental build none is.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/site/build_record.h"
#include "core/site/file_states.h"
#include "platform/files.h"
#include "platform/user_settings.h"

namespace orv {

// The inputs of the page being built.
class PageInputs {
 public:
  explicit PageInputs(FileStates& states) : states_(states) {}

  // Starts a new page with nothing recorded.
  void Clear();

  // The page read `path` (its stamp taken before the read).
  void FileRead(const std::string& path, const FileStamp& stamp, std::string_view bytes);
  // The page read `path` or looked for it; what it holds is looked at now.
  void FileLooked(const std::string& path);
  void FileSeen(const std::string& path, const FileState& state);

  // The page looked up the variable `name` and found `found` (null: none).
  // `builtin` is the build's list of built-in variables.
  void Variable(const std::string& name, const TUserSetting* found, const TUserSettingList& builtin);
  // A script of the page set the variable (DefVar).
  void VariableSet(const std::string& name, const std::string& value) {
    variables_set_.emplace_back(name, value);
    set_names_.insert(name);
  }

  // The page ran something whose reads are not recorded (an external
  // command, a script routine outside the recorded ones).
  void MakeVolatile() { volatile_ = true; }

  bool Volatile() const { return volatile_; }
  const std::vector<FileInput>& Files() const { return files_; }
  const std::vector<VariableInput>& Variables() const { return variables_; }
  const NameValues& VariablesSet() const { return variables_set_; }

  // What the variable `var` (null: none) named `name` counts as.
  static VariableInput Describe(const std::string& name, const TUserSetting* var, const TUserSettingList& builtin);
  // Whether `var` (null: none) still counts as `input` did (Describe
  // without the copy).
  static bool Holds(const VariableInput& input, const TUserSetting* var, const TUserSettingList& builtin);

 private:
  // Whether files_ holds `path`, and adding it. A page reads a few files
  // (its source and includes), which are looked through; from
  // kFilesLookedThrough files on they are also found by a map.
  bool HasFile(const std::string& path) const;
  void AddFile(const std::string& path, const FileState& state);
  static constexpr size_t kFilesLookedThrough = 16;

  FileStates& states_;
  bool volatile_ = false;
  std::vector<FileInput> files_;
  std::unordered_map<std::string, size_t> file_index_;
  std::vector<VariableInput> variables_;
  std::unordered_map<std::string, size_t> variable_index_;
  NameValues variables_set_;
  std::unordered_set<std::string> set_names_;
};

}  // namespace orv
