#include "core/image/image_library.h"

#include "core/image/image_errors.h"

namespace orv {

void ImageLibrary::Require(const char* kind, const char* soname) const {
  if (error.empty()) return;
  throw EImageError(std::string(kind) + " images cannot be measured: " + soname + " cannot be loaded (" + error + ")");
}

ImageLibrary OpenImageLibrary(const char* soname) {
  ImageLibrary library;
  library.handle = LoadLibrary(soname, library.error);
  return library;
}

}  // namespace orv
