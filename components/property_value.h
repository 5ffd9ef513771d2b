// Values of published properties as form files, dialogs and scripts see them:
// numbers, texts, Booleans, identifiers (enumeration values, colour names,
// component names), sets, lists, collections, binary data, object references
// and event handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace orv {

class TObject;
struct PropertyValue;

// A bare word of a form file: an enumeration value ("alClient"), a colour
// ("clBtnFace") or the name of a component.
struct Identifier {
  std::string name;
  bool operator==(const Identifier&) const = default;
};

// A set of a form file ("[fsBold, fsItalic]"), by member names.
struct SetValue {
  std::vector<std::string> members;
  bool operator==(const SetValue&) const = default;
};

// A parenthesised list of a form file ("('one' 'two')"), such as the lines of
// a string list.
struct ValueList {
  std::vector<PropertyValue> items;
  bool operator==(const ValueList&) const;
};

// Binary data of a form file ("{ 89504E47 }"), such as a picture.
struct BinaryData {
  std::string bytes;
  bool operator==(const BinaryData&) const = default;
};

// One item of a collection: its properties' names and values, in file order.
struct CollectionItem {
  std::vector<std::string> names;
  std::vector<PropertyValue> values;
  bool operator==(const CollectionItem&) const;
};

// A collection of a form file ("<item Caption = 'Name' end>"), such as the
// columns of a list view: items of one class, each with its own properties.
struct CollectionValue {
  std::vector<CollectionItem> items;
  bool operator==(const CollectionValue&) const = default;
};

// The arguments of an event after its sender, in order; a handler may change
// those that the event passes by reference (a close action, a key).
using EventArgs = std::vector<PropertyValue>;

// What an event property holds: the code to call and, for a handler named in
// a form file, that name and the answer of the form reader's method-lookup
// hook, which stands in for the code until a binding replaces it.
struct TMethod {
  std::function<void(TObject* sender, EventArgs& args)> code;
  std::string name;
  intptr_t data = 0;

  bool Assigned() const { return static_cast<bool>(code) || data != 0; }
  bool operator==(const TMethod& other) const { return name == other.name && data == other.data && Assigned() == other.Assigned(); }
};

// One property value. Integers carry enumeration ordinals, set bit masks,
// colours and cursors too.
struct PropertyValue
    : std::variant<std::monostate, int64_t, double, std::string, bool, Identifier, SetValue, ValueList,
                   CollectionValue, BinaryData, TObject*, TMethod> {
  using variant::variant;
  bool operator==(const PropertyValue&) const = default;
};

inline bool ValueList::operator==(const ValueList& other) const { return items == other.items; }
inline bool CollectionItem::operator==(const CollectionItem& other) const {
  return names == other.names && values == other.values;
}

}  // namespace orv
