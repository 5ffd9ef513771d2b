// Fuzz target of the JPEG measuring that image includes use: the input is
// written to a file and measured from there by the include stage's routine
// (the file reader with our error manager), and measured again from memory.
// Both must agree: the same size, or both without one. Any input gives a size
// or none, never an exit of the process from inside the JPEG library.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/image/jpeg_size.h"
#include "core/site/image_include.h"
#include "platform/exception.h"

namespace {

// An in-memory file that the measuring opens by its path, as it opens image
// files; no disk is touched between inputs.
const std::string& InputFile() {
  static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("orv-jpeg-fuzz", 0));
  return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputFile().c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string from_memory;
  try {
    orv::TImageSize measured =
        orv::ReadJpegSizeFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    from_memory = "width=" + std::to_string(measured.Width) + " height=" + std::to_string(measured.Height);
  } catch (const orv::Exception&) {
  }
  if (!WriteInput(data, size)) return 0;
  if (orv::JpegSizeText(InputFile()) != from_memory) __builtin_trap();
  return 0;
}
