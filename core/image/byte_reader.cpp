#include "core/image/byte_reader.h"

#include "platform/exception.h"

namespace orv {

std::string_view ByteReader::ReadBytes(size_t count) {
  if (count > data_.size() - pos_) throw EInOutError("Read beyond end of file");
  std::string_view bytes = data_.substr(pos_, count);
  pos_ += count;
  return bytes;
}

uint8_t ByteReader::ReadByte() { return static_cast<uint8_t>(ReadBytes(1)[0]); }

uint16_t ByteReader::ReadWord() {
  std::string_view bytes = ReadBytes(2);
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8);
}

void ByteReader::ReadSubBlocks(const std::function<void(std::string_view)>& add) {
  for (uint8_t size = ReadByte(); size != 0; size = ReadByte()) add(ReadBytes(size));
}

size_t ByteReader::PeekSubBlocksSize() const {
  size_t total = 0;
  for (size_t at = pos_; at < data_.size() && data_[at] != 0; at += 1 + static_cast<uint8_t>(data_[at]))
    total += static_cast<uint8_t>(data_[at]);
  return total;
}

}  // namespace orv
