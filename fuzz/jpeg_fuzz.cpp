// Fuzz target of the JPEG measuring that image includes use: the input is
// written to a file and measured from there by the include stage's routine
// (the file reader with our error manager), and measured again from memory.
// Both must agree: the same size, or both without one. Any input gives a size
// or none, never an exit of the process from inside the JPEG library.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/image/jpeg_size.h"
#include "core/site/image_include.h"
#include "fuzz/memory_file.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string from_memory;
  try {
    orv::TImageSize measured =
        orv::ReadJpegSizeFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    from_memory = "width=" + std::to_string(measured.Width) + " height=" + std::to_string(measured.Height);
  } catch (const orv::Exception&) {
  }
  if (!orv::fuzz::WriteInput(data, size)) return 0;
  if (orv::JpegSizeText(orv::fuzz::InputFile()) != from_memory) __builtin_trap();
  return 0;
}
