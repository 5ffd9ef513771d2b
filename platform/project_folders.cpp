#include "platform/project_folders.h"

#include <filesystem>

#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

std::string ProjectFolder(const std::string& project_file) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(project_file, ec);
  if (ec) absolute = project_file;
  return IncludeTrailingSlash(ExtractFilePath(absolute.lexically_normal().string()));
}

std::string ResolveAgainst(const std::string& folder, const std::string& path) {
  if (path.empty()) return folder;
  if (path[0] == '/') return path;
  return folder + path;
}

std::string ProjectOutputFolder(const std::string& project_file) {
  return ResolveAgainst(ProjectFolder(project_file),
                        TIniFile(project_file).ReadString("directories", "out", ""));
}

}  // namespace orv
