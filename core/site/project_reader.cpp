#include "core/site/project_reader.h"

#include "core/site/page_patterns.h"
#include "core/site/project_check.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

namespace {

void AddFile(TProjectSettings& settings, size_t key, const std::string& path) {
  settings.Files.push_back(path);
  settings.FileEntryKeys.push_back(key);
}

// A folder or page name of the project file that holds a NUL byte would be
// cut short where it is used: it is an error.
void CheckProjectName(const TParseStruct& context, const std::string& key, const std::string& value) {
  if (HoldsNul(value))
    throw EInOutError("Project file \"" + context.Settings.ProjectFile + "\": " + key + " \"" + ShowNul(value) +
                      "\" holds a NUL byte; a folder or file name cannot");
}

}  // namespace

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
  for (auto [key, value] : {std::pair{"src", &texts.Src}, std::pair{"out", &texts.Out}, std::pair{"img", &texts.Img}})
    CheckProjectName(context, "[directories] " + std::string(key), *value);
  context.Settings.SourceDir = ResolveAgainst(folder, texts.Src);
  context.Settings.OutputDir = ResolveAgainst(folder, texts.Out);
  build.ImageDir = ResolveAgainst(folder, texts.Img);
  build.ImgPrefix = texts.ImgPrep;
  context.Settings.PageLineEnds = ReadLineEnds(ini, context);

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
    CheckProjectName(context, "[files] " + std::to_string(i), entry);
    if (entry.empty() || !IsPagePattern(entry)) {
      AddFile(context.Settings, i, entry.empty() ? entry : ResolveAgainst(folder, entry));
      continue;
    }
    const std::vector<std::string> matches = ExpandPagePattern(ResolveAgainst(folder, entry));
    if (matches.empty()) ReportEmptyPattern(context, i, entry);
    for (const std::string& match : matches) AddFile(context.Settings, i, match);
  }
  return texts;
}

}  // namespace orv
