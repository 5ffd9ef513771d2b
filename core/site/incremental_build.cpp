#include "core/site/incremental_build.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "core/site/build_digest.h"
#include "core/site/parse_struct.h"
#include "platform/content_hash.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/swapped_file.h"
#include "platform/window.h"

namespace orv {

namespace {

bool incremental_default = true;
bool watching_builds = false;

// The record of the last build of a watched project, as its file holds it.
struct KeptRecord {
  std::string path;
  FileStamp stamp;  // of the file when it held `bytes`
  std::string bytes;
  BuildRecord record;
  uint64_t build = 0;  // the builds_begun of the build that made it
};
thread_local std::optional<KeptRecord> kept_record;
thread_local uint64_t builds_begun = 0;

// The watching program's word, for the build that begins as number `build`.
struct Vouched {
  uint64_t build = 0;
  std::unordered_set<std::string> changed;
};
thread_local std::optional<Vouched> vouched;

std::string PageKey(const std::string& entry, uint32_t occurrence) {
  return entry + '\0' + std::to_string(occurrence);
}

void AddStats(TBuildStats& to, const TBuildStats& more) {
  AddCount(to.Lines, more.Lines);
  AddCount(to.Includes, more.Includes);
  AddCount(to.Variables, more.Variables);
  AddCount(to.Programs, more.Programs);
  AddCount(to.Databases, more.Databases);
}

TBuildStats StatsSince(const TBuildStats& now, const TBuildStats& before) {
  return TBuildStats{now.Lines - before.Lines, now.Includes - before.Includes, now.Variables - before.Variables,
                     now.Programs - before.Programs, now.Databases - before.Databases};
}

}  // namespace

bool IncrementalBuildDefault() { return incremental_default; }
void SetIncrementalBuildDefault(bool on) { incremental_default = on; }
bool WatchingBuilds() { return watching_builds; }
void SetWatchingBuilds(bool on) { watching_builds = on; }
void NoteBuildBegins() { ++builds_begun; }
void VouchUnchanged(std::unordered_set<std::string> changed) {
  vouched = Vouched{builds_begun + 1, std::move(changed)};
}
void VouchNothing() { vouched.reset(); }

IncrementalBuild::IncrementalBuild(TParseStruct& context, bool full)
    : context_(context), full_(full), inputs_(states_) {
  // The record is the project's however its path was given ("site.orv" is
  // another project in every folder): it is known by the absolute path.
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(context.Settings.ProjectFile, ec);
  new_.ProjectFile = ec ? context.Settings.ProjectFile : absolute.lexically_normal().string();
  new_.Digest = BuildDigest(context);
  record_path_ = BuildRecordPath(new_.ProjectFile);
  ReadLastRecord();
  // A build records about as many pages as the project lists, and files
  // as the last build did: room for them at once spares moving every
  // record made so far each time a list grows.
  new_.Pages.reserve(context.Settings.Files.size());
  if (!last_) return;
  new_.Files.reserve(last_->Files.size());
  last_usable_ = !full_ && last_->Digest == new_.Digest;
  unchanged_ = last_usable_;
  reused_.assign(last_->Pages.size(), false);
  occurrences_.Reserve(last_->Pages.size());
  file_remap_.assign(last_->Files.size(), kNone);
  variable_remap_.assign(last_->Variables.size(), kNone);
}

void IncrementalBuild::ReadLastRecord() {
  // Into a missing output folder (a clean build) every page is written
  // anew and nothing found there can be stale: the last record would spare
  // no work, and is not read.
  if (!DirectoryExists(context_.Settings.OutputDir)) return;
  uint64_t kept_from = 0;
  if (TakeKeptRecord(kept_from)) {
    // Every state in a record is one its build found; when that build is
    // the one before this, the watching program's word covers them.
    if (kept_from + 1 == builds_begun && vouched && vouched->build == builds_begun)
      states_.TrustUnchanged(&vouched->changed);
  } else if (ReadRegularFile(record_path_, last_bytes_) == FileRead::Read) {
    last_ = ParseBuildRecord(last_bytes_);
    if (last_ && last_->ProjectFile != new_.ProjectFile) last_.reset();
  }
}

const PageRecord* IncrementalBuild::LastPage(const std::string& entry, uint32_t occurrence) {
  // Pages mostly come in the order of the last build: try the one after the
  // last found before looking the page up.
  const std::vector<PageRecord>& pages = last_->Pages;
  if (next_page_ < pages.size() && pages[next_page_].Entry == entry && pages[next_page_].Occurrence == occurrence)
    return &pages[next_page_++];
  if (last_pages_.empty())
    for (size_t i = 0; i < pages.size(); ++i) last_pages_.emplace(PageKey(pages[i].Entry, pages[i].Occurrence), i);
  auto found = last_pages_.find(PageKey(entry, occurrence));
  if (found == last_pages_.end()) return nullptr;
  next_page_ = found->second + 1;
  return &pages[found->second];
}

IncrementalBuild::~IncrementalBuild() { AbortPage(); }

bool IncrementalBuild::TakeKeptRecord(uint64_t& build) {
  FileStamp stamp;
  if (!WatchingBuilds() || !kept_record || kept_record->path != record_path_ || !StatFile(record_path_, stamp) ||
      !(stamp == kept_record->stamp))
    return false;
  last_bytes_ = std::move(kept_record->bytes);
  last_ = std::move(kept_record->record);
  build = kept_record->build;
  kept_record.reset();
  return true;
}

void IncrementalBuild::KeepRecord(std::string bytes) {
  kept_record.reset();
  FileStamp stamp;
  if (StatFile(record_path_, stamp))
    kept_record = KeptRecord{record_path_, stamp, std::move(bytes), std::move(new_), builds_begun};
}

uint32_t IncrementalBuild::NextOccurrence(const std::string& entry) {
  return (*occurrences_.TryEmplace(ContentHash(entry)).first)++;
}

uint64_t IncrementalBuild::DefinesDigest() {
  const TUserSettingList& defines = context_.Defines;
  const TUserSettingFollower::Step step = defines_follower_.Follow(defines);
  if (step.restart) defines_digest_ = 0;
  for (int i = step.first; i < defines.Count(); ++i) {
    const TUserSetting& define = defines.Items(i);
    defines_digest_ = ContentHash(define.Value, ContentHash(define.Name, defines_digest_ + 1));
  }
  return defines_digest_;
}

bool IncrementalBuild::UpToDateInputs(const PageRecord& page, std::vector<FileState>& files, FileState& output) {
  if (page.Volatile || page.DefinesBefore != DefinesDigest()) return false;
  BuildState& build = context_.Build;
  for (uint32_t index : page.Variables) {
    const VariableInput& input = last_->Variables[index];
    const TUserSetting* var = build.Caches.FindVariable(build.BuiltinVars, build.UserVars, input.Name);
    if (!PageInputs::Holds(input, var, build.BuiltinVars)) return false;
  }
  // The files before the output: they are mostly shared, and their states
  // kept, while the output is looked at anew.
  PageWriter& writer = build.Writer;
  files.reserve(page.Files.size());
  for (uint32_t index : page.Files) {
    const FileInput& input = last_->Files[index];
    writer.Settle(input.Path);
    FileState now = states_.Current(input.Path, &input.State);
    if (!SameContent(now, input.State)) return false;
    files.push_back(now);
  }
  writer.SettleName(page.Output);
  output = states_.Peek(page.Output, &page.OutputState);
  return output.Exists && SameContent(output, page.OutputState);
}

bool IncrementalBuild::Skip(const std::string& entry, uint32_t occurrence, const std::string& output) {
  if (!last_usable_) return false;
  const PageRecord* last_page = LastPage(entry, occurrence);
  if (!last_page) return false;
  std::vector<FileState> files;
  FileState output_state;
  if (last_page->Output != output || !UpToDateInputs(*last_page, files, output_state)) return false;

  // The page goes over into the new record, with the files' states now and
  // its files and variables where they are in the new record.
  const size_t last_index = static_cast<size_t>(last_page - last_->Pages.data());
  reused_[last_index] = true;
  PageRecord kept = std::move(last_->Pages[last_index]);
  unchanged_ = unchanged_ && last_index == new_.Pages.size() && kept.OutputState == output_state;
  kept.OutputState = output_state;
  for (size_t i = 0; i < files.size(); ++i) {
    const uint32_t index = KeepLastFile(kept.Files[i], files[i]);
    unchanged_ = unchanged_ && index == kept.Files[i];
    kept.Files[i] = index;
  }
  for (uint32_t& variable : kept.Variables) {
    const uint32_t index = KeepLastVariable(variable);
    unchanged_ = unchanged_ && index == variable;
    variable = index;
  }
  Replay(kept);
  new_.Pages.push_back(std::move(kept));
  ++up_to_date_;
  return true;
}

void IncrementalBuild::Replay(const PageRecord& page) {
  BuildState& build = context_.Build;
  // No BUILD_FILE: the page is not being built; its steps still count.
  build.CurrentFile = page.Entry;
  for (const auto& [name, value] : page.DefinesAdded) context_.Defines.Add(name, value);
  for (const auto& [name, value] : page.VariablesSet) build.SetUserVar(name, value);
  build.BuildQueue.insert(build.BuildQueue.end(), page.Queued.begin(), page.Queued.end());
  build.DeleteQueue.insert(build.DeleteQueue.end(), page.Deletes.begin(), page.Deletes.end());
  build.Report.StartPage();
  for (const ReportLine& line : page.Reports) build.Report.Replay(line);
  AddStats(build.Stats, page.Stats);
  for (uint32_t i = 0; i < page.Steps; ++i) context_.Progress.Step();
  // Up-to-date pages go fast: the message loop runs every so many.
  if (++replayed_ % 64 == 0) ProcessMessages();
}

uint32_t IncrementalBuild::KeepLastFile(uint32_t last_index, const FileState& state) {
  uint32_t& kept = file_remap_[last_index];
  if (kept != kNone && new_.Files[kept].State == state) return kept;
  kept = KeepFile(last_->Files[last_index].Path, state);
  unchanged_ = unchanged_ && new_.Files[kept] == last_->Files[last_index];
  return kept;
}

uint32_t IncrementalBuild::KeepLastVariable(uint32_t last_index) {
  uint32_t& kept = variable_remap_[last_index];
  if (kept == kNone) kept = KeepVariable(last_->Variables[last_index]);
  return kept;
}

uint32_t IncrementalBuild::KeepFile(const std::string& path, const FileState& state) {
  // By the path's hash: two paths of one hash (never seen) would each take
  // the other's place, which costs the record an entry, never a wrong one.
  auto [latest, added] = new_files_.TryEmplace(ContentHash(path), static_cast<uint32_t>(new_.Files.size()));
  if (!added && new_.Files[*latest].State == state && new_.Files[*latest].Path == path) return *latest;
  *latest = static_cast<uint32_t>(new_.Files.size());
  new_.Files.push_back(FileInput{path, state});
  return *latest;
}

uint32_t IncrementalBuild::KeepVariable(const VariableInput& input) {
  auto [latest, added] = new_variables_.try_emplace(input.Name, static_cast<uint32_t>(new_.Variables.size()));
  if (!added && new_.Variables[latest->second] == input) return latest->second;
  latest->second = static_cast<uint32_t>(new_.Variables.size());
  new_.Variables.push_back(input);
  return latest->second;
}

void IncrementalBuild::BeginPage() {
  BuildState& build = context_.Build;
  inputs_.Clear();
  start_.defines_digest = DefinesDigest();
  start_.defines = context_.Defines.Count();
  start_.queued = build.BuildQueue.size();
  start_.deletes = build.DeleteQueue.size();
  start_.stats = build.Stats;
  start_.steps = context_.Progress.StepsSent();
  start_.reports.clear();
  build.Report.Capture(&start_.reports);
  build.Inputs = &inputs_;
}

void IncrementalBuild::AbortPage() {
  context_.Build.Inputs = nullptr;
  context_.Build.Report.Capture(nullptr);
}

uint32_t IncrementalBuild::EndPage(const std::string& entry, uint32_t occurrence, const std::string& output,
                                   uint64_t text_hash) {
  AbortPage();
  ++built_;
  unchanged_ = false;
  if (inputs_.Volatile()) states_.ForgetAll();
  BuildState& build = context_.Build;
  PageRecord page;
  page.Entry = entry;
  page.Occurrence = occurrence;
  page.Output = output;
  // Not written yet: a page left so is dropped from the record (Finish).
  page.OutputState.Hash = text_hash;
  page.Volatile = inputs_.Volatile();
  if (!page.Volatile) {
    page.DefinesBefore = start_.defines_digest;
    for (const FileInput& input : inputs_.Files()) page.Files.push_back(KeepFile(input.Path, input.State));
    for (const VariableInput& input : inputs_.Variables()) page.Variables.push_back(KeepVariable(input));
    for (int i = start_.defines; i < context_.Defines.Count(); ++i)
      page.DefinesAdded.emplace_back(context_.Defines.Items(i).Name, context_.Defines.Items(i).Value);
    page.VariablesSet = inputs_.VariablesSet();
    page.Queued.assign(build.BuildQueue.begin() + static_cast<long>(start_.queued), build.BuildQueue.end());
    page.Deletes.assign(build.DeleteQueue.begin() + static_cast<long>(start_.deletes), build.DeleteQueue.end());
    page.Reports = std::move(start_.reports);
    page.Stats = StatsSince(build.Stats, start_.stats);
    page.Steps = context_.Progress.StepsSent() - start_.steps;
  }
  new_.Pages.push_back(std::move(page));
  return static_cast<uint32_t>(new_.Pages.size() - 1);
}

void IncrementalBuild::PageWritten(uint32_t page, const FileStamp* written) {
  FileState& output = new_.Pages[page].OutputState;
  states_.Forget(new_.Pages[page].Output);
  if (written) output = FileState{true, *written, output.Hash, FileStates::Racy(*written, FileStates::NowNs())};
}

void IncrementalBuild::RemoveStaleOutputs() {
  // The pages that went over into the new record are not stale.
  if (std::find(reused_.begin(), reused_.end(), false) == reused_.end()) return;
  // Outputs by their paths' hashes: an output that shares its hash with
  // one written is kept, never one written removed.
  HashKeyedMap<bool> written;
  written.Reserve(new_.Pages.size());
  for (const PageRecord& page : new_.Pages) written.TryEmplace(ContentHash(page.Output), true);
  const std::string root = IncludeTrailingSlash(context_.Settings.OutputDir);
  for (size_t i = 0; i < last_->Pages.size(); ++i) {
    const PageRecord& page = last_->Pages[i];
    if (reused_[i] || !PathIsUnder(page.Output, root) || !written.TryEmplace(ContentHash(page.Output), true).second)
      continue;
    FileState now = states_.Current(page.Output, &page.OutputState);
    if (!now.Exists || !SameContent(now, page.OutputState)) continue;
    DeleteFile(page.Output);
    RemoveEmptyFolders(ExtractFilePath(page.Output), root);
  }
}

void IncrementalBuild::Finish(bool complete, WatchList* watch) {
  AbortPage();
  // Every page kept from the last build has its output; a page built now
  // has one once its write was reported.
  if (built_ > 0) std::erase_if(new_.Pages, [](const PageRecord& page) { return !page.OutputState.Exists; });
  if (complete && last_) RemoveStaleOutputs();
  std::unordered_set<std::string> page_outputs;
  if (!context_.Settings.StaticDir.empty() || (last_ && !last_->Statics.empty()))
    for (const PageRecord& page : new_.Pages) page_outputs.insert(page.Output);
  statics_ = SyncStaticFiles(context_.Settings.StaticDir, context_.Settings.OutputDir, LastRecord(), new_, full_,
                             page_outputs, states_, context_.Build.Report);
  // A record that holds what the last one held is not made again.
  unchanged_ = unchanged_ && new_.Pages.size() == last_->Pages.size() && new_.Files.size() == last_->Files.size() &&
               new_.Variables.size() == last_->Variables.size() && new_.Statics == last_->Statics;
  std::string bytes = unchanged_ ? std::move(last_bytes_) : SerializeBuildRecord(new_);
  // The record only saves work: a data folder that cannot be written makes
  // the next build a full one, not a failed one.
  bool kept = unchanged_ || bytes == last_bytes_;
  if (!kept) {
    ForceDirectories(ExtractFilePath(record_path_));
    kept = WriteFileSwapped(record_path_, bytes);
  }
  if (!WatchingBuilds()) {
    if (watch) *watch = WatchList();
    return;
  }
  if (watch) MakeWatchList(*watch);
  if (kept) KeepRecord(std::move(bytes));
}

template <typename Visit>
void IncrementalBuild::ForEachWatchEntry(Visit visit) {
  const TProjectSettings& settings = context_.Settings;
  BuildCaches& caches = context_.Build.Caches;
  visit(settings.ProjectFile, WatchKind::File);
  const std::string& image_dir = context_.Build.ImageDir;
  for (const std::string* tree : {&settings.SourceDir, &image_dir, &settings.StaticDir, &caches.SnippetsDir(),
                                  &caches.SharedSnippetsDir()})
    if (!tree->empty()) visit(IncludeTrailingSlash(*tree), WatchKind::Tree);
  for (const std::string& tree : settings.PatternFolders)
    if (!tree.empty()) visit(IncludeTrailingSlash(tree), WatchKind::Tree);
  for (const FileInput& input : new_.Files) visit(input.Path, WatchKind::File);
  for (const std::string& page : settings.Files) visit(page, WatchKind::File);
  for (const std::string& page : context_.Build.BuildQueue) visit(page, WatchKind::File);
  const std::string statics = IncludeTrailingSlash(settings.StaticDir);
  for (const StaticRecord& file : new_.Statics) visit(statics + file.Relative, WatchKind::File);
  const std::string out = IncludeTrailingSlash(settings.OutputDir);
  visit(out, WatchKind::Output);
  for (const PageRecord& page : new_.Pages) visit(page.Output, WatchKind::Written);
  for (const StaticRecord& file : new_.Statics) visit(out + file.Relative, WatchKind::Written);
}

void IncrementalBuild::MakeWatchList(WatchList& watch) {
  uint64_t id = 1;
  ForEachWatchEntry([&id](const std::string& path, WatchKind kind) {
    id = ContentHash(path, id + static_cast<uint64_t>(kind) + 1);
  });
  id = id ? id : 1;
  if (id == watch.Id) return;
  watch.Id = id;
  watch.Entries.clear();
  std::unordered_set<std::string> files;
  ForEachWatchEntry([&](const std::string& path, WatchKind kind) {
    if (kind != WatchKind::File || files.insert(path).second) watch.Entries.emplace_back(path, static_cast<int>(kind));
  });
}

}  // namespace orv
