#include "core/image/bitmap.h"

#include <cstring>

#include "platform/exception.h"

namespace orv {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;  // 1078
constexpr uint32_t kPixelsPerMetre = 143;

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

uint32_t Get32(std::string_view s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 |
                               static_cast<uint8_t>(s[at + 2]) << 16 |
                               static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24);
}

uint16_t Get16(std::string_view s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}

size_t RowStride(uint32_t width) { return (size_t{width} + 3) & ~size_t{3}; }

[[noreturn]] void RaiseInvalid() { throw EInOutError("Bitmap image is not valid"); }

}  // namespace

std::string WriteDib(const TByteArray2D& pixels, const ColorTable& palette) {
  const uint32_t width = pixels.Columns();
  const uint32_t height = pixels.Rows();
  const size_t stride = RowStride(width);
  const uint32_t image_size = static_cast<uint32_t>(stride * height);
  std::string out;
  out.reserve(kPixelOffset + image_size);
  out += "BM";
  Put32(out, kPixelOffset + image_size);
  Put32(out, 0);  // two reserved words
  Put32(out, kPixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);  // planes
  Put16(out, 8);  // bits per pixel
  Put32(out, 0);  // no compression
  Put32(out, image_size);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used: all 256
  Put32(out, 0);  // important colours: all
  for (const TGifColor& c : palette.Colors) {
    out.push_back(static_cast<char>(c.Blue));
    out.push_back(static_cast<char>(c.Green));
    out.push_back(static_cast<char>(c.Red));
    out.push_back('\0');
  }
  const uint8_t* data = pixels.Storage().Data();
  for (uint32_t row = height; row-- > 0;) {
    out.append(reinterpret_cast<const char*>(data + size_t{row} * width), width);
    out.append(stride - width, '\0');
  }
  return out;
}

TBitmap TBitmap::LoadFromStream(std::string_view stream) {
  if (stream.size() < kFileHeaderSize + kInfoHeaderSize || stream.substr(0, 2) != "BM") RaiseInvalid();
  const uint32_t pixel_offset = Get32(stream, 10);
  const uint32_t info_size = Get32(stream, 14);
  const int32_t width = static_cast<int32_t>(Get32(stream, 18));
  const int32_t raw_height = static_cast<int32_t>(Get32(stream, 22));
  const uint32_t colors_used = Get32(stream, 46);
  if (info_size < kInfoHeaderSize || Get16(stream, 26) != 1 || Get16(stream, 28) != 8 ||
      Get32(stream, 30) != 0 || width < 0 || raw_height == INT32_MIN || colors_used > 256)
    RaiseInvalid();
  const uint32_t height = static_cast<uint32_t>(raw_height < 0 ? -raw_height : raw_height);
  const size_t palette_at = kFileHeaderSize + size_t{info_size};
  const size_t palette_count = colors_used == 0 ? 256 : colors_used;
  const size_t stride = RowStride(static_cast<uint32_t>(width));
  if (palette_at + 4 * palette_count > stream.size() || pixel_offset > stream.size() ||
      (stride != 0 && (stream.size() - pixel_offset) / stride < height))
    RaiseInvalid();

  TBitmap bitmap;
  bitmap.width_ = width;
  bitmap.height_ = static_cast<int32_t>(height);
  for (size_t i = 0; i < palette_count; ++i) {
    const size_t at = palette_at + 4 * i;
    bitmap.palette_[i] = {static_cast<uint8_t>(stream[at + 2]), static_cast<uint8_t>(stream[at + 1]),
                          static_cast<uint8_t>(stream[at])};
  }
  bitmap.pixels_.resize(size_t{height} * static_cast<uint32_t>(width));
  for (uint32_t row = 0; width > 0 && row < height; ++row) {
    const uint32_t stored = raw_height < 0 ? row : height - 1 - row;
    std::memcpy(bitmap.pixels_.data() + size_t{row} * width,
                  stream.data() + pixel_offset + size_t{stored} * stride, static_cast<uint32_t>(width));
  }
  return bitmap;
}

}  // namespace orv
