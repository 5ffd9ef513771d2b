// What one build reads once and keeps: the snippet folders, an index of the
// variables, the text of each text include and the measured size of each
// image. Files are keyed by path
// and checked against their size and modification time (FileStamp) on every
// use, so a logo included on every page is measured once, and a file changed
// during the build (by a script or an external command) is read again.
//
// Modification times are coarse (a clock tick, on some file systems a
// second or two), so a file rewritten with the same size soon after it was
// read may keep its stamp. A kept copy is therefore trusted only when the
// file's modification time lies more than kRacyNs before the copy was read;
// a file changed that recently is read again each time until it is older.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/image/jpeg_size.h"
#include "core/site/build_record.h"
#include "platform/user_settings.h"
#include "platform/files.h"
#include "platform/folder_cache.h"

namespace orv {

// The caches of one build (BuildState::Caches).
class BuildCaches {
 public:
  // DataDir() + "snippets/" and SharedDataDir() + "snippets/", worked out on
  // first use.
  const std::string& SnippetsDir();
  const std::string& SharedSnippetsDir();

  // The variable a page's <%name%> stands for: the first item of that exact
  // name in `builtin`, else in `user` (TUserSettingList::Find on both), found
  // through an index. Items added to the lists are indexed when next looked
  // for; a list that lost items (TUserSettingList::Removals) is indexed anew.
  // Item names are not changed in place while a build runs.
  const TUserSetting* FindVariable(const TUserSettingList& builtin, const TUserSettingList& user,
                                   const std::string& name);

  // The text of the text include at `path` (whose stamp the caller just
  // took) in line form: CR LF after every line. Raises EInOutError when the
  // file cannot be read. Texts are kept up to kMaxIncludeBytes in all.
  // `settled`, when given, tells whether the file was modified well before
  // it was read (see kRacyNs), so that only a change to it can make it
  // different.
  // `hash`, when given, receives the ContentHash of the file's bytes.
  std::string IncludeText(const std::string& path, const FileStamp& stamp, bool* settled = nullptr,
                          uint64_t* hash = nullptr);

  // What a text include named `name` in a page found: the file's path, its
  // text and what the file held (see FileState), or no path and the include
  // error comment.
  struct FoundInclude {
    std::string Path;
    std::string Text;
    FileState State;
  };
  // What a text include named `name` in a page gave, kept while nothing
  // that could change files runs: NamedInclude gives it (null when the name
  // must be looked up again). Only scripts and external commands change
  // files during a build; OutsideCodeRuns, called before either runs,
  // forgets every named include. The caller keeps only settled texts and
  // error comments, and never .htm or .html names (the build writes pages
  // of those kinds). Named texts are kept up to kMaxIncludeBytes in all.
  const FoundInclude* NamedInclude(const std::string& name) const;
  void KeepNamedInclude(const std::string& name, const FoundInclude& found);
  void OutsideCodeRuns();

  // The folders pages are read from and written to (forgotten by
  // OutsideCodeRuns as well, since a script or command may move folders).
  TFolderCache& Folders() { return folders_; }

  // The size of the image at `path` as `measure` gives it (nothing when it
  // cannot be measured), measured once per stamp.
  using Measure = std::function<std::optional<TImageSize>(const std::string& path)>;
  std::optional<TImageSize> ImageSize(const std::string& path, const FileStamp& stamp, const Measure& measure);

  static constexpr size_t kMaxIncludeBytes = 32u << 20;
  static constexpr long long kRacyNs = 2'000'000'000;

 private:
  struct IncludeEntry {
    FileStamp stamp;
    long long read_at_ns;
    std::string text;
    uint64_t hash;
  };
  struct ImageEntry {
    FileStamp stamp;
    long long read_at_ns;
    std::optional<TImageSize> size;
  };

  // Whether a copy read at `read_at_ns` from a file then stamped `kept` may
  // stand for the file now stamped `now`.
  static bool Trusted(const FileStamp& kept, long long read_at_ns, const FileStamp& now);

  std::unordered_map<std::string, const TUserSetting*> variables_;
  const TUserSettingList* indexed_builtin_ = nullptr;
  const TUserSettingList* indexed_user_ = nullptr;
  unsigned long long builtin_removals_ = 0;
  unsigned long long user_removals_ = 0;
  int builtin_count_ = 0;
  int user_count_ = 0;

  std::optional<std::string> snippets_dir_;
  std::optional<std::string> shared_snippets_dir_;
  std::unordered_map<std::string, IncludeEntry> includes_;
  size_t include_bytes_ = 0;
  std::unordered_map<std::string, ImageEntry> images_;
  std::unordered_map<std::string, FoundInclude> named_includes_;
  size_t named_bytes_ = 0;
  TFolderCache folders_;
};

}  // namespace orv
