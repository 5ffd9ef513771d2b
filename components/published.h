// Published properties and class descriptors: for each class, its name, its
// parent, a factory that makes an instance for an owner, and the properties
// that form files, dialogs and scripts can get and set by name. One
// descriptor per class feeds the class registry and the form reader and
// writer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "components/component.h"
#include "components/errors.h"
#include "components/property_value.h"
#include "components/type_info.h"

namespace orv {

// A property that does not exist, or a value it cannot take.
class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

// A class name that is not registered, or one that has no factory.
class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

// One published property: name, type, and how to read and write it on an
// object of its class (no setter: read-only). `stored`, when given, tells a
// form writer whether an object's value belongs in its form file (a font
// taken from the parent control does not).
struct PropertyInfo {
  std::string name;
  const TypeInfo* type;
  std::function<PropertyValue(const TObject&)> get;
  std::function<void(TObject&, const PropertyValue&)> set;
  std::function<bool(const TObject&)> stored = nullptr;
};

// Everything the library knows about a class. `parent` may stay empty for a
// class of the standard class tree, which knows its parent already.
struct ClassDescriptor {
  std::string name;
  std::string parent;
  std::function<TComponent*(TComponent* owner)> factory;  // null for abstract classes
  std::vector<PropertyInfo> properties;                   // the class's own, in order
};

// Registers the descriptor and its class (RegisterClass); a second
// descriptor of the same name replaces the first.
void RegisterClassDescriptor(ClassDescriptor descriptor);

// A member that hosts reach by name beyond the published properties: a
// method of a class (called with Self) or a routine of a library (Self is
// null). Arguments arrive converted to the parameter types, in order; a
// routine may change them (var parameters), and the caller reads them back.
struct MethodInfo {
  std::string name;
  std::vector<const TypeInfo*> params;
  const TypeInfo* result = nullptr;  // null: a procedure
  std::function<PropertyValue(TObject* self, std::vector<PropertyValue>& args)> call;
};

// What a class offers beside its published properties: public properties
// (read and written like published ones, but never stored in form files)
// and methods. A library registers them with its descriptors.
struct ClassMembers {
  std::vector<PropertyInfo> properties;
  std::vector<MethodInfo> methods;
};

// Adds `members` to the class `class_name`; members of a name it has
// already replace the earlier ones.
void RegisterClassMembers(std::string_view class_name, ClassMembers members);

// The property `name` (published or public, without case) of `class_name`,
// looked for from the class up through its parents; null when none.
const PropertyInfo* FindProperty(std::string_view class_name, std::string_view name);

// The method `name` of `class_name` or its nearest parent that has one;
// null when none.
const MethodInfo* FindMethod(std::string_view class_name, std::string_view name);

// Registers a routine of a library; a second one of the same name replaces it.
void RegisterRoutine(MethodInfo routine);

// The routine `name` (without case). When there is none, `library` is
// loaded first (once) and asked again; null when it has none either.
const MethodInfo* FindRoutine(std::string_view name, std::string_view library);

// The descriptor of `name` (without case). When the class belongs to a
// library that is not loaded yet (the visual classes), the library is loaded
// first. Null when there is none.
const ClassDescriptor* FindClassDescriptor(std::string_view name);

// Every published property of `class_name` and its parents, the parents'
// first; a class that publishes a name again replaces its parent's entry.
std::vector<const PropertyInfo*> PublishedProperties(std::string_view class_name);

// The published property `name` of the object's class; null when none.
const PropertyInfo* FindPublishedProperty(const TObject& object, std::string_view name);

// Reads a property by name; EPropertyError "Property Foo does not exist".
PropertyValue GetPropValue(const TObject& object, std::string_view name);

// Writes a property by name, converting identifiers (enumeration values,
// colour names) and sets by the property's type. EPropertyError for an
// unknown or read-only property or a value of the wrong kind.
void SetPropValue(TObject& object, std::string_view name, const PropertyValue& value);

// `value` converted to what a property of `type` stores; EPropertyError
// "Invalid property value" when it cannot be.
PropertyValue ConvertPropertyValue(const TypeInfo& type, const PropertyValue& value);

// Makes a component of the named class with `owner`; EClassNotFound
// "Class TFoo not found" when the class or its factory is missing.
TComponent* CreateComponent(std::string_view class_name, TComponent* owner);

// Registers the one object per process of `class_name` (the application,
// the screen): `instance` makes it on first use and hands it out after.
void RegisterClassInstance(std::string_view class_name, std::function<TComponent*()> instance);

// The one object of `class_name`, loading the class's library first when
// needed (see FindClassDescriptor); EClassNotFound "Class TFoo has no
// instance" when there is none.
TComponent* ClassInstance(std::string_view class_name);

// Names a library that registers the descriptors of some classes of the
// standard class tree when it is loaded (liborvcontrols.so for the visual
// classes). FindClassDescriptor loads it on the first need.
void SetClassLibrary(std::string_view class_name, std::string library);

// Building blocks for descriptors.
namespace publish {

// Copies `value` (an object, or a list of lines for a string list) into `target`.
void AssignSubObject(TPersistent& target, const PropertyValue& value);

template <class T>
PropertyValue ToValue(const T& value) {
  if constexpr (std::is_same_v<T, bool>) return PropertyValue(value);
  else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) return PropertyValue(static_cast<int64_t>(value));
  else if constexpr (std::is_floating_point_v<T>) return PropertyValue(static_cast<double>(value));
  else return PropertyValue(std::string(value));
}

template <class T>
T FromValue(const PropertyValue& value) {
  if constexpr (std::is_same_v<T, bool>) return std::get<bool>(value);
  else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) return static_cast<T>(std::get<int64_t>(value));
  else if constexpr (std::is_floating_point_v<T>) return static_cast<T>(std::get<double>(value));
  else return T(std::get<std::string>(value));
}

// The type of a method's parameter or result of C++ type T: Booleans,
// integers, objects (any pointer to a library class), texts.
template <class T>
const TypeInfo* TypeOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, bool>) return &types::Boolean;
  else if constexpr (std::is_integral_v<U>) return &types::Integer;
  else if constexpr (std::is_pointer_v<U>) return &types::TComponentRef;
  else return &types::String;
}

// An argument of C++ type T read from its value; an object of another class
// is refused with EPropertyError.
template <class T>
std::remove_cvref_t<T> ArgAs(const PropertyValue& value) {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_pointer_v<U>) {
    TObject* object = std::get<TObject*>(value);
    auto* typed = dynamic_cast<U>(object);
    if (object && !typed) throw EPropertyError("Invalid argument: an object of class " + object->ClassName());
    return typed;
  } else if constexpr (std::is_same_v<U, std::string_view>) {
    return std::get<std::string>(value);
  } else {
    return FromValue<U>(value);
  }
}

// A method's or routine's answer as a value.
template <class R>
PropertyValue ResultValue(const R& result) {
  if constexpr (std::is_pointer_v<R>) return PropertyValue(static_cast<TObject*>(result));
  else return ToValue<R>(result);
}

// `object` as a C; EPropertyError when it is of another class.
template <class C>
C& As(TObject& object) {
  auto* typed = dynamic_cast<C*>(&object);
  if (!typed) throw EPropertyError("Property of another class used on a " + object.ClassName());
  return *typed;
}

template <class C>
const C& As(const TObject& object) {
  return As<C>(const_cast<TObject&>(object));
}

// A read-only property read through a member function (an object for a
// getter that returns a pointer).
template <class C, class R>
PropertyInfo Prop(std::string name, const TypeInfo& type, R (C::*get)() const) {
  return {std::move(name), &type,
          [get](const TObject& o) { return ResultValue<std::decay_t<R>>((As<C>(o).*get)()); }, nullptr};
}

// A property read and written through member functions.
// The getter and the setter may come from different classes of one chain.
template <class CG, class R, class CS, class A>
PropertyInfo Prop(std::string name, const TypeInfo& type, R (CG::*get)() const, void (CS::*set)(A)) {
  PropertyInfo info = Prop(std::move(name), type, get);
  info.set = [set](TObject& o, const PropertyValue& v) {
    using Arg = std::decay_t<A>;
    if constexpr (std::is_same_v<Arg, std::string_view>) (As<CS>(o).*set)(std::get<std::string>(v));
    else (As<CS>(o).*set)(FromValue<Arg>(v));
  };
  return info;
}

// An event property held in a TMethod member.
template <class C>
PropertyInfo Event(std::string name, const char* type_name, TMethod C::*field) {
  const TypeInfo* type = FindEventTypeInfo(type_name);
  return {std::move(name), type, [field](const TObject& o) { return PropertyValue(As<C>(o).*field); },
          [field](TObject& o, const PropertyValue& v) { As<C>(o).*field = std::get<TMethod>(v); }};
}

// A reference to another component, read and written through member functions.
template <class C, class O>
PropertyInfo Reference(std::string name, O* (C::*get)() const, void (C::*set)(O*)) {
  return {std::move(name), &types::TComponentRef,
          [get](const TObject& o) { return PropertyValue(static_cast<TObject*>((As<C>(o).*get)())); },
          [set](TObject& o, const PropertyValue& v) {
            TObject* target = std::get<TObject*>(v);
            O* typed = dynamic_cast<O*>(target);
            if (target && !typed) throw EPropertyError("Invalid property value");
            (As<C>(o).*set)(typed);
          }};
}

// An owned sub-object (a font, a list of lines) whose contents a form file
// sets through its own properties, or, for a string list, as a list of lines.
template <class C, class O>
PropertyInfo SubObject(std::string name, O* (C::*get)() const) {
  return {std::move(name), &types::TPersistentRef,
          [get](const TObject& o) { return PropertyValue(static_cast<TObject*>((As<C>(o).*get)())); },
          [get](TObject& o, const PropertyValue& v) { AssignSubObject(*(As<C>(o).*get)(), v); }};
}

// `info`, stored in form files only for an object of class C that `stored`
// answers true for.
template <class C, class F>
PropertyInfo StoredWhen(PropertyInfo info, F stored) {
  info.stored = [stored](const TObject& o) { return stored(As<C>(o)); };
  return info;
}

// A property held in a public data member of C.
template <class C, class V>
PropertyInfo Field(std::string name, const TypeInfo& type, V C::*field) {
  return {std::move(name), &type, [field](const TObject& o) { return ToValue<V>(As<C>(o).*field); },
          [field](TObject& o, const PropertyValue& v) { As<C>(o).*field = FromValue<V>(v); }};
}

namespace detail {

// The MethodInfo of `call`, a callable taking Self as a C (nothing for a
// routine: C is void) and the arguments A.
template <class C, class R, class... A, class F, size_t... I>
MethodInfo Callable(std::string name, F call, std::index_sequence<I...>) {
  MethodInfo info{std::move(name), {TypeOf<A>()...}, nullptr, nullptr};
  if constexpr (!std::is_void_v<R>) info.result = TypeOf<R>();
  info.call = [call]([[maybe_unused]] TObject* self, [[maybe_unused]] std::vector<PropertyValue>& args) {
    auto invoke = [&] {
      if constexpr (std::is_void_v<C>) return call(ArgAs<A>(args.at(I))...);
      else return call(As<C>(*self), ArgAs<A>(args.at(I))...);
    };
    if constexpr (std::is_void_v<R>) {
      invoke();
      return PropertyValue();
    } else {
      return ResultValue<std::remove_cvref_t<R>>(invoke());
    }
  };
  return info;
}

}  // namespace detail

// A method: a member function of C called on Self with converted arguments.
template <class C, class R, class... A>
MethodInfo Method(std::string name, R (C::*fn)(A...)) {
  auto call = [fn](C& self, std::remove_cvref_t<A>... args) -> R { return (self.*fn)(args...); };
  return detail::Callable<C, R, A...>(std::move(name), call, std::index_sequence_for<A...>());
}

template <class C, class R, class... A>
MethodInfo Method(std::string name, R (C::*fn)(A...) const) {
  auto call = [fn](C& self, std::remove_cvref_t<A>... args) -> R { return (self.*fn)(args...); };
  return detail::Callable<C, R, A...>(std::move(name), call, std::index_sequence_for<A...>());
}

// A routine: a free function called with converted arguments.
template <class R, class... A>
MethodInfo Routine(std::string name, R (*fn)(A...)) {
  auto call = [fn](std::remove_cvref_t<A>... args) -> R { return fn(args...); };
  return detail::Callable<void, R, A...>(std::move(name), call, std::index_sequence_for<A...>());
}

}  // namespace publish

}  // namespace orv
