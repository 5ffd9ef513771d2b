#include "core/site/page_stages.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "core/site/image_include.h"
#include "core/site/markup_scan.h"
#include "core/site/project_reader.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace orv {

namespace {

// Runs the scan loop over the page with one stage's delimiters.
// Replacements may hold any line breaks; the page is put back in line form.
// The page is cut only where markup begins ('<') or after it ends ('>'), so
// no CR LF is parted: when every replacement holds no line break or is in
// line form itself (an included text, a command's output), the page is
// still in line form.
void RunMarkupStage(TParseStruct& context, std::string_view open, std::string_view close,
                    const MarkupReplacer& replace) {
  TPageState& page = context.Page;
  bool stray_breaks = false;
  auto replace_noting_breaks = [&replace, &stray_breaks](const std::string& content) {
    std::string replacement = replace(content);
    stray_breaks = stray_breaks || ((std::memchr(replacement.data(), '\n', replacement.size()) ||
                                     std::memchr(replacement.data(), '\r', replacement.size())) &&
                                    !IsNormalLineText(replacement));
    return replacement;
  };
  ScanOutcome outcome =
      ScanMarkup(page.Text, open, close, replace_noting_breaks, context.Build.Limits.MaxPageBytes);
  if (stray_breaks) NormalizeLineText(page.Text);
  page.Rescan = outcome.found;
  if (outcome.size_limited) page.LimitReached = true;
}

bool IsTextIncludeKind(const std::string& ext) {
  static const std::array<const char*, 9> kinds = {".htm", ".html", ".txt", ".htf", ".hsn",
                                                   ".ops", ".hts",  ".js",  ".vbs"};
  for (const char* kind : kinds)
    if (ext == kind) return true;
  return false;
}

}  // namespace

std::string MarkupErrorComment(const std::string& content) { return "<!-- ERROR: " + content + " -->"; }

void VariableStage(TParseStruct& context) {
  BuildState& build = context.Build;
  RunMarkupStage(context, "<%", "%>", [&build](const std::string& name) {
    AddCount(build.Stats.Variables, 1);
    const TUserSetting* var = build.Caches.FindVariable(build.BuiltinVars, build.UserVars, name);
    return var ? var->Value : MarkupErrorComment(name);
  });
}

std::string FindTextInclude(TParseStruct& context, const std::string& content, FileStamp& stamp) {
  BuildCaches& caches = context.Build.Caches;
  const std::string places[] = {
      context.Settings.SourceDir + "/" + content,
      content,
      caches.SnippetsDir() + content,
      caches.SharedSnippetsDir() + content,
  };
  for (const std::string& place : places)
    if (StatFile(place, stamp)) return place;
  return std::string();
}

void IncludeStage(TParseStruct& context) {
  // Within one run of the stage no script or command runs, so a text
  // include named again gives the same text: it is looked up once per run
  // (a page that includes itself repeatedly makes millions of includes).
  // Across runs, BuildCaches keeps what a name gave while no script or
  // command has run.
  std::unordered_map<std::string, std::string> texts;
  BuildCaches& caches = context.Build.Caches;
  RunMarkupStage(context, "<&", "&>", [&context, &texts, &caches](const std::string& content) {
    AddCount(context.Build.Stats.Includes, 1);
    const std::string ext = LowerCase(ExtractFileExt(content));
    if (ext == ".gif" || ext == ".jpg" || ext == ".jpeg") return ImageInclude(context, content);
    if (!IsTextIncludeKind(ext)) return MarkupErrorComment(content);
    if (const std::string* named = caches.NamedInclude(content)) return *named;
    auto known = texts.find(content);
    if (known != texts.end()) return known->second;
    FileStamp stamp;
    std::string path = FindTextInclude(context, content, stamp);
    bool settled = true;
    std::string text = path.empty() ? MarkupErrorComment(content) : caches.IncludeText(path, stamp, &settled);
    texts.emplace(content, text);
    if (settled && ext != ".htm" && ext != ".html") caches.KeepNamedInclude(content, text);
    return text;
  });
}

void ExtAppStage(TParseStruct& context) {
  const ExpansionLimits& limits = context.Build.Limits;
  const std::string& page = context.Build.CurrentFile;
  // Commands run in the project file's folder, so a build gives the same
  // pages wherever it was started from.
  const std::string folder =
      context.Settings.ProjectFile.empty() ? std::string() : ProjectFolder(context.Settings.ProjectFile);
  TBuildStats& stats = context.Build.Stats;
  RunMarkupStage(context, "<*", "*>", [&limits, &page, &folder, &stats](const std::string& command) {
    AddCount(stats.Programs, 1);
    std::string output;
    switch (RunCommand(command, output, limits.MaxPageBytes, limits.CommandTimeoutSeconds, folder)) {
      case CommandOutcome::Done:
        NormalizeLineText(output);
        return output;
      case CommandOutcome::TimedOut:
        std::fprintf(stderr, "%s: the command \"%s\" ran longer than %d seconds and was stopped\n", page.c_str(),
                     command.c_str(), limits.CommandTimeoutSeconds);
        break;
      case CommandOutcome::Failed:
        break;
    }
    return "<!-- ERROR: " + command + "-->";
  });
}

}  // namespace orv
