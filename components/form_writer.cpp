#include "components/form_writer.h"

#include <memory>

#include "components/collection.h"
#include "components/published.h"
#include "components/strings.h"

namespace orv {
namespace {

// A new object of the class, whose values count as the defaults; none for a
// class without a factory, whose properties are then all written.
std::unique_ptr<TComponent> DefaultInstance(const std::string& class_name) {
  const ClassDescriptor* descriptor = FindClassDescriptor(class_name);
  if (!descriptor || !descriptor->factory) return nullptr;
  return std::unique_ptr<TComponent>(descriptor->factory(nullptr));
}

// The form-file form of a stored value: names for enumerations, sets and
// named integers, component names for references.
PropertyValue FileValue(const TypeInfo& type, const PropertyValue& value) {
  if (auto* bytes = std::get_if<std::string>(&value); bytes && &type == &types::Binary) return BinaryData{*bytes};
  auto* number = std::get_if<int64_t>(&value);
  if (number && type.kind == TypeKind::Set) {
    SetValue set;
    for (const auto& [name, bit] : type.names)
      if (bit >= 0 && bit < 63 && (*number >> bit) & 1) set.members.push_back(name);
    return set;
  }
  if (number)
    if (auto name = type.NameOf(*number)) return Identifier{*name};
  if (auto* method = std::get_if<TMethod>(&value)) return Identifier{method->name};
  if (auto* object = std::get_if<TObject*>(&value)) {
    auto* component = dynamic_cast<TComponent*>(*object);
    return Identifier{component ? component->Name() : ""};
  }
  return value;
}

bool Stored(const PropertyValue& value, const PropertyValue* default_value) {
  if (auto* method = std::get_if<TMethod>(&value)) return !method->name.empty();
  if (auto* object = std::get_if<TObject*>(&value)) {
    auto* component = dynamic_cast<TComponent*>(*object);
    return component && !component->Name().empty();
  }
  return !default_value || !(value == *default_value);
}

void DescribeProperties(const TObject& object, const TObject* defaults, const std::string& prefix,
                        std::vector<FormProperty>& out);

// The items of a collection with the properties that differ from a new item's.
CollectionValue DescribeCollection(const TCollection& collection) {
  CollectionValue value;
  std::unique_ptr<TCollectionItem> defaults = collection.MakeItem();
  for (int i = 0; i < collection.Count(); ++i) {
    std::vector<FormProperty> properties;
    DescribeProperties(*collection.Items(i), defaults.get(), "", properties);
    CollectionItem& item = value.items.emplace_back();
    for (FormProperty& property : properties) {
      item.names.push_back(std::move(property.name));
      item.values.push_back(std::move(property.value));
    }
  }
  return value;
}

void DescribeProperties(const TObject& object, const TObject* defaults, const std::string& prefix,
                        std::vector<FormProperty>& out) {
  if (auto* lines = dynamic_cast<const TStrings*>(&object)) {
    if (lines->Count() == 0) return;
    ValueList list;
    for (int i = 0; i < lines->Count(); ++i) list.items.push_back(lines->Get(i));
    out.push_back({prefix + "Strings", list, 0});
    return;
  }
  for (const PropertyInfo* info : PublishedProperties(object.ClassName())) {
    if (!info->set || (info->stored && !info->stored(object))) continue;
    PropertyValue value = info->get(object);
    std::optional<PropertyValue> default_value;
    if (defaults) default_value = info->get(*defaults);
    if (info->type == &types::TPersistentRef) {
      auto* sub = std::get<TObject*>(value);
      if (auto* collection = dynamic_cast<const TCollection*>(sub)) {
        if (collection->Count() > 0) out.push_back({prefix + info->name, DescribeCollection(*collection), 0});
        continue;
      }
      const TObject* default_sub = default_value ? std::get<TObject*>(*default_value) : nullptr;
      if (sub) DescribeProperties(*sub, default_sub, prefix + info->name + ".", out);
      continue;
    }
    if (Stored(value, default_value ? &*default_value : nullptr))
      out.push_back({prefix + info->name, FileValue(*info->type, value), 0});
  }
}

FormObject DescribeObject(const TComponent& root, const TComponent& object, const std::string& class_name) {
  FormObject node;
  node.name = object.Name();
  node.class_name = class_name.empty() ? object.ClassName() : class_name;
  std::unique_ptr<TComponent> defaults = DefaultInstance(object.ClassName());
  DescribeProperties(object, defaults.get(), "", node.properties);
  for (int i = 0; i < root.ComponentCount(); ++i) {
    const TComponent* child = root.Components(i);
    const TComponent* parent = child->GetParentComponent();
    if (parent == &object || (!parent && &object == &root))
      node.children.push_back(DescribeObject(root, *child, ""));
  }
  return node;
}

}  // namespace

FormObject DescribeForm(const TComponent& root, const std::string& class_name) {
  return DescribeObject(root, root, class_name);
}

std::string WriteForm(const TComponent& root, const std::string& class_name) {
  return PrintFormText(DescribeForm(root, class_name));
}

}  // namespace orv
