#include "core/image/lzw_decoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/image/image_test_writer.h"
#include "core/image/image_errors.h"

namespace orv {
namespace {

using test::CodePacker;
using test::EncodeLzw;
using test::LzwOptions;

// Decodes into a zero-filled buffer of `capacity` bytes and returns the
// buffer cut to the pixels written.
std::vector<uint8_t> Decode(const std::string& data, int min_code_size, size_t capacity) {
  std::vector<uint8_t> out(capacity);
  size_t count = DecodeLzw(data, min_code_size, out.data(), capacity);
  for (size_t i = count; i < capacity; ++i) EXPECT_EQ(out[i], 0) << "byte after the pixels at " << i;
  out.resize(count);
  return out;
}

std::vector<uint8_t> Pattern(size_t n, int colors, unsigned seed) {
  std::vector<uint8_t> p(n);
  unsigned x = seed;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245 + 12345;
    // Runs of repeated colours give long strings as well as short ones.
    p[i] = (i % 37 < 20) ? static_cast<uint8_t>((i / 97) % colors) : static_cast<uint8_t>((x >> 16) % colors);
  }
  return p;
}

TEST(DecodeLzw, CodeSizeMustBeTwoToNine) {
  uint8_t out[4];
  for (int size : {0, 1, 10, 12}) {
    try {
      DecodeLzw("", size, out, 4);
      ADD_FAILURE() << size;
    } catch (const EGifException& e) {
      EXPECT_STREQ(e.what(), "Bad code Size");
    }
  }
  EXPECT_EQ(DecodeLzw("", 9, out, 4), 0u);
}

TEST(DecodeLzw, RoundTripsEveryCodeSize) {
  for (int bits = 2; bits <= 8; ++bits) {
    std::vector<uint8_t> pixels = Pattern(20000, 1 << bits, bits);
    EXPECT_EQ(Decode(EncodeLzw(pixels, bits), bits, pixels.size()), pixels) << bits;
  }
}

TEST(DecodeLzw, AcceptsADeferredClear) {
  // Enough varied data to fill the table many times over without a clear.
  std::vector<uint8_t> pixels = Pattern(200000, 256, 7);
  std::string data = EncodeLzw(pixels, 8, LzwOptions{.DeferClear = true});
  EXPECT_EQ(Decode(data, 8, pixels.size()), pixels);
}

TEST(DecodeLzw, StreamMayStartWithoutClearAndEndWithoutEndCode) {
  std::vector<uint8_t> pixels = Pattern(5000, 4, 3);
  std::string data = EncodeLzw(pixels, 2, LzwOptions{.ClearFirst = false, .EndCode = false});
  EXPECT_EQ(Decode(data, 2, pixels.size()), pixels);
}

TEST(DecodeLzw, KwKwKCodeRepeatsThePreviousString) {
  // clear, 1, 6 (= next free: "1" + "1"), 7 (= next free: "11" + "1"), end
  std::string data = CodePacker().Add(4, 3).Add(1, 3).Add(6, 3).Add(7, 3).Add(5, 4).Bytes();
  EXPECT_EQ(Decode(data, 2, 10), (std::vector<uint8_t>{1, 1, 1, 1, 1, 1}));
}

TEST(DecodeLzw, RepeatedClearsAreSkippedAndAStrayFirstCodeIsZero) {
  // clear, clear, 7 (not yet defined: taken as 0), 2, end
  std::string data = CodePacker().Add(4, 3).Add(4, 3).Add(7, 3).Add(2, 3).Add(5, 3).Bytes();
  EXPECT_EQ(Decode(data, 2, 10), (std::vector<uint8_t>{0, 2}));
}

TEST(DecodeLzw, EndRightAfterClearEndsTheImage) {
  std::string data = CodePacker().Add(4, 3).Add(1, 3).Add(4, 3).Add(5, 3).Bytes();
  EXPECT_EQ(Decode(data, 2, 4), (std::vector<uint8_t>{1}));
  EXPECT_EQ(Decode(CodePacker().Add(4, 3).Add(5, 3).Bytes(), 2, 0), std::vector<uint8_t>{});
}

TEST(DecodeLzw, CodeBeyondNextFreeIsBad) {
  // clear, 1, 7 while the next free code is 6
  std::string data = CodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Bytes();
  try {
    Decode(data, 2, 10);
    ADD_FAILURE();
  } catch (const EGifException& e) {
    EXPECT_STREQ(e.what(), "Bad code");
  }
}

TEST(DecodeLzw, CodesWidenAtTheRightPlace) {
  // With 2-bit pixels the width becomes 4 after the entries 6 and 7 exist.
  std::string data = CodePacker()
                         .Add(4, 3)
                         .Add(0, 3)
                         .Add(1, 3)   // adds 6 = 0 1
                         .Add(2, 3)   // adds 7 = 1 2, width 4
                         .Add(6, 4)   // adds 8 = 2 0
                         .Add(8, 4)   // adds 9 = 0 1 2
                         .Add(5, 4)
                         .Bytes();
  EXPECT_EQ(Decode(data, 2, 16), (std::vector<uint8_t>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(DecodeLzw, MorePixelsThanTheImageHoldsFail) {
  std::vector<uint8_t> pixels = Pattern(1000, 4, 1);
  std::string data = EncodeLzw(pixels, 2);
  for (size_t capacity : {size_t{0}, size_t{1}, size_t{999}}) {
    try {
      Decode(data, 2, capacity);
      ADD_FAILURE() << capacity;
    } catch (const EIndexOutOfBounds& e) {
      EXPECT_STREQ(e.what(), "Dynamic array index out of bounds");
    }
  }
}

TEST(DecodeLzw, TruncatedDataStopsQuietly) {
  std::vector<uint8_t> pixels = Pattern(3000, 16, 5);
  std::string data = EncodeLzw(pixels, 4);
  std::vector<uint8_t> got = Decode(data.substr(0, data.size() / 2), 4, pixels.size());
  ASSERT_LT(got.size(), pixels.size());
  EXPECT_TRUE(std::equal(got.begin(), got.end(), pixels.begin()));
}

TEST(DecodeLzw, NineBitCodeSizeKeepsTheLowByte) {
  std::string data = CodePacker().Add(512, 10).Add(300, 10).Add(7, 10).Add(513, 10).Bytes();
  EXPECT_EQ(Decode(data, 9, 4), (std::vector<uint8_t>{300 & 0xFF, 7}));
}

}  // namespace
}  // namespace orv
