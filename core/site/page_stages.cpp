#include "core/site/page_stages.h"

#include <array>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/site/image_include.h"
#include "core/site/markup_loops.h"
#include "core/site/markup_scan.h"
#include "core/site/page_inputs.h"
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
  // Behind one reference: a replacer that holds no more than a pointer is
  // kept inside its std::function, where a larger one is put on the heap,
  // once for every stage of every page and include.
  struct {
    const MarkupReplacer& replace;
    TPageState& page;
    std::string_view open, close;
    bool stray_breaks = false;
  } scan{replace, page, open, close};
  auto replace_noting_breaks = [&scan](const std::string& content) {
    const bool unclosed = content.find(scan.open) != std::string::npos;
    scan.page.UnclosedOpen = unclosed ? scan.open : std::string_view();
    scan.page.UnclosedClose = unclosed ? scan.close : std::string_view();
    std::string replacement = scan.replace(content);
    scan.page.UnclosedOpen = scan.page.UnclosedClose = std::string_view();
    scan.stray_breaks = scan.stray_breaks || ((std::memchr(replacement.data(), '\n', replacement.size()) ||
                                               std::memchr(replacement.data(), '\r', replacement.size())) &&
                                              !IsNormalLineText(replacement));
    return replacement;
  };
  ScanOutcome outcome = ScanMarkup(page.Text, open, close, replace_noting_breaks, context.Build.Limits.MaxPageBytes,
                                   &page.Origins);
  if (outcome.size_limited) ReportPageTooLarge(context, page.Origins.MarkupAt());
  if (outcome.unclosed != std::string_view::npos)
    ReportUnclosed(context, outcome.unclosed, open, close, "it stays in the page as written");
  if (scan.stray_breaks) {
    page.Origins.Normalize(page.Text);
  }
  page.Rescan = outcome.found;
  if (outcome.size_limited) page.LimitReached = true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// What tells an unclosed opening delimiter reported at `place` from others.
std::string UnclosedKey(const std::string& place, std::string_view open) { return place + " " + std::string(open); }

bool IsTextIncludeKind(const std::string& ext) {
  static const std::array<const char*, 9> kinds = {".htm", ".html", ".txt", ".htf", ".hsn",
                                                   ".ops", ".hts",  ".js",  ".vbs"};
  for (const char* kind : kinds)
    if (ext == kind) return true;
  return false;
}

}  // namespace

std::string MarkupErrorComment(const std::string& content) { return "<!-- ERROR: " + content + " -->"; }

std::string CommandErrorComment(const std::string& command) { return "<!-- ERROR: " + command + "-->"; }

void MarkupWarning(TParseStruct& context, const std::string& message) {
  TPageState& page = context.Page;
  if (page.UnclosedOpen.empty()) {
    PageWarning(context, page.Origins.MarkupAt(), message);
    return;
  }
  const std::string open(page.UnclosedOpen);
  // The opener that was not closed is reported here; the same one met again
  // (in this markup's error comment) is not reported once more.
  page.ReportedOnce.insert(
      UnclosedKey(context.Build.Report.PagePlace(page.Origins, page.Origins.MarkupAt()), page.UnclosedOpen));
  PageWarning(context, page.Origins.MarkupAt(),
              "\"" + open + "\" has no closing \"" + std::string(page.UnclosedClose) + "\" before the next \"" + open +
                  "\", so the text up to the next \"" + std::string(page.UnclosedClose) +
                  "\" was taken as one markup: " + message);
}

void PageWarning(TParseStruct& context, size_t at, const std::string& message) {
  context.Build.Report.PageWarning(context.Page.Origins, at, message);
}

void ReportUnclosed(TParseStruct& context, size_t at, std::string_view open, std::string_view close,
                    const std::string& stays) {
  if (!context.Page.ReportedOnce.insert(UnclosedKey(context.Build.Report.PagePlace(context.Page.Origins, at), open))
           .second)
    return;
  PageWarning(context, at,
              "\"" + std::string(open) + "\" has no closing \"" + std::string(close) + "\" after it; " + stays);
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
    if (build.Inputs) build.Inputs->Variable(name, var, build.BuiltinVars);
    if (var) {
      WatchVariableLoop(context, *var);
      context.Page.Origins.TakeVariableValue(var->Name);
      return var->Value;
    }
    MarkupWarning(context, "unknown variable " + Quoted(name));
    return MarkupErrorComment(name);
  });
}

std::string TextIncludePlace(TParseStruct& context, const std::string& content, int place) {
  BuildCaches& caches = context.Build.Caches;
  switch (place) {
    case 0: return context.Settings.SourceDir + "/" + content;
    case 1: return content;
    case 2: return caches.SnippetsDir() + content;
    default: return caches.SharedSnippetsDir() + content;
  }
}

std::string FindTextInclude(TParseStruct& context, const std::string& content, FileStamp& stamp) {
  for (int i = 0; i < kTextIncludePlaces; ++i) {
    std::string place = TextIncludePlace(context, content, i);
    if (context.Build.Writer.StatSettled(place, stamp)) return place;
  }
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
  auto look_up = [&context, &texts, &caches](const std::string& content) {
    if (const FoundInclude* named = caches.NamedInclude(content)) return named;
    auto known = texts.find(content);
    if (known != texts.end()) return static_cast<const FoundInclude*>(&known->second);
    FileStamp stamp;
    FoundInclude found{FindTextInclude(context, content, stamp), std::string(), FileState{}};
    if (found.Path.empty()) {
      found.Text = MarkupErrorComment(content);
    } else {
      bool settled = true;
      found.Text = caches.IncludeText(found.Path, stamp, &settled, &found.State.Hash);
      found.State = FileState{true, stamp, found.State.Hash, !settled};
    }
    if (!BuildCaches::BuildMayWrite(content)) caches.KeepNamedInclude(content, found);
    return static_cast<const FoundInclude*>(&texts.emplace(content, std::move(found)).first->second);
  };
  RunMarkupStage(context, "<&", "&>", [&context, &look_up](const std::string& content) {
    AddCount(context.Build.Stats.Includes, 1);
    if (HoldsNul(content)) {
      MarkupWarning(context, "include \"" + ShowNul(content) + "\" is not read: a file name cannot hold a NUL byte");
      return MarkupErrorComment(content);
    }
    const std::string ext = LowerCase(ExtractFileExt(content));
    if (ImageKindOfExtension(ext)) return ImageInclude(context, content);
    if (!IsTextIncludeKind(ext)) {
      MarkupWarning(context, Quoted(content) +
                                 " is not included: only the text kinds .htm .html .txt .htf .hsn .ops .hts .js "
                                 ".vbs and the images " + ImageExtensionList() + " are");
      return MarkupErrorComment(content);
    }
    const FoundInclude* found = look_up(content);
    if (PageInputs* inputs = context.Build.Inputs) {
      // The page depends on every place before the one the text came from
      // staying empty.
      for (int i = 0; i < kTextIncludePlaces; ++i) {
        const std::string place = TextIncludePlace(context, content, i);
        const bool found_here = place == found->Path;
        inputs->FileSeen(place, found_here ? found->State : FileState{});
        if (found_here) break;
      }
    }
    if (found->Path.empty()) {
      std::string places;
      for (int i = 0; i < kTextIncludePlaces; ++i)
        places += (places.empty() ? "" : ", ") + TextIncludePlace(context, content, i);
      MarkupWarning(context, "include " + Quoted(content) + " not found; looked in " + places);
    } else {
      WatchIncludeLoop(context, found->Path);
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

// The command's standard error as notes at the markup's place: its first
// kMaxErrorLines lines that are not blank, then how many more there were.
void ReportErrorOutput(TParseStruct& context, const std::string& command, const CommandStatus& status) {
  constexpr size_t kMaxErrorLines = 5;
  std::vector<std::string> lines;
  for (std::string& line : SplitLines(status.ErrorOutput))
    if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(std::move(line));
  if (lines.empty()) return;
  BuildReport& report = context.Build.Report;
  const std::string place = report.PagePlace(context.Page.Origins, context.Page.Origins.MarkupAt());
  const std::string quoted = Quoted(command);
  for (size_t i = 0; i < lines.size() && i < kMaxErrorLines; ++i)
    report.Note(place, "the command " + quoted + " wrote: " + lines[i]);
  if (status.ErrorOutputCut)
    report.Note(place, "the command " + quoted + " wrote more on standard error, not shown");
  else if (lines.size() > kMaxErrorLines)
    report.Note(place, "the command " + quoted + " wrote " + std::to_string(lines.size() - kMaxErrorLines) +
                           " more lines on standard error, not shown");
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
    // What a command reads cannot be known: its page is built every time.
    if (context.Build.Inputs) context.Build.Inputs->MakeVolatile();
    if (HoldsNul(command)) {
      MarkupWarning(context, "the command \"" + ShowNul(command) + "\" is not run: it holds a NUL byte");
      return CommandErrorComment(command);
    }
    context.Build.OutsideCodeRuns();
    std::string output;
    CommandStatus status;
    CommandOutcome outcome =
        RunCommand(command, output, limits.MaxPageBytes, limits.CommandTimeoutSeconds, folder, &status);
    std::string problem = CommandProblem(command, outcome, status, limits);
    if (!problem.empty()) MarkupWarning(context, problem);
    if (!status.ErrorOutput.empty()) ReportErrorOutput(context, command, status);
    if (outcome != CommandOutcome::Done) return CommandErrorComment(command);
    NormalizeLineText(output);
    return output;
  });
}

}  // namespace orv
