// The measured size of an image, whatever its kind.
#pragma once

#include <cstdint>

namespace orv {

// Width and height of an image in pixels.
struct TImageSize {
  uint32_t Width = 0;
  uint32_t Height = 0;
  bool operator==(const TImageSize&) const = default;
};

}  // namespace orv
