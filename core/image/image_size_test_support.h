// Test helper of the image header readers: what a reader makes of bytes in
// memory, as text that a table of cases can hold.
#pragma once

#include <string>
#include <string_view>

#include "core/image/image_errors.h"
#include "core/image/image_size.h"
#include "core/image/image_source.h"

namespace orv::test {

// "WxH" as `read` measures `bytes`, or the message of its EImageError.
inline std::string SizeOrError(TImageSize (*read)(const ImageSource&), std::string_view bytes) {
  try {
    const TImageSize size = read(ImageSource::FromMemory(bytes));
    return std::to_string(size.Width) + "x" + std::to_string(size.Height);
  } catch (const EImageError& error) {
    return error.what();
  }
}

}  // namespace orv::test
