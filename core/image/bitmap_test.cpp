#include "core/image/bitmap.h"

#include <gtest/gtest.h>

#include "platform/exception.h"

namespace orv {
namespace {

uint32_t At32(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 |
                               static_cast<uint8_t>(s[at + 2]) << 16 |
                               static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24);
}

uint16_t At16(const std::string& s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}

TByteArray2D Matrix(uint32_t columns, uint32_t rows) {
  TByteArray2D m(columns, rows);
  for (size_t i = 0; i < m.Storage().Length(); ++i) m.Storage().Data()[i] = static_cast<uint8_t>(i + 1);
  return m;
}

TEST(WriteDib, LayoutOfHeadersPaletteAndRows) {
  ColorTable palette(16);
  std::string dib = WriteDib(Matrix(5, 2), palette);
  const size_t stride = 8;
  ASSERT_EQ(dib.size(), 1078 + stride * 2);
  EXPECT_EQ(dib.substr(0, 2), "BM");
  EXPECT_EQ(At32(dib, 2), dib.size());
  EXPECT_EQ(At32(dib, 6), 0u);
  EXPECT_EQ(At32(dib, 10), 1078u);
  EXPECT_EQ(At32(dib, 14), 40u);
  EXPECT_EQ(At32(dib, 18), 5u);
  EXPECT_EQ(At32(dib, 22), 2u);
  EXPECT_EQ(At16(dib, 26), 1);
  EXPECT_EQ(At16(dib, 28), 8);
  EXPECT_EQ(At32(dib, 30), 0u);
  EXPECT_EQ(At32(dib, 34), stride * 2);
  EXPECT_EQ(At32(dib, 38), 143u);
  EXPECT_EQ(At32(dib, 42), 143u);
  // Palette entry 9 is (255, 0, 0), stored blue, green, red, 0.
  EXPECT_EQ(dib.substr(54 + 4 * 9, 4), std::string("\0\0\xff\0", 4));
  // The last row comes first, padded to 8 bytes.
  EXPECT_EQ(dib.substr(1078), std::string("\6\7\x08\x09\x0a\0\0\0\1\2\3\4\5\0\0\0", 16));
}

TEST(TBitmap, ReadsBackWhatWasWritten) {
  for (uint32_t width : {0u, 1u, 3u, 4u, 7u}) {
    TByteArray2D m = Matrix(width, 3);
    TBitmap bitmap = TBitmap::LoadFromStream(WriteDib(m, ColorTable(256)));
    EXPECT_EQ(bitmap.Width(), static_cast<int32_t>(width));
    EXPECT_EQ(bitmap.Height(), 3);
    for (uint32_t y = 0; y < 3; ++y)
      for (uint32_t x = 0; x < width; ++x) EXPECT_EQ(bitmap.Pixel(x, y), m.Storage().Data()[y * width + x]);
    EXPECT_EQ(bitmap.PaletteEntry(200), (TGifColor{200, 200, 200}));
  }
}

TEST(TBitmap, TopDownStreamsAreReadToo) {
  std::string dib = WriteDib(Matrix(4, 2), ColorTable(2));
  dib[22] = '\xfe';  // height -2
  dib[23] = dib[24] = dib[25] = '\xff';
  TBitmap bitmap = TBitmap::LoadFromStream(dib);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.Pixel(0, 0), 5);  // the first stored row is now the top
}

TEST(TBitmap, RejectsStreamsItCannotRead) {
  std::string good = WriteDib(Matrix(4, 2), ColorTable(2));
  auto broken = [&](size_t at, char value) {
    std::string s = good;
    s[at] = value;
    return s;
  };
  for (const std::string& bad : {std::string(), good.substr(0, 53), good.substr(0, good.size() - 1),
                                 broken(0, 'X'), broken(28, 24), broken(30, 1), broken(26, 2),
                                 broken(25, '\x80'), broken(10, '\xff'), broken(47, 2)}) {
    try {
      TBitmap::LoadFromStream(bad);
      ADD_FAILURE() << bad.size();
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
  }
}

}  // namespace
}  // namespace orv
