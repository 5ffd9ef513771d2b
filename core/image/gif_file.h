// The GIF reader: loads a GIF file (87a or 89a) into memory with its logical
// screen, global colour table and every image with the extension blocks that
// precede it, each image's pixels decoded from its LZW data. The site compiler
// uses it to learn an image's size through AsBitmap.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/image/bitmap.h"
#include "core/image/byte_arrays.h"
#include "core/image/byte_buffer.h"
#include "core/image/color_table.h"
#include "core/image/gif_extension.h"
#include "core/image/image_size.h"

namespace orv {

class ByteReader;
class TGifFile;

// Largest number of pixels that one file may hold over all its images
// (256 Mi); a file beyond it is refused with ENotEnoughMemory. Each image also
// counts kGifImageOverhead pixels for its tables and lists, so a file of
// countless tiny images is bounded too (to 65536 images).
inline constexpr uint64_t kMaxGifPixels = uint64_t{1} << 28;
inline constexpr uint64_t kGifImageOverhead = 4096;

// One image of a GIF file: its descriptor, the extensions read before it, its
// local colour table, its LZW data as read and its decoded pixels (one colour
// index per byte, Width columns by Height rows, in display order).
class TGifSubImage {
 public:
  // `color_count` must be 2, 4, 8, ..., 256, else EGifException "Number of
  // colors (n) wrong; must be a power of 2". The bits per pixel become its
  // base-2 logarithm, and so does the LZW minimum code size (at least 2).
  TGifSubImage(int color_count, TGifFile* owner);

  // Reads the image descriptor, local colour table and LZW data (the reader
  // stands after the image separator) and decodes the pixels. An image whose
  // pixels and kGifImageOverhead exceed `pixels_allowed` is refused with
  // ENotEnoughMemory. With `keep_data` false the LZW data is decoded as its
  // sub-blocks are read and neither it nor the pixels are kept (Data and
  // Pixels stay empty).
  void Read(ByteReader& reader, uint64_t pixels_allowed, bool keep_data = true);

  TGifFile* Owner;
  uint8_t LzwCodeSize;
  TByteBuffer Data;
  uint16_t Left = 0;
  uint16_t Top = 0;
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t PackedField = 0;
  bool Interlaced = false;
  bool HasLocalColorTable = false;
  uint8_t BitsPerPixel;
  std::vector<TExtension> Extensions;
  TByteArray2D Pixels{0, 0};
  ColorTable LocalColorTable;

 private:
  void DecodePixels();
  // Decodes the sub-blocks that follow into scratch pixels, then reads past
  // any left after the end code.
  void DecodeAsRead(ByteReader& reader);
};

// A GIF file in memory. A new object stands for an empty 87a file with a
// two-colour global table.
class TGifFile {
 public:
  TGifFile();

  // What a load keeps of the file.
  enum class Keep {
    Everything,
    // The screen and the first image's descriptor: no pixels, LZW data,
    // extension blocks or later images. The data is read and checked as for
    // Everything (with the same outcome), each image decoded as its
    // sub-blocks are read, so memory stays within the largest image's
    // pixels, whatever the size of the file.
    FirstImageSize,
  };

  // Loads the file, reading it as it goes; EInOutError ("Cannot open file
  // "<name>". <reason>") when it cannot be read, or as LoadFromMemory.
  void LoadFromFile(const std::string& file_name, Keep keep = Keep::Everything);
  // Loads GIF data held in memory. Raises EGifException for format errors
  // (including a byte between blocks that is neither '!', ',' nor ';', named
  // in the message), ENotEnoughMemory for images beyond the size limits, and
  // EInOutError when the data ends early. On an error the object keeps what
  // was read before it.
  void LoadFromMemory(std::string_view data, Keep keep = Keep::Everything);
  // Loads the GIF data that `reader` gives, as LoadFromMemory.
  void Load(ByteReader& reader, Keep keep);

  // The first image as an 8-bit bitmap; EGifException when there is none.
  TBitmap AsBitmap() const;

  std::string Header = "GIF87a";
  uint16_t ScreenWidth = 0;
  uint16_t ScreenHeight = 0;
  uint8_t PackedField = 0;
  uint8_t BackgroundIndex = 0;
  uint8_t AspectRatio = 0;
  bool HasGlobalColorTable = true;
  ColorTable GlobalColorTable{2};
  uint8_t BitsPerPixel = 1;
  std::vector<std::unique_ptr<TGifSubImage>> SubImages;
};

// The size of the first image of a GIF file, what AsBitmap after a full
// load gives, found with Keep::FirstImageSize. Raises as LoadFromFile
// (LoadFromMemory), and EGifException when the file holds no image.
TImageSize ReadGifSize(const std::string& file_name);
TImageSize ReadGifSizeFromMemory(std::string_view data);

}  // namespace orv
