// The files of the folder to publish: every regular file below it with its
// size and content hash, by path relative to the folder.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace orv {

// One file to publish.
struct TLocalFile {
  std::string FullPath;  // where it lies on this machine
  uint64_t Size = 0;
  std::string Hash;      // SHA-256, 64 lower-case hex digits
};

// Every regular file below `folder` by its '/'-separated path relative to
// it: hidden files included, symbolic links to files followed, links to
// folders and special files (pipes, devices) left out. Raises EPublishError
// (Failed) when the folder does not exist or a file or folder cannot be read,
// and for a name that holds a control character (no server takes it).
std::map<std::string, TLocalFile> ScanLocalFolder(const std::string& folder);

// The SHA-256 of the file's bytes as hex digits; raises EPublishError.
std::string FileSha256(const std::string& path, uint64_t* size = nullptr);

}  // namespace orv
