#include "core/site/builtin_vars.h"

#include <cstdlib>
#include <filesystem>
#include <locale.h>

#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/version_info.h"

namespace orv {

BuildTime CurrentBuildTime() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch && *epoch) {
    char* end = nullptr;
    long long seconds = std::strtoll(epoch, &end, 10);
    if (*end == '\0' && seconds >= 0) return {static_cast<std::time_t>(seconds), true};
  }
  return {std::time(nullptr), false};
}

BuildTimeTexts FormatBuildTime(const BuildTime& time) {
  std::tm parts{};
  if (time.utc) gmtime_r(&time.seconds, &parts);
  else localtime_r(&time.seconds, &parts);
  // The user's LC_TIME locale, loaded once for both forms, without touching
  // the process's global locale (the library must not change its host's
  // settings).
  locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (!user) user = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  const auto format = [&](const char* form) {
    char buffer[256];
    const size_t n = strftime_l(buffer, sizeof buffer, form, &parts, user);
    return std::string(buffer, n);
  };
  BuildTimeTexts texts{format("%X"), format("%x")};
  freelocale(user);
  return texts;
}

void FillBuiltinVars(TParseStruct& context, const ProjectTexts& texts, const BuildTime& time) {
  TUserSettingList& vars = context.Build.BuiltinVars;
  vars.Clear();
  std::string project_name = ExtractFileName(context.Settings.ProjectFile);
  const BuildTimeTexts now = FormatBuildTime(time);
  std::string root = DataDir();
  vars.Add("Header", "<!-- ORV1.0::" + project_name + "::" + now.time + "::" + now.date + " -->");
  vars.Add("SourceDir", texts.Src);
  vars.Add("OutputDir", texts.Out);
  vars.Add("ImageDir", texts.Img);
  vars.Add("ImgPrefix", texts.ImgPrep);
  vars.Add("TimeNow", now.time);
  vars.Add("DateNow", now.date);
  vars.Add("ProjectPath", ProjectFolder(context.Settings.ProjectFile));
  vars.Add("ORVRootDir", root);
  vars.Add("SystemDir", SystemDir());
  vars.Add("WinDir", WinDir());
  vars.Add("BuildNum", ProgramFileVersion());
  vars.Add("ProjFile", project_name);
  vars.Add("SnippetsDir", root + "snippets/");
  vars.Add("RootPath", "");
}

// The number of folders `rest` (a path below a folder) goes down, when it
// is plain: no empty, "." or ".." parts. -1 otherwise.
static int PlainDepth(std::string_view rest) {
  int depth = 0;
  size_t from = 0;
  for (size_t cut = rest.find('/'); cut != std::string_view::npos; cut = rest.find('/', from)) {
    const std::string_view part = rest.substr(from, cut - from);
    if (part.empty() || part == "." || part == "..") return -1;
    ++depth;
    from = cut + 1;
  }
  return depth;
}

std::string RootPathOf(const std::string& output_dir, const std::string& out_file) {
  // Pages of the output folder's own tree: one "../" per folder below it.
  const std::string top = IncludeTrailingSlash(output_dir);
  if (out_file.size() > top.size() && out_file.compare(0, top.size(), top) == 0) {
    const int depth = PlainDepth(std::string_view(out_file).substr(top.size()));
    if (depth >= 0) {
      std::string up;
      for (int i = 0; i < depth; ++i) up += "../";
      return up;
    }
  }
  namespace fs = std::filesystem;
  const fs::path root = fs::path(ExcludeTrailingSlash(output_dir)).lexically_normal();
  const fs::path folder = fs::path(ExcludeTrailingSlash(ExtractFilePath(out_file))).lexically_normal();
  const fs::path up = root.lexically_relative(folder);
  if (up.empty() || up == ".") return std::string();
  return up.generic_string() + "/";
}

void SetPageBuiltins(TParseStruct& context, const std::string& out_file) {
  if (TUserSetting* root_path = context.Build.BuiltinVars.Find("RootPath"))
    root_path->Value = RootPathOf(context.Settings.OutputDir, out_file);
}

}  // namespace orv
