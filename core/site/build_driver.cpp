#include "core/site/build_driver.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <unordered_map>

#include "core/site/builtin_vars.h"
#include "core/site/incremental_build.h"
#include "core/site/page_inputs.h"
#include "core/site/process_page.h"
#include "core/site/project_check.h"
#include "core/site/project_reader.h"
#include "orv/myrecord.h"
#include "platform/build_stats.h"
#include "platform/content_hash.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {

namespace {

thread_local BuildCounts last_counts;
thread_local IncrementalBuild::WatchList last_inputs;

std::string WithSlash(const std::string& path) {
  return path.empty() || path.back() != '/' ? path + "/" : path;
}

using OutputName = std::function<std::string(const std::string& entry)>;

// The output pages of a build: a page's folder, resolved (ResolvedFolder),
// is mirrored under the output folder when it lies in the resolved source
// folder; a page anywhere else goes straight into the output folder. A
// resolved folder holds no "..", so no page lands outside the output
// folder. The output folder is not created here: WritePage creates it when
// the first write into it fails, which saves a look-up per page.
class OutputNames {
 public:
  explicit OutputNames(const TParseStruct& context)
      : context_(context), source_root_(ResolvedFolder(context.Settings.SourceDir)) {}

  std::string operator()(const std::string& entry) {
    const std::string folder = ExtractFilePath(entry);
    auto known = mirrored_.find(folder);
    if (known == mirrored_.end())
      known = mirrored_
                  .emplace(folder, MirroredOutputDir(context_.Settings.OutputDir, ResolvedFolder(folder), source_root_))
                  .first;
    return known->second + ChangeFileExt(ExtractFileName(entry), ".html");
  }

 private:
  const TParseStruct& context_;
  const std::string source_root_;
  // The output folder of each page folder met, resolved once per build.
  std::unordered_map<std::string, std::string> mirrored_;
};

enum class PageOutcome { Missing, Built, UpToDate };

// The tag of a page written outside an incremental build.
constexpr uint32_t kUnrecorded = ~uint32_t{0};

// Loads and expands one page, leaving its text in the project's line ends;
// false when its file does not exist. Returns the hash of the text in
// `text_hash` when asked for it.
bool ExpandPage(TParseStruct& context, const std::string& entry, uint64_t* text_hash) {
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
  ApplyLineEnds(context.Page.Text, context.Settings.PageLineEnds);
  if (text_hash) *text_hash = ContentHash(context.Page.Text);
  context.Progress.Step();
  ProcessMessages();
  return true;
}

// Builds one page, or leaves it as the last build made it when it is up to
// date (incremental builds).
PageOutcome BuildPage(TParseStruct& context, const std::string& entry, const OutputName& output_name,
                      IncrementalBuild* incremental) {
  const std::string output = output_name(entry);
  // Set before the page's inputs are compared: RootPath is one of them.
  SetPageBuiltins(context, output);
  if (!incremental) {
    if (!ExpandPage(context, entry, nullptr)) return PageOutcome::Missing;
    WritePage(context, output, kUnrecorded);
    return PageOutcome::Built;
  }
  uint32_t occurrence = incremental->NextOccurrence(entry);
  if (incremental->Skip(entry, occurrence, output)) return PageOutcome::UpToDate;
  uint64_t text_hash = 0;
  incremental->BeginPage();
  try {
    if (!ExpandPage(context, entry, &text_hash)) {
      incremental->AbortPage();
      return PageOutcome::Missing;
    }
  } catch (...) {
    incremental->AbortPage();
    throw;
  }
  WritePage(context, output, incremental->EndPage(entry, occurrence, output, text_hash));
  return PageOutcome::Built;
}

// Builds `entries` (the count is taken once, so entries added meanwhile are
// not built), keeping the first error to rethrow once the caller has finished.
// A `listed` entry (of the project's file list) whose page does not exist is
// a warning; a queued one is skipped silently.
void BuildEntries(TParseStruct& context, const LineList& entries, bool listed, int steps_per_page,
                  const OutputName& output_name, IncrementalBuild* incremental, BuildCounts& counts,
                  std::exception_ptr& error) {
  size_t count = entries.size();
  context.Progress.Range(steps_per_page * static_cast<long long>(count));
  try {
    for (size_t i = 0; i < count; ++i) {
      std::string entry = entries[i];
      switch (BuildPage(context, entry, output_name, incremental)) {
        case PageOutcome::Missing:
          if (listed) ReportMissingPage(context, i, entry);
          break;
        case PageOutcome::Built:
          ++counts.Built;
          break;
        case PageOutcome::UpToDate:
          ++counts.UpToDate;
          break;
      }
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

const BuildCounts& LastBuildCounts() { return last_counts; }
const std::vector<std::pair<std::string, int>>& LastBuildInputs() { return last_inputs.Entries; }
uint64_t LastBuildInputsId() { return last_inputs.Id; }

std::string ResolvedFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  if (ec) return folder;
  fs::path resolved = fs::weakly_canonical(absolute, ec);
  if (ec) resolved = absolute.lexically_normal();
  return resolved.string();
}

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
  FileStamp stamp;
  PageInputs* inputs = context.Build.Inputs;
  // A page is read by its name, not through a link, unless the pages being
  // written are written first: the link may lead to one of them.
  PageWriter& writer = context.Build.Writer;
  TFolderCache& folders = context.Build.Caches.Folders();
  writer.SettleName(file);
  const auto read_page = [&] {
    bool link = false;
    const FileRead read = folders.ReadRegularFile(file, text, &stamp, &link);
    if (!link) return read;
    writer.Drain();
    return folders.ReadRegularFile(file, text, &stamp);
  };
  FileRead read = read_page();
  // A page reached through a link into the output folder of a clean build
  // may still lie in the staging folder.
  if (read == FileRead::NoFile && writer.PublishFor(file)) read = read_page();
  if (read == FileRead::NoFile) return false;
  // A page that cannot be read is recorded as its stamp says.
  if (inputs && read == FileRead::Unreadable && !StatFile(file, stamp)) return false;
  if (inputs) inputs->FileRead(file, stamp, text);
  context.Build.CurrentFile = file;
  NormalizeLineText(text);
  AddCount(context.Build.Stats.Lines, std::count(text.begin(), text.end(), '\n'));
  context.Page.Start(std::move(text), file);
  context.Build.Report.StartPage();
  return true;
}

void ApplyLineEnds(std::string& text, LineEnds ends) {
  if (ends == LineEnds::CrLf) return;
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') text[kept++] = text[i];
  text.resize(kept);
}

void WritePage(TParseStruct& context, const std::string& out_file, uint32_t tag) {
  context.Build.Writer.Submit(out_file, std::move(context.Page.Text), tag);
  context.Page.Text.clear();
}

void ProcessProject(const std::string& project_file, const std::string& single_file, HWND notify,
                    bool preview) {
  NoteBuildBegins();
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

  // A whole project is built incrementally; a single file always.
  std::optional<IncrementalBuild> incremental;
  if (settings.SingleFile.empty()) incremental.emplace(context, !IncrementalBuildDefault());
  build.Writer.OnWritten([&build, &incremental](const PageWriter::Written& page) {
    if (!page.Ok) build.Report.Error(page.Path, std::string("cannot write the page: ") + std::strerror(page.Error));
    if (incremental && page.Tag != kUnrecorded) incremental->PageWritten(page.Tag, page.Ok ? &page.Stamp : nullptr);
  });
  // A build that writes every listed page tells its writer how many. A
  // clean build of the whole project (no output folder yet) writes into a
  // hidden folder that takes the output folder's name at the end.
  if (!incremental || incremental->BuildsEveryPage()) build.Writer.Expect(settings.Files.size());
  if (incremental && incremental->BuildsEveryPage()) build.Writer.StageOutput(settings.OutputDir);
  BuildCounts counts;
  std::exception_ptr error;
  bool preview_page = !settings.SingleFile.empty() && settings.Preview;
  OutputNames mirrored(context);
  BuildEntries(context, settings.Files, true, kStepsPerPage,
               [&mirrored, preview_page](const std::string& entry) {
                 return preview_page ? ChangeFileExt(entry, ".htm") : mirrored(entry);
               },
               incremental ? &*incremental : nullptr, counts, error);
  // The range of the queued files counts one step less per page than is
  // sent, as the build's progress has always been reported.
  BuildEntries(context, build.BuildQueue, false, kStepsPerPage - 1, std::ref(mirrored),
               incremental ? &*incremental : nullptr, counts, error);
  // Every page is written, and in its place, before files are deleted and
  // the build recorded.
  for (bool drained = false; !drained;) {
    try {
      build.Writer.Drain();
      drained = true;
    } catch (...) {
      if (!error) error = std::current_exception();
    }
  }
  try {
    build.Writer.Publish();
  } catch (const Exception&) {
    if (!error) error = std::current_exception();
  }
  ProcessMessages();
  for (const std::string& file : build.DeleteQueue) {
    DeleteFile(file);
    if (incremental) incremental->States().Forget(file);
  }
  ProcessMessages();
  if (incremental) {
    incremental->Finish(!error && build.Report.Errors() == 0, &last_inputs);
    counts.StaticCopied = incremental->Statics().Copied;
    counts.StaticRemoved = incremental->Statics().Removed;
  } else {
    last_inputs = IncrementalBuild::WatchList();
  }
  last_counts = counts;
  SaveBuildStats(build.Stats);
  if (error) std::rethrow_exception(error);
  if (build.Report.Errors() > 0)
    throw EInOutError(std::to_string(build.Report.Errors()) +
                      (build.Report.Errors() == 1 ? " page could not be written" : " pages could not be written") +
                      " (see above)");
  if (build.Strict && build.Report.Warnings() > 0)
    throw Exception("Strict build: " + std::to_string(build.Report.Warnings()) +
                    (build.Report.Warnings() == 1 ? " warning" : " warnings") + " (see above)");
}

}  // namespace orv
