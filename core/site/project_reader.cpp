#include "core/site/project_reader.h"

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

ProjectTexts ReadProject(TParseStruct& context) {
  BuildState& build = context.Build;
  TIniFile ini(context.ProjectFile);
  std::string folder = ProjectFolder(context.ProjectFile);

  ProjectTexts texts;
  texts.Src = ini.ReadString("directories", "src", "");
  texts.Out = ini.ReadString("directories", "out", "");
  texts.Img = ini.ReadString("directories", "img", "");
  texts.ImgPrep = ini.ReadString("other", "imgprep", "");
  context.SourceDir = ResolveAgainst(folder, texts.Src);
  context.OutputDir = ResolveAgainst(folder, texts.Out);
  build.ImageDir = ResolveAgainst(folder, texts.Img);
  build.ImgPrefix = texts.ImgPrep;

  context.UseVars = ini.ReadBool("Compiler", "vars", true);
  context.UseDb = ini.ReadBool("Compiler", "db", true);
  context.UseScripts = ini.ReadBool("Compiler", "scripts", true);
  context.UseExtApps = ini.ReadBool("Compiler", "extapps", true);
  context.UseIncludes = ini.ReadBool("Compiler", "includes", true);

  // Each variable takes the value on its own line, so keys that differ only
  // in case (or repeat) keep their own values.
  context.VariableKeys.clear();
  for (auto& [key, value] : ini.ReadSectionValues("variables")) {
    context.VariableKeys.push_back(key);
    build.UserVars.Add(key, value);
  }

  if (!context.SingleFile.empty()) {
    context.Files = {context.SingleFile};
    return texts;
  }
  context.FileKeys = ini.ReadSection("files");
  for (size_t i = 0; i < context.FileKeys.size(); ++i) {
    std::string entry = ini.ReadString("files", std::to_string(i), "");
    context.Files.push_back(entry.empty() ? entry : ResolveAgainst(folder, entry));
  }
  return texts;
}

}  // namespace orv
