// Bounds-checked reading of a file held in memory: bytes, 16-bit
// little-endian words and GIF data sub-blocks. Reading past the end raises
// the input/output error, so no reader ever looks beyond the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace orv {

// A cursor over a byte span.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  uint8_t ReadByte();
  uint16_t ReadWord();
  // The next `count` bytes; EInOutError when fewer remain.
  std::string_view ReadBytes(size_t count);
  // Reads a sequence of sub-blocks (a size byte, then that many bytes) up to
  // the terminating size 0, handing each block's bytes to `add`.
  void ReadSubBlocks(const std::function<void(std::string_view)>& add);
  // The total size of the sub-blocks that start here, without moving on
  // (counting only what the data holds).
  size_t PeekSubBlocksSize() const;

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

}  // namespace orv
