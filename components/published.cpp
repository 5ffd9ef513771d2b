#include "components/published.h"

#include <algorithm>
#include <map>
#include <memory>

#include "components/class_tree.h"
#include "components/strings.h"
#include "platform/library.h"
#include "platform/paths.h"

namespace orv {
namespace {

struct Registry {
  std::map<std::string, std::unique_ptr<ClassDescriptor>> descriptors;  // by upper-case name
  std::map<std::string, ClassMembers> members;                          // by upper-case class name
  std::map<std::string, MethodInfo> routines;                           // by upper-case name
  std::map<std::string, std::string> libraries;                         // class -> library
  std::map<std::string, bool> loaded;                                   // library -> tried
  std::map<std::string, std::function<TComponent*()>> instances;        // by upper-case name
};

Registry& TheRegistry() {
  static Registry registry = [] {
    Registry made;
    for (const ClassTreeEntry& entry : StandardClassTree())
      if (entry.library) made.libraries[UpperCase(entry.name)] = entry.library;
    auto tag = publish::Prop("Tag", types::Integer, &TComponent::Tag, &TComponent::SetTag);
    made.descriptors["TCOMPONENT"] = std::make_unique<ClassDescriptor>(
        ClassDescriptor{"TComponent", "TPersistent", [](TComponent* owner) { return new TComponent(owner); }, {tag}});
    return made;
  }();
  return registry;
}

const ClassDescriptor* Lookup(std::string_view name) {
  auto it = TheRegistry().descriptors.find(UpperCase(name));
  return it == TheRegistry().descriptors.end() ? nullptr : it->second.get();
}

// Loads the library that provides `name`, once; a library that cannot be
// loaded leaves the class without a descriptor.
void LoadLibraryOnce(const std::string& library) {
  auto& registry = TheRegistry();
  if (registry.loaded[library]) return;
  registry.loaded[library] = true;
  std::string error;
  LoadLibrary(library, error);
}

void LoadClassLibrary(std::string_view name) {
  auto& registry = TheRegistry();
  auto library = registry.libraries.find(UpperCase(name));
  if (library != registry.libraries.end()) LoadLibraryOnce(library->second);
}

// The classes from `class_name` up to the root, the class itself first.
std::vector<std::string> ClassChain(std::string_view class_name) {
  std::vector<std::string> chain;
  for (std::string name(class_name); !name.empty() && chain.size() < 64; name = ClassParent(name))
    chain.push_back(name);
  return chain;
}

// The members registered for `name`, loading its library first; null when none.
const ClassMembers* MembersOf(const std::string& name) {
  FindClassDescriptor(name);
  auto& members = TheRegistry().members;
  auto found = members.find(UpperCase(name));
  return found == members.end() ? nullptr : &found->second;
}

template <class Item>
void Merge(std::vector<Item>& into, std::vector<Item>&& items) {
  for (Item& item : items) {
    auto same = std::find_if(into.begin(), into.end(), [&](const Item& old) { return SameText(old.name, item.name); });
    if (same != into.end()) *same = std::move(item);
    else into.push_back(std::move(item));
  }
}

template <class Item>
const Item* Named(const std::vector<Item>& items, std::string_view name) {
  for (const Item& item : items)
    if (SameText(item.name, name)) return &item;
  return nullptr;
}

int64_t SetMask(const TypeInfo& type, const SetValue& set) {
  int64_t mask = 0;
  for (const std::string& member : set.members) {
    auto bit = type.ValueOf(member);
    if (!bit || *bit < 0 || *bit > 62) throw EPropertyError("Invalid property value");
    mask |= int64_t{1} << *bit;
  }
  return mask;
}

int64_t NamedValue(const TypeInfo& type, const PropertyValue& value) {
  if (auto* number = std::get_if<int64_t>(&value)) return *number;
  if (auto* word = std::get_if<Identifier>(&value))
    if (auto found = type.ValueOf(word->name)) return *found;
  throw EPropertyError("Invalid property value");
}

}  // namespace

void RegisterClassDescriptor(ClassDescriptor descriptor) {
  if (descriptor.parent.empty()) descriptor.parent = ClassParent(descriptor.name);
  RegisterClass(descriptor.name, descriptor.parent);
  std::string key = UpperCase(descriptor.name);
  TheRegistry().descriptors[key] = std::make_unique<ClassDescriptor>(std::move(descriptor));
}

const ClassDescriptor* FindClassDescriptor(std::string_view name) {
  if (const ClassDescriptor* found = Lookup(name)) return found;
  LoadClassLibrary(name);
  return Lookup(name);
}

void RegisterClassInstance(std::string_view class_name, std::function<TComponent*()> instance) {
  TheRegistry().instances[UpperCase(class_name)] = std::move(instance);
}

TComponent* ClassInstance(std::string_view class_name) {
  FindClassDescriptor(class_name);
  auto& instances = TheRegistry().instances;
  auto found = instances.find(UpperCase(class_name));
  if (found == instances.end() || !found->second)
    throw EClassNotFound("Class " + std::string(class_name) + " has no instance");
  return found->second();
}

void SetClassLibrary(std::string_view class_name, std::string library) {
  TheRegistry().libraries[UpperCase(class_name)] = std::move(library);
}

void RegisterClassMembers(std::string_view class_name, ClassMembers members) {
  ClassMembers& known = TheRegistry().members[UpperCase(class_name)];
  Merge(known.properties, std::move(members.properties));
  Merge(known.methods, std::move(members.methods));
}

const PropertyInfo* FindProperty(std::string_view class_name, std::string_view name) {
  for (const std::string& cls : ClassChain(class_name)) {
    if (const ClassDescriptor* descriptor = FindClassDescriptor(cls))
      if (const PropertyInfo* found = Named(descriptor->properties, name)) return found;
    if (const ClassMembers* members = MembersOf(cls))
      if (const PropertyInfo* found = Named(members->properties, name)) return found;
  }
  return nullptr;
}

const MethodInfo* FindMethod(std::string_view class_name, std::string_view name) {
  for (const std::string& cls : ClassChain(class_name))
    if (const ClassMembers* members = MembersOf(cls))
      if (const MethodInfo* found = Named(members->methods, name)) return found;
  return nullptr;
}

void RegisterRoutine(MethodInfo routine) {
  std::string key = UpperCase(routine.name);
  TheRegistry().routines.insert_or_assign(std::move(key), std::move(routine));
}

const MethodInfo* FindRoutine(std::string_view name, std::string_view library) {
  auto& routines = TheRegistry().routines;
  auto found = routines.find(UpperCase(name));
  if (found == routines.end()) {
    LoadLibraryOnce(std::string(library));
    found = routines.find(UpperCase(name));
  }
  return found == routines.end() ? nullptr : &found->second;
}

std::vector<const PropertyInfo*> PublishedProperties(std::string_view class_name) {
  std::vector<std::string> chain = ClassChain(class_name);
  std::vector<const PropertyInfo*> properties;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const ClassDescriptor* descriptor = FindClassDescriptor(*it);
    if (!descriptor) continue;
    for (const PropertyInfo& property : descriptor->properties) {
      bool replaced = false;
      for (auto& existing : properties)
        if (SameText(existing->name, property.name)) {
          existing = &property;
          replaced = true;
        }
      if (!replaced) properties.push_back(&property);
    }
  }
  return properties;
}

const PropertyInfo* FindPublishedProperty(const TObject& object, std::string_view name) {
  for (const PropertyInfo* property : PublishedProperties(object.ClassName()))
    if (SameText(property->name, name)) return property;
  return nullptr;
}

static const PropertyInfo& ExistingProperty(const TObject& object, std::string_view name) {
  const PropertyInfo* property = FindPublishedProperty(object, name);
  if (!property) throw EPropertyError("Property " + std::string(name) + " does not exist");
  return *property;
}

PropertyValue GetPropValue(const TObject& object, std::string_view name) {
  return ExistingProperty(object, name).get(object);
}

void SetPropValue(TObject& object, std::string_view name, const PropertyValue& value) {
  const PropertyInfo& property = ExistingProperty(object, name);
  if (!property.set) throw EPropertyError("Property " + property.name + " is read-only");
  property.set(object, ConvertPropertyValue(*property.type, value));
}

PropertyValue ConvertPropertyValue(const TypeInfo& type, const PropertyValue& value) {
  switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Enumeration:
      return NamedValue(type, value);
    case TypeKind::Set:
      if (auto* set = std::get_if<SetValue>(&value)) return SetMask(type, *set);
      return NamedValue(type, value);
    case TypeKind::Float:
      if (auto* number = std::get_if<int64_t>(&value)) return static_cast<double>(*number);
      if (std::holds_alternative<double>(value)) return value;
      break;
    case TypeKind::String:
      if (std::holds_alternative<std::string>(value)) return value;
      if (auto* data = std::get_if<BinaryData>(&value)) return data->bytes;
      break;
    case TypeKind::Char:
      if (auto* text = std::get_if<std::string>(&value); text && text->size() == 1) return value;
      break;
    case TypeKind::Boolean:
      if (std::holds_alternative<bool>(value)) return value;
      break;
    case TypeKind::Class:
      if (std::holds_alternative<TObject*>(value) || std::holds_alternative<ValueList>(value)) return value;
      break;
    case TypeKind::Method:
      if (std::holds_alternative<TMethod>(value)) return value;
      break;
  }
  throw EPropertyError("Invalid property value");
}

TComponent* CreateComponent(std::string_view class_name, TComponent* owner) {
  const ClassDescriptor* descriptor = FindClassDescriptor(class_name);
  if (!descriptor || !descriptor->factory) throw EClassNotFound("Class " + std::string(class_name) + " not found");
  return descriptor->factory(owner);
}

namespace publish {

void AssignSubObject(TPersistent& target, const PropertyValue& value) {
  if (auto* list = std::get_if<ValueList>(&value)) {
    auto* lines = dynamic_cast<TStrings*>(&target);
    if (!lines) throw EPropertyError("Invalid property value");
    lines->Clear();
    for (const PropertyValue& item : list->items) {
      auto* text = std::get_if<std::string>(&item);
      if (!text) throw EPropertyError("Invalid property value");
      lines->Add(*text);
    }
    return;
  }
  target.Assign(dynamic_cast<const TPersistent*>(std::get<TObject*>(value)));
}

}  // namespace publish

}  // namespace orv
