#include "core/site/build_driver.h"

#include <exception>
#include <filesystem>
#include <functional>

#include "core/site/builtin_vars.h"
#include "core/site/process_page.h"
#include "core/site/project_reader.h"
#include "orv/myrecord.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {

namespace {

std::string WithSlash(const std::string& path) {
  return path.empty() || path.back() != '/' ? path + "/" : path;
}

// Sends a message that carries a TMyRecord; the receiver frees the record.
void SendRecord(const TParseStruct& context, uint32_t message, const std::string& text) {
  if (!IsWindow(context.NotifyWindow)) return;
  TMyRecord* record = orv_myrecord_new(text.c_str(), "", "");
  if (!record) throw EOutOfMemory("Out of memory");
  SendMessage(context.NotifyWindow, message, 0, reinterpret_cast<LPARAM>(record));
}

void SendPlain(const TParseStruct& context, uint32_t message) {
  SendMessage(context.NotifyWindow, message, 0, 0);
}

using OutputName = std::function<std::string(const std::string& entry)>;

std::string MirroredName(const TParseStruct& context, const std::string& entry) {
  return MapOutputDir(context.OutputDir, ExtractFilePath(entry), context.SourceDir) +
         ChangeFileExt(ExtractFileName(entry), ".html");
}

void BuildPage(TParseStruct& context, const std::string& entry, const OutputName& output_name) {
  if (!FileExists(entry)) return;
  context.ScriptsStepPending = context.VarsStepPending = true;
  context.IncludesStepPending = context.ExtAppsStepPending = true;
  LoadPage(context, entry);
  ProcessMessages();
  SendRecord(context, BUILD_FILE, entry);
  ProcessMessages();
  context.Rescan = false;
  context.PassDepth = 0;
  context.LimitReached = false;
  SendBuildStep(context);
  ProcessPage(context);
  WritePage(context, output_name(entry));
  SendBuildStep(context);
  ProcessMessages();
}

// Builds `entries` (the count is taken once, so entries added meanwhile are
// not built), keeping the first error to rethrow once the caller has finished.
void BuildEntries(TParseStruct& context, const LineList& entries, int steps_per_page,
                  const OutputName& output_name, std::exception_ptr& error) {
  size_t count = entries.size();
  SendRecord(context, BUILD_SETRANGE, std::to_string(steps_per_page * static_cast<long long>(count)));
  try {
    for (size_t i = 0; i < count; ++i) {
      std::string entry = entries[i];
      BuildPage(context, entry, output_name);
    }
  } catch (...) {
    if (!error) error = std::current_exception();
  }
  SendPlain(context, BUILD_RESET);
  SendRecord(context, BUILD_FILE, "");
}

}  // namespace

std::string DoPathEx(const std::string& folder, const std::string& source_root) {
  std::string dir = WithSlash(folder);
  std::string root = WithSlash(source_root);
  if (dir.size() <= root.size() || !SameText(dir.substr(0, root.size()), root)) return std::string();
  return ExcludeTrailingSlash(dir.substr(root.size()));
}

std::string MapOutputDir(const std::string& output_dir, const std::string& file_dir,
                         const std::string& source_dir) {
  std::string relative = DoPathEx(file_dir, source_dir);
  std::string dir = relative.empty() ? WithSlash(output_dir) : WithSlash(output_dir) + relative + "/";
  if (!DirectoryExists(dir)) ForceDirectories(dir);
  return dir;
}

void LoadPage(TParseStruct& context, const std::string& file) {
  context.Build.CurrentFile = file;
  try {
    context.Page = SplitLines(ReadFileBytes(file));
  } catch (const EInOutError&) {
    context.Page.clear();
  }
}

void WritePage(TParseStruct& context, const std::string& out_file) {
  WriteFileAtomic(out_file, JoinLines(context.Page));
  context.Page.clear();
}

void ProcessProject(const std::string& project_file, const std::string& single_file, HWND notify,
                    bool preview) {
  BuildState build;
  CurrentBuildScope scope(build);
  TParseStruct& context = build.Context;
  context.ProjectFile = project_file;
  std::error_code ec;
  std::filesystem::path single =
      single_file.empty() ? std::filesystem::path() : std::filesystem::absolute(single_file, ec);
  context.SingleFile = ec ? single_file : single.string();
  context.NotifyWindow = notify;
  context.Preview = preview;
  ProjectTexts texts = ReadProject(context);
  FillBuiltinVars(context, texts, CurrentBuildTime());

  std::exception_ptr error;
  bool preview_page = !context.SingleFile.empty() && context.Preview;
  BuildEntries(context, context.Files, 7,
               [&context, preview_page](const std::string& entry) {
                 return preview_page ? ChangeFileExt(entry, ".htm") : MirroredName(context, entry);
               },
               error);
  BuildEntries(context, build.BuildQueue, 6,
               [&context](const std::string& entry) { return MirroredName(context, entry); }, error);
  ProcessMessages();
  for (const std::string& file : build.DeleteQueue) DeleteFile(file);
  ProcessMessages();
  if (error) std::rethrow_exception(error);
}

}  // namespace orv
