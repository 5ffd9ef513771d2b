#include "platform/replacing_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/exception.h"
#include "platform/files.h"

namespace orv {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error) {
  throw EInOutError(std::string(what) + " \"" + path + "\". " + std::strerror(error));
}

// The file a write to `path` would change: `path` itself, or the file a
// symbolic link leads to. Raises for a folder or a file that may not be written.
std::string WriteTarget(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return path;
  if (S_ISDIR(st.st_mode)) Fail("Cannot create file", path, EISDIR);
  if (::access(path.c_str(), W_OK) != 0) Fail("Cannot create file", path, errno);
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

TReplacingFile::TReplacingFile(std::string path) : path_(std::move(path)) {
  if (path_.empty()) Fail("Cannot create file", path_, ENOENT);
  target_ = WriteTarget(path_);
  int fd = CreateFileBeside(target_, temp_);
  if (fd < 0) Fail("Cannot create file", path_, errno);
  struct stat st;
  // A replaced file keeps its permissions.
  if (::stat(target_.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);
  ::close(fd);
  stream_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    const int error = errno;
    ::unlink(temp_.c_str());
    Fail("Cannot create file", path_, error);
  }
}

TReplacingFile::~TReplacingFile() {
  if (committed_) return;
  stream_.close();
  ::unlink(temp_.c_str());
}

long long TReplacingFile::Size() {
  stream_.flush();
  return static_cast<long long>(stream_.tellp());
}

void TReplacingFile::Commit() {
  stream_.close();
  if (!stream_) Fail("Cannot write file", path_, errno ? errno : EIO);
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("Cannot write file", path_, errno);
  committed_ = true;
}

}  // namespace orv
