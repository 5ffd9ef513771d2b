#include "components/object.h"

#include <map>
#include <unordered_map>

#include "components/class_tree.h"
#include "platform/paths.h"

namespace orv {
namespace {

std::unordered_map<uint32_t, TObject*>& LiveObjects() {
  static std::unordered_map<uint32_t, TObject*> objects;
  return objects;
}

uint32_t next_handle = 1;

struct ClassEntry {
  std::string name;
  std::string parent;
};

// Keyed by the upper-case class name; starts out holding the standard tree.
std::map<std::string, ClassEntry>& Classes() {
  static std::map<std::string, ClassEntry> classes = [] {
    std::map<std::string, ClassEntry> tree;
    for (const ClassTreeEntry& entry : StandardClassTree())
      tree[UpperCase(entry.name)] = ClassEntry{entry.name, entry.parent};
    return tree;
  }();
  return classes;
}

}  // namespace

TObject::~TObject() {
  if (handle_ == 0) return;
  LiveObjects().erase(handle_);
  if (detail::last_object_lookup.handle == handle_) detail::last_object_lookup = {};
}

uint32_t TObject::Handle() {
  if (handle_ == 0) {
    if (next_handle == 0) next_handle = 1;  // after four billion objects
    handle_ = next_handle++;
    LiveObjects()[handle_] = this;
  }
  return handle_;
}

namespace detail {

LastObjectLookup last_object_lookup;

TObject* FindObjectFromHandle(uint32_t handle) {
  auto it = LiveObjects().find(handle);
  if (it == LiveObjects().end()) return nullptr;
  last_object_lookup = {handle, it->second};
  return it->second;
}

}  // namespace detail

bool TObject::InheritsFrom(std::string_view class_name) const {
  std::string name = ClassName();
  // The chain is bounded by the number of classes, so a registry with a cycle
  // cannot loop forever.
  for (size_t steps = 0; !name.empty() && steps <= Classes().size(); ++steps) {
    if (SameText(name, class_name)) return true;
    name = ClassParent(name);
  }
  return false;
}

void RegisterClass(std::string_view name, std::string_view parent) {
  Classes()[UpperCase(name)] = ClassEntry{std::string(name), std::string(parent)};
}

bool IsClassRegistered(std::string_view name) {
  return Classes().count(UpperCase(name)) != 0;
}

std::string ClassParent(std::string_view name) {
  auto it = Classes().find(UpperCase(name));
  if (it == Classes().end() || it->second.parent.empty()) return std::string();
  auto parent = Classes().find(UpperCase(it->second.parent));
  return parent == Classes().end() ? it->second.parent : parent->second.name;
}

}  // namespace orv
