// Reads and writes a build makes through open folders: each access names
// the file within a folder already opened instead of walking the file's
// whole path again, which on a build of thousands of pages costs the kernel
// more than reading and writing the pages themselves.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace orv {

// The folder of the last file read and of the last file written, each held
// open. Reading and writing behave as ReadRegularFile and WriteFileAtomic
// with the same path; a folder that is gone or was replaced is opened again
// by its path when an access through it fails. Folders renamed while they
// are held would be read and written under their new name, so a caller
// forgets the folders (Forget) whenever code runs that may change the file
// system.
class TFolderCache {
 public:
  TFolderCache() = default;
  ~TFolderCache() { Forget(); }
  TFolderCache(const TFolderCache&) = delete;
  TFolderCache& operator=(const TFolderCache&) = delete;

  // With `link`, a file whose own name is a symbolic link is not read:
  // NoFile, and *link is set.
  FileRead ReadRegularFile(const std::string& path, std::string& bytes, FileStamp* stamp = nullptr,
                           bool* link = nullptr);
  // With `stamp`, the stamp of the file written goes there.
  bool WriteFileAtomic(const std::string& path, std::string_view bytes, FileStamp* stamp = nullptr);
  // Writes the new file `path` in place (CreateFileAt), for a folder that
  // nobody looks at yet; as WriteFileAtomic when that fails (the name is
  // taken, or the folder is not where it was).
  bool WriteNewFile(const std::string& path, std::string_view bytes, FileStamp* stamp = nullptr);
  // Closes the folders held.
  void Forget();

 private:
  // An open folder and its path (with a final '/').
  struct Folder {
    std::string path;
    int fd = -1;
    bool replacing = false;  // the last write into it replaced a file
  };
  // The descriptor of the folder `path` lies in, opening it in place of the
  // one held when it is another; -1 when `path` has no folder part, holds
  // a NUL byte or the folder cannot be opened. `name` receives the file's
  // name in it.
  static int Open(Folder& folder, const std::string& path, std::string& name);
  static void Close(Folder& folder);

  Folder source_;
  Folder output_;
};

}  // namespace orv
