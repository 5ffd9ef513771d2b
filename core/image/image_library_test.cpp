#include "core/image/image_library.h"

#include <gtest/gtest.h>

#include <string>

#include "core/image/image_errors.h"

namespace orv {
namespace {

// The text of the error Require raises, "" when it raises none.
std::string RequireError(const ImageLibrary& library) {
  try {
    library.Require("JPEG", "libjpeg.so.62");
  } catch (const EImageError& e) {
    return e.what();
  }
  return {};
}

TEST(ImageLibraryTest, RoutinesOfAnOpenedLibrary) {
  ImageLibrary library = OpenImageLibrary("libjpeg.so.62");
  int (*read_header)(void*, int) = nullptr;
  library.Find("jpeg_read_header", read_header);
  EXPECT_NE(read_header, nullptr);
  EXPECT_EQ(RequireError(library), "");
}

// A missing library or export makes the library unusable, with the reason in
// the error; later lookups leave their routines null and keep the reason.
TEST(ImageLibraryTest, MissingLibraryOrExportIsAClearError) {
  ImageLibrary missing = OpenImageLibrary("libno-such-image-library.so.1");
  void (*routine)() = nullptr;
  missing.Find("anything", routine);
  EXPECT_EQ(routine, nullptr);
  const std::string error = RequireError(missing);
  EXPECT_EQ(error.rfind("JPEG images cannot be measured: libjpeg.so.62 cannot be loaded (", 0), 0u) << error;
  EXPECT_NE(error.find("libno-such-image-library.so.1"), std::string::npos) << error;

  ImageLibrary partial = OpenImageLibrary("libjpeg.so.62");
  partial.Find("jpeg_no_such_routine", routine);
  void (*later)() = nullptr;
  partial.Find("jpeg_read_header", later);
  EXPECT_EQ(later, nullptr);
  EXPECT_EQ(RequireError(partial),
            "JPEG images cannot be measured: libjpeg.so.62 cannot be loaded (the library has no export "
            "jpeg_no_such_routine)");
}

}  // namespace
}  // namespace orv
