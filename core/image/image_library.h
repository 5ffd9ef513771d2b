// The image libraries opened when the first image of their kind is measured
// rather than when a program starts (libavif, libjpeg, libwebp): a build or
// a script that measures no image of a kind never loads its library, and
// the loader has that much less to map and bind at every start.
#pragma once

#include <string>

#include "platform/library.h"

namespace orv {

// One such library: its handle and the reason it cannot be used ("" when it
// can).
struct ImageLibrary {
  void* handle = nullptr;
  std::string error;

  // Looks the export `name` up into `function`, unless the library is
  // already unusable (then `function` stays null).
  template <class Function>
  void Find(const char* name, Function*& function) {
    if (handle == nullptr || !error.empty()) return;
    function = reinterpret_cast<Function*>(GetProcAddress(handle, name, error));
  }

  // Raises EImageError "KIND images cannot be measured: SONAME cannot be
  // loaded (REASON)" when the library is unusable.
  void Require(const char* kind, const char* soname) const;
};

// Opens the library `soname` (platform/library.h's search).
ImageLibrary OpenImageLibrary(const char* soname);

}  // namespace orv
