// Bounds-checked reading of GIF data: bytes, 16-bit little-endian words and
// data sub-blocks, from data held in memory or from an open file read as it
// goes. Reading past the end raises the input/output error, so no reader
// ever looks beyond the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

// A cursor over a byte span, or over a file of which it holds only a small
// window at a time.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}
  // Reads the open file `fd` (which stays the caller's to close) from where
  // it stands.
  explicit ByteReader(int fd) : fd_(fd) {}

  uint8_t ReadByte();
  uint16_t ReadWord();
  // The next `count` bytes, valid until the next read; EInOutError when
  // fewer remain (or the file cannot be read).
  std::string_view ReadBytes(size_t count);
  // Reads a sequence of sub-blocks (a size byte, then that many bytes) up to
  // the terminating size 0, handing each block's bytes to `add`.
  void ReadSubBlocks(const std::function<void(std::string_view)>& add);
  // The total size of the sub-blocks that start here, without moving on
  // (counting only what is in memory: a hint for reserving room).
  size_t PeekSubBlocksSize() const;

 private:
  // Makes at least `count` bytes from the read position available in
  // data_, reading the file; false when it ends before.
  bool Fill(size_t count);

  std::string_view data_;
  size_t pos_ = 0;
  int fd_ = -1;
  std::string window_;
};

}  // namespace orv
