#include "edit/project.h"

#include <cerrno>
#include <cstring>

#include "orvsys/model/project_options.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/project_folders.h"
#include "platform/user_settings.h"

namespace orv::edit {
namespace {

// The project file's [directories] key `key`, resolved against `folder`.
std::string Folder(const std::string& project, const std::string& folder, const char* key) {
  return IncludeTrailingSlash(ResolveAgainst(folder, TIniFile(project).ReadString("directories", key, "")));
}

}  // namespace

Project::Project(const std::string& path) : path_(path), folder_(ProjectFolder(path)) {
  if (!FileExists(path)) throw EInOutError("Cannot open file \"" + path + "\". " + std::strerror(ENOENT));
  ReadFileBytes(path);  // says why a file that exists cannot be read
}

std::string Project::Name() const { return ChangeFileExt(ExtractFileName(path_), ""); }

std::string Project::SourceDir() const { return Folder(path_, folder_, "src"); }
std::string Project::OutputDir() const { return Folder(path_, folder_, "out"); }
std::string Project::ImageDir() const { return Folder(path_, folder_, "img"); }

std::vector<std::string> Project::Pages() const {
  const TIniFile ini(path_);
  std::vector<std::string> pages;
  const size_t count = ini.ReadSection("files").size();
  for (size_t i = 0; i < count; ++i) {
    const std::string entry = ini.ReadString("files", std::to_string(i), "");
    if (!entry.empty()) pages.push_back(ResolveAgainst(folder_, entry));
  }
  return pages;
}

std::string Project::OutputPageOf(const std::string& source) const {
  const std::string source_dir = SourceDir();
  const std::string folder = ExtractFilePath(source);
  std::string relative;
  if (folder.size() > source_dir.size() && SameText(folder.substr(0, source_dir.size()), source_dir))
    relative = folder.substr(source_dir.size());
  return OutputDir() + relative + ChangeFileExt(ExtractFileName(source), ".html");
}

void Project::WriteOptionsExchange(const std::string& exchange) const {
  const TIniFile ini(path_);
  TProjectOptions options;
  options.SourceDir = ini.ReadString("directories", "src", "");
  options.OutputDir = ini.ReadString("directories", "out", "");
  options.ImageDir = ini.ReadString("directories", "img", "");
  options.ImagePrefix = ini.ReadString("other", "imgprep", "");
  options.Vars = ini.ReadBool("Compiler", "vars", true);
  options.Databases = ini.ReadBool("Compiler", "db", true);
  options.Scripts = ini.ReadBool("Compiler", "scripts", true);
  options.ExtApps = ini.ReadBool("Compiler", "extapps", true);
  options.Includes = ini.ReadBool("Compiler", "includes", true);
  WriteProjectOptions(exchange, options);
}

void Project::ReadOptionsExchange(const std::string& exchange) {
  const TProjectOptions options = ReadProjectOptions(exchange);
  TIniFile ini(path_);
  ini.WriteString("directories", "src", options.SourceDir);
  ini.WriteString("directories", "out", options.OutputDir);
  ini.WriteString("directories", "img", options.ImageDir);
  ini.WriteString("other", "imgprep", options.ImagePrefix);
  ini.WriteBool("Compiler", "vars", options.Vars);
  ini.WriteBool("Compiler", "db", options.Databases);
  ini.WriteBool("Compiler", "scripts", options.Scripts);
  ini.WriteBool("Compiler", "extapps", options.ExtApps);
  ini.WriteBool("Compiler", "includes", options.Includes);
}

void Project::WriteVariablesExchange(const std::string& exchange) const {
  TUserSettingList list;
  for (auto& [name, value] : TIniFile(path_).ReadSectionValues("variables")) list.Add(name, value);
  list.SaveToFile(exchange);
}

void Project::ReadVariablesExchange(const std::string& exchange) {
  TUserSettingList list;
  list.LoadFromFile(exchange);
  std::vector<std::pair<std::string, std::string>> values;
  for (int i = 0; i < list.Count(); ++i) values.emplace_back(list.Items(i).Name, list.Items(i).Value);
  TIniFile(path_).WriteSectionValues("variables", values);
}

}  // namespace orv::edit
