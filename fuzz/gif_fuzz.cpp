// Fuzz target of the GIF reader: any input either loads or raises one of the
// reader's exceptions; a loaded file with an image converts to a bitmap.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/image/gif_file.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::TGifFile gif;
  try {
    gif.LoadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!gif.SubImages.empty()) {
      orv::TBitmap bitmap = gif.AsBitmap();
      if (bitmap.Width() != gif.SubImages[0]->Width || bitmap.Height() != gif.SubImages[0]->Height)
        __builtin_trap();
    }
  } catch (const orv::Exception&) {
  }
  return 0;
}
