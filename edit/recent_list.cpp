#include "edit/recent_list.h"

#include <algorithm>

#include "platform/folders.h"
#include "platform/ini_file.h"

namespace orv::edit {

std::string EditorSettingsFile() { return DataDir() + "orvedit.ini"; }

std::vector<std::string> RecentList::Items() const {
  std::vector<std::string> items;
  for (auto& [key, path] : TIniFile(file_).ReadSectionValues(section_))
    if (!path.empty() && items.size() < capacity_ && std::find(items.begin(), items.end(), path) == items.end())
      items.push_back(path);
  return items;
}

void RecentList::Add(const std::string& path) {
  std::vector<std::string> items = Items();
  items.erase(std::remove(items.begin(), items.end(), path), items.end());
  items.insert(items.begin(), path);
  if (items.size() > capacity_) items.resize(capacity_);
  Write(items);
}

void RecentList::Remove(const std::string& path) {
  std::vector<std::string> items = Items();
  items.erase(std::remove(items.begin(), items.end(), path), items.end());
  Write(items);
}

void RecentList::Write(const std::vector<std::string>& items) {
  std::vector<std::pair<std::string, std::string>> values;
  for (size_t i = 0; i < items.size(); ++i) values.emplace_back(std::to_string(i + 1), items[i]);
  TIniFile(file_).WriteSectionValues(section_, values);
}

}  // namespace orv::edit
