#include "core/image/byte_arrays.h"

#include <gtest/gtest.h>

#include "core/image/byte_buffer.h"
#include "core/image/color_table.h"
#include "core/image/image_errors.h"

namespace orv {
namespace {

template <class E, class F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(TBigByteArray, ElementsAreOneBasedAndZeroFilled) {
  TBigByteArray a(3);
  EXPECT_EQ(a.Length(), 3u);
  EXPECT_EQ(a.Get(1), 0);
  a.Set(3, 7);
  EXPECT_EQ(a.Get(3), 7);
  for (size_t bad : {size_t{0}, size_t{4}})
    EXPECT_EQ(MessageOf<EIndexOutOfBounds>([&] { a.Get(bad); }), "Dynamic array index out of bounds");
  EXPECT_THROW(a.Set(0, 1), EIndexOutOfBounds);
}

TEST(TBigByteArray, RefusesBlocksBeyondTheLimit) {
  EXPECT_NO_THROW(TBigByteArray(0));
  std::string message = MessageOf<ENotEnoughMemory>([] { TBigByteArray(kMaxByteArraySize + 1); });
  EXPECT_EQ(message,
            "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
            " requested memory block: 67108865 bytes");
  // 65535 x 65535 pixels: the product must not wrap around.
  EXPECT_THROW(TByteArray2D(65535, 65535), ENotEnoughMemory);
  EXPECT_THROW(TByteArray2D(65535, 65535), EOutOfMemory);
}

TEST(TByteArray2D, RowsAreCopiedInAndOut) {
  TByteArray2D m(3, 2);
  TBigByteArray row(3);
  row.Set(1, 1);
  row.Set(2, 2);
  row.Set(3, 3);
  m.SetRow(2, row);
  EXPECT_EQ(m.Storage().Get(4), 1);
  EXPECT_EQ(m.Storage().Get(6), 3);
  TBigByteArray copy = m.GetRow(2);
  copy.Set(1, 9);
  EXPECT_EQ(m.GetRow(2).Get(1), 1);
  EXPECT_EQ(m.GetRow(1).Get(1), 0);
  EXPECT_THROW(m.GetRow(0), EIndexOutOfBounds);
  EXPECT_THROW(m.GetRow(3), EIndexOutOfBounds);
  EXPECT_THROW(m.SetRow(3, row), EIndexOutOfBounds);
  EXPECT_EQ(MessageOf<Exception>([&] { m.SetRow(1, TBigByteArray(2)); }),
            "Row doesn't have equal number of elements as Matrix row");
}

TEST(ColorTable, PresetsByCount) {
  ColorTable two(2);
  EXPECT_EQ(two.Count, 2);
  EXPECT_EQ(two.Colors[0], (TGifColor{0, 0, 0}));
  EXPECT_EQ(two.Colors[1], (TGifColor{255, 255, 255}));
  ColorTable sixteen(16);
  EXPECT_EQ(sixteen.Colors[1], (TGifColor{128, 0, 0}));
  EXPECT_EQ(sixteen.Colors[8], (TGifColor{192, 192, 192}));
  EXPECT_EQ(sixteen.Colors[11], (TGifColor{255, 255, 0}));
  EXPECT_EQ(sixteen.Colors[15], (TGifColor{255, 255, 255}));
  ColorTable grey(256);
  EXPECT_EQ(grey.Colors[77], (TGifColor{77, 77, 77}));
  ColorTable other(8);
  EXPECT_EQ(other.Count, 8);
  EXPECT_EQ(other.Colors[1], (TGifColor{0, 0, 0}));
}

TEST(TByteBuffer, HandsOutBytesBlockByBlock) {
  TByteBuffer buffer;
  buffer.AddBlock("ab");
  buffer.AddBlock("");
  buffer.AddBlock("c");
  EXPECT_EQ(buffer.BlockCount(), 2u);
  EXPECT_EQ(buffer.TotalBytes(), 3u);
  EXPECT_EQ(buffer.Block(2), "c");
  EXPECT_EQ(buffer.GetByte(), 'a');
  EXPECT_EQ(buffer.GetByte(), 'b');
  EXPECT_EQ(buffer.CurrentBlock(), 2u);
  EXPECT_EQ(buffer.Position(), 1u);
  EXPECT_EQ(buffer.GetByte(), 'c');
  EXPECT_EQ(MessageOf<EListError>([&] { buffer.GetByte(); }), "List index out of bounds (2)");
  buffer.Rewind();
  EXPECT_EQ(buffer.GetByte(), 'a');
  EXPECT_THROW(buffer.Block(0), EListError);
}

}  // namespace
}  // namespace orv
