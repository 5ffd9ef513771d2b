#include "core/site/project_reader.h"

#include "core/site/project_check.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

ProjectTexts ReadProject(TParseStruct& context) {
  BuildState& build = context.Build;
  TIniFile ini(context.Settings.ProjectFile);
  std::string folder = ProjectFolder(context.Settings.ProjectFile);

  CheckProject(ini, context);
  ProjectTexts texts;
  texts.NamesSource = ini.ValueExists("directories", "src");
  texts.Src = ini.ReadString("directories", "src", "");
  texts.Out = ini.ReadString("directories", "out", "");
  texts.Img = ini.ReadString("directories", "img", "");
  texts.ImgPrep = ini.ReadString("other", "imgprep", "");
  context.Settings.SourceDir = ResolveAgainst(folder, texts.Src);
  context.Settings.OutputDir = ResolveAgainst(folder, texts.Out);
  build.ImageDir = ResolveAgainst(folder, texts.Img);
  build.ImgPrefix = texts.ImgPrep;

  context.Settings.UseVars = ini.ReadBool("Compiler", "vars", true);
  context.Settings.UseDb = ini.ReadBool("Compiler", "db", true);
  context.Settings.UseScripts = ini.ReadBool("Compiler", "scripts", true);
  context.Settings.UseExtApps = ini.ReadBool("Compiler", "extapps", true);
  context.Settings.UseIncludes = ini.ReadBool("Compiler", "includes", true);

  // Each variable takes the value on its own line, so keys that differ only
  // in case (or repeat) keep their own values.
  context.Settings.VariableKeys.clear();
  for (auto& [key, value] : ini.ReadSectionValues("variables")) {
    context.Settings.VariableKeys.push_back(key);
    build.UserVars.Add(key, value);
  }

  if (!context.Settings.SingleFile.empty()) {
    context.Settings.Files = {context.Settings.SingleFile};
    return texts;
  }
  context.Settings.FileKeys = ini.ReadSection("files");
  for (size_t i = 0; i < context.Settings.FileKeys.size(); ++i) {
    std::string entry = ini.ReadString("files", std::to_string(i), "");
    context.Settings.Files.push_back(entry.empty() ? entry : ResolveAgainst(folder, entry));
  }
  return texts;
}

}  // namespace orv
