// Test helpers that write image data: an LZW encoder with switches for the
// unusual streams a decoder must accept, a packer for hand-made code
// sequences, a writer for the blocks of a GIF file, and a JPEG maker.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::test {

// Switches of the test LZW encoder.
struct LzwOptions {
  bool ClearFirst = true;     // start the stream with a clear code
  bool DeferClear = false;    // keep a full table instead of clearing it
  bool EndCode = true;        // finish with the end code
};

// LZW-encodes `pixels` (each below 2^min_code_size) as GIF image data.
std::string EncodeLzw(const std::vector<uint8_t>& pixels, int min_code_size, LzwOptions options = {});

// Packs codes of given widths least significant bit first.
class CodePacker {
 public:
  CodePacker& Add(uint32_t code, int width);
  std::string Bytes() const;

 private:
  std::string bytes_;
  uint32_t bits_ = 0;
  int count_ = 0;
};

// The rows of a `width` x `height` image in the order an interlaced file
// stores them.
std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& pixels, int width, int height);

// Colour `i` of the tables the writer makes.
uint8_t TestRed(int i);
uint8_t TestGreen(int i);
uint8_t TestBlue(int i);

// Writes the blocks of a GIF file in the order called.
class GifWriter {
 public:
  GifWriter& Header(const std::string& signature = "GIF89a");
  // Logical screen descriptor; `global_bits` 0 means no global table,
  // otherwise a table of 2^global_bits test colours follows.
  GifWriter& Screen(uint16_t width, uint16_t height, int global_bits);
  GifWriter& Extension(uint8_t label, const std::string& header, const std::vector<std::string>& blocks);
  // Image descriptor, local table of 2^local_bits test colours (none when 0),
  // code size byte and `lzw` cut into sub-blocks of up to 255 bytes.
  GifWriter& Image(uint16_t width, uint16_t height, bool interlaced, int local_bits, int min_code_size,
                   const std::string& lzw, uint16_t left = 0, uint16_t top = 0);
  GifWriter& Trailer();
  GifWriter& Raw(const std::string& bytes);
  const std::string& Bytes() const { return bytes_; }

 private:
  void Word(uint16_t v);
  void Table(int bits);
  std::string bytes_;
};

// A grey JPEG image of the given size, made with the JPEG library.
std::string MakeJpeg(unsigned width, unsigned height);

}  // namespace orv::test
