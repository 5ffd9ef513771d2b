// Fuzz target of the GIF reader: any input either loads or raises one of the
// reader's exceptions; a loaded file with an image converts to a bitmap of
// the first image's size. Measuring the input as the image tags do (read as
// it goes, keeping only the first image's size) succeeds exactly when the
// full load and the bitmap do, with the same size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/image/gif_file.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<orv::TImageSize> loaded;
  orv::TGifFile gif;
  try {
    gif.LoadFromMemory(bytes);
    orv::TBitmap bitmap = gif.AsBitmap();
    if (bitmap.Width() != gif.SubImages[0]->Width || bitmap.Height() != gif.SubImages[0]->Height) __builtin_trap();
    loaded = orv::TImageSize{gif.SubImages[0]->Width, gif.SubImages[0]->Height};
  } catch (const orv::Exception&) {
  }
  std::optional<orv::TImageSize> measured;
  try {
    measured = orv::ReadGifSizeFromMemory(bytes);
  } catch (const orv::Exception&) {
  }
  if (loaded.has_value() != measured.has_value()) __builtin_trap();
  if (loaded && (loaded->Width != measured->Width || loaded->Height != measured->Height)) __builtin_trap();
  return 0;
}
