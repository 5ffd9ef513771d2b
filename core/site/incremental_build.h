// Incremental builds: a page whose inputs are as the last build recorded
// them is not built again; what it did to the build (the defines, variables
// and queued files it left to later pages, its warnings, counts and
// progress) is replayed in its place, so the build goes on exactly as if it
// had been built. Only the current time and date in a skipped page stay
// those of the build that wrote it.
//
// A page is up to date when the build's digest (build_digest.h) is the last
// one's, the page was not volatile (page_inputs.h, script_reads.h), the
// defines in force when it starts are those it started with, every variable
// it looked up has the value it had, every file it read or looked for holds
// what it held (or is still missing), and its output file still holds what
// was written.
//
//   IncrementalBuild incremental(context, /*full=*/false);
//   for each page: size_t n = incremental.NextOccurrence(entry);
//     if (incremental.Skip(entry, n, output)) continue;
//     incremental.BeginPage(); ...build...; page = incremental.EndPage(...);
//     ...write...; incremental.PageWritten(page, stamp);
//   incremental.Finish(/*complete=*/true);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/site/build_record.h"
#include "core/site/file_states.h"
#include "core/site/hash_keyed_map.h"
#include "core/site/page_inputs.h"
#include "core/site/static_files.h"
#include "platform/user_settings.h"

namespace orv {

class TParseStruct;

// Whether builds of whole projects skip pages that are up to date (on
// unless turned off; orvcc --all turns it off for one build).
bool IncrementalBuildDefault();
void SetIncrementalBuildDefault(bool on);

// Whether the builds are those of a program that builds again whenever an
// input changes (orvcc --watch): then each build gives its WatchList, and
// the record of a project's last build stays in memory for the next one
// (read from the file again only when someone else changed the file).
bool WatchingBuilds();
void SetWatchingBuilds(bool on);

// Every build of a project begins with this, whatever becomes of it: the
// record a build keeps in memory is known to be the previous build's only
// when no other build began in between.
void NoteBuildBegins();

// The watching program's word for the next build (orv_core_vouch): every
// file of the last build's watch list holds what that build found in it,
// except those in `changed`; or no word at all.
void VouchUnchanged(std::unordered_set<std::string> changed);
void VouchNothing();

// The incremental side of one build of a whole project.
class IncrementalBuild {
 public:
  // Reads the last build's record (or takes the one kept in memory), unless
  // the output folder is missing. With `full`, every page is built (the
  // record still tells which outputs the last build wrote).
  IncrementalBuild(TParseStruct& context, bool full);
  ~IncrementalBuild();
  IncrementalBuild(const IncrementalBuild&) = delete;
  IncrementalBuild& operator=(const IncrementalBuild&) = delete;

  // How many times `entry` was built before in this build (0 the first
  // time); counts this one.
  uint32_t NextOccurrence(const std::string& entry);

  // True when the page is up to date: then its effects are replayed,
  // progress included, and it counts as up to date.
  bool Skip(const std::string& entry, uint32_t occurrence, const std::string& output);

  // Around the build of a page that was not skipped. EndPage records the
  // page, whose text (of ContentHash `text_hash`) is to be written to
  // `output`, and returns its number for PageWritten, which completes the
  // record once the write is over (`written`: the stamp of the file
  // written; null when it failed). A page whose write failed or was never
  // reported is left out of the record, and so is one that ended with an
  // error (AbortPage).
  void BeginPage();
  uint32_t EndPage(const std::string& entry, uint32_t occurrence, const std::string& output, uint64_t text_hash);
  void PageWritten(uint32_t page, const FileStamp* written);
  void AbortPage();

  // Once every page is built and the queued files deleted: when the build
  // is `complete` (no error ended it), removes the pages the last build
  // wrote under the output folder that no page wrote this time, when they
  // still hold what was written. Then brings the static files up to date
  // (static_files.h), writes the new record and, when WatchingBuilds(),
  // brings `watch` up to date (see WatchList) and keeps the record in
  // memory; otherwise `watch` is emptied.
  struct WatchList;
  void Finish(bool complete, WatchList* watch = nullptr);

  // What a build of a watched project depended on, for a program that
  // builds again when it changes: the project file (first); the trees
  // (source, image, static and snippet folders and the folders page
  // patterns look in), where a new file may be a new input; every file a
  // page read or looked for, and the listed and queued pages; the output
  // folder; and every file the build wrote or left there (pages and static
  // copies), whose changes are the build's own.
  // Each path comes with its WatchKind as a number (the C interface's).
  enum class WatchKind { File = 0, Tree = 1, Output = 2, Written = 3 };
  using WatchEntries = std::vector<std::pair<std::string, int>>;
  // The list and its fingerprint (0 for none): a list whose fingerprint is
  // the last one's is not made again.
  struct WatchList {
    uint64_t Id = 0;
    WatchEntries Entries;
  };

  // The last build's record (null when there is none of this project) and
  // the one being made.
  const BuildRecord* LastRecord() const { return last_ ? &*last_ : nullptr; }
  BuildRecord& NewRecord() { return new_; }
  FileStates& States() { return states_; }

  // Whether this build builds every page (it is full, or the last record
  // does not apply to it): then no page is skipped.
  bool BuildsEveryPage() const { return !last_usable_; }

  int Built() const { return built_; }
  int UpToDate() const { return up_to_date_; }
  const StaticCounts& Statics() const { return statics_; }

 private:
  // Sets last_ to the last build's record, kept in memory or read.
  void ReadLastRecord();
  bool TakeKeptRecord(uint64_t& build);
  void KeepRecord(std::string bytes);
  uint64_t DefinesDigest();
  bool UpToDateInputs(const PageRecord& page, std::vector<FileState>& files, FileState& output);
  void Replay(const PageRecord& page);
  const PageRecord* LastPage(const std::string& entry, uint32_t occurrence);
  uint32_t KeepFile(const std::string& path, const FileState& state);
  uint32_t KeepVariable(const VariableInput& input);
  // KeepFile and KeepVariable for an entry of the last record, remembering
  // where it went.
  uint32_t KeepLastFile(uint32_t last_index, const FileState& state);
  uint32_t KeepLastVariable(uint32_t last_index);
  void RemoveStaleOutputs();
  void MakeWatchList(WatchList& watch);
  // Calls `visit(path, kind)` for each entry of the watch list, duplicate
  // files included.
  template <typename Visit>
  void ForEachWatchEntry(Visit visit);

  TParseStruct& context_;
  bool full_;
  std::string record_path_;
  std::string last_bytes_;
  std::optional<BuildRecord> last_;
  bool last_usable_ = false;
  // The last record's pages by entry + '\0' + occurrence, made when a page
  // is not where the last build had it.
  std::unordered_map<std::string, size_t> last_pages_;
  size_t next_page_ = 0;
  // The last record's pages that went over into the new one (moved out of
  // the last record).
  std::vector<bool> reused_;
  // The new record holds what the last one held, so far.
  bool unchanged_ = false;
  // Where each of the last record's files and variables went in the new
  // one (kNone: not yet).
  static constexpr uint32_t kNone = ~uint32_t{0};
  std::vector<uint32_t> file_remap_;
  std::vector<uint32_t> variable_remap_;
  unsigned replayed_ = 0;
  BuildRecord new_;
  HashKeyedMap<uint32_t> new_files_;                         // path's hash: latest index
  std::unordered_map<std::string, uint32_t> new_variables_;  // name: latest index
  // By the entry's ContentHash: two entries of one hash would share a
  // count, the same way in every build, which costs a skip at most.
  HashKeyedMap<uint32_t> occurrences_;
  FileStates states_;
  // The inputs of the page being built (BuildState::Inputs while it is):
  // the build's read trace passes the files its scripts load on to them.
  PageInputs inputs_;

  // The defines digest, extended as defines are added.
  uint64_t defines_digest_ = 0;
  TUserSettingFollower defines_follower_;

  // The build as the page being built found it.
  struct PageStart {
    uint64_t defines_digest = 0;
    int defines = 0;
    size_t queued = 0;
    size_t deletes = 0;
    TBuildStats stats;
    uint32_t steps = 0;
    std::vector<ReportLine> reports;
  } start_;

  int built_ = 0;
  int up_to_date_ = 0;
  StaticCounts statics_;
};

}  // namespace orv
