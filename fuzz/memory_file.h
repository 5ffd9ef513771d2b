// Helper of the fuzz targets whose reader opens a file by its path: an
// in-memory file (memfd) that holds the input, so no disk is touched
// between inputs.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace orv::fuzz {

// The path of the process's one in-memory input file.
inline const std::string& InputFile() {
  static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("orv-fuzz-input", 0));
  return path;
}

// Replaces the input file's contents with `data`; false when it cannot.
inline bool WriteInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputFile().c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

}  // namespace orv::fuzz
