#include "platform/record_file.h"

#include <cstring>
#include <utility>

#include "platform/exception.h"

namespace orv {

RecordReader::RecordReader(const std::string& bytes, std::string kind, std::string path)
    : bytes_(bytes), kind_(std::move(kind)), path_(std::move(path)) {}

int32_t RecordReader::Int32(const char* what) {
  if (bytes_.size() - pos_ < 4) Corrupt(std::string(what) + " runs past the end of the file");
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + i]);
  pos_ += 4;
  return static_cast<int32_t>(v);
}

std::string RecordReader::Text() {
  int32_t length = Int32("a text length");
  if (length < 0) Corrupt("a text length is negative");
  if (bytes_.size() - pos_ < static_cast<size_t>(length)) Corrupt("a text runs past the end of the file");
  std::string text = bytes_.substr(pos_, static_cast<size_t>(length));
  pos_ += static_cast<size_t>(length);
  text.resize(std::strlen(text.c_str()));  // cut at a zero byte
  return text;
}

int32_t RecordReader::Count(size_t min_record_size) {
  int32_t count = Int32("the count");
  if (count < 0) Corrupt("the count is negative");
  // A count beyond what the rest of the file can hold cannot be satisfied,
  // whatever the texts hold.
  if (static_cast<size_t>(count) > (bytes_.size() - pos_) / min_record_size)
    Corrupt("the count runs past the end of the file");
  return count;
}

void RecordReader::Corrupt(const std::string& why) const {
  throw EInOutError(kind_ + " file \"" + path_ + "\" is corrupt: " + why);
}

void PutInt32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void PutText(std::string& out, const std::string& text) {
  PutInt32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

}  // namespace orv
