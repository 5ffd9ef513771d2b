#include "core/site/user_settings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/exception.h"
#include "platform/files.h"

namespace orv {

TUserSetting& TUserSettingList::Add(std::string name, std::string value) {
  items_.push_back(std::make_unique<TUserSetting>(*this, std::move(name), std::move(value)));
  return *items_.back();
}

TUserSetting* TUserSettingList::Find(const std::string& name) const {
  for (const auto& item : items_)
    if (item->Name == name) return item.get();
  return nullptr;
}

void TUserSettingList::Delete(const std::string& name) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [&name](const auto& item) { return item->Name == name; });
  if (it != items_.end()) {
    items_.erase(it);
    ++removals_;
  }
}

namespace {

// Reads the little-endian fields of a setting-list file, refusing to run past
// its end.
class RecordReader {
 public:
  RecordReader(const std::string& bytes, const std::string& path) : bytes_(bytes), path_(path) {}

  int32_t Int32(const char* what) {
    if (bytes_.size() - pos_ < 4) Corrupt(std::string(what) + " runs past the end of the file");
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + i]);
    pos_ += 4;
    return static_cast<int32_t>(v);
  }

  std::string Text() {
    int32_t length = Int32("a text length");
    if (length < 0) Corrupt("a text length is negative");
    if (bytes_.size() - pos_ < static_cast<size_t>(length))
      Corrupt("a text runs past the end of the file");
    std::string text = bytes_.substr(pos_, static_cast<size_t>(length));
    pos_ += static_cast<size_t>(length);
    text.resize(std::strlen(text.c_str()));  // cut at a zero byte
    return text;
  }

  size_t Remaining() const { return bytes_.size() - pos_; }

  [[noreturn]] void Corrupt(const std::string& why) const {
    throw EInOutError("Setting-list file \"" + path_ + "\" is corrupt: " + why);
  }

 private:
  const std::string& bytes_;
  const std::string& path_;
  size_t pos_ = 0;
};

void PutInt32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

}  // namespace

void TUserSettingList::LoadFromBytes(const std::string& bytes, const std::string& path_for_errors) {
  RecordReader reader(bytes, path_for_errors);
  int32_t count = reader.Int32("the count");
  if (count < 0) reader.Corrupt("the count is negative");
  // Every record needs at least its two lengths: a count beyond that cannot
  // be satisfied, whatever the texts hold.
  if (static_cast<size_t>(count) > reader.Remaining() / 8)
    reader.Corrupt("the count runs past the end of the file");
  TUserSettingList loaded;
  for (int32_t i = 0; i < count; ++i) {
    std::string name = reader.Text();
    std::string value = reader.Text();
    loaded.Add(std::move(name), std::move(value));
  }
  items_.swap(loaded.items_);
  for (auto& item : items_) item->Owner = this;
  ++removals_;
}

std::string TUserSettingList::SaveToBytes() const {
  std::string out;
  PutInt32(out, static_cast<uint32_t>(items_.size()));
  for (const auto& item : items_) {
    PutInt32(out, static_cast<uint32_t>(item->Name.size()));
    out += item->Name;
    PutInt32(out, static_cast<uint32_t>(item->Value.size()));
    out += item->Value;
  }
  return out;
}

void TUserSettingList::LoadFromFile(const std::string& path) {
  LoadFromBytes(ReadFileBytes(path), path);
}

void TUserSettingList::SaveToFile(const std::string& path) const {
  WriteFileBytes(path, SaveToBytes());
}

}  // namespace orv
