// Class tables: everything a library offers of one class, declared once.
// A table names the class, its factory, its published properties (in the
// order form files write them), its public properties and methods, and which
// members the script bindings show under the class's name. Registering the
// table makes the class descriptor and the class members (published.h); the
// bound members it lists are what the script host registers with the script
// engine (BoundMembers), so a member is added in one place for form files,
// dialogs and scripts alike.
//   RegisterClassTable({.name = "TPanel",
//                       .factory = publish::Factory<TPanel>(),
//                       .published = {Bound(Prop("Locked", types::Boolean, &TPanel::Locked, &TPanel::SetLocked))},
//                       .bound = {"Create", "Align"}});
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "components/published.h"

namespace orv {

// How the script bindings show a member: a property read and written, or
// only read, or read with one index (through a method that takes it); a
// method or routine without a result (a procedure) or with one (a function);
// Create, which makes an object of the class.
enum class MemberKind : uint8_t { Property, ReadOnly, IndexedReadOnly, Procedure, Function, Constructor };

// A member that scripts reach under a class (or, for a routine, under no
// class). What is not given is worked out from the member itself: a property
// with a setter is a Property, one without is ReadOnly; a method with a
// result is a Function, one without a Procedure; each parameter is passed by
// value.
struct Binding {
  Binding(const char* member) : name(member) {}
  Binding(std::string member, MemberKind as) : name(std::move(member)), kind(as) {}

  std::string name;
  std::optional<MemberKind> kind;
  // One letter per parameter: 'v' by value, 'r' a variable that receives
  // the argument's new value, 'a' an array of numbers read as a set.
  std::optional<std::string> params;
};

// A property or method of a table, with its binding when scripts reach it
// under the table's class.
template <class Info>
struct TableMember {
  TableMember(Info member) : info(std::move(member)) {}

  Info info;
  std::optional<Binding> binding;
};

// `member`, which scripts reach under its class; `kind` where it cannot be
// worked out from the member (a method read as an indexed property).
template <class Info>
TableMember<Info> Bound(Info member, std::optional<MemberKind> kind = std::nullopt) {
  TableMember<Info> bound(std::move(member));
  bound.binding = Binding(bound.info.name.c_str());
  bound.binding->kind = kind;
  return bound;
}

// A routine whose parameters scripts pass as `params` says ('v', 'r', 'a').
TableMember<MethodInfo> Bound(MethodInfo routine, std::string params);

// Everything a library offers of one class.
struct ClassTable {
  std::string name;
  std::string parent = {};  // empty for a class of the standard class tree
  std::function<TComponent*(TComponent* owner)> factory = {};  // null for abstract classes
  std::vector<TableMember<PropertyInfo>> published = {};       // stored in form files, in this order
  std::vector<TableMember<PropertyInfo>> properties = {};      // public: read and written by name, never stored
  std::vector<TableMember<MethodInfo>> methods = {};
  // Further members scripts reach under this class: members its parents
  // declare, and "Create", a new object of this class.
  std::vector<Binding> bound = {};
};

// Registers the class's descriptor and members and remembers its bindings;
// a second table of the same name replaces the first.
void RegisterClassTable(ClassTable table);

// Registers routines of a library (RegisterRoutine) and remembers the bound ones.
void RegisterRoutines(std::vector<TableMember<MethodInfo>> routines);

// One binding as the script host registers it: the class as the table
// spells it ("" for a routine), the member as the class spells it, and how
// it is bound, worked out in full.
struct BoundMember {
  std::string class_name;
  std::string name;
  MemberKind kind;
  std::string params;
};

// Every binding registered so far, in the order of registration, each
// resolved against its class (its parents included); EPropertyError "TPanel
// binds Nope, which it does not have" when one names no member.
std::vector<BoundMember> BoundMembers();

namespace publish {

// The factory of a class that is made with an owner.
template <class T>
std::function<TComponent*(TComponent*)> Factory() {
  return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

}  // namespace publish

}  // namespace orv
