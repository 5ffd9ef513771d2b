#include "core/site/build_driver.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>

#include "core/site/builtin_vars.h"
#include "core/site/process_page.h"
#include "core/site/project_check.h"
#include "core/site/project_reader.h"
#include "orv/myrecord.h"
#include "platform/build_stats.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {

namespace {

std::string WithSlash(const std::string& path) {
  return path.empty() || path.back() != '/' ? path + "/" : path;
}

using OutputName = std::function<std::string(const std::string& entry)>;

// The output folder is not created here: WritePage creates it when the
// first write into it fails, which saves a look-up per page.
std::string MirroredName(const TParseStruct& context, const std::string& entry) {
  return MirroredOutputDir(context.Settings.OutputDir, ExtractFilePath(entry), context.Settings.SourceDir) +
         ChangeFileExt(ExtractFileName(entry), ".html");
}

// Builds one page; false when its file does not exist.
bool BuildPage(TParseStruct& context, const std::string& entry, const OutputName& output_name) {
  if (!LoadPage(context, entry)) return false;
  ProcessMessages();
  context.Progress.File(entry);
  ProcessMessages();
  context.Progress.Step();
  try {
    ProcessPage(context);
  } catch (const std::bad_alloc&) {
    std::string().swap(context.Page.Text);
    throw EOutOfMemory(entry + ": memory ran out while the page was expanded");
  }
  WritePage(context, output_name(entry));
  context.Progress.Step();
  ProcessMessages();
  return true;
}

// Builds `entries` (the count is taken once, so entries added meanwhile are
// not built), keeping the first error to rethrow once the caller has finished.
// A `listed` entry (of the project's file list) whose page does not exist is
// a warning; a queued one is skipped silently.
void BuildEntries(TParseStruct& context, const LineList& entries, bool listed, int steps_per_page,
                  const OutputName& output_name, std::exception_ptr& error) {
  size_t count = entries.size();
  context.Progress.Range(steps_per_page * static_cast<long long>(count));
  try {
    for (size_t i = 0; i < count; ++i) {
      std::string entry = entries[i];
      if (!BuildPage(context, entry, output_name) && listed) ReportMissingPage(context, i, entry);
    }
  } catch (...) {
    if (!error) error = std::current_exception();
  }
  context.Progress.Reset();
  context.Progress.File("");
}

// Leaves the build's counts for the project information dialog. They are
// statistics, not results: a data folder that cannot be written loses them
// without failing the build.
void SaveBuildStats(const TBuildStats& stats) {
  try {
    ForceDirectories(DataDir());
    WriteBuildStats(BuildStatsFile(), stats);
  } catch (const Exception&) {
  }
}

}  // namespace

std::string DoPathEx(const std::string& folder, const std::string& source_root) {
  std::string dir = WithSlash(folder);
  std::string root = WithSlash(source_root);
  if (dir.size() <= root.size() || !SameText(dir.substr(0, root.size()), root)) return std::string();
  return ExcludeTrailingSlash(dir.substr(root.size()));
}

std::string MirroredOutputDir(const std::string& output_dir, const std::string& file_dir,
                              const std::string& source_dir) {
  std::string relative = DoPathEx(file_dir, source_dir);
  return relative.empty() ? WithSlash(output_dir) : WithSlash(output_dir) + relative + "/";
}

std::string MapOutputDir(const std::string& output_dir, const std::string& file_dir,
                         const std::string& source_dir) {
  std::string dir = MirroredOutputDir(output_dir, file_dir, source_dir);
  if (!DirectoryExists(dir)) ForceDirectories(dir);
  return dir;
}

bool LoadPage(TParseStruct& context, const std::string& file) {
  std::string text;
  if (context.Build.Caches.Folders().ReadRegularFile(file, text) == FileRead::NoFile) return false;
  context.Build.CurrentFile = file;
  NormalizeLineText(text);
  AddCount(context.Build.Stats.Lines, std::count(text.begin(), text.end(), '\n'));
  context.Page.Start(std::move(text), file);
  context.Build.Report.StartPage();
  return true;
}

void WritePage(TParseStruct& context, const std::string& out_file) {
  TFolderCache& folders = context.Build.Caches.Folders();
  if (!folders.WriteFileAtomic(out_file, context.Page.Text)) {
    ForceDirectories(ExtractFilePath(out_file));
    if (!folders.WriteFileAtomic(out_file, context.Page.Text) && context.Build.WriteFailure.empty())
      context.Build.WriteFailure = "Cannot write page \"" + out_file + "\". " + std::strerror(errno);
  }
  context.Page.Text.clear();
}

void ProcessProject(const std::string& project_file, const std::string& single_file, HWND notify,
                    bool preview) {
  BuildState build;
  CurrentBuildScope scope(build);
  TParseStruct& context = build.Context;
  TProjectSettings& settings = context.Settings;
  settings.ProjectFile = project_file;
  std::error_code ec;
  std::filesystem::path single =
      single_file.empty() ? std::filesystem::path() : std::filesystem::absolute(single_file, ec);
  settings.SingleFile = ec ? single_file : single.string();
  context.Progress.SetWindow(notify);
  settings.Preview = preview;
  ProjectTexts texts = ReadProject(context);
  // A file that names neither a source folder nor a page is not a project
  // (an empty file, or some other file given by mistake): building nothing
  // from it would report success for a build that did not happen.
  if (FileExists(project_file) && settings.SingleFile.empty() && !texts.NamesSource && settings.Files.empty())
    throw EInOutError("Project file \"" + project_file +
                      "\" names no source folder ([directories] src) and no files ([files] 0=...): nothing to build");
  FillBuiltinVars(context, texts, CurrentBuildTime());

  std::exception_ptr error;
  bool preview_page = !settings.SingleFile.empty() && settings.Preview;
  BuildEntries(context, settings.Files, true, kStepsPerPage,
               [&context, preview_page](const std::string& entry) {
                 return preview_page ? ChangeFileExt(entry, ".htm") : MirroredName(context, entry);
               },
               error);
  // The range of the queued files counts one step less per page than is
  // sent, as the build's progress has always been reported.
  BuildEntries(context, build.BuildQueue, false, kStepsPerPage - 1,
               [&context](const std::string& entry) { return MirroredName(context, entry); }, error);
  ProcessMessages();
  for (const std::string& file : build.DeleteQueue) DeleteFile(file);
  ProcessMessages();
  SaveBuildStats(build.Stats);
  if (error) std::rethrow_exception(error);
  if (!build.WriteFailure.empty()) throw EInOutError(build.WriteFailure);
  if (build.Strict && build.Report.Warnings() > 0)
    throw Exception("Strict build: " + std::to_string(build.Report.Warnings()) +
                    (build.Report.Warnings() == 1 ? " warning" : " warnings") + " (see above)");
}

}  // namespace orv
