// Named host objects of one runner: the components of a form, "Self",
// "Screen", "Application", "Sender". The compiler resolves these names at
// compile time and places the objects' handles into the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "components/object.h"
#include "core/script/name_list.h"

namespace orv {

// One named object: its class name in upper case and its handle (0 for a
// name registered without an object). A lazy entry has `Make` until the name
// is first looked up.
struct tobjitem {
  std::string ClassName;
  uint32_t Handle = 0;
  std::function<TObject*()> Make;
};

// The list of named objects of one runner.
//   tobjcollect objects;
//   objects.Add("Button1", button);
//   if (const tobjitem* item = objects.Find("BUTTON1")) ... item->Handle
class tobjcollect {
 public:
  // Adds or replaces `name` (any case) for `object` (may be nullptr).
  void Add(std::string_view name, TObject* object);
  // Adds or replaces `name` for an object of `class_name` that `make` hands
  // out when the name is first looked up, so that an object which is costly
  // to reach (the screen, which needs the visual classes) is reached only by
  // scripts that use it.
  void AddLazy(std::string_view name, std::string_view class_name, std::function<TObject*()> make);
  void Clear() { items_.Clear(); }
  // The entry for `name` (any case), nullptr when there is none. Looking up
  // a lazy entry calls its `make` once (errors pass unchanged).
  const tobjitem* Find(std::string_view name) const;
  int32_t Count() const { return items_.Count(); }

 private:
  mutable TNameList<tobjitem> items_;
};

}  // namespace orv
