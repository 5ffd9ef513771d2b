// Fuzz target of the header readers of the image kinds beyond GIF and JPEG
// (PNG, WebP, SVG, AVIF): the input is measured as each kind from memory
// and again from a file, as image includes measure it. Any input gives a
// size or the reader's exception, never a crash, and both ways agree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/image/avif_size.h"
#include "core/image/image_source.h"
#include "core/image/png_size.h"
#include "core/image/svg_size.h"
#include "core/image/webp_size.h"
#include "fuzz/memory_file.h"
#include "platform/exception.h"

namespace {

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
  const bool on_disk = orv::fuzz::WriteInput(data, size);
  for (Reader read : {&orv::ReadPngSize, &orv::ReadWebpSize, &orv::ReadSvgSize, &orv::ReadAvifSize}) {
    const std::string from_memory = Measure(read, [bytes] { return orv::ImageSource::FromMemory(bytes); });
    if (on_disk && Measure(read, [] { return orv::ImageSource::FromFile(orv::fuzz::InputFile()); }) != from_memory)
      __builtin_trap();
  }
  return 0;
}
