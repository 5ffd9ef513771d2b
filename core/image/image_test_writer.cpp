#include "core/image/image_test_writer.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>
// The JPEG library's header needs FILE declared before it.
#include <jpeglib.h>

namespace orv::test {

CodePacker& CodePacker::Add(uint32_t code, int width) {
  bits_ |= code << count_;
  count_ += width;
  while (count_ >= 8) {
    bytes_.push_back(static_cast<char>(bits_ & 0xFF));
    bits_ >>= 8;
    count_ -= 8;
  }
  return *this;
}

std::string CodePacker::Bytes() const {
  std::string out = bytes_;
  if (count_ > 0) out.push_back(static_cast<char>(bits_ & 0xFF));
  return out;
}

std::string EncodeLzw(const std::vector<uint8_t>& pixels, int min_code_size, LzwOptions options) {
  const uint32_t clear = 1u << min_code_size;
  const uint32_t end = clear + 1;
  std::unordered_map<uint32_t, uint32_t> table;  // prefix << 8 | byte -> code
  uint32_t next = end + 1;
  int width = min_code_size + 1;
  CodePacker packer;
  auto reset = [&] {
    table.clear();
    next = end + 1;
    width = min_code_size + 1;
  };
  if (options.ClearFirst) packer.Add(clear, width);
  if (pixels.empty()) {
    if (options.EndCode) packer.Add(end, width);
    return packer.Bytes();
  }
  uint32_t current = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    uint32_t key = current << 8 | pixels[i];
    auto found = table.find(key);
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    packer.Add(current, width);
    if (next < 4096) {
      table[key] = next;
      // The decoder adds each entry one code later, so it widens after
      // the code that follows the entry 2^width.
      if (next++ == (1u << width) && width < 12) ++width;
    }
    if (next == 4096 && !options.DeferClear) {
      packer.Add(clear, width);
      reset();
    }
    current = pixels[i];
  }
  packer.Add(current, width);
  if (options.EndCode) {
    if (next < 4096 && next++ == (1u << width) && width < 12) ++width;
    packer.Add(end, width);
  }
  return packer.Bytes();
}

std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& pixels, int width, int height) {
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  std::vector<uint8_t> out;
  for (int pass = 0; pass < 4; ++pass)
    for (int row = kStart[pass]; row < height; row += kStep[pass])
      out.insert(out.end(), pixels.begin() + row * width, pixels.begin() + (row + 1) * width);
  return out;
}

uint8_t TestRed(int i) { return static_cast<uint8_t>(i); }
uint8_t TestGreen(int i) { return static_cast<uint8_t>(255 - i); }
uint8_t TestBlue(int i) { return static_cast<uint8_t>(i * 7); }

void GifWriter::Word(uint16_t v) {
  bytes_.push_back(static_cast<char>(v & 0xFF));
  bytes_.push_back(static_cast<char>(v >> 8));
}

void GifWriter::Table(int bits) {
  for (int i = 0; i < (1 << bits); ++i) {
    bytes_.push_back(static_cast<char>(TestRed(i)));
    bytes_.push_back(static_cast<char>(TestGreen(i)));
    bytes_.push_back(static_cast<char>(TestBlue(i)));
  }
}

GifWriter& GifWriter::Header(const std::string& signature) {
  bytes_ += signature;
  return *this;
}

GifWriter& GifWriter::Screen(uint16_t width, uint16_t height, int global_bits) {
  Word(width);
  Word(height);
  bytes_.push_back(static_cast<char>(global_bits > 0 ? 0x80 | (global_bits - 1) : 0));
  bytes_.push_back('\0');  // background index
  bytes_.push_back('\0');  // aspect ratio
  if (global_bits > 0) Table(global_bits);
  return *this;
}

GifWriter& GifWriter::Extension(uint8_t label, const std::string& header, const std::vector<std::string>& blocks) {
  bytes_.push_back('!');
  bytes_.push_back(static_cast<char>(label));
  bytes_ += header;
  for (const std::string& block : blocks) {
    bytes_.push_back(static_cast<char>(block.size()));
    bytes_ += block;
  }
  if (label != 0xF9) bytes_.push_back('\0');
  return *this;
}

GifWriter& GifWriter::Image(uint16_t width, uint16_t height, bool interlaced, int local_bits, int min_code_size,
                            const std::string& lzw, uint16_t left, uint16_t top) {
  bytes_.push_back(',');
  Word(left);
  Word(top);
  Word(width);
  Word(height);
  int packed = (interlaced ? 0x40 : 0) | (local_bits > 0 ? 0x80 | (local_bits - 1) : 0);
  bytes_.push_back(static_cast<char>(packed));
  if (local_bits > 0) Table(local_bits);
  bytes_.push_back(static_cast<char>(min_code_size));
  for (size_t at = 0; at < lzw.size(); at += 255) {
    std::string block = lzw.substr(at, 255);
    bytes_.push_back(static_cast<char>(block.size()));
    bytes_ += block;
  }
  bytes_.push_back('\0');
  return *this;
}

GifWriter& GifWriter::Trailer() {
  bytes_.push_back(';');
  return *this;
}

GifWriter& GifWriter::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

std::string MakeJpeg(unsigned width, unsigned height) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(width, 128);
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < height) jpeg_write_scanlines(&info, rows, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

}  // namespace orv::test
