// Form files embedded in a library: each dialog's form file is turned into a
// generated source at build time (orv_form_files in cmake/orv.cmake) that
// registers its text under the class name of its root object. A class reads
// its own form with ReadFormResource, which binds the components the class
// keeps in fields and the member functions that handle its events.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "components/form_reader.h"

namespace orv {

// One embedded form file.
struct FormResource {
  std::string file_name;  // "frm_pref.dfm", named in errors
  std::string_view text;  // lives as long as the library
};

// Registers the form file `file_name` whose root object is of `class_name`;
// a second one of the class replaces the first. Returns true.
bool RegisterFormResource(std::string_view class_name, std::string_view file_name, std::string_view text);

// The form file of `class_name` (without case); null when none is registered.
const FormResource* FindFormResource(std::string_view class_name);

// A member of the class whose form is read: a field that holds a component
// of the form, or a member function that handles a named event. Made by
// Field and Handler below.
template <class T>
struct FormMember {
  std::string name;
  std::function<bool(T&, TComponent*)> field;             // for a field
  std::function<void(T&, TObject*, EventArgs&)> handler;  // for a handler
};

// The field `field` of T, set to the form's component `name`, which must be of class C.
template <class T, class C>
FormMember<T> Field(std::string name, C* T::*field) {
  return {std::move(name),
          [field](T& self, TComponent* component) {
            self.*field = dynamic_cast<C*>(component);
            return self.*field != nullptr;
          },
          nullptr};
}

// The handler named `name` in the form file: a member function taking the sender.
template <class T>
FormMember<T> Handler(std::string name, void (T::*method)(TObject* sender)) {
  return {std::move(name), nullptr, [method](T& self, TObject* sender, EventArgs&) { (self.*method)(sender); }};
}

// A handler of an event with arguments after the sender (a mouse position,
// a close action), which it may change.
template <class T>
FormMember<T> Handler(std::string name, void (T::*method)(TObject* sender, EventArgs& args)) {
  return {std::move(name), nullptr,
          [method](T& self, TObject* sender, EventArgs& args) { (self.*method)(sender, args); }};
}

// Registers `class_name` as a class derived from `parent_class` with no
// published properties of its own, unless it is known already.
void RegisterFormClass(const std::string& class_name, std::string_view parent_class);

// Reads the embedded form file of `class_name` into `root` (see
// ReadFormWithHandlers): for forms made by a library's own code, whose root
// is a plain form. EFormFileError when there is no such form file.
void ReadFormResource(TComponent& root, std::string_view class_name, const HandlerTable& handlers,
                      const std::vector<FieldBinding>& fields = {});

// Reads the embedded form file of `root`'s class into it (see
// ReadFormWithHandlers) with `members` bound to `root`. The class is
// registered as derived from `parent_class` when it is not yet. EFormFileError
// when the class has no form file or the file does not fit the class.
template <class T>
void ReadFormResource(T& root, std::initializer_list<FormMember<T>> members, std::string_view parent_class = "TForm") {
  RegisterFormClass(root.ClassName(), parent_class);
  HandlerTable handlers;
  std::vector<FieldBinding> fields;
  for (const FormMember<T>& member : members) {
    if (member.handler)
      handlers[member.name] = [&root, call = member.handler](TObject* sender, EventArgs& args) {
        call(root, sender, args);
      };
    if (member.field)
      fields.push_back({member.name, [&root, set = member.field](TComponent* c) { return set(root, c); }});
  }
  ReadFormResource(root, root.ClassName(), handlers, fields);
}

}  // namespace orv
