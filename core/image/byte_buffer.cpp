#include "core/image/byte_buffer.h"

#include "core/image/image_errors.h"

namespace orv {

[[noreturn]] static void RaiseListIndex(size_t index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TByteBuffer::AddBlock(std::string_view block) {
  if (block.empty()) return;
  data_.append(block);
  block_ends_.push_back(data_.size());
}

std::string_view TByteBuffer::Block(size_t index) const {
  if (index < 1 || index > block_ends_.size()) RaiseListIndex(index - 1);
  size_t begin = index == 1 ? 0 : block_ends_[index - 2];
  return std::string_view(data_).substr(begin, block_ends_[index - 1] - begin);
}

uint8_t TByteBuffer::GetByte() {
  std::string_view block = Block(block_);
  uint8_t byte = static_cast<uint8_t>(block[position_ - 1]);
  if (position_ == block.size()) {
    ++block_;
    position_ = 1;
  } else {
    ++position_;
  }
  return byte;
}

void TByteBuffer::Rewind() {
  block_ = 1;
  position_ = 1;
}

}  // namespace orv
