#include "core/site/page_stages.h"

#include <array>
#include <cstring>
#include <string>
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
  ScanOutcome outcome = ScanMarkup(page.Text, open, close, replace_noting_breaks, context.Build.Limits.MaxPageBytes,
                                   &page.Origins);
  if (outcome.size_limited) ReportPageTooLarge(context, page.Origins.MarkupAt());
  if (stray_breaks) {
    page.Origins.Normalize(page.Text);
  }
  page.Rescan = outcome.found;
  if (outcome.size_limited) page.LimitReached = true;
}

// A warning about the markup being replaced now.
void MarkupWarning(TParseStruct& context, const std::string& message) {
  PageWarning(context, context.Page.Origins.MarkupAt(), message);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsTextIncludeKind(const std::string& ext) {
  static const std::array<const char*, 9> kinds = {".htm", ".html", ".txt", ".htf", ".hsn",
                                                   ".ops", ".hts",  ".js",  ".vbs"};
  for (const char* kind : kinds)
    if (ext == kind) return true;
  return false;
}

}  // namespace

std::string MarkupErrorComment(const std::string& content) { return "<!-- ERROR: " + content + " -->"; }

void PageWarning(TParseStruct& context, size_t at, const std::string& message) {
  context.Build.Report.PageWarning(context.Page.Origins, at, message);
}

void ReportPageTooLarge(TParseStruct& context, size_t at) {
  PageWarning(context, at,
              "the page grew beyond " + std::to_string(context.Build.Limits.MaxPageBytes) +
                  " bytes; expansion stopped");
}

void VariableStage(TParseStruct& context) {
  BuildState& build = context.Build;
  RunMarkupStage(context, "<%", "%>", [&context, &build](const std::string& name) {
    AddCount(build.Stats.Variables, 1);
    const TUserSetting* var = build.Caches.FindVariable(build.BuiltinVars, build.UserVars, name);
    if (var) return var->Value;
    MarkupWarning(context, "unknown variable " + Quoted(name));
    return MarkupErrorComment(name);
  });
}

std::array<std::string, 4> TextIncludePlaces(TParseStruct& context, const std::string& content) {
  BuildCaches& caches = context.Build.Caches;
  return {context.Settings.SourceDir + "/" + content, content, caches.SnippetsDir() + content,
          caches.SharedSnippetsDir() + content};
}

std::string FindTextInclude(TParseStruct& context, const std::string& content, FileStamp& stamp) {
  for (const std::string& place : TextIncludePlaces(context, content))
    if (StatFile(place, stamp)) return place;
  return std::string();
}

void IncludeStage(TParseStruct& context) {
  // Within one run of the stage no script or command runs, so a text
  // include named again gives the same text: it is looked up once per run
  // (a page that includes itself repeatedly makes millions of includes).
  // Across runs, BuildCaches keeps what a name gave while no script or
  // command has run.
  using FoundInclude = BuildCaches::FoundInclude;
  std::unordered_map<std::string, FoundInclude> texts;
  BuildCaches& caches = context.Build.Caches;
  auto look_up = [&context, &texts, &caches](const std::string& content, const std::string& ext) {
    if (const FoundInclude* named = caches.NamedInclude(content)) return named;
    auto known = texts.find(content);
    if (known != texts.end()) return static_cast<const FoundInclude*>(&known->second);
    FileStamp stamp;
    FoundInclude found{FindTextInclude(context, content, stamp), std::string()};
    bool settled = true;
    found.Text = found.Path.empty() ? MarkupErrorComment(content) : caches.IncludeText(found.Path, stamp, &settled);
    if (settled && ext != ".htm" && ext != ".html") caches.KeepNamedInclude(content, found);
    return static_cast<const FoundInclude*>(&texts.emplace(content, std::move(found)).first->second);
  };
  RunMarkupStage(context, "<&", "&>", [&context, &look_up](const std::string& content) {
    AddCount(context.Build.Stats.Includes, 1);
    const std::string ext = LowerCase(ExtractFileExt(content));
    if (ext == ".gif" || ext == ".jpg" || ext == ".jpeg") return ImageInclude(context, content);
    if (!IsTextIncludeKind(ext)) {
      MarkupWarning(context, Quoted(content) +
                                 " is not included: only the text kinds .htm .html .txt .htf .hsn .ops .hts .js "
                                 ".vbs and the images .gif .jpg .jpeg are");
      return MarkupErrorComment(content);
    }
    const FoundInclude* found = look_up(content, ext);
    if (found->Path.empty()) {
      std::string places;
      for (const std::string& place : TextIncludePlaces(context, content))
        places += (places.empty() ? "" : ", ") + place;
      MarkupWarning(context, "include " + Quoted(content) + " not found; looked in " + places);
    } else {
      context.Page.Origins.TakeFileText(found->Path);
    }
    return found->Text;
  });
}

namespace {

// The warning about a command that did not end well, or "" when it did.
std::string CommandProblem(const std::string& command, CommandOutcome outcome, const CommandStatus& status,
                           const ExpansionLimits& limits) {
  const std::string quoted = Quoted(command);
  switch (outcome) {
    case CommandOutcome::TimedOut:
      return "the command " + quoted + " ran longer than " + std::to_string(limits.CommandTimeoutSeconds) +
             " seconds and was stopped";
    case CommandOutcome::Failed:
      if (status.Overflow)
        return "the command " + quoted + " printed more than " + std::to_string(limits.MaxPageBytes) +
               " bytes and was stopped";
      if (status.ExitStatus == 127) return "the command " + quoted + " could not be started: not found (exit status 127)";
      if (status.ExitStatus == 126)
        return "the command " + quoted + " could not be started: not executable (exit status 126)";
      return "the command " + quoted + " could not be started: " + std::strerror(status.Error);
    case CommandOutcome::Done:
      if (status.Signal != 0) return "the command " + quoted + " was ended by signal " + std::to_string(status.Signal);
      if (status.ExitStatus != 0)
        return "the command " + quoted + " exited with status " + std::to_string(status.ExitStatus);
      break;
  }
  return std::string();
}

}  // namespace

void ExtAppStage(TParseStruct& context) {
  const ExpansionLimits& limits = context.Build.Limits;
  // Commands run in the project file's folder, so a build gives the same
  // pages wherever it was started from. The folder is found when the first
  // command of the page runs: most pages run none.
  std::string folder;
  TBuildStats& stats = context.Build.Stats;
  RunMarkupStage(context, "<*", "*>", [&context, &limits, &folder, &stats](const std::string& command) {
    if (folder.empty() && !context.Settings.ProjectFile.empty()) folder = ProjectFolder(context.Settings.ProjectFile);
    AddCount(stats.Programs, 1);
    std::string output;
    CommandStatus status;
    CommandOutcome outcome =
        RunCommand(command, output, limits.MaxPageBytes, limits.CommandTimeoutSeconds, folder, &status);
    std::string problem = CommandProblem(command, outcome, status, limits);
    if (!problem.empty()) MarkupWarning(context, problem);
    if (outcome != CommandOutcome::Done) return "<!-- ERROR: " + command + "-->";
    NormalizeLineText(output);
    return output;
  });
}

}  // namespace orv
