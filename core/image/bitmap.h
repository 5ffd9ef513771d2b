// 8-bit device-independent bitmaps: the writer that turns a GIF image into a
// bitmap stream, and the small bitmap class that reads such a stream back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/image/byte_arrays.h"
#include "core/image/color_table.h"

namespace orv {

// Writes `pixels` as an 8-bit uncompressed bitmap stream: the 14-byte file
// header ("BM", pixel data at offset 1078), a 40-byte information header
// (one plane, 8 bits, 143 pixels per metre both ways), 256 palette entries
// (blue, green, red, 0) from `palette`, then the rows from the last to the
// first, each padded with zero bytes to a multiple of 4.
std::string WriteDib(const TByteArray2D& pixels, const ColorTable& palette);

// An 8-bit palette bitmap read from a bitmap stream.
class TBitmap {
 public:
  // Reads an uncompressed 8-bit bitmap stream (rows stored bottom-up, or
  // top-down when the height is negative). Anything else, or a stream too
  // short for its header, palette or rows, raises EInOutError "Bitmap image
  // is not valid".
  static TBitmap LoadFromStream(std::string_view stream);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Palette entry `index` (0 to 255); entries the stream lacks are black.
  const TGifColor& PaletteEntry(uint8_t index) const { return palette_[index]; }
  // The colour index at column `x`, row `y`, counted from the top left.
  uint8_t Pixel(int32_t x, int32_t y) const { return pixels_[size_t(y) * width_ + x]; }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::array<TGifColor, 256> palette_{};
  std::vector<uint8_t> pixels_;  // top-down, unpadded
};

}  // namespace orv
