#include "platform/folder_cache.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace orv {

int TFolderCache::Open(Folder& folder, const std::string& path, std::string& name) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size() || HoldsNul(path)) return -1;
  name.assign(path, slash + 1);
  if (folder.fd >= 0 && folder.path.size() == slash + 1 && path.compare(0, slash + 1, folder.path) == 0)
    return folder.fd;
  Close(folder);
  const std::string dir = slash == 0 ? std::string("/") : path.substr(0, slash);
  folder.fd = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder.fd >= 0) folder.path = path.substr(0, slash + 1);
  return folder.fd;
}

void TFolderCache::Close(Folder& folder) {
  if (folder.fd >= 0) ::close(folder.fd);
  folder.fd = -1;
  folder.path.clear();
  folder.replacing = false;
}

void TFolderCache::Forget() {
  Close(source_);
  Close(output_);
}

FileRead TFolderCache::ReadRegularFile(const std::string& path, std::string& bytes, FileStamp* stamp, bool* link) {
  std::string name;
  const int folder = Open(source_, path, name);
  const int flags = link ? O_NOFOLLOW : 0;
  if (folder >= 0) {
    if (std::optional<FileRead> read = ReadRegularFileAt(folder, name.c_str(), bytes, stamp, flags)) return *read;
    if (link && errno == ELOOP) {
      *link = true;
      return FileRead::NoFile;
    }
    // A missing file, or a folder that is no longer where it was.
    Close(source_);
  }
  // By the whole path (seldom: the folder could not be opened), where a
  // link is told by asking.
  if (link && IsSymbolicLink(path)) {
    *link = true;
    return FileRead::NoFile;
  }
  return orv::ReadRegularFile(path, bytes, stamp);
}

bool TFolderCache::WriteFileAtomic(const std::string& path, std::string_view bytes, FileStamp* stamp) {
  std::string name;
  const int folder = Open(output_, path, name);
  if (folder >= 0) {
    // Once a name in the folder was taken, the rest are likely to be too.
    const AtomicWrite written = WriteFileAtomicAt(folder, name, bytes, output_.replacing, stamp);
    if (written != AtomicWrite::kFailed) {
      output_.replacing = written == AtomicWrite::kReplaced;
      return true;
    }
  }
  // A folder that is missing, or no longer where it was: by its path.
  Close(output_);
  return orv::WriteFileAtomic(path, bytes) && (!stamp || StatFile(path, *stamp));
}

bool TFolderCache::WriteNewFile(const std::string& path, std::string_view bytes, FileStamp* stamp) {
  std::string name;
  const int folder = Open(output_, path, name);
  if (folder >= 0 && CreateFileAt(folder, name, bytes, stamp)) return true;
  return WriteFileAtomic(path, bytes, stamp);
}

}  // namespace orv
