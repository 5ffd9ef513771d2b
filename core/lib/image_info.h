// The image-information object a host may hand to scripts, and the unit that
// binds its three read-only properties (TIMAGEINFO.WIDTH, HEIGHT, IMGTYPE).
#pragma once

#include <cstdint>

#include "components/object.h"
#include "core/lib/binding.h"

namespace orv {

// The size and type code of an image. The library gives the type code no
// meaning; the host that offers the object does.
class TImageInfo : public TObject {
 public:
  std::string ClassName() const override { return "TImageInfo"; }
  size_t InstanceSize() const override { return sizeof(TImageInfo); }

  int32_t Width = 0;
  int32_t Height = 0;
  int32_t ImgType = 0;
};

template <>
inline const char* BoundClassName<TImageInfo>() { return "TImageInfo"; }

// Registers TImageInfo with the class registry and its properties with the
// host registry.
void RegisterImageInfoLibrary();

}  // namespace orv
