#include "core/host/class_binding.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_set>
#include <vector>

#include "components/class_tree.h"
#include "components/published.h"
#include "core/lib/binding.h"
#include "core/lib/script_objects.h"
#include "core/script/compiler_error.h"
#include "core/script/object_value.h"
#include "platform/paths.h"

namespace orv {
namespace {

// How many values of an array argument are read, and the numbers a set holds.
constexpr int32_t kMaxSetValues = 51;
constexpr int32_t kSetBits = 16;

std::string Where(const MemberBinding& binding) {
  return *binding.class_name ? std::string(binding.class_name) + "." + binding.member : binding.member;
}

// Self checked against the binding's class.
TObject& Target(const MemberBinding& binding, TObject* self) {
  if (!self || !self->InheritsFrom(binding.class_name)) WrongSelf(binding.class_name, binding.member, self);
  return *self;
}

[[noreturn]] void Unavailable(const MemberBinding& binding, const std::string& class_name) {
  throw ECompilerError(Where(binding) + " is not available for an object of class " + class_name);
}

Variant ToVariant(const PropertyValue& value) {
  if (auto* number = std::get_if<int64_t>(&value)) {
    if (*number >= INT32_MIN && *number <= INT32_MAX) return Variant(static_cast<int32_t>(*number));
    return Variant(static_cast<double>(*number));
  }
  if (auto* real = std::get_if<double>(&value)) return Variant(*real);
  if (auto* text = std::get_if<std::string>(&value)) return Variant(*text);
  if (auto* flag = std::get_if<bool>(&value)) return Variant(*flag);
  if (auto* object = std::get_if<TObject*>(&value)) return ObjToVariant(*object);
  if (auto* word = std::get_if<Identifier>(&value)) return Variant(word->name);
  return Variant();
}

// An object value: nil for an Empty value without an object and for 0; a
// value that names an object which no longer exists is an error.
TObject* ObjectValue(const Variant& value) {
  if (value.ValueField() == 0) return nullptr;
  return RequireObject(value);
}

PropertyValue FromVariant(const Variant& value, const TypeInfo& type, const MemberBinding& binding) {
  switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Enumeration:
    case TypeKind::Set:
      return int64_t{value.AsInteger()};
    case TypeKind::Float:
      return value.AsReal();
    case TypeKind::String:
      return value.AsString();
    case TypeKind::Char: {
      // One character; '' stands for #0 (none).
      std::string text = value.AsString();
      if (text.size() > 1) throw EConvertError(Where(binding) + " takes one character, not '" + text + "'");
      return text.empty() ? std::string(1, '\0') : text;
    }
    case TypeKind::Boolean:
      return value.AsBoolean();
    case TypeKind::Class:
      return ObjectValue(value);
    case TypeKind::Method:
      break;
  }
  throw EConvertError(Where(binding) + " cannot take a value from a script");
}

// The set of the numbers 0 to 15 among the first 51 values of an array
// argument; other numbers are left out.
int64_t SetFromArray(const Variant& array) {
  int64_t set = 0;
  std::span<const Variant> values = ConstArrayFromVariant(array);
  if (values.size() > kMaxSetValues) values = values.first(kMaxSetValues);
  for (const Variant& value : values) {
    int32_t number = value.AsInteger();
    if (number >= 0 && number < kSetBits) set |= int64_t{1} << number;
  }
  return set;
}

const PropertyInfo& PropertyOf(const MemberBinding& binding, const TObject& self) {
  const PropertyInfo* property = FindProperty(self.ClassName(), binding.member);
  if (!property) Unavailable(binding, self.ClassName());
  return *property;
}

// Calls a method (Self given) or a routine of the unit (Self null).
void Call(const MemberBinding& binding, TObject* self, ArgBlock& args, Variant& result) {
  const MethodInfo* method = self ? FindMethod(self->ClassName(), binding.member)
                                  : FindRoutine(binding.member, kControlsLibrary);
  size_t count = std::strlen(binding.params);
  if (!method) Unavailable(binding, self ? self->ClassName() : "(none)");
  if (method->params.size() != count)
    throw ECompilerError(Where(binding) + " does not match the library's " + method->name);
  std::vector<PropertyValue> values;
  values.reserve(count);
  for (size_t i = 0; i < count; ++i)
    values.push_back(binding.params[i] == 'a' ? PropertyValue(SetFromArray(args[i]))
                                              : FromVariant(args[i], *method->params[i], binding));
  PropertyValue answer = method->call(self, values);
  for (size_t i = 0; i < count; ++i)
    if (binding.params[i] == 'r') args[i] = ToVariant(values[i]);
  if (method->result) result = ToVariant(answer);
}

// A new component of the binding's class with the owner in the argument.
// A control made for a windowed owner (not a form made for a form) is
// placed in it, so it shows with it.
void Create(const MemberBinding& binding, ArgBlock& args, Variant& result) {
  TObject* given = ObjectValue(args[0]);
  auto* owner = dynamic_cast<TComponent*>(given);
  if (given && !owner) throw ECompilerError("The owner in " + Where(binding) + " must be a component, not a " + given->ClassName());
  const ClassDescriptor* descriptor = FindClassDescriptor(binding.class_name);
  if (!descriptor || !descriptor->factory)
    throw ECompilerError(std::string("Cannot create an object of class ") + binding.class_name);
  TComponent* made = descriptor->factory(owner);
  AdoptScriptObject(std::unique_ptr<TObject>(made));
  if (owner && owner->InheritsFrom("TWinControl") && made->InheritsFrom("TControl") &&
      !made->InheritsFrom("TCustomForm"))
    if (const PropertyInfo* parent = FindProperty(made->ClassName(), "Parent"); parent && parent->set)
      parent->set(*made, PropertyValue(static_cast<TObject*>(owner)));
  result = ObjToVariant(made);
}

// The bindings registered so far, in order, and the same as a set (so that
// registering the thousand or so members at start-up stays linear).
struct RegisteredBindings {
  std::vector<const MemberBinding*> in_order;
  std::unordered_set<const MemberBinding*> known;
};

RegisteredBindings& Registered() {
  static RegisteredBindings registered;
  return registered;
}

std::vector<ParamKind> ParamKinds(const MemberBinding& binding) {
  std::vector<ParamKind> kinds;
  for (const char* letter = binding.params; *letter; ++letter)
    kinds.push_back(*letter == 'r' ? pkVar : *letter == 'a' ? pkArray : pkValue);
  if (kinds.empty()) kinds.push_back(pkNone);
  return kinds;
}

}  // namespace

std::string BindingKey(const MemberBinding& binding) {
  return *binding.class_name ? UpperCase(binding.class_name) + "." + binding.member : std::string(binding.member);
}

void RunMember(const MemberBinding& binding, TObject* self, ArgBlock& args, Variant& result) {
  if (!*binding.class_name) return Call(binding, nullptr, args, result);
  if (binding.kind == MemberKind::Constructor) return Create(binding, args, result);
  TObject& target = Target(binding, self);
  if (binding.kind == MemberKind::Property || binding.kind == MemberKind::ReadOnly)
    result = ToVariant(PropertyOf(binding, target).get(target));
  else
    Call(binding, &target, args, result);
}

void SetMember(const MemberBinding& binding, TObject* self, const Variant& value) {
  TObject& target = Target(binding, self);
  const PropertyInfo& property = PropertyOf(binding, target);
  if (!property.set) throw ECompilerError(Where(binding) + " is read-only");
  property.set(target, FromVariant(value, *property.type, binding));
}

const std::vector<const MemberBinding*>& RegisteredMembers() {
  RegisterDeferredMembers();
  return Registered().in_order;
}

void RegisterRows(std::span<const MemberBinding> rows, const HostProc* run, const HostProc* set) {
  for (size_t begin = 0, end = 0; begin < rows.size(); begin = end) {
    const char* class_name = rows[begin].class_name;
    for (end = begin + 1; end < rows.size() && std::strcmp(rows[end].class_name, class_name) == 0;) ++end;
    auto register_run = [run_rows = rows.subspan(begin, end - begin), run = run + begin, set = set + begin] {
      for (size_t i = 0; i < run_rows.size(); ++i) RegisterMember(run_rows[i], run[i], set[i]);
    };
    if (*class_name) {
      DeferClassMembers(class_name, register_run);
    } else {
      register_run();
    }
  }
}

void RegisterMember(const MemberBinding& binding, HostProc run, HostProc set) {
  RegisteredBindings& registered = Registered();
  if (registered.known.insert(&binding).second) registered.in_order.push_back(&binding);
  std::string key = BindingKey(binding);
  switch (binding.kind) {
    case MemberKind::Property:
      return RegisterProp(key, run, set);
    case MemberKind::ReadOnly:
      return RegisterProp(key, run);
    case MemberKind::IndexedReadOnly:
      return RegisterIndexedProp(key, 1, run);
    case MemberKind::Procedure:
      return RegisterProc(key, run, ParamKinds(binding));
    case MemberKind::Function:
      return RegisterFunc(key, run, ParamKinds(binding));
    case MemberKind::Constructor:
      return RegisterFunc(key, run, {pkValue});
  }
}

void RegisterConstants(std::span<const ConstBinding> constants) {
  for (const ConstBinding& constant : constants) RegisterConst(constant.name, Variant(constant.value));
}

}  // namespace orv
