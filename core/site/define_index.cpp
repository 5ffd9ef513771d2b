#include "core/site/define_index.h"

#include "platform/user_settings.h"

namespace orv {

std::string DefineIndex::Key(const std::string& name, const std::string& value) {
  // A name's length first, so no pair of other strings makes the same key.
  return std::to_string(name.size()) + ':' + name + value;
}

bool DefineIndex::Holds(const TUserSettingList& defines, const std::string& name, const std::string& value) {
  const size_t count = static_cast<size_t>(defines.Count());
  if (list_ != &defines || removals_ != defines.Removals() || count < taken_) {
    pairs_.clear();
    taken_ = 0;
    list_ = &defines;
    removals_ = defines.Removals();
  }
  for (; taken_ < count; ++taken_) {
    const TUserSetting& item = defines.Items(static_cast<int>(taken_));
    pairs_.insert(Key(item.Name, item.Value));
  }
  return pairs_.count(Key(name, value)) != 0;
}

}  // namespace orv
