#include "core/image/gif_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/image/byte_reader.h"
#include "core/image/image_errors.h"
#include "core/image/lzw_decoder.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/window.h"

namespace orv {

namespace {

constexpr uint8_t kExtensionIntroducer = 0x21;  // '!'
constexpr uint8_t kImageSeparator = 0x2C;       // ','
constexpr uint8_t kTrailer = 0x3B;              // ';'

// Fills the first table.Count entries from the file.
void ReadColorTable(ByteReader& reader, ColorTable& table) {
  std::string_view bytes = reader.ReadBytes(size_t{3} * table.Count);
  for (int32_t i = 0; i < table.Count; ++i)
    table.Colors[i] = {static_cast<uint8_t>(bytes[3 * i]), static_cast<uint8_t>(bytes[3 * i + 1]),
                       static_cast<uint8_t>(bytes[3 * i + 2])};
}

// Image row of each decoded row of an interlaced image of `height` rows: the
// four passes start at rows 0, 4, 2, 1 and step 8, 8, 4, 2.
std::vector<uint32_t> InterlacedRows(uint32_t height) {
  static constexpr uint32_t kStart[4] = {0, 4, 2, 1};
  static constexpr uint32_t kStep[4] = {8, 8, 4, 2};
  std::vector<uint32_t> rows;
  rows.reserve(height);
  for (int pass = 0; pass < 4; ++pass)
    for (uint32_t row = kStart[pass]; row < height; row += kStep[pass]) rows.push_back(row);
  return rows;
}

// Moves the rows of `pixels`, decoded in interlaced order, to their places in
// the image, following the permutation's cycles with one spare row.
void Deinterlace(uint8_t* pixels, uint32_t width, uint32_t height) {
  std::vector<uint32_t> target = InterlacedRows(height);
  std::vector<uint32_t> source(height);
  for (uint32_t i = 0; i < height; ++i) source[target[i]] = i;
  std::vector<bool> done(height);
  std::vector<uint8_t> spare(width);
  auto row = [&](uint32_t r) { return pixels + size_t{r} * width; };
  for (uint32_t start = 0; start < height; ++start) {
    if (done[start] || source[start] == start) continue;
    std::memcpy(spare.data(), row(start), width);
    uint32_t r = start;
    while (source[r] != start) {
      std::memcpy(row(r), row(source[r]), width);
      done[r] = true;
      r = source[r];
    }
    std::memcpy(row(r), spare.data(), width);
    done[r] = true;
  }
}

}  // namespace

TGifSubImage::TGifSubImage(int color_count, TGifFile* owner) : Owner(owner) {
  int bits = 1;
  while (bits <= 8 && (1 << bits) != color_count) ++bits;
  if (bits > 8)
    throw EGifException("Number of colors (" + std::to_string(color_count) +
                        ") wrong; must be a power of 2");
  BitsPerPixel = static_cast<uint8_t>(bits);
  LzwCodeSize = static_cast<uint8_t>(bits == 1 ? 2 : bits);
  LocalColorTable = ColorTable(color_count);
}

void TGifSubImage::Read(ByteReader& reader, uint64_t pixels_allowed, bool keep_data) {
  Left = reader.ReadWord();
  Top = reader.ReadWord();
  Width = reader.ReadWord();
  Height = reader.ReadWord();
  PackedField = reader.ReadByte();
  Interlaced = (PackedField & 0x40) != 0;
  HasLocalColorTable = (PackedField & 0x80) != 0;
  BitsPerPixel = static_cast<uint8_t>((PackedField & 7) + 1);
  LocalColorTable.Count = 1 << BitsPerPixel;
  if (HasLocalColorTable) ReadColorTable(reader, LocalColorTable);
  uint64_t pixel_count = uint64_t{Width} * Height;
  if (pixel_count + kGifImageOverhead > pixels_allowed) RaiseNotEnoughMemory(pixel_count);
  Pixels = TByteArray2D(Width, Height);
  LzwCodeSize = reader.ReadByte();
  if (keep_data) {
    Data.Reserve(reader.PeekSubBlocksSize());
    reader.ReadSubBlocks([this](std::string_view block) { Data.AddBlock(block); });
    DecodePixels();
  } else {
    DecodeAsRead(reader);
    Pixels = TByteArray2D(0, 0);
  }
  // Even a large image decodes in a fraction of a second; letting the message
  // loop run after each one keeps a window that shows the build responsive.
  ProcessMessages();
}

void TGifSubImage::DecodePixels() {
  uint8_t* pixels = Pixels.Storage().Data();
  size_t count = DecodeLzw(Data.Data(), LzwCodeSize, pixels, Pixels.Storage().Length());
  if (Width == 0) return;
  // Only complete rows are kept: the pixels of a row cut short stay 0.
  uint32_t full_rows = static_cast<uint32_t>(count / Width);
  size_t kept = size_t{full_rows} * Width;
  std::memset(pixels + kept, 0, count - kept);
  if (Interlaced && full_rows > 0) Deinterlace(pixels, Width, Height);
}

void TGifSubImage::DecodeAsRead(ByteReader& reader) {
  bool blocks_left = true;
  LzwInput next_block = [&reader, &blocks_left]() -> std::string_view {
    uint8_t size = blocks_left ? reader.ReadByte() : 0;
    if (size == 0) blocks_left = false;
    return size == 0 ? std::string_view() : reader.ReadBytes(size);
  };
  DecodeLzw(next_block, LzwCodeSize, Pixels.Storage().Data(), Pixels.Storage().Length());
  while (blocks_left) next_block();
}

TGifFile::TGifFile() { GlobalColorTable = ColorTable(2); }

void TGifFile::LoadFromFile(const std::string& file_name, Keep keep) {
  CheckFileName(file_name, "Cannot open file");
  int fd = ::open(file_name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError("Cannot open file \"" + file_name + "\". " + std::strerror(errno));
  ByteReader reader(fd);
  try {
    Load(reader, keep);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
}

void TGifFile::LoadFromMemory(std::string_view data, Keep keep) {
  ByteReader reader(data);
  Load(reader, keep);
}

void TGifFile::Load(ByteReader& reader, Keep keep) {
  SubImages.clear();
  const bool everything = keep == Keep::Everything;
  Header = std::string(reader.ReadBytes(6));
  std::string_view version = std::string_view(Header).substr(3);
  if (version != "87a" && version != "89a" && version != "87A" && version != "89A")
    throw EGifException("Gif Version must be 87a or 89a");

  ScreenWidth = reader.ReadWord();
  ScreenHeight = reader.ReadWord();
  PackedField = reader.ReadByte();
  BackgroundIndex = reader.ReadByte();
  AspectRatio = reader.ReadByte();
  HasGlobalColorTable = (PackedField & 0x80) != 0;
  BitsPerPixel = static_cast<uint8_t>((PackedField & 7) + 1);
  GlobalColorTable.Count = 1 << BitsPerPixel;
  if (HasGlobalColorTable) ReadColorTable(reader, GlobalColorTable);

  uint64_t total_pixels = 0;
  uint8_t b = reader.ReadByte();
  while (b != kTrailer) {
    std::vector<TExtension> extensions;
    while (b == kExtensionIntroducer) {
      TExtension extension = ReadExtension(reader, reader.ReadByte(), everything);
      if (everything) extensions.push_back(std::move(extension));
      b = reader.ReadByte();
    }
    if (b == kImageSeparator) {
      auto image = std::make_unique<TGifSubImage>(GlobalColorTable.Count, this);
      image->Extensions = std::move(extensions);
      image->Read(reader, kMaxGifPixels - total_pixels, everything);
      total_pixels += uint64_t{image->Width} * image->Height + kGifImageOverhead;
      if (everything || SubImages.empty()) SubImages.push_back(std::move(image));
      b = reader.ReadByte();
    } else if (b != kTrailer) {
      throw EGifException("Unrecognized block.\r\nCode = $" + HexByte(b));
    }
  }
}

namespace {

TImageSize FirstImageSize(const TGifFile& gif) {
  if (gif.SubImages.empty()) throw EGifException("The GIF file holds no image");
  return TImageSize{gif.SubImages.front()->Width, gif.SubImages.front()->Height};
}

}  // namespace

TImageSize ReadGifSize(const std::string& file_name) {
  TGifFile gif;
  gif.LoadFromFile(file_name, TGifFile::Keep::FirstImageSize);
  return FirstImageSize(gif);
}

TImageSize ReadGifSizeFromMemory(std::string_view data) {
  TGifFile gif;
  gif.LoadFromMemory(data, TGifFile::Keep::FirstImageSize);
  return FirstImageSize(gif);
}

TBitmap TGifFile::AsBitmap() const {
  if (SubImages.empty()) throw EGifException("The GIF file holds no image");
  const TGifSubImage& image = *SubImages.front();
  const ColorTable& palette = image.HasLocalColorTable ? image.LocalColorTable : GlobalColorTable;
  return TBitmap::LoadFromStream(WriteDib(image.Pixels, palette));
}

}  // namespace orv
