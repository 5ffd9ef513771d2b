#include "platform/user_settings.h"

#include <algorithm>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/record_file.h"

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

void TUserSettingList::LoadFromBytes(const std::string& bytes, const std::string& path_for_errors) {
  RecordReader reader(bytes, "Setting-list", path_for_errors);
  // Every record needs at least its two lengths.
  const int32_t count = reader.Count(8);
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
    PutText(out, item->Name);
    PutText(out, item->Value);
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
