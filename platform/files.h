// File and folder helpers: whole-file reads and writes, the line-list form of
// page text (lines joined with CR LF), and the folder operations of the build.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Whether `name` holds a NUL byte. The system would see only the part of
// such a name before it, so it names no file: the functions below treat it
// as naming none (false, FileRead::NoFile), or raise EInOutError saying so.
bool HoldsNul(std::string_view name);
// `text` with each NUL byte written as \0, for messages.
std::string ShowNul(std::string_view text);
// Raises EInOutError `<what> "<name>": a file name cannot hold a NUL byte`
// when `name` holds one.
void CheckFileName(std::string_view name, const std::string& what);

// True when `path` names an existing regular file (symbolic links followed);
// folders, devices and pipes are not files to read pages from.
bool FileExists(const std::string& path);

// The size, modification and status-change times and inode of a regular
// file: what tells a cache that a file changed. The status-change time
// moves on every write, even one that sets the modification time back, and
// a file replaced by a rename gets another inode.
struct FileStamp {
  long long size = 0;
  long long mtime_ns = 0;
  long long ctime_ns = 0;
  unsigned long long ino = 0;
  bool operator==(const FileStamp&) const = default;
  // The later of the two times: a stamp taken less than a file system's
  // time resolution after this cannot tell a later change from this one.
  long long ChangedNs() const { return mtime_ns > ctime_ns ? mtime_ns : ctime_ns; }
};

// FileExists that also gives the file's stamp (one stat call).
bool StatFile(const std::string& path, FileStamp& stamp);
// Whether `path` itself (its last part) is a symbolic link.
bool IsSymbolicLink(const std::string& path);

// True when `path` names an existing folder.
bool DirectoryExists(const std::string& path);

// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

// Deletes a file; true on success.
bool DeleteFile(const std::string& path);

// The whole file. Raises EInOutError ("Cannot open file "<path>". <reason>")
// when it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);

// The whole regular file at `path`, of at most `max_bytes` bytes. Raises
// EInOutError "Cannot open file "<path>". <reason>" when it cannot be opened
// or is not a regular file (reason "Not a regular file": a device such as
// /dev/zero, a pipe, a folder), and "Cannot read file "<path>". <reason>"
// when it cannot be read or holds more ("It is larger than N MiB"); a path
// with a NUL byte is refused as ReadFileBytes refuses it.
std::string ReadFileUpTo(const std::string& path, size_t max_bytes);

// What ReadRegularFile found.
enum class FileRead { NoFile, Unreadable, Read };

// Reads the regular file at `path` into `bytes` with open, fstat, read and
// close. NoFile when `path` names no regular file (missing, a folder, a
// device or a pipe); Unreadable, with `bytes` empty, for a regular file that
// cannot be opened or read. When it is Read and `stamp` is given, `stamp`
// is the file's as it was opened, before the read.
FileRead ReadRegularFile(const std::string& path, std::string& bytes, FileStamp* stamp = nullptr);
// The same for the file `name` of the open folder `folder` (or AT_FDCWD),
// opened with `flags` besides the reading ones (O_NOFOLLOW, say); nothing
// when the file cannot be opened, which the caller tells apart by errno.
std::optional<FileRead> ReadRegularFileAt(int folder, const char* name, std::string& bytes,
                                          FileStamp* stamp = nullptr, int flags = 0);

// Creates or truncates the file and writes `bytes`; raises EInOutError on any
// failure.
void WriteFileBytes(const std::string& path, std::string_view bytes);

// Writes all of `bytes` to the open file `fd` (again after an interrupted
// write); false on any error.
bool WriteAll(int fd, std::string_view bytes);

// Creates a new, empty file under a fresh name in the folder of `path` (the
// name begins with `path`), for writing a new version of that file; returns
// its descriptor and puts its name in `temp`, or -1 with errno set.
int CreateFileBeside(const std::string& path, std::string& temp);

// Writes `bytes` so that readers of `path` see either the old or the
// complete new file, never a truncated one: into an unnamed file of the
// folder that is then given the name, or, where that cannot be done or the
// name is taken, into a new temporary file renamed over `path`. Returns
// false (and leaves no temporary file) on failure.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// How WriteFileAtomicAt made the new file visible.
enum class AtomicWrite {
  kFailed,
  kNamed,     // under a name that was free
  kReplaced,  // renamed over the name (which may have been taken)
};
// WriteFileAtomic for the file `name` of the open folder `folder` (or
// AT_FDCWD). `replacing` says the name is likely taken already (the pages
// of a rebuild), so the rename is done at once. With `stamp`, the stamp of
// the file written goes there (a write whose file cannot be stamped fails).
AtomicWrite WriteFileAtomicAt(int folder, const std::string& name, std::string_view bytes, bool replacing,
                              FileStamp* stamp = nullptr);

// Creates the file `name` of the open folder `folder` (or AT_FDCWD) and
// writes `bytes` into it, in place: for a folder that nobody looks at yet,
// since a reader could see the file half written. With `stamp`, the stamp
// of the file written goes there. False, with errno set (EEXIST when the
// name is taken) and no file left, on any failure.
bool CreateFileAt(int folder, const std::string& name, std::string_view bytes, FileStamp* stamp = nullptr);

// Removes `folder` and then each parent while it is empty, stopping at
// `root` (which ends in '/'; it is never removed).
void RemoveEmptyFolders(const std::string& folder, const std::string& root);

// Copies the regular file `from` to `to` through a new temporary file in
// the destination's folder that is renamed over `to`, with copy_file_range
// (which shares the data on file systems that can) and the source's
// permission bits and modification time. False (leaving no temporary file)
// on any failure.
bool CopyFileAtomic(const std::string& from, const std::string& to);

// Splits a text into lines at CR LF, CR or LF; a final line break does not
// start another line, and an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Joins lines with CR LF after every line, the last included.
std::string JoinLines(const std::vector<std::string>& lines);

// Line text: a text that is JoinLines of its own SplitLines, every line
// ended by CR LF (the empty text has no lines). IsNormalLineText tells
// whether `text` is in that form; NormalizeLineText puts it in that form in
// one pass (JoinLines(SplitLines(text)) without the list of lines), and
// leaves a text already in it untouched.
bool IsNormalLineText(std::string_view text);
void NormalizeLineText(std::string& text);

}  // namespace orv
