// Helper of the fuzz targets that need real files: one path per process
// below the temporary folder, removed with all it holds when the process
// ends, so runs leave nothing behind.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/folders.h"

namespace orv::fuzz {

// Owns `<temporary folder><stem>-<pid><suffix>` for the process's life.
class ScratchPath {
 public:
  explicit ScratchPath(const std::string& stem, const std::string& suffix = "")
      : Path(orv::TempDir() + stem + "-" + std::to_string(::getpid()) + suffix) {}
  ScratchPath(const ScratchPath&) = delete;
  ScratchPath& operator=(const ScratchPath&) = delete;
  ~ScratchPath() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }

  const std::string Path;
};

}  // namespace orv::fuzz
