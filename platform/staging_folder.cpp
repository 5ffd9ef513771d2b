#include "platform/staging_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace orv {
namespace {

// Whether `path` is `folder` or lies within it.
bool IsWithin(std::string_view path, std::string_view folder) {
  return path.size() >= folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == '/' || folder == "/");
}

// Whether `path` begins at the root and has no empty, "." or ".." parts.
bool IsPlainAbsolute(std::string_view path) {
  if (path.empty() || path[0] != '/') return false;
  for (size_t at = 0; at < path.size();) {
    const size_t end = std::min(path.find('/', at + 1), path.size());
    const std::string_view part = path.substr(at + 1, end - at - 1);
    if ((part.empty() && end < path.size()) || part == "." || part == "..") return false;
    at = end;
  }
  return true;
}

// Moves every entry of the folder `from` into the folder `to`: a folder that
// `to` lacks is moved whole, one it has gets the entries moved into it, and
// anything else replaces the entry of its name in `to`. Returns 0 when every
// entry was moved (`from` is then empty), else the first error number.
int MoveEntries(int from, int to) {
  const int listing = ::dup(from);
  DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
  if (!dir) {
    if (listing >= 0) ::close(listing);
    return errno;
  }
  std::vector<std::pair<std::string, bool>> entries;  // name, is a folder
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st;
      folder = ::fstatat(from, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    }
    entries.emplace_back(name, folder);
  }
  ::closedir(dir);
  int error = 0;
  const auto note = [&error](int e) {
    if (!error) error = e;
  };
  for (const auto& [name, folder] : entries) {
    const char* n = name.c_str();
    if (!folder) {
      if (::renameat(from, n, to, n) != 0) note(errno);
      continue;
    }
    if (::renameat2(from, n, to, n, RENAME_NOREPLACE) == 0) continue;
    // A folder of that name is there (or a file system cannot tell, and one
    // is made when missing): the entries go into it.
    const int refused = errno;
    if ((refused != EEXIST && refused != EINVAL) ||
        (refused == EINVAL && ::mkdirat(to, n, 0777) != 0 && errno != EEXIST)) {
      note(refused == EINVAL ? errno : refused);
      continue;
    }
    const int inner_from = ::openat(from, n, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int inner_to = ::openat(to, n, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int inner = inner_from < 0 || inner_to < 0 ? errno : MoveEntries(inner_from, inner_to);
    if (inner_from >= 0) ::close(inner_from);
    if (inner_to >= 0) ::close(inner_to);
    if (inner != 0) note(inner);
    else if (::unlinkat(from, n, AT_REMOVEDIR) != 0) note(errno);
  }
  return error;
}

}  // namespace

bool StagingFolder::Begin(const std::string& target) {
  // A normal path ends in at most one slash.
  const std::string path = ExcludeTrailingSlash(std::filesystem::path(target).lexically_normal().string());
  if (path.empty() || path == "/" || HoldsNul(path)) return false;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 || errno != ENOENT) return false;
  const std::string prefix =
      ExtractFilePath(path) + "." + ExtractFileName(path) + ".orv-" + std::to_string(::getpid()) + "-";
  // Another build of this process may stand in for the same folder.
  for (int n = 0; n < 100; ++n) {
    const std::string hidden = prefix + std::to_string(n);
    if (::mkdir(hidden.c_str(), 0777) == 0) {
      std::error_code ec;
      target_ = path;
      placed_ = ExcludeTrailingSlash(std::filesystem::absolute(path, ec).lexically_normal().string());
      hidden_ = hidden;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool StagingFolder::Covers(std::string_view path) const {
  if (!Active() || path.empty()) return false;
  // The paths a build looks at are mostly whole and plain already, and are
  // compared as they stand.
  std::string placed;
  if (!IsPlainAbsolute(path)) {
    std::error_code ec;
    placed = std::filesystem::absolute(std::filesystem::path(path), ec).lexically_normal().string();
    if (ec) return true;  // a path that cannot be placed: look after publishing
    path = placed;
  }
  if (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return IsWithin(path, placed_) || IsWithin(placed_, path);
}

std::string StagingFolder::Redirect(const std::string& path) const {
  if (!Active() || !IsWithin(path, target_)) return path;
  return hidden_ + path.substr(target_.size());
}

void StagingFolder::Publish() {
  if (!Active()) return;
  const std::string hidden = std::exchange(hidden_, std::string());
  // Where the target's name is still free, the folder takes it whole (a
  // file system that cannot promise that gets a plain rename, which also
  // replaces an empty folder made in the meantime).
  if (::renameat2(AT_FDCWD, hidden.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno == EINVAL && ::rename(hidden.c_str(), target_.c_str()) == 0) return;
  int error = errno;
  if (error == EEXIST || error == ENOTEMPTY) {
    const int from = ::open(hidden.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int to = ::open(target_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    error = from < 0 || to < 0 ? errno : MoveEntries(from, to);
    if (from >= 0) ::close(from);
    if (to >= 0) ::close(to);
    if (error == 0 && ::rmdir(hidden.c_str()) != 0) error = errno;
  }
  if (error != 0)
    throw EInOutError("Cannot move the pages built in \"" + hidden + "\" to \"" + target_ + "\": " +
                      std::strerror(error));
}

}  // namespace orv
