// Fuzz target of the header readers of the image kinds beyond GIF and JPEG
// (PNG, WebP, SVG, AVIF): the input is measured as each kind from memory
// and again from a file, as image includes measure it. Any input gives a
// size or the reader's exception, never a crash, and both ways agree.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/image/avif_size.h"
#include "core/image/image_source.h"
#include "core/image/png_size.h"
#include "core/image/svg_size.h"
#include "core/image/webp_size.h"
#include "platform/exception.h"

namespace {

// An in-memory file that the readers open by its path; no disk is touched
// between inputs.
const std::string& InputFile() {
  static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("orv-image-fuzz", 0));
  return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputFile().c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

using Reader = orv::TImageSize (*)(const orv::ImageSource&);

template <typename Open>
std::string Measure(Reader read, const Open& open) {
  try {
    orv::TImageSize size = read(open());
    return std::to_string(size.Width) + "x" + std::to_string(size.Height);
  } catch (const orv::Exception& error) {
    return std::string("error: ") + error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool on_disk = WriteInput(data, size);
  for (Reader read : {&orv::ReadPngSize, &orv::ReadWebpSize, &orv::ReadSvgSize, &orv::ReadAvifSize}) {
    const std::string from_memory = Measure(read, [bytes] { return orv::ImageSource::FromMemory(bytes); });
    if (on_disk && Measure(read, [] { return orv::ImageSource::FromFile(InputFile()); }) != from_memory)
      __builtin_trap();
  }
  return 0;
}
