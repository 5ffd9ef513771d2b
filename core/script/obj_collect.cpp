#include "core/script/obj_collect.h"

#include "platform/paths.h"

namespace orv {

void tobjcollect::Add(std::string_view name, TObject* object) {
  tobjitem item;
  if (object) {
    item.ClassName = UpperCase(object->ClassName());
    item.Handle = object->Handle();
  }
  items_.Add(name, std::move(item));
}

const tobjitem* tobjcollect::Find(std::string_view name) const {
  int32_t number = items_.Find(name);
  return number < 0 ? nullptr : &items_.At(number);
}

}  // namespace orv
