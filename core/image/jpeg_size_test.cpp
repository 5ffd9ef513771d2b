#include "core/image/jpeg_size.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/image/image_errors.h"
#include "core/image/image_test_writer.h"

namespace orv {
namespace {

using test::MakeJpeg;

std::string ErrorOf(const std::string& data) {
  try {
    ReadJpegSizeFromMemory(data);
  } catch (const EJpegError& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(JpegSize, ReadsWidthAndHeight) {
  for (auto [w, h] : {std::pair{1u, 1u}, {120u, 40u}, {17u, 333u}}) {
    TImageSize size = ReadJpegSizeFromMemory(MakeJpeg(w, h));
    EXPECT_EQ(size.Width, w);
    EXPECT_EQ(size.Height, h);
  }
}

TEST(JpegSize, OnlyTheHeaderIsNeeded) {
  std::string jpeg = MakeJpeg(64, 48);
  // Cut inside the entropy-coded data: the frame header is still complete.
  TImageSize size = ReadJpegSizeFromMemory(jpeg.substr(0, jpeg.size() - 20));
  EXPECT_EQ(size.Width, 64u);
}

TEST(JpegSize, BadDataComesBackAsAnError) {
  EXPECT_EQ(ErrorOf(""), "Empty input file");
  EXPECT_EQ(ErrorOf("GIF89a..."), "Not a JPEG file: starts with 0x47 0x49");
  std::string jpeg = MakeJpeg(8, 8);
  EXPECT_EQ(ErrorOf(jpeg.substr(0, 30)), "JPEG datastream contains no image");
  // Repeated failures leave nothing behind (checked by the sanitizers).
  for (int i = 0; i < 20; ++i) EXPECT_THROW(ReadJpegSizeFromMemory(jpeg.substr(0, i)), EJpegError);
}

TEST(JpegSize, ReadsFiles) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "orv_jpeg_size_test.jpg";
  {
    std::ofstream out(path, std::ios::binary);
    out << MakeJpeg(300, 200);
  }
  TImageSize size = ReadJpegSize(path.string());
  EXPECT_EQ(size.Width, 300u);
  EXPECT_EQ(size.Height, 200u);
  std::filesystem::remove(path);
  EXPECT_THROW(ReadJpegSize(path.string()), EInOutError);
  // A folder opens but is no JPEG.
  EXPECT_THROW(ReadJpegSize(std::filesystem::temp_directory_path().string()), Exception);
}

}  // namespace
}  // namespace orv
