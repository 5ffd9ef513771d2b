#include "core/image/png_size.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "core/image/image_kinds_test_writer.h"
#include "core/image/image_size_test_support.h"

namespace orv {
namespace {

std::string Measure(const std::string& bytes) { return test::SizeOrError(ReadPngSize, bytes); }

std::string Be32(uint32_t value) {
  return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A signature and an IHDR chunk with a correct CRC for the given fields.
std::string Header(uint32_t width, uint32_t height, int depth = 8, int type = 0, int interlace = 0) {
  std::string chunk = "IHDR" + Be32(width) + Be32(height) + char(depth) + char(type) + '\0' + '\0' + char(interlace);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size()));
  return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + chunk + Be32(static_cast<uint32_t>(crc));
}

TEST(PngSizeTest, MeasuresFilesThatLibpngWrites) {
  for (auto [w, h] : {std::pair{1u, 1u}, {3u, 7u}, {640u, 480u}, {1u, 5000u}, {4097u, 2u}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    EXPECT_EQ(Measure(test::MakePng(w, h)), std::to_string(w) + "x" + std::to_string(h));
  }
}

TEST(PngSizeTest, ReadsOnlyTheHeader) {
  // The image data may be missing or damaged: only the IHDR chunk counts.
  EXPECT_EQ(Measure(Header(70000, 3)), "70000x3");
  EXPECT_EQ(Measure(Header(5, 6) + "garbage"), "5x6");
  EXPECT_EQ(Measure(Header(0x7fffffff, 1, 16, 6, 1)), "2147483647x1");
}

TEST(PngSizeTest, DamagedHeadersAreRefused) {
  std::string bad_crc = Header(5, 6);
  bad_crc.back() ^= 1;
  std::string long_chunk = Header(5, 6);
  long_chunk[11] = 14;
  std::string other_chunk = Header(5, 6);
  other_chunk[12] = 'i';
  const struct {
    std::string bytes;
    std::string error;
  } cases[] = {
      {"", "Not a PNG file"},
      {"GIF89a\x01\x00\x01\x00", "Not a PNG file"},
      {std::string("\x89PNG\r\n\x1a", 7), "Not a PNG file"},
      {std::string("\x89PNG\r\n\x1a\n", 8), "PNG file ends inside its IHDR chunk"},
      {Header(5, 6).substr(0, 32), "PNG file ends inside its IHDR chunk"},
      {bad_crc, "PNG IHDR chunk is damaged (CRC error)"},
      {long_chunk, "PNG file does not begin with an IHDR chunk"},
      {other_chunk, "PNG file does not begin with an IHDR chunk"},
      {Header(0, 6), "PNG image size 0 x 6 is out of range"},
      {Header(5, 0x80000000u), "PNG image size 5 x 2147483648 is out of range"},
      {Header(5, 6, 4, 2), "PNG IHDR chunk has colour type 2 with bit depth 4"},
      {Header(5, 6, 16, 3), "PNG IHDR chunk has colour type 3 with bit depth 16"},
      {Header(5, 6, 8, 5), "PNG IHDR chunk has colour type 5 with bit depth 8"},
      {Header(5, 6, 8, 0, 2), "PNG IHDR chunk has an unknown compression, filter or interlace method"},
  };
  for (const auto& c : cases) EXPECT_EQ(Measure(c.bytes), c.error) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace orv
