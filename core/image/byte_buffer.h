// The LZW data of one GIF image as read from the file: its data sub-blocks,
// kept in order, with a cursor that hands them out byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The data sub-blocks of an image (each 1 to 255 bytes). Blocks and read
// positions are numbered from 1. The bytes are also kept joined, so the
// decoder can read them without going block by block.
class TByteBuffer {
 public:
  // Appends one block; an empty block is ignored (it would end a sequence of
  // sub-blocks in the file, it is never data).
  void AddBlock(std::string_view block);
  // Makes room for `bytes` bytes of blocks in one allocation.
  void Reserve(size_t bytes) { data_.reserve(bytes); }

  size_t BlockCount() const { return block_ends_.size(); }
  // Block `index` (1-based); EListError outside 1 to BlockCount().
  std::string_view Block(size_t index) const;
  size_t TotalBytes() const { return data_.size(); }
  // All blocks joined, in order.
  std::string_view Data() const { return data_; }

  // The next byte, moving to the next block when the current one is used up;
  // EListError past the last block.
  uint8_t GetByte();
  // Index of the current block and the read position in it (both 1-based).
  size_t CurrentBlock() const { return block_; }
  size_t Position() const { return position_; }
  // Moves the cursor back to the first byte of the first block.
  void Rewind();

 private:
  std::string data_;
  std::vector<size_t> block_ends_;
  size_t block_ = 1;
  size_t position_ = 1;
};

}  // namespace orv
