#include "core/image/png_size.h"

#include <array>
#include <string>

#include "core/image/image_errors.h"

namespace orv {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr size_t kSignatureBytes = 8;
// Signature, chunk length and type, 13 bytes of IHDR data, CRC.
constexpr size_t kHeaderBytes = kSignatureBytes + 8 + 13 + 4;
// Width and height are at most 2^31 - 1.
constexpr uint32_t kMaxDimension = 0x7fffffff;

uint32_t BigEndian32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

// The CRC-32 of PNG chunks (polynomial 0xEDB88320, reflected).
uint32_t Crc32(const std::string& bytes, size_t from, size_t to) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xffffffffu;
  for (size_t i = from; i < to; ++i) crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xff] ^ (crc >> 8);
  return crc ^ 0xffffffffu;
}

// Whether `depth` is a bit depth that colour type `type` allows.
bool ValidDepth(int type, int depth) {
  switch (type) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

}  // namespace

TImageSize ReadPngSize(const ImageSource& source) {
  const std::string bytes = source.Read(0, kHeaderBytes);
  if (bytes.compare(0, kSignatureBytes, kSignature, kSignatureBytes) != 0) throw EImageError("Not a PNG file");
  if (bytes.size() < kHeaderBytes) throw EImageError("PNG file ends inside its IHDR chunk");
  if (BigEndian32(bytes, 8) != 13 || bytes.compare(12, 4, "IHDR") != 0)
    throw EImageError("PNG file does not begin with an IHDR chunk");
  if (Crc32(bytes, 12, 29) != BigEndian32(bytes, 29)) throw EImageError("PNG IHDR chunk is damaged (CRC error)");
  const TImageSize size{BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
  if (size.Width == 0 || size.Height == 0 || size.Width > kMaxDimension || size.Height > kMaxDimension)
    throw EImageError("PNG image size " + std::to_string(size.Width) + " x " + std::to_string(size.Height) +
                      " is out of range");
  const int depth = static_cast<unsigned char>(bytes[24]);
  const int type = static_cast<unsigned char>(bytes[25]);
  if (!ValidDepth(type, depth))
    throw EImageError("PNG IHDR chunk has colour type " + std::to_string(type) + " with bit depth " +
                      std::to_string(depth));
  if (bytes[26] != 0 || bytes[27] != 0 || (bytes[28] != 0 && bytes[28] != 1))
    throw EImageError("PNG IHDR chunk has an unknown compression, filter or interlace method");
  return size;
}

}  // namespace orv
