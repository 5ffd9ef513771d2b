#include "core/image/byte_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exception.h"

namespace orv {

namespace {

// How much of a file one read asks for.
constexpr size_t kReadSize = 64 << 10;

}  // namespace

bool ByteReader::Fill(size_t count) {
  if (fd_ < 0) return false;
  window_.erase(0, pos_);
  pos_ = 0;
  while (window_.size() < count) {
    size_t have = window_.size();
    window_.resize(have + std::max(kReadSize, count - have));
    ssize_t n = ::read(fd_, window_.data() + have, window_.size() - have);
    while (n < 0 && errno == EINTR) n = ::read(fd_, window_.data() + have, window_.size() - have);
    window_.resize(have + (n > 0 ? static_cast<size_t>(n) : 0));
    if (n < 0) throw EInOutError(std::string("Cannot read file. ") + std::strerror(errno));
    if (n == 0) break;
  }
  data_ = window_;
  return window_.size() >= count;
}

std::string_view ByteReader::ReadBytes(size_t count) {
  if (count > data_.size() - pos_ && !Fill(count)) throw EInOutError("Read beyond end of file");
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
