// A new version of a file, written beside it under a temporary name and put in
// its place only once it is complete: a download or a save that fails half
// way leaves the old file as it was.
#pragma once

#include <fstream>
#include <string>

namespace orv {

// One replacement of the file at a path. The temporary file is made when the
// object is made, so a name that cannot be written is found out before any
// work; it is removed again unless Commit put it in place.
class TReplacingFile {
 public:
  // Raises EInOutError "Cannot create file "<path>". <reason>" when `path`
  // names a folder or a file that may not be written, or when no file can be
  // made in its folder. A symbolic link is followed: the file it points to is
  // the one replaced.
  explicit TReplacingFile(std::string path);
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  const std::string& FileName() const { return path_; }
  // Where the new content goes.
  std::ostream& Stream() { return stream_; }
  // Bytes written so far.
  long long Size();
  // Closes the new version and renames it over the file. Raises EInOutError
  // "Cannot write file "<path>". <reason>" when it cannot; the old file is
  // then left as it was and the temporary file removed.
  void Commit();

 private:
  std::string path_;
  std::string target_;  // `path_` with symbolic links resolved
  std::string temp_;
  std::ofstream stream_;
  bool committed_ = false;
};

}  // namespace orv
