// The size of an image as the image tags write it.
#pragma once

#include <cstdint>

namespace orv {

// Width and height of an image in pixels.
struct TImageSize {
  uint32_t Width = 0;
  uint32_t Height = 0;
};

}  // namespace orv
