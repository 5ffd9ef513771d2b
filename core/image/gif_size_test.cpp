// Measuring a GIF as the image tags do (ReadGifSize): the same outcome and
// size as a full load and AsBitmap, from a file read as it goes, reading no
// further than the data needs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "core/image/gif_file.h"
#include "core/image/image_test_writer.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

using test::EncodeLzw;
using test::GifWriter;

// The size a full load and AsBitmap give, or nothing when either fails.
std::optional<TImageSize> LoadedSize(const std::string& data) {
  try {
    TGifFile gif;
    gif.LoadFromMemory(data);
    TBitmap bitmap = gif.AsBitmap();
    return TImageSize{static_cast<uint32_t>(bitmap.Width()), static_cast<uint32_t>(bitmap.Height())};
  } catch (const Exception&) {
    return std::nullopt;
  }
}

template <class Measure>
std::optional<TImageSize> Measured(Measure measure) {
  try {
    return measure();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

class GifSizeTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(DataDir());
    path_ = DataDir() + "measured.gif";
  }
  void TearDown() override { std::filesystem::remove(path_); }

  // Measures `data` from memory and from a file and checks both against the
  // full load.
  void ExpectSameAsFullLoad(const std::string& data, const std::string& what) {
    SCOPED_TRACE(what);
    const std::optional<TImageSize> loaded = LoadedSize(data);
    WriteFileBytes(path_, data);
    for (const std::optional<TImageSize>& size :
         {Measured([&] { return ReadGifSizeFromMemory(data); }), Measured([&] { return ReadGifSize(path_); })}) {
      ASSERT_EQ(size.has_value(), loaded.has_value());
      if (!loaded) continue;
      EXPECT_EQ(size->Width, loaded->Width);
      EXPECT_EQ(size->Height, loaded->Height);
    }
  }

  std::string path_;
};

std::string TwoImages() {
  return GifWriter()
      .Header()
      .Screen(20, 10, 2)
      .Extension(0xF9, std::string("\x04\x00\x00\x00\x00\x00", 6), {})
      .Extension(0xFE, "", {"a comment", std::string(255, 'c')})
      .Image(3, 2, false, 0, 2, EncodeLzw({0, 1, 2, 3, 2, 1}, 2))
      .Image(5, 4, true, 3, 3, EncodeLzw(std::vector<uint8_t>(20, 7), 3))
      .Trailer()
      .Bytes();
}

TEST_F(GifSizeTest, MeasuresAsAFullLoadDoes) {
  const std::string two = TwoImages();
  const struct {
    const char* what;
    std::string data;
  } cases[] = {
      {"two images", two},
      {"first image interlaced with a local table",
       GifWriter().Header().Screen(9, 9, 1).Image(1, 10, true, 2, 2, EncodeLzw(std::vector<uint8_t>(10, 3), 2))
           .Trailer().Bytes()},
      {"no image", GifWriter().Header().Screen(4, 4, 1).Trailer().Bytes()},
      {"version 90a", GifWriter().Header("GIF90a").Screen(4, 4, 1).Trailer().Bytes()},
      {"cut in the second image's data", two.substr(0, two.size() - 4)},
      {"cut in the first image's data", two.substr(0, 300)},
      {"bad code size", GifWriter().Header().Screen(2, 2, 1).Image(2, 2, false, 0, 12, "\x01\x02").Trailer().Bytes()},
      {"unknown extension", GifWriter().Header().Screen(2, 2, 1).Extension(0x77, "", {}).Trailer().Bytes()},
      {"stray byte", GifWriter().Header().Screen(2, 2, 1).Raw("x").Trailer().Bytes()},
      {"garbage after the trailer", two + std::string(1000, '\x2C')},
      {"too many pixels", GifWriter().Header().Screen(2, 2, 1).Image(2, 2, false, 0, 2, EncodeLzw({0, 1, 1, 0, 1}, 2))
           .Trailer().Bytes()},
  };
  for (const auto& c : cases) ExpectSameAsFullLoad(c.data, c.what);
}

// Random damage to a valid file never makes measuring and loading differ.
TEST_F(GifSizeTest, DamagedFilesMeasureAsTheyLoad) {
  const std::string two = TwoImages();
  std::mt19937 random(29);
  for (int round = 0; round < 300; ++round) {
    std::string data = two;
    for (int hits = 1 + static_cast<int>(random() % 4); hits > 0; --hits)
      data[random() % data.size()] = static_cast<char>(random() % 256);
    if (random() % 4 == 0) data.resize(random() % data.size());
    ExpectSameAsFullLoad(data, "round " + std::to_string(round));
  }
}

// Bytes this process has read from files so far.
long long BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return -1;
}

// A file is read as far as its data goes: a small image followed by a vast
// (sparse) tail is measured without reading, or holding, the tail.
TEST_F(GifSizeTest, ReadsOnlyWhatTheImageNeeds) {
  WriteFileBytes(path_, TwoImages());
  std::filesystem::resize_file(path_, std::uintmax_t{1} << 28);
  const long long before = BytesRead();
  ASSERT_GE(before, 0);
  TImageSize size = ReadGifSize(path_);
  EXPECT_EQ(size.Width, 3u);
  EXPECT_EQ(size.Height, 2u);
  EXPECT_LT(BytesRead() - before, 1 << 20);
}

}  // namespace
}  // namespace orv
