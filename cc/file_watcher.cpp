#include "cc/file_watcher.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "cc/inotify_events.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace orv {

namespace {

constexpr uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_MODIFY |
                                   IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;

// The temporary file a page or a copy is written to before it is renamed
// over its place: "NAME.~orvPID-N".
bool IsTemporaryName(const std::string& name) {
  const size_t mark = name.rfind(".~orv");
  if (mark == std::string::npos) return false;
  const std::string tail = name.substr(mark + 5);
  const size_t dash = tail.find('-');
  return dash != std::string::npos && dash > 0 && dash + 1 < tail.size() &&
         tail.find_first_not_of("0123456789-") == std::string::npos;
}

// What editors leave beside a file while it is edited: backups ("a.hts~"),
// swap files (".a.hts.swp") and lock links (".#a.hts").
bool IsEditorLeftover(const std::string& name) {
  if (name.empty()) return false;
  if (name.back() == '~' || name.compare(0, 2, ".#") == 0) return true;
  return name[0] == '.' && name.size() > 4 && name.compare(name.size() - 4, 3, ".sw") == 0;
}

}  // namespace

std::vector<std::string> OwnOutputFiles() {
  std::vector<std::string> files;
  for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) continue;
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ec);
    if (!ec && file.is_absolute()) files.push_back(file.string());
  }
  return files;
}

FileWatcher::FileWatcher() { Reset(); }

FileWatcher::~FileWatcher() {
  if (fd_ >= 0) ::close(fd_);
}

void FileWatcher::Reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "cannot watch files (inotify)");
  folders_.clear();
  by_path_.clear();
}

void FileWatcher::WatchAgain(const WatchInputs& inputs) {
  if (lost_) {
    Watch(inputs);
  } else if (!again_) {
    written_before_ = written_;
    again_ = true;
  }
}

void FileWatcher::Watch(const WatchInputs& inputs) {
  lost_ = false;
  again_ = false;
  output_ = inputs.Output;
  ignored_ = inputs.Ignored;
  written_before_ = std::move(written_);
  written_ = inputs.Written;
  if (inputs.Trees != trees_) {
    // A folder watched for a tree that is no longer one would go on
    // counting every change in it: start again.
    Reset();
    trees_ = inputs.Trees;
  }
  for (const std::string& tree : trees_)
    if (by_path_.count(tree) == 0) AddTree(tree, Kind::Tree, false);
  if (!output_.empty() && by_path_.count(output_) == 0) AddTree(output_, Kind::Output, false);
  files_.clear();
  steps_.clear();
  for (const std::string& file : inputs.Files) WatchFile(file);
}

bool FileWatcher::Skipped(const std::string& folder, Kind kind) const {
  for (const std::string& ignored : ignored_)
    if (PathIsUnder(folder, ignored)) return true;
  // An output folder inside a tree of inputs is watched for its pages only.
  if (kind != Kind::Tree || folder != output_) return false;
  for (const std::string& tree : trees_)
    if (tree == folder) return false;
  return true;
}

int FileWatcher::AddFolder(const std::string& folder, Kind kind) {
  const int wd = ::inotify_add_watch(fd_, folder.c_str(), kFolderEvents);
  if (wd < 0) {
    if (errno != ENOENT && errno != ENOTDIR) problems_.push_back(folder + ": " + std::strerror(errno));
    return -1;
  }
  Folder& known = folders_[wd];
  if (known.Path.empty()) known.Path = folder;
  known.Tree = known.Tree || kind == Kind::Tree;
  known.Output = known.Output || kind == Kind::Output;
  by_path_[folder] = wd;
  return wd;
}

void FileWatcher::AddTree(const std::string& folder, Kind kind, bool scan_files) {
  const int wd = Skipped(folder, kind) ? -1 : AddFolder(folder, kind);
  if (wd < 0) return;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = folder + name;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st;
      if (::lstat(path.c_str(), &st) != 0) continue;
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    // Links to folders are not entered, as the builds' walks do not; hidden
    // folders (.git) hold no page a pattern finds, and a file a page reads
    // there is watched on its own.
    if (type == DT_DIR && name[0] != '.') AddTree(path + "/", kind, scan_files);
    // Files already in a folder that has just appeared were made before it
    // was watched: they are changes too.
    if (type != DT_DIR && scan_files && !Own(path) && Matters(folders_.at(wd), path)) {
      Note(path);
      found_in_scan_ = true;
    }
  }
  ::closedir(dir);
}

void FileWatcher::WatchFile(const std::string& file) {
  // A file in a folder that is not there yet: watch the nearest folder that
  // is, for the one on the way to the file.
  std::string step = file;
  std::string folder = file.substr(0, file.find_last_of('/') + 1);
  // A folder watched is there (it stops being watched when it goes).
  while (folder.size() > 1 && by_path_.count(folder) == 0 && !DirectoryExists(folder)) {
    step = folder.substr(0, folder.size() - 1);
    folder = step.substr(0, step.find_last_of('/') + 1);
  }
  if (folder.empty()) return;
  files_.insert(file);
  if (step != file) steps_.insert(step);
  if (by_path_.count(folder) == 0) AddFolder(folder, Kind::Files);
}

bool FileWatcher::Own(const std::string& path) const {
  if (after_build_ && (written_.count(path) || written_before_.count(path))) return true;
  if (IsTemporaryName(ExtractFileName(path))) return true;
  for (const std::string& ignored : ignored_)
    if (PathIsUnder(path, ignored)) return true;
  return false;
}

bool FileWatcher::Matters(const Folder& folder, const std::string& path) const {
  if (files_.count(path) || written_.count(path) || written_before_.count(path)) return true;
  return folder.Tree && !IsEditorLeftover(ExtractFileName(path));
}

void FileWatcher::Note(const std::string& path) {
  if (changed_.empty()) changed_ = path;
}

bool FileWatcher::Counts(const Folder& folder, const std::string& path, uint32_t mask) {
  if (mask & IN_ISDIR) {
    const bool input = files_.count(path) || steps_.count(path);
    if ((folder.Tree || folder.Output) && (mask & (IN_CREATE | IN_MOVED_TO))) {
      found_in_scan_ = false;
      AddTree(path + "/", folder.Tree ? Kind::Tree : Kind::Output, true);
      if (found_in_scan_) return true;
    }
    // The build makes and removes folders, but never moves one.
    const bool moved = (mask & (IN_MOVED_FROM | IN_MOVED_TO)) != 0;
    if (Skipped(path + "/", folder.Tree ? Kind::Tree : Kind::Output) || !(input || (moved && folder.Tree))) return false;
    Note(path);
    return true;
  }
  if (Own(path) || !Matters(folder, path)) return false;
  Note(path);
  return true;
}

bool FileWatcher::ReadChanges(bool after_build) {
  after_build_ = after_build;
  bool counted = false;
  ReadInotifyEvents(fd_, [&](const inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
      // Changes were lost: watch everything again after the next build.
      complete_ = false;
      trees_.clear();
      lost_ = true;
      Note("(more changes than could be followed)");
      counted = true;
      return true;
    }
    auto known = folders_.find(event.wd);
    if (known == folders_.end()) return true;
    const Folder folder = known->second;
    if (event.mask & IN_IGNORED) {
      by_path_.erase(folder.Path);
      folders_.erase(known);
      lost_ = true;
      return true;
    }
    if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
      for (const std::string& tree : trees_)
        if (tree == folder.Path) {
          Note(folder.Path);
          counted = true;
        }
      return true;
    }
    if (event.len > 0 && Counts(folder, folder.Path + event.name, event.mask)) {
      counted = true;
      // A file closed after writing, or renamed into place, is a save that
      // has ended; anything else may go on.
      complete_ = !(event.mask & IN_ISDIR) && (event.mask & (IN_CLOSE_WRITE | IN_MOVED_TO));
    }
    return true;
  });
  return counted;
}

std::string FileWatcher::TakeChanged() { return std::exchange(changed_, std::string()); }

std::vector<std::string> FileWatcher::TakeProblems() { return std::exchange(problems_, {}); }

}  // namespace orv
