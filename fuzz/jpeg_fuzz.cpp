// Fuzz target of the JPEG measuring: any input gives a size or an exception,
// never an exit of the process from inside the JPEG library.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/image/jpeg_size.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    orv::ReadJpegSizeFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const orv::Exception&) {
  }
  return 0;
}
