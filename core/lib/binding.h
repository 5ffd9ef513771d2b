// Helpers for the host routines that bind class members: Self checked
// against the member's class, so a member called on nil or on an object of
// another class ends the script with a clear error instead of touching the
// wrong object.
#pragma once

#include <string>
#include <string_view>
#include <typeinfo>

#include "components/component.h"
#include "components/string_list.h"
#include "core/script/compiler_error.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"

namespace orv {

// The text of an argument for the call of a host routine, without copying
// the text of a string value (Variant::TextView): pass it where a
// std::string_view is taken, such as TextArg(args[0]).
class TextArg {
 public:
  explicit TextArg(const Variant& value) : view_(value.TextView(buffer_)) {}
  operator std::string_view() const { return view_; }
  std::string_view View() const { return view_; }

 private:
  std::string buffer_;
  std::string_view view_;
};

// The class name a binding of T is registered under, for error texts.
template <class T>
const char* BoundClassName();
template <>
inline const char* BoundClassName<TObject>() { return "TObject"; }
template <>
inline const char* BoundClassName<TPersistent>() { return "TPersistent"; }
template <>
inline const char* BoundClassName<TStrings>() { return "TStrings"; }
template <>
inline const char* BoundClassName<TStringList>() { return "TStringList"; }
template <>
inline const char* BoundClassName<TComponent>() { return "TComponent"; }

// Raises the error of SelfAs for `self`, which is not a `class_name`.
[[noreturn]] inline void WrongSelf(const char* class_name, const std::string& member, const TObject* self) {
  std::string where = std::string(class_name) + "." + member;
  if (!self) throw ECompilerError(where + " called on a nil object");
  throw ECompilerError(where + " called on an object of class " + self->ClassName());
}

// Self as a T, or nullptr when it is nil or of another class. The class
// last found to be a T is remembered, so a loop of calls on one object
// checks its class by one comparison instead of a dynamic_cast.
template <class T>
T* SelfIf(TObject* self) {
  static thread_local const std::type_info* known_class = nullptr;
  if (self && &typeid(*self) == known_class) return static_cast<T*>(self);
  T* typed = dynamic_cast<T*>(self);
  // Only where the plain conversion finds the same object (one TObject in
  // the class, as everywhere in the component library).
  if (typed && typed == static_cast<T*>(self)) known_class = &typeid(*self);
  return typed;
}

// Self as a T; ECompilerError "TStrings.ADD called on a nil object" or
// "TStrings.ADD called on an object of class TComponent" otherwise.
template <class T>
T& SelfAs(TObject* self, const std::string& member) {
  T* typed = SelfIf<T>(self);
  if (!typed) WrongSelf(BoundClassName<T>(), member, self);
  return *typed;
}

// A member body as a HostProc: `Body` runs with Self checked as a T.
//   RegisterFunc("TSTRINGS.ADD",
//                Method<TStrings, [](TStrings& s, ArgBlock& a, Variant& r) { ... }>, {pkValue});
template <class T, auto Body>
void Method(TObject* self, const std::string& name, ArgBlock& args, Variant& result) {
  Body(SelfAs<T>(self, name), args, result);
}

// The object in an argument as a T: nullptr for nil; ECompilerError
// "Argument of TStrings.ADDSTRINGS must be a TStrings, not a TComponent" for
// an object of another class.
template <class T>
T* ObjectArg(const Variant& arg, const char* member) {
  TObject* object = VariantToObj(arg);
  if (!object) return nullptr;
  T* typed = dynamic_cast<T*>(object);
  if (!typed)
    throw ECompilerError(std::string("Argument of ") + member + " must be a " + BoundClassName<T>() +
                         ", not a " + object->ClassName());
  return typed;
}

// ObjectArg that refuses nil as well: "Argument of ... must be a TStrings, not nil".
template <class T>
T& RequiredObjectArg(const Variant& arg, const char* member) {
  T* typed = ObjectArg<T>(arg, member);
  if (!typed)
    throw ECompilerError(std::string("Argument of ") + member + " must be a " + BoundClassName<T>() + ", not nil");
  return *typed;
}

}  // namespace orv
