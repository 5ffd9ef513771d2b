// Which inputs of orvcc --watch's builds have surely not changed since the
// previous build began, as inotify tells, so that a build need not look at
// every file it depends on again (orv_core_vouch). A file is vouched
// for only when all of this holds:
//  - its own inode has been watched since before the previous build began
//    (a write through any of its names counts, hard links included), and so
//    has every folder on its path (a folder renamed or replaced, or a file
//    made where the path leads: a file still missing is vouched for by the
//    folder it would appear in);
//  - no event came for it or for a folder on its path since then;
//  - its path holds no symbolic link (a link's target can change where no
//    watch sees it) and every folder of it lies on a local file system
//    (inotify does not see what other machines do to network file systems);
//  - no events were lost (the queue overflowed) and no file system was
//    mounted or unmounted meanwhile (a mount changes where paths lead
//    without an event).
// Everything else the build looks at, as it would without this class. What
// inotify cannot see at all — writes through a shared memory mapping after
// the file was closed — is named in the user's guide.
//
//   UnchangedFiles unchanged;
//   for each build: unchanged.BuildBegins();
//                   if (unchanged.Doubtful(names)) vouch for all but names;
//                   build; unchanged.Follow(name, absolute) for its inputs
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

// The inputs of a run of builds, followed through inotify.
class UnchangedFiles {
 public:
  // Without an inotify instance nothing is ever vouched for.
  UnchangedFiles();
  ~UnchangedFiles();
  UnchangedFiles(const UnchangedFiles&) = delete;
  UnchangedFiles& operator=(const UnchangedFiles&) = delete;

  // A build begins: what happened since the last call is taken in.
  void BuildBegins();

  // Follows the file the builds name `name` (its path from the root, without
  // "." and ".." steps, is `absolute`) from now on; a file followed already
  // costs a look-up.
  void Follow(const std::string& name, const std::string& absolute);
  // Follows again the files that stopped being followed (a file saved by
  // rename is a new file), for a build that depended on the same files as
  // the one before.
  void FollowDropped();

  // Whether the file the builds name `name` has surely not changed since
  // the previous build began.
  bool Unchanged(std::string_view name) const;

  // The files followed that may have changed since the previous build
  // began (the others surely have not); false when nothing can be vouched
  // for (everything is followed anew, or most files may have changed). The
  // names live until the next call of a non-const member.
  bool Doubtful(std::vector<const char*>& names) const;

 private:
  // A file followed: since when nothing happened to it (a count of builds
  // begun), and its watch (-1 for a file that is missing).
  struct File {
    std::string Path;
    uint64_t Since = 0;
    int Watch = -1;
    bool Vouched = false;
    std::vector<std::string> Names;
  };
  // A folder on the way to files followed.
  struct Folder {
    bool Usable = false;  // watched (or missing below one that is), local, no link
    int Watch = -1;
  };
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };

  static constexpr uint64_t kNever = ~uint64_t{0};

  void Reset();
  void SetUp(File& file);
  bool FolderUsable(const std::string& folder);
  void TakeEvents();
  void Touched(File& file);
  void Drop(File& file);

  int fd_ = -1;
  int mounts_fd_ = -1;
  uint64_t begun_ = 0;
  // Every file was dropped since the last build began.
  bool reset_ = false;
  std::unordered_map<std::string, File> files_;  // by path
  std::unordered_map<std::string, File*, NameHash, std::equal_to<>> names_;
  // Names that may have changed, with the count of builds begun from which
  // they will not have (kNever: a file no longer, or never, watched).
  std::unordered_map<std::string, uint64_t, NameHash, std::equal_to<>> doubtful_;
  // The files no longer followed: name and path.
  std::unordered_map<std::string, std::string> dropped_;
  std::unordered_multimap<int, File*> file_watches_;
  std::unordered_map<std::string, Folder> folders_;  // by path with a final '/'
  std::unordered_map<int, std::string> folder_watches_;
};

}  // namespace orv
