#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/exception.h"
#include "platform/paths.h"

namespace orv {

bool HoldsNul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

std::string ShowNul(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    if (c == '\0')
      shown += "\\0";
    else
      shown += c;
  }
  return shown;
}

void CheckFileName(std::string_view name, const std::string& what) {
  if (HoldsNul(name)) throw EInOutError(what + " \"" + ShowNul(name) + "\": a file name cannot hold a NUL byte");
}

bool FileExists(const std::string& path) {
  FileStamp stamp;
  return StatFile(path, stamp);
}

static FileStamp StampOf(const struct stat& st) {
  FileStamp stamp;
  stamp.size = static_cast<long long>(st.st_size);
  stamp.mtime_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  stamp.ctime_ns = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  stamp.ino = static_cast<unsigned long long>(st.st_ino);
  return stamp;
}

bool StatFile(const std::string& path, FileStamp& stamp) {
  struct stat st;
  if (path.empty() || HoldsNul(path) || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp = StampOf(st);
  return true;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat st;
  return !path.empty() && !HoldsNul(path) && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && !HoldsNul(path) && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& path) {
  if (path.empty() || HoldsNul(path)) return false;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return DirectoryExists(path);
}

bool DeleteFile(const std::string& path) { return !HoldsNul(path) && ::unlink(path.c_str()) == 0; }

static std::string OpenError(const std::string& path, int err) {
  return "Cannot open file \"" + path + "\". " + std::strerror(err);
}

namespace {

// Reads what is left of `fd` into `bytes`; false with `err` set on a read
// error, and with EFBIG once more than `max_bytes` were read. A regular file
// (`st` from fstat) is read in one call sized by its length (one more byte,
// so a file that grew is noticed); a short read of a regular file is its
// end. Other files are read until read() returns 0.
bool ReadAll(int fd, const struct stat& st, std::string& bytes, int& err,
             size_t max_bytes = std::numeric_limits<size_t>::max() - 1) {
  bool regular = S_ISREG(st.st_mode);
  size_t chunk = regular ? std::min(static_cast<size_t>(st.st_size), max_bytes) + 1 : 65536;
  bytes.clear();
  for (;;) {
    if (bytes.size() > max_bytes) {
      err = EFBIG;
      return false;
    }
    size_t have = bytes.size();
    bytes.resize(have + chunk);
    ssize_t n = ::read(fd, bytes.data() + have, chunk);
    if (n < 0) {
      bytes.resize(have);
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    bytes.resize(have + static_cast<size_t>(n));
    if (n == 0 || (regular && static_cast<size_t>(n) < chunk)) return true;
    chunk = 65536;
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  CheckFileName(path, "Cannot open file");
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError(OpenError(path, errno));
  struct stat st;
  if (::fstat(fd, &st) != 0) st.st_mode = 0;
  std::string bytes;
  int err = 0;
  bool ok = ReadAll(fd, st, bytes, err);
  ::close(fd);
  if (!ok) throw EInOutError("Cannot read file \"" + path + "\". " + std::strerror(err));
  return bytes;
}

std::string ReadFileUpTo(const std::string& path, size_t max_bytes) {
  CheckFileName(path, "Cannot open file");
  // O_NONBLOCK: opening a pipe must not wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EInOutError(OpenError(path, errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw EInOutError("Cannot open file \"" + path + "\". Not a regular file");
  }
  std::string bytes;
  int err = 0;
  bool ok = ReadAll(fd, st, bytes, err, max_bytes);
  ::close(fd);
  if (ok) return bytes;
  if (err == EFBIG) {
    const bool mib = max_bytes % (size_t{1} << 20) == 0;
    throw EInOutError("Cannot read file \"" + path + "\". It is larger than " +
                      std::to_string(mib ? max_bytes >> 20 : max_bytes) + (mib ? " MiB" : " bytes"));
  }
  throw EInOutError("Cannot read file \"" + path + "\". " + std::strerror(err));
}

std::optional<FileRead> ReadRegularFileAt(int folder, const char* name, std::string& bytes, FileStamp* stamp,
                                          int flags) {
  bytes.clear();
  // O_NONBLOCK: opening a pipe must not wait for a writer.
  int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileRead::NoFile;
  }
  int err = 0;
  bool ok = ReadAll(fd, st, bytes, err);
  ::close(fd);
  if (ok && stamp) *stamp = StampOf(st);
  if (ok) return FileRead::Read;
  bytes.clear();
  return FileRead::Unreadable;
}

FileRead ReadRegularFile(const std::string& path, std::string& bytes, FileStamp* stamp) {
  bytes.clear();
  if (path.empty() || HoldsNul(path)) return FileRead::NoFile;
  std::optional<FileRead> read = ReadRegularFileAt(AT_FDCWD, path.c_str(), bytes, stamp);
  if (read) return *read;
  return FileExists(path) ? FileRead::Unreadable : FileRead::NoFile;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  CheckFileName(path, "Cannot create file");
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw EInOutError("Cannot create file \"" + path + "\". " + std::strerror(errno));
  bool ok = WriteAll(fd, bytes);
  int err = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(err));
}

namespace {

// Whether a file made with O_TMPFILE can be given a name through its
// descriptor (linkat with AT_EMPTY_PATH): Linux allows it since 6.10, and
// to a process with CAP_DAC_READ_SEARCH before. Cleared at the first
// refusal.
std::atomic<bool> link_by_descriptor{true};

// A name for a temporary file beside `name`; the counter and O_EXCL keep
// names apart, also from a forked child's.
std::string TemporaryName(const std::string& name) {
  static std::atomic<unsigned> counter{0};
  static const std::string pid = std::to_string(::getpid());
  return name + ".~orv" + pid + "-" + std::to_string(counter++);
}

// CreateFileBeside for the file `name` of the open folder `folder`.
int CreateFileBesideAt(int folder, const std::string& name, std::string& temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = TemporaryName(name);
    int fd = ::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The unnamed file `fd` (O_TMPFILE) linked to a temporary name and renamed
// over `name`.
bool LinkAndRename(int fd, int folder, const std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temp = TemporaryName(name);
    if (::linkat(fd, "", folder, temp.c_str(), AT_EMPTY_PATH) != 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (::renameat(folder, temp.c_str(), folder, name.c_str()) == 0) return true;
    ::unlinkat(folder, temp.c_str(), 0);
    return false;
  }
  return false;
}

// Closes the temporary file `temp` of `folder` and renames it over `name`
// when `ok`, else removes it.
bool FinishTemp(int folder, int fd, const std::string& temp, const std::string& name, bool ok) {
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::renameat(folder, temp.c_str(), folder, name.c_str()) == 0;
  if (!ok) ::unlinkat(folder, temp.c_str(), 0);
  return ok;
}

// The write through a named temporary file and a rename.
bool WriteThroughTemporary(int folder, const std::string& name, std::string_view bytes) {
  std::string temp;
  int fd = CreateFileBesideAt(folder, name, temp);
  if (fd < 0) return false;
  return FinishTemp(folder, fd, temp, name, WriteAll(fd, bytes));
}

// Copies the rest of `in` to `out`: in the kernel where it can, else
// through a buffer.
bool CopyData(int in, int out) {
  for (;;) {
    ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
    if (n == 0) return true;
    if (n > 0) continue;
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return false;
    break;
  }
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)))) return false;
  }
}

}  // namespace

int CreateFileBeside(const std::string& path, std::string& temp) {
  if (HoldsNul(path)) {
    errno = EINVAL;
    return -1;
  }
  return CreateFileBesideAt(AT_FDCWD, path, temp);
}

AtomicWrite WriteFileAtomicAt(int folder, const std::string& name, std::string_view bytes, bool replacing,
                              FileStamp* stamp) {
  if (HoldsNul(name)) return AtomicWrite::kFailed;
  // The stamp of a file renamed into place is taken by its name once it is
  // there (the rename changes its ctime); a file named through its
  // descriptor is asked through the descriptor, without a lookup.
  const auto stamp_by_name = [&](AtomicWrite result) {
    struct stat st;
    if (stamp && result != AtomicWrite::kFailed) {
      if (::fstatat(folder, name.c_str(), &st, 0) != 0) return AtomicWrite::kFailed;
      *stamp = StampOf(st);
    }
    return result;
  };
  if (replacing || !link_by_descriptor.load(std::memory_order_relaxed))
    return stamp_by_name(WriteThroughTemporary(folder, name, bytes) ? AtomicWrite::kReplaced : AtomicWrite::kFailed);
  // An unnamed file in the folder, written and then given its name: one
  // name made instead of a temporary one and a rename.
  const size_t slash = name.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
  const int fd = ::openat(folder, dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0)  // a file system without unnamed files
    return stamp_by_name(WriteThroughTemporary(folder, name, bytes) ? AtomicWrite::kReplaced : AtomicWrite::kFailed);
  AtomicWrite result = AtomicWrite::kFailed;
  struct stat st;
  if (WriteAll(fd, bytes)) {
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) {
      result = !stamp || ::fstat(fd, &st) == 0 ? AtomicWrite::kNamed : AtomicWrite::kFailed;
      if (stamp && result == AtomicWrite::kNamed) *stamp = StampOf(st);
    } else if (errno == EEXIST) {
      result = LinkAndRename(fd, folder, name) ? AtomicWrite::kReplaced : AtomicWrite::kFailed;
    } else if (errno == ENOENT && WriteThroughTemporary(folder, name, bytes)) {
      // The folder is there: it is the link through the descriptor that
      // this system refuses.
      link_by_descriptor.store(false, std::memory_order_relaxed);
      result = AtomicWrite::kReplaced;
    }
  }
  if (::close(fd) != 0 && result == AtomicWrite::kNamed) result = AtomicWrite::kFailed;
  return result == AtomicWrite::kReplaced ? stamp_by_name(result) : result;
}

bool CreateFileAt(int folder, const std::string& name, std::string_view bytes, FileStamp* stamp) {
  if (HoldsNul(name)) {
    errno = EINVAL;
    return false;
  }
  const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat st;
  bool ok = WriteAll(fd, bytes) && (!stamp || ::fstat(fd, &st) == 0);
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlinkat(folder, name.c_str(), 0);
    errno = error;
    return false;
  }
  if (stamp) *stamp = StampOf(st);
  return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  return WriteFileAtomicAt(AT_FDCWD, path, bytes, false) != AtomicWrite::kFailed;
}

void RemoveEmptyFolders(const std::string& folder, const std::string& root) {
  std::string dir = folder;
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  while (PathIsUnder(dir, root) && ::rmdir(dir.c_str()) == 0) {
    size_t slash = dir.find_last_of('/');
    if (slash == std::string::npos) return;
    dir.resize(slash);
  }
}

bool CopyFileAtomic(const std::string& from, const std::string& to) {
  int in = HoldsNul(from) ? -1 : ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st;
  std::string temp;
  int out = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode) ? CreateFileBeside(to, temp) : -1;
  if (out < 0) {
    ::close(in);
    return false;
  }
  // The copy takes the source's permissions before it holds any data.
  bool ok = ::fchmod(out, st.st_mode & 07777) == 0 && CopyData(in, out);
  ::close(in);
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ok = ok && ::futimens(out, times) == 0;
  return FinishTemp(AT_FDCWD, out, temp, to, ok);
}

namespace {

// Calls `line` for every line of `text` (split at CR LF, CR or LF; a final
// line break does not start another line) with a plain loop over the bytes.
template <typename Line>
void ForEachLine(std::string_view text, Line line) {
  const char* p = text.data();
  const char* end = p + text.size();
  const char* start = p;
  while (p < end) {
    char c = *p;
    if (c != '\r' && c != '\n') {
      ++p;
      continue;
    }
    line(std::string_view(start, static_cast<size_t>(p - start)));
    ++p;
    if (c == '\r' && p < end && *p == '\n') ++p;
    start = p;
  }
  if (start < end) line(std::string_view(start, static_cast<size_t>(end - start)));
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

bool IsNormalLineText(std::string_view text) {
  if (text.empty()) return true;
  if (text.size() < 2 || text[text.size() - 2] != '\r' || text.back() != '\n') return false;
  // Every LF follows a CR, and there are as many CRs as LFs: then every CR
  // is followed by an LF too.
  const char* begin = text.data();
  const char* end = begin + text.size();
  size_t line_feeds = 0;
  for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))));
       ++p) {
    if (p == begin || p[-1] != '\r') return false;
    ++line_feeds;
  }
  size_t returns = 0;
  for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p))));
       ++p)
    ++returns;
  return returns == line_feeds;
}

void NormalizeLineText(std::string& text) {
  if (IsNormalLineText(text)) return;
  std::string normal;
  normal.reserve(text.size() + text.size() / 16 + 2);
  ForEachLine(text, [&normal](std::string_view line) {
    normal.append(line);
    normal.append("\r\n");
  });
  text.swap(normal);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace orv
