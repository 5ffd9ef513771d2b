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
    FindProc(handle, name, function, error);
  }

  // Raises EImageError "KIND images cannot be measured: SONAME cannot be
  // loaded (REASON)" when the library is unusable.
  void Require(const char* kind, const char* soname) const;
};

// Opens the library `soname` (platform/library.h's search).
ImageLibrary OpenImageLibrary(const char* soname);

// The routines of an image library, opened on the first call and kept for
// the life of the process: `Routines` is a struct of function pointers with
// an ImageLibrary member `library`, which `Find` fills from the library.
// EImageError (ImageLibrary::Require) when the library cannot be used.
template <class Routines, void (*Find)(Routines&)>
const Routines& LibraryRoutines(const char* kind, const char* soname) {
  static const Routines routines = [soname] {
    Routines opened;
    opened.library = OpenImageLibrary(soname);
    Find(opened);
    return opened;
  }();
  routines.library.Require(kind, soname);
  return routines;
}

}  // namespace orv
