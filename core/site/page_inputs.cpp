#include "core/site/page_inputs.h"

#include "platform/content_hash.h"

namespace orv {

void PageInputs::Clear() {
  volatile_ = false;
  files_.clear();
  file_index_.clear();
  variables_.clear();
  variable_index_.clear();
  variables_set_.clear();
  set_names_.clear();
}

bool PageInputs::HasFile(const std::string& path) const {
  if (file_index_.empty()) {
    for (const FileInput& file : files_)
      if (file.Path == path) return true;
    return false;
  }
  return file_index_.count(path) != 0;
}

void PageInputs::AddFile(const std::string& path, const FileState& state) {
  files_.push_back(FileInput{path, state});
  if (files_.size() < kFilesLookedThrough) return;
  if (file_index_.empty()) {
    for (size_t i = 0; i < files_.size(); ++i) file_index_.emplace(files_[i].Path, i);
  } else {
    file_index_.emplace(path, files_.size() - 1);
  }
}

// The first look counts: a page sees a file as it was when it first read it
// (a later change during the page comes from the page's own code, which
// makes the page volatile).
void PageInputs::FileSeen(const std::string& path, const FileState& state) {
  if (!HasFile(path)) AddFile(path, state);
}

void PageInputs::FileRead(const std::string& path, const FileStamp& stamp, std::string_view bytes) {
  if (!HasFile(path)) AddFile(path, FileStates::Read(stamp, bytes));
}

void PageInputs::FileLooked(const std::string& path) {
  if (!HasFile(path)) AddFile(path, states_.Current(path));
}

namespace {

VariableFound FoundAs(const std::string& name, const TUserSetting* var, const TUserSettingList& builtin) {
  if (!var) return VariableFound::Missing;
  if (var->Owner == &builtin && (name == "Header" || name == "TimeNow" || name == "DateNow"))
    return VariableFound::Clock;
  return VariableFound::Value;
}

}  // namespace

VariableInput PageInputs::Describe(const std::string& name, const TUserSetting* var,
                                   const TUserSettingList& builtin) {
  const VariableFound found = FoundAs(name, var, builtin);
  return VariableInput{name, found, found == VariableFound::Value ? ContentHash(var->Value) : 0};
}

bool PageInputs::Holds(const VariableInput& input, const TUserSetting* var, const TUserSettingList& builtin) {
  const VariableFound found = FoundAs(input.Name, var, builtin);
  return found == input.Found && (found != VariableFound::Value || ContentHash(var->Value) == input.Hash);
}

void PageInputs::Variable(const std::string& name, const TUserSetting* found, const TUserSettingList& builtin) {
  // Only what the page found before it set the variable itself is an input.
  if (set_names_.count(name)) return;
  if (variable_index_.emplace(name, variables_.size()).second) variables_.push_back(Describe(name, found, builtin));
}

}  // namespace orv
