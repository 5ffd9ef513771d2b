// Which defines (name and value) a build keeps, found through a hash index:
// a page's define line adds its define only when the same one is not kept
// yet, and a build whose every page defines something would otherwise
// compare each new define with all the defines before it.
#pragma once

#include <string>
#include <unordered_set>

#include "platform/user_settings.h"

namespace orv {

// An index of the name and value pairs of a list of defines.
class DefineIndex {
 public:
  // Whether `defines` holds an item of exactly `name` and `value`. The
  // index stands while the list has lost no item (TUserSettingList::
  // Removals): only items added since are indexed. Items are not changed
  // in place.
  bool Holds(const TUserSettingList& defines, const std::string& name, const std::string& value);

 private:
  static std::string Key(const std::string& name, const std::string& value);

  TUserSettingFollower follower_;
  std::unordered_set<std::string> pairs_;
};

}  // namespace orv
