#include "core/site/define_index.h"

namespace orv {

std::string DefineIndex::Key(const std::string& name, const std::string& value) {
  // A name's length first, so no pair of other strings makes the same key.
  return std::to_string(name.size()) + ':' + name + value;
}

bool DefineIndex::Holds(const TUserSettingList& defines, const std::string& name, const std::string& value) {
  const TUserSettingFollower::Step step = follower_.Follow(defines);
  if (step.restart) pairs_.clear();
  for (int i = step.first; i < defines.Count(); ++i) pairs_.insert(Key(defines.Items(i).Name, defines.Items(i).Value));
  return pairs_.count(Key(name, value)) != 0;
}

}  // namespace orv
