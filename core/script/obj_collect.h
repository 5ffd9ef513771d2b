// Named host objects of one runner: the components of a form, "Self",
// "Screen", "Application", "Sender". The compiler resolves these names at
// compile time and places the objects' handles into the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "components/object.h"
#include "core/script/name_list.h"

namespace orv {

// One named object: its class name in upper case and its handle (0 for a
// name registered without an object).
struct tobjitem {
  std::string ClassName;
  uint32_t Handle = 0;
};

// The list of named objects of one runner.
//   tobjcollect objects;
//   objects.Add("Button1", button);
//   if (const tobjitem* item = objects.Find("BUTTON1")) ... item->Handle
class tobjcollect {
 public:
  // Adds or replaces `name` (any case) for `object` (may be nullptr).
  void Add(std::string_view name, TObject* object);
  void Clear() { items_.Clear(); }
  // The entry for `name` (any case), nullptr when there is none.
  const tobjitem* Find(std::string_view name) const;
  int32_t Count() const { return items_.Count(); }

 private:
  TNameList<tobjitem> items_;
};

}  // namespace orv
