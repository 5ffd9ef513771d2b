#include "cc/unchanged_files.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>

#include "cc/inotify_events.h"

namespace orv {

namespace {

// What happens to a file followed: written (through any name), its mode,
// times or link count changed, or itself renamed or deleted.
constexpr uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF | IN_DONT_FOLLOW;
// What happens in a folder on the way: names made, removed or renamed there
// (a file saved by rename is a new file), modes changed, or the folder itself
// renamed, deleted or unmounted.
constexpr uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF |
                                   IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

// File systems whose every change goes through this machine's kernel, so
// inotify sees it.
bool IsLocalFileSystem(const std::string& folder) {
  struct statfs fs;
  if (::statfs(folder.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case EXT4_SUPER_MAGIC:  // ext2, ext3 and ext4
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case 0x2011BAB0:  // exFAT
    case 0x2FC12FC1:  // ZFS
      return true;
    default:
      return false;
  }
}

std::string ParentFolder(const std::string& path) {
  const size_t slash = path.find_last_of('/', path.size() - (path.back() == '/' ? 2 : 1));
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

UnchangedFiles::UnchangedFiles() {
  mounts_fd_ = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
  Reset();
}

UnchangedFiles::~UnchangedFiles() {
  if (fd_ >= 0) ::close(fd_);
  if (mounts_fd_ >= 0) ::close(mounts_fd_);
}

void UnchangedFiles::Reset() {
  reset_ = true;
  doubtful_.clear();
  dropped_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  files_.clear();
  names_.clear();
  file_watches_.clear();
  folders_.clear();
  folder_watches_.clear();
}

void UnchangedFiles::BuildBegins() {
  reset_ = false;
  // Files dropped before the last build that it did not depend on again
  // are no business of the next.
  for (const auto& [name, path] : dropped_) doubtful_.erase(name);
  dropped_.clear();
  TakeEvents();
  // Without a view of the mounts, any of them may have changed.
  pollfd mounts = {mounts_fd_, POLLPRI, 0};
  if (mounts_fd_ < 0 || (::poll(&mounts, 1, 0) > 0 && (mounts.revents & (POLLPRI | POLLERR)))) Reset();
  ++begun_;
  for (auto it = doubtful_.begin(); it != doubtful_.end();) it = it->second <= begun_ ? doubtful_.erase(it) : ++it;
}

void UnchangedFiles::Follow(const std::string& name, const std::string& absolute) {
  if (fd_ < 0 || names_.count(name)) return;
  auto [found, added] = files_.try_emplace(absolute);
  File& file = found->second;
  if (added) {
    file.Path = absolute;
    file.Since = begun_;
    SetUp(file);
  }
  file.Names.push_back(name);
  names_.emplace(name, &file);
  dropped_.erase(name);
  // Watched since before the next build began, and quiet since, it will
  // not have changed in the build after.
  doubtful_[name] = file.Vouched ? file.Since + 2 : kNever;
}

void UnchangedFiles::FollowDropped() {
  const std::unordered_map<std::string, std::string> dropped = dropped_;
  for (const auto& [name, path] : dropped) Follow(name, path);
}

bool UnchangedFiles::Unchanged(std::string_view name) const {
  return !reset_ && names_.count(name) && !doubtful_.count(name);
}

bool UnchangedFiles::Doubtful(std::vector<const char*>& names) const {
  names.clear();
  if (fd_ < 0 || reset_ || doubtful_.size() > names_.size() / 2) return false;
  for (const auto& [name, from] : doubtful_) names.push_back(name.c_str());
  return true;
}

void UnchangedFiles::SetUp(File& file) {
  if (file.Path.empty() || file.Path[0] != '/' || !FolderUsable(ParentFolder(file.Path))) return;
  struct stat st;
  if (::fstatat(AT_FDCWD, file.Path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    // A missing file is vouched for by the watch on its folder, where it
    // would appear.
    file.Vouched = errno == ENOENT || errno == ENOTDIR;
    return;
  }
  if (S_ISLNK(st.st_mode)) return;
  file.Watch = ::inotify_add_watch(fd_, file.Path.c_str(), kFileEvents);
  if (file.Watch < 0) return;  // the system's limit on watches: looked at every time
  file_watches_.emplace(file.Watch, &file);
  file.Vouched = true;
}

bool UnchangedFiles::FolderUsable(const std::string& folder) {
  if (folder.empty()) return false;
  auto known = folders_.find(folder);
  if (known != folders_.end()) return known->second.Usable;
  Folder entry;
  if (folder == "/" || FolderUsable(ParentFolder(folder))) {
    // Named without its final '/', which would follow a link.
    const std::string name = folder == "/" ? folder : folder.substr(0, folder.size() - 1);
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0) {
      // Not there (or a file stands where it would be): what is below it is
      // missing, and its making is seen in the folder above.
      entry.Usable = errno == ENOENT || errno == ENOTDIR;
    } else if (!S_ISDIR(st.st_mode)) {
      entry.Usable = !S_ISLNK(st.st_mode);
    } else if (IsLocalFileSystem(folder)) {
      entry.Watch = ::inotify_add_watch(fd_, folder.c_str(), kFolderEvents);
      entry.Usable = entry.Watch >= 0;
      if (entry.Usable) folder_watches_.emplace(entry.Watch, folder);
    }
  }
  folders_.emplace(folder, entry);
  return entry.Usable;
}

void UnchangedFiles::Touched(File& file) {
  file.Since = begun_;
  for (const std::string& name : file.Names) doubtful_[name] = file.Vouched ? file.Since + 2 : kNever;
}

void UnchangedFiles::Drop(File& file) {
  if (file.Watch >= 0) {
    auto [first, last] = file_watches_.equal_range(file.Watch);
    bool shared = false;
    for (auto it = first; it != last;) {
      if (it->second == &file) {
        it = file_watches_.erase(it);
      } else {
        shared = true;
        ++it;
      }
    }
    if (!shared) ::inotify_rm_watch(fd_, file.Watch);
  }
  for (const std::string& name : file.Names) {
    names_.erase(name);
    doubtful_[name] = kNever;
    dropped_[name] = file.Path;
  }
  const std::string path = file.Path;
  files_.erase(path);
}

void UnchangedFiles::TakeEvents() {
  if (fd_ < 0) return;
  ReadInotifyEvents(fd_, [this](const inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
      // Events were lost: follow everything anew.
      Reset();
      return false;
    }
    auto folder = folder_watches_.find(event.wd);
    if (folder != folder_watches_.end()) {
      // A folder on the way renamed, deleted, changed or unmounted, or a
      // folder on the way made or replaced inside it: paths may lead
      // elsewhere now.
      const std::string path = event.len ? folder->second + event.name : std::string();
      if (path.empty() || folders_.count(path + "/")) {
        Reset();
        return false;
      }
      // A file followed made, replaced or deleted: it is another file now,
      // followed anew after the next build.
      auto file = files_.find(path);
      if (file != files_.end()) Drop(file->second);
      return true;
    }
    auto [first, last] = file_watches_.equal_range(event.wd);
    std::vector<File*> touched;
    for (auto it = first; it != last; ++it) touched.push_back(it->second);
    for (File* file : touched) {
      if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF))
        Drop(*file);
      else
        Touched(*file);
    }
    return true;
  });
}

}  // namespace orv
