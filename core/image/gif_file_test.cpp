#include "core/image/gif_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/image/byte_reader.h"
#include "core/image/image_test_writer.h"
#include "core/image/image_errors.h"

namespace orv {
namespace {

using test::EncodeLzw;
using test::GifWriter;

template <class E>
std::string LoadError(const std::string& data) {
  TGifFile gif;
  try {
    gif.LoadFromMemory(data);
  } catch (const E& e) {
    return e.what();
  }
  return "(no exception)";
}

// A small valid file: screen 8 x 6, global table of 4 colours, one 3 x 2 image.
std::string SmallGif(const std::string& signature = "GIF89a") {
  return GifWriter()
      .Header(signature)
      .Screen(8, 6, 2)
      .Image(3, 2, false, 0, 2, EncodeLzw({0, 1, 2, 3, 2, 1}, 2))
      .Trailer()
      .Bytes();
}

std::vector<uint8_t> PixelsOf(const TGifSubImage& image) {
  const uint8_t* p = image.Pixels.Storage().Data();
  return std::vector<uint8_t>(p, p + image.Pixels.Storage().Length());
}

TEST(TGifFile, NewObjectIsAnEmpty87aFile) {
  TGifFile gif;
  EXPECT_EQ(gif.Header, "GIF87a");
  EXPECT_TRUE(gif.HasGlobalColorTable);
  EXPECT_EQ(gif.BitsPerPixel, 1);
  EXPECT_EQ(gif.GlobalColorTable.Count, 2);
  EXPECT_EQ(gif.GlobalColorTable.Colors[1], (TGifColor{255, 255, 255}));
  EXPECT_TRUE(gif.SubImages.empty());
}

TEST(TGifFile, LoadsScreenTableAndImage) {
  TGifFile gif;
  gif.LoadFromMemory(SmallGif());
  EXPECT_EQ(gif.ScreenWidth, 8);
  EXPECT_EQ(gif.ScreenHeight, 6);
  EXPECT_EQ(gif.BitsPerPixel, 2);
  EXPECT_EQ(gif.GlobalColorTable.Count, 4);
  EXPECT_EQ(gif.GlobalColorTable.Colors[3], (TGifColor{test::TestRed(3), test::TestGreen(3), test::TestBlue(3)}));
  ASSERT_EQ(gif.SubImages.size(), 1u);
  const TGifSubImage& image = *gif.SubImages[0];
  EXPECT_EQ(image.Owner, &gif);
  EXPECT_EQ(image.Width, 3);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.LzwCodeSize, 2);
  EXPECT_FALSE(image.HasLocalColorTable);
  EXPECT_EQ(PixelsOf(image), (std::vector<uint8_t>{0, 1, 2, 3, 2, 1}));
}

TEST(TGifFile, VersionIsCheckedButNotTheSignature) {
  for (const char* ok : {"GIF87a", "GIF89a", "XYZ89a", "GIF87A", "GIF89A"}) {
    TGifFile gif;
    EXPECT_NO_THROW(gif.LoadFromMemory(SmallGif(ok))) << ok;
  }
  for (const char* bad : {"GIF90a", "GIF88a", "GIF89b"})
    EXPECT_EQ(LoadError<EGifException>(SmallGif(bad)), "Gif Version must be 87a or 89a") << bad;
}

TEST(TGifFile, ReadsTheFourExtensionKinds) {
  std::string gce = std::string("\x04\x05\x10\x00\x03\x00", 6);
  std::string app = "\x0bNETSCAPE2.0";
  std::string text_header = std::string("\x0c", 1) + std::string(12, 'h');
  std::string data = GifWriter()
                         .Header()
                         .Screen(4, 4, 1)
                         .Extension(0xFF, app, {std::string("\x01\x00\x00", 3)})
                         .Extension(0xFE, "", {"hello", "world"})
                         .Extension(0x01, text_header, {"text"})
                         .Extension(0xF9, gce, {})
                         .Image(1, 1, false, 0, 2, EncodeLzw({1}, 2))
                         .Extension(0xFE, "", {"after"})
                         .Trailer()
                         .Bytes();
  TGifFile gif;
  gif.LoadFromMemory(data);
  ASSERT_EQ(gif.SubImages.size(), 1u);
  const std::vector<TExtension>& ext = gif.SubImages[0]->Extensions;
  ASSERT_EQ(ext.size(), 4u);
  EXPECT_EQ(ext[0].Kind, ekApplication);
  EXPECT_EQ(ext[0].Header, app);
  EXPECT_EQ(ext[0].Blocks, std::vector<std::string>{std::string("\x01\x00\x00", 3)});
  EXPECT_EQ(ext[1].Kind, ekComment);
  EXPECT_EQ(ext[1].Blocks, (std::vector<std::string>{"hello", "world"}));
  EXPECT_EQ(ext[2].Kind, ekPlainText);
  EXPECT_EQ(ext[2].Header, text_header);
  EXPECT_EQ(ext[3].Kind, ekGraphicControl);
  EXPECT_EQ(ext[3].PackedField(), 5);
  EXPECT_EQ(ext[3].DelayTime(), 16);
  EXPECT_EQ(ext[3].TransparentIndex(), 3);
  EXPECT_EQ(ext[1].DelayTime(), 0);
}

TEST(TGifFile, FormatErrorsNameTheOffendingByte) {
  std::string unknown_ext = GifWriter().Header().Screen(1, 1, 1).Raw("!\x2a").Trailer().Bytes();
  EXPECT_EQ(LoadError<EGifException>(unknown_ext), "Unrecognized extension block.\r\nCode = $2A");
  std::string unknown_ext_hi = GifWriter().Header().Screen(1, 1, 1).Raw("!\xfa").Trailer().Bytes();
  EXPECT_EQ(LoadError<EGifException>(unknown_ext_hi), "Unrecognized extension block.\r\nCode = $FA");
  std::string stray = GifWriter().Header().Screen(1, 1, 1).Raw(std::string(1, '\0')).Trailer().Bytes();
  EXPECT_EQ(LoadError<EGifException>(stray), "Unrecognized block.\r\nCode = $00");
  std::string stray_after_ext =
      GifWriter().Header().Screen(1, 1, 1).Extension(0xFE, "", {"x"}).Raw("Z").Bytes();
  EXPECT_EQ(LoadError<EGifException>(stray_after_ext), "Unrecognized block.\r\nCode = $5A");
  std::string bad_size = GifWriter().Header().Screen(2, 2, 1).Image(2, 2, false, 0, 10, "").Trailer().Bytes();
  EXPECT_EQ(LoadError<EGifException>(bad_size), "Bad code Size");
}

TEST(TGifFile, DataThatEndsEarlyIsAnInputError) {
  std::string good = SmallGif();
  for (size_t cut : {size_t{0}, size_t{5}, size_t{12}, size_t{20}, good.size() - 1}) {
    EXPECT_EQ(LoadError<EInOutError>(good.substr(0, cut)), "Read beyond end of file") << cut;
  }
  // A sub-block that claims more bytes than the file holds.
  std::string claim = GifWriter()
                          .Header()
                          .Screen(1, 1, 1)
                          .Raw(std::string(",\0\0\0\0\1\0\1\0\0\x02\x40" "abc", 15))
                          .Bytes();
  EXPECT_EQ(LoadError<EInOutError>(claim), "Read beyond end of file");
}

TEST(TGifFile, InterlacedRowsGoToTheirPasses) {
  // A 1 x 10 image whose decoded rows carry their decode order: the rows of
  // the image then read 0, 5, 3, 6, 2, 7, 4, 8, 1, 9 (row 0 came first, row
  // 8 second, row 4 third, ...).
  std::vector<uint8_t> stream = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::string data = GifWriter().Header().Screen(1, 10, 4).Image(1, 10, true, 0, 4, EncodeLzw(stream, 4)).Trailer().Bytes();
  TGifFile gif;
  gif.LoadFromMemory(data);
  EXPECT_TRUE(gif.SubImages[0]->Interlaced);
  EXPECT_EQ(PixelsOf(*gif.SubImages[0]), (std::vector<uint8_t>{0, 5, 3, 6, 2, 7, 4, 8, 1, 9}));
}

TEST(TGifFile, InterlacingRoundTripsForEveryHeight) {
  for (int height = 1; height <= 20; ++height) {
    const int width = 3;
    std::vector<uint8_t> pixels(width * height);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 13);
    std::string lzw = EncodeLzw(test::InterlaceRows(pixels, width, height), 8);
    std::string data = GifWriter().Header().Screen(3, 20, 8).Image(width, height, true, 0, 8, lzw).Trailer().Bytes();
    TGifFile gif;
    gif.LoadFromMemory(data);
    EXPECT_EQ(PixelsOf(*gif.SubImages[0]), pixels) << height;
  }
}

TEST(TGifFile, TruncatedImageDataKeepsOnlyCompleteRows) {
  // 4 x 3 image whose LZW data stops after 6 literal pixels: row 1 is
  // complete, row 2 half done (so left 0), row 3 never started.
  test::CodePacker codes;
  codes.Add(16, 5);
  for (uint32_t p : {1, 2, 3, 4, 5, 6}) codes.Add(p, 5);
  std::string data = GifWriter().Header().Screen(4, 3, 4).Image(4, 3, false, 0, 4, codes.Bytes()).Trailer().Bytes();
  TGifFile gif;
  gif.LoadFromMemory(data);
  EXPECT_EQ(PixelsOf(*gif.SubImages[0]), (std::vector<uint8_t>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(TGifFile, TooManyPixelsFail) {
  std::string data =
      GifWriter().Header().Screen(2, 2, 2).Image(2, 1, false, 0, 2, EncodeLzw({1, 2, 3}, 2)).Trailer().Bytes();
  EXPECT_EQ(LoadError<EIndexOutOfBounds>(data), "Dynamic array index out of bounds");
}

TEST(TGifFile, HugeImagesAreRefusedBeforeAnyAllocation) {
  std::string huge = GifWriter().Header().Screen(65535, 65535, 1).Image(65535, 65535, false, 0, 2, "").Trailer().Bytes();
  EXPECT_EQ(LoadError<ENotEnoughMemory>(huge),
            "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
            " requested memory block: 4294836225 bytes");
  // Many images that each fit but together exceed the file's budget.
  GifWriter many;
  many.Header().Screen(8192, 8192, 1);
  for (int i = 0; i < 5; ++i) many.Image(8192, 8192, false, 0, 2, "");
  EXPECT_EQ(LoadError<ENotEnoughMemory>(many.Trailer().Bytes()),
            "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
            " requested memory block: 67108864 bytes");
  // Countless tiny images: each counts for its tables as well.
  GifWriter tiny;
  tiny.Header().Screen(1, 1, 1);
  const std::string one_pixel = EncodeLzw({1}, 2);
  for (int i = 0; i < 65536; ++i) tiny.Image(1, 1, false, 0, 2, one_pixel);
  TGifFile gif;
  EXPECT_THROW(gif.LoadFromMemory(tiny.Trailer().Bytes()), ENotEnoughMemory);
  EXPECT_EQ(gif.SubImages.size(), kMaxGifPixels / (1 + kGifImageOverhead));
}

TEST(TGifFile, LocalTableIsReadAndSized) {
  std::string data = GifWriter()
                         .Header()
                         .Screen(2, 2, 8)
                         .Image(2, 2, false, 3, 3, EncodeLzw({7, 6, 5, 4}, 3))
                         .Image(1, 1, false, 0, 8, EncodeLzw({200}, 8))
                         .Trailer()
                         .Bytes();
  TGifFile gif;
  gif.LoadFromMemory(data);
  ASSERT_EQ(gif.SubImages.size(), 2u);
  const TGifSubImage& first = *gif.SubImages[0];
  EXPECT_TRUE(first.HasLocalColorTable);
  EXPECT_EQ(first.BitsPerPixel, 3);
  EXPECT_EQ(first.LocalColorTable.Count, 8);
  EXPECT_EQ(first.LocalColorTable.Colors[7], (TGifColor{test::TestRed(7), test::TestGreen(7), test::TestBlue(7)}));
  EXPECT_EQ(PixelsOf(*gif.SubImages[1]), std::vector<uint8_t>{200});
}

TEST(TGifFile, NoImageLoadsButHasNoBitmap) {
  TGifFile gif;
  gif.LoadFromMemory(GifWriter().Header().Screen(5, 5, 1).Trailer().Bytes());
  EXPECT_TRUE(gif.SubImages.empty());
  EXPECT_THROW(gif.AsBitmap(), EGifException);
}

TEST(TGifFile, BitmapHasTheFirstImagesSizeAndPalette) {
  std::string data = GifWriter()
                         .Header()
                         .Screen(100, 80, 2)
                         .Image(3, 2, false, 0, 2, EncodeLzw({0, 1, 2, 3, 2, 1}, 2), 10, 20)
                         .Image(50, 50, false, 0, 2, "")
                         .Trailer()
                         .Bytes();
  TGifFile gif;
  gif.LoadFromMemory(data);
  TBitmap bitmap = gif.AsBitmap();
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0);
  EXPECT_EQ(bitmap.Pixel(2, 0), 2);
  EXPECT_EQ(bitmap.Pixel(0, 1), 3);
  EXPECT_EQ(bitmap.PaletteEntry(2), (TGifColor{test::TestRed(2), test::TestGreen(2), test::TestBlue(2)}));
  EXPECT_EQ(bitmap.PaletteEntry(4), (TGifColor{0, 0, 0}));

  std::string local = GifWriter().Header().Screen(1, 1, 1).Image(1, 1, false, 4, 4, EncodeLzw({9}, 4)).Trailer().Bytes();
  gif.LoadFromMemory(local);
  EXPECT_EQ(gif.AsBitmap().PaletteEntry(9), (TGifColor{test::TestRed(9), test::TestGreen(9), test::TestBlue(9)}));
}

TEST(TGifSubImage, ColourCountMustBeAPowerOfTwo) {
  for (int count : {0, 1, 3, 6, 100, 512}) {
    try {
      TGifSubImage image(count, nullptr);
      ADD_FAILURE() << count;
    } catch (const EGifException& e) {
      EXPECT_EQ(std::string(e.what()), "Number of colors (" + std::to_string(count) + ") wrong; must be a power of 2");
    }
  }
  TGifSubImage two(2, nullptr);
  EXPECT_EQ(two.BitsPerPixel, 1);
  EXPECT_EQ(two.LzwCodeSize, 2);
  TGifSubImage many(64, nullptr);
  EXPECT_EQ(many.BitsPerPixel, 6);
  EXPECT_EQ(many.LzwCodeSize, 6);
  EXPECT_EQ(many.LocalColorTable.Count, 64);
}

TEST(TGifFile, LoadFromFile) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "orv_gif_file_test.gif";
  {
    std::ofstream out(path, std::ios::binary);
    out << SmallGif();
  }
  TGifFile gif;
  gif.LoadFromFile(path.string());
  EXPECT_EQ(gif.AsBitmap().Width(), 3);
  std::filesystem::remove(path);
  EXPECT_THROW(gif.LoadFromFile(path.string()), EInOutError);
}

}  // namespace
}  // namespace orv
