// What one build reads once and keeps: the snippet folders, an index of the
// variables, the text of each text include and the measured size of each
// image. Files are keyed by path
// and checked against their size and modification time (FileStamp) on every
// use, so a logo included on every page is measured once, and a file changed
// during the build (by a script or an external command) is read again. What
// an include name found (a text include's file and text, an image include's
// tag) is kept without a look at the file until a script or command runs.
//
// Modification times are coarse (a clock tick, on some file systems a
// second or two), so a file rewritten with the same size soon after it was
// read may keep its stamp. Only scripts and external commands change files
// while a build runs, and OutsideCodeRuns is called before either runs: a
// copy read since the last such call stands for its file as long as the
// stamp agrees. An older copy is trusted only when the file's modification
// time lies more than kRacyNs before the copy was read; a file changed that
// recently is read again after each script or command until it is older.
// Pages the build writes (.htm, .html) always take the second rule.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/image/jpeg_size.h"
#include "core/site/build_record.h"
#include "platform/files.h"
#include "platform/folder_cache.h"
#include "platform/user_settings.h"

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
  // forgets every named include. The caller never keeps names the build
  // may write (BuildMayWrite). Named texts are kept up to kMaxIncludeBytes
  // in all.
  const FoundInclude* NamedInclude(const std::string& name) const;
  void KeepNamedInclude(const std::string& name, const FoundInclude& found);
  void OutsideCodeRuns();

  // What an image include of the file at `path` found: whether the file
  // exists, its size (none when it cannot be measured) and the tag it
  // gives. Kept like a named include, while no script or command runs
  // (OutsideCodeRuns forgets them all), so a picture on every page is
  // looked at once: the build writes no image files.
  struct FoundImage {
    bool Exists = false;
    std::optional<TImageSize> Size;
    std::string Tag;
  };
  const FoundImage* NamedImage(const std::string& path) const;
  const FoundImage& KeepNamedImage(const std::string& path, FoundImage found);

  // The folders pages are read from and written to (forgotten by
  // OutsideCodeRuns as well, since a script or command may move folders).
  TFolderCache& Folders() { return folders_; }

  // The size of the image at `path` as `measure` gives it (nothing when it
  // cannot be measured), measured once per stamp.
  using Measure = std::function<std::optional<TImageSize>(const std::string& path)>;
  std::optional<TImageSize> ImageSize(const std::string& path, const FileStamp& stamp, const Measure& measure);

  // Whether the build itself may write the file named `name`: it writes
  // pages as .htm and .html files, so a copy of one is trusted on its
  // stamp only when the stamp is settled.
  static bool BuildMayWrite(std::string_view name);

  static constexpr size_t kMaxIncludeBytes = 32u << 20;
  static constexpr long long kRacyNs = 2'000'000'000;

 private:
  // When a kept copy was read: the file's stamp then, the time, and how
  // many times outside code had run before (runs_).
  struct ReadAt {
    FileStamp stamp;
    long long time_ns;
    uint64_t runs;
  };
  struct IncludeEntry {
    ReadAt read;
    std::string text;
    uint64_t hash;
  };
  struct ImageEntry {
    ReadAt read;
    std::optional<TImageSize> size;
  };

  // A read of a file stamped `stamp`, now.
  ReadAt ReadNow(const FileStamp& stamp) const;
  // Whether the file's stamp was taken well after its last change, so that
  // any later change moves the stamp.
  static bool Settled(const ReadAt& read);
  // Whether the copy `read` may stand for the file at `path`, now stamped
  // `now`.
  bool Trusted(const ReadAt& read, const std::string& path, const FileStamp& now) const;

  uint64_t runs_ = 0;

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
  std::unordered_map<std::string, FoundImage> named_images_;
  size_t named_bytes_ = 0;
  TFolderCache folders_;
};

}  // namespace orv
