#include "platform/swapped_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace orv {

namespace {

enum class SpareWrite { kDone, kFailed, kUnusable };

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Writes `bytes` into the spare open as `fd` (locked, checked to be the
// spare) and trades names with `path`.
SpareWrite FillAndSwap(int fd, const std::string& spare, const std::string& path, std::string_view bytes) {
  // Names are traded whatever the files are: a folder in the way must not
  // move to the spare's name.
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return SpareWrite::kFailed;
  if (::lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
    return SpareWrite::kFailed;
  if (::renameat2(AT_FDCWD, spare.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) return SpareWrite::kDone;
  // No file yet to trade with, or a file system that cannot trade names:
  // the spare, complete, is renamed over the name.
  if (errno != ENOENT && errno != EINVAL && errno != ENOSYS) return SpareWrite::kFailed;
  return ::rename(spare.c_str(), path.c_str()) == 0 ? SpareWrite::kDone : SpareWrite::kFailed;
}

SpareWrite WriteThroughSpare(const std::string& path, std::string_view bytes) {
  const std::string spare = SpareFileOf(path);
  // A writer that waited for the lock may hold a file another writer has
  // since swapped in as `path`: it opens the spare again. Each turn follows
  // another writer's completed swap.
  for (int attempt = 0; attempt < 16; ++attempt) {
    const int fd = ::open(spare.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return SpareWrite::kUnusable;
    struct stat opened, named;
    SpareWrite result = SpareWrite::kUnusable;
    bool again = false;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_nlink == 1) {
      again = ::lstat(spare.c_str(), &named) != 0 || !SameFile(opened, named);
      if (!again) result = FillAndSwap(fd, spare, path, bytes);
    }
    if (::close(fd) != 0 && result == SpareWrite::kDone) result = SpareWrite::kFailed;
    if (!again) return result;
  }
  return SpareWrite::kUnusable;
}

}  // namespace

std::string SpareFileOf(const std::string& path) { return path + "~"; }

bool WriteFileSwapped(const std::string& path, std::string_view bytes) {
  if (HoldsNul(path)) return false;
  switch (WriteThroughSpare(path, bytes)) {
    case SpareWrite::kDone:
      return true;
    case SpareWrite::kFailed:
      return false;
    case SpareWrite::kUnusable:
      break;
  }
  return WriteFileAtomic(path, bytes);
}

}  // namespace orv
