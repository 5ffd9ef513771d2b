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

void tobjcollect::AddLazy(std::string_view name, std::string_view class_name, std::function<TObject*()> make) {
  tobjitem item;
  item.ClassName = UpperCase(class_name);
  item.Make = std::move(make);
  items_.Add(name, std::move(item));
}

const tobjitem* tobjcollect::Find(std::string_view name) const {
  int32_t number = items_.Find(name);
  if (number < 0) return nullptr;
  tobjitem& item = items_.At(number);
  if (item.Make) {
    TObject* object = item.Make();
    item.Make = nullptr;
    item.Handle = object ? object->Handle() : 0;
  }
  return &item;
}

}  // namespace orv
