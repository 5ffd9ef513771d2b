#include "core/image/avif_size.h"

#include <gtest/gtest.h>

#include <string>

#include "core/image/image_kinds_test_writer.h"
#include "core/image/image_size_test_support.h"

namespace orv {
namespace {

using test::MakeAvif;

std::string Result(const std::string& bytes) { return test::SizeOrError(ReadAvifSize, bytes); }

class AvifSizeTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::CanMakeAvif()) GTEST_SKIP() << "this libavif has no AV1 encoder to make test files";
  }
};

// The size as shown: cropped by the clean aperture, then turned.
TEST_F(AvifSizeTest, SizeAsShown) {
  const struct {
    unsigned width, height;
    int turns;
    unsigned crop_width, crop_height;
    std::string result;
  } cases[] = {
      {16, 8, 0, 0, 0, "16x8"},   {1, 1, 0, 0, 0, "1x1"},    {16, 8, 1, 0, 0, "8x16"},
      {16, 8, 2, 0, 0, "16x8"},   {16, 8, 3, 0, 0, "8x16"},  {16, 8, 0, 12, 6, "12x6"},
      {16, 8, 1, 12, 6, "6x12"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Result(MakeAvif(c.width, c.height, c.turns, c.crop_width, c.crop_height)), c.result)
        << c.width << "x" << c.height << " turns " << c.turns << " crop " << c.crop_width;
}

TEST_F(AvifSizeTest, DamagedFilesAreRefused) {
  const std::string avif = MakeAvif(16, 8);
  for (const std::string& bytes : {std::string(), avif.substr(0, 40), std::string("\x89PNG\r\n\x1a\n", 8),
                                   std::string("\0\0\0\x10" "ftypjunk\0\0\0\0", 16)}) {
    const std::string result = Result(bytes);
    EXPECT_EQ(result.rfind("AVIF file cannot be read (", 0), 0u) << result;
  }
}

// A box libavif must read whole that is larger than 64 MiB is refused
// before it is read.
TEST(AvifHeadLimitTest, LargeBoxesAreNotRead) {
  const std::string head = std::string("\0\0\0\x14" "ftypavif\0\0\0\0avif" "\x05\0\0\0" "meta", 28);
  EXPECT_EQ(test::SizeOrErrorOfSparseFile(ReadAvifSize, head, 96ll << 20),
            "AVIF file's header boxes are larger than 64 MiB");
}

}  // namespace
}  // namespace orv
