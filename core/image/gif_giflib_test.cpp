// Differential test: generated GIFs are decoded by this reader and by giflib,
// and every pixel and palette entry must agree.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <random>

#include "core/image/gif_file.h"
#include "core/image/giflib_memory_io.h"
#include "core/image/image_test_writer.h"

namespace orv {
namespace {

// One generated image: its size, layout and pixels in display order.
struct Case {
  int Width = 0;
  int Height = 0;
  int Bits = 1;
  bool Interlaced = false;
  bool LocalTable = false;
  std::vector<uint8_t> Pixels;
  std::vector<GifColorType> Palette;
};

Case RandomCase(std::mt19937& rng) {
  Case c;
  c.Width = std::uniform_int_distribution<int>(1, 160)(rng);
  c.Height = std::uniform_int_distribution<int>(1, 160)(rng);
  c.Bits = std::uniform_int_distribution<int>(1, 8)(rng);
  c.Interlaced = rng() % 2 == 0;
  c.LocalTable = rng() % 2 == 0;
  const int colors = 1 << c.Bits;
  for (int i = 0; i < colors; ++i)
    c.Palette.push_back({static_cast<GifByteType>(rng()), static_cast<GifByteType>(rng()),
                         static_cast<GifByteType>(rng())});
  // Noise mixed with runs and repeated patterns, so strings of every length occur.
  const int style = static_cast<int>(rng() % 3);
  c.Pixels.resize(size_t(c.Width) * c.Height);
  for (size_t i = 0; i < c.Pixels.size(); ++i) {
    int x = static_cast<int>(i % c.Width), y = static_cast<int>(i / c.Width);
    int v = style == 0 ? static_cast<int>(rng()) : style == 1 ? (x / 5 + y / 3) : ((x * y) >> 3) ^ (rng() % 2);
    c.Pixels[i] = static_cast<uint8_t>(v & (colors - 1));
  }
  return c;
}

// Encodes `c` with giflib's encoder.
std::string EncodeWithGiflib(const Case& c) {
  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, giflib::WriteToString, &error);
  EXPECT_NE(gif, nullptr);
  ColorMapObject* map = GifMakeMapObject(1 << c.Bits, c.Palette.data());
  ColorMapObject* grey = GifMakeMapObject(1 << c.Bits, nullptr);
  EGifSetGifVersion(gif, true);
  EXPECT_EQ(EGifPutScreenDesc(gif, c.Width + 3, c.Height + 1, c.Bits, 0, c.LocalTable ? grey : map), GIF_OK);
  EXPECT_EQ(EGifPutImageDesc(gif, 1, 0, c.Width, c.Height, c.Interlaced, c.LocalTable ? map : nullptr), GIF_OK);
  std::vector<uint8_t> stream = c.Interlaced ? test::InterlaceRows(c.Pixels, c.Width, c.Height) : c.Pixels;
  for (int row = 0; row < c.Height; ++row)
    EXPECT_EQ(EGifPutLine(gif, stream.data() + size_t(row) * c.Width, c.Width), GIF_OK);
  EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
  GifFreeMapObject(map);
  GifFreeMapObject(grey);
  return out;
}

// Decodes with giflib and compares image 0 with ours, pixel by pixel.
void CompareWithGiflib(const std::string& data, const Case& c) {
  giflib::MemoryInput input{&data};
  int error = 0;
  GifFileType* peer = DGifOpen(&input, giflib::ReadFromString, &error);
  ASSERT_NE(peer, nullptr);
  ASSERT_EQ(DGifSlurp(peer), GIF_OK) << GifErrorString(peer->Error);
  ASSERT_EQ(peer->ImageCount, 1);
  const SavedImage& theirs = peer->SavedImages[0];

  TGifFile gif;
  gif.LoadFromMemory(data);
  ASSERT_EQ(gif.SubImages.size(), 1u);
  const TGifSubImage& ours = *gif.SubImages[0];
  EXPECT_EQ(ours.Width, theirs.ImageDesc.Width);
  EXPECT_EQ(ours.Height, theirs.ImageDesc.Height);
  EXPECT_EQ(ours.Left, theirs.ImageDesc.Left);
  EXPECT_EQ(ours.Interlaced, theirs.ImageDesc.Interlace);
  const size_t count = size_t(c.Width) * c.Height;
  EXPECT_EQ(0, std::memcmp(ours.Pixels.Storage().Data(), theirs.RasterBits, count));
  EXPECT_EQ(0, std::memcmp(ours.Pixels.Storage().Data(), c.Pixels.data(), count));

  const ColorMapObject* their_map = theirs.ImageDesc.ColorMap ? theirs.ImageDesc.ColorMap : peer->SColorMap;
  const ColorTable& our_map = ours.HasLocalColorTable ? ours.LocalColorTable : gif.GlobalColorTable;
  ASSERT_EQ(our_map.Count, their_map->ColorCount);
  for (int i = 0; i < our_map.Count; ++i) {
    EXPECT_EQ(our_map.Colors[i].Red, their_map->Colors[i].Red);
    EXPECT_EQ(our_map.Colors[i].Green, their_map->Colors[i].Green);
    EXPECT_EQ(our_map.Colors[i].Blue, their_map->Colors[i].Blue);
  }
  TBitmap bitmap = gif.AsBitmap();
  EXPECT_EQ(bitmap.Width(), c.Width);
  EXPECT_EQ(bitmap.Pixel(c.Width - 1, c.Height - 1), c.Pixels.back());
  DGifCloseFile(peer, &error);
}

TEST(GiflibDifferential, FilesWrittenByGiflib) {
  std::mt19937 rng(20240501);
  for (int i = 0; i < 60; ++i) {
    Case c = RandomCase(rng);
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << c.Width << "x" << c.Height << " bits " << c.Bits
                                    << (c.Interlaced ? " interlaced" : ""));
    CompareWithGiflib(EncodeWithGiflib(c), c);
  }
}

TEST(GiflibDifferential, FilesWithDeferredClearAndNoLeadingClear) {
  std::mt19937 rng(77);
  for (int i = 0; i < 30; ++i) {
    Case c = RandomCase(rng);
    SCOPED_TRACE(testing::Message() << "case " << i);
    const int code_size = c.Bits < 2 ? 2 : c.Bits;
    test::LzwOptions options{.ClearFirst = i % 3 != 0, .DeferClear = true};
    std::vector<uint8_t> stream = c.Interlaced ? test::InterlaceRows(c.Pixels, c.Width, c.Height) : c.Pixels;
    std::string data = test::GifWriter()
                           .Header()
                           .Screen(static_cast<uint16_t>(c.Width), static_cast<uint16_t>(c.Height), c.Bits)
                           .Image(static_cast<uint16_t>(c.Width), static_cast<uint16_t>(c.Height), c.Interlaced, 0,
                                  code_size, test::EncodeLzw(stream, code_size, options))
                           .Trailer()
                           .Bytes();
    for (int k = 0; k < (1 << c.Bits); ++k)
      c.Palette[k] = {test::TestRed(k), test::TestGreen(k), test::TestBlue(k)};
    c.LocalTable = false;
    CompareWithGiflib(data, c);
  }
}

}  // namespace
}  // namespace orv
