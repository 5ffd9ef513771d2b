// Class bindings from tables: a table of MemberBinding rows (class, member,
// kind, parameters) is registered with the host registry by one call, each
// row with host routines of its own; a class's rows reach the registry when
// a script first names the class. The rows of the visual classes are
// written at build time from the class tables of liborvcontrols.so
// (components/class_table.h, binding_table_gen.cpp), so the core knows their
// names without linking Qt. At run time a row reaches its member through the
// component library's lookups (components/published.h): the visual library
// is loaded on the first use of one of its classes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "components/class_table.h"
#include "core/script/host_registry.h"

namespace orv {

// One bound member. `params` holds one letter per parameter: 'v' a value,
// 'r' a variable (written back after the call), 'a' an array (read as a set
// of small numbers); empty for none.
struct MemberBinding {
  const char* class_name;  // as the component library spells it; "" for a routine
  const char* member;      // as registered, for example "LEFT" or "SHOWMESSAGE"
  MemberKind kind;
  const char* params = "";
};

// An integer constant of a unit.
struct ConstBinding {
  const char* name;
  int32_t value;
};

// The registry key of a binding: CLASS.MEMBER in upper case, or the
// member alone for a routine.
std::string BindingKey(const MemberBinding& binding);

// The host routines behind every binding: `binding` decides what they do.
void RunMember(const MemberBinding& binding, TObject* self, ArgBlock& args, Variant& result);
void SetMember(const MemberBinding& binding, TObject* self, const Variant& value);

// Registers one binding with `run` (the getter, method, routine or
// constructor) and `set` (the setter of a writable property).
void RegisterMember(const MemberBinding& binding, HostProc run, HostProc set);

void RegisterConstants(std::span<const ConstBinding> constants);

// Registers `rows`, row i with the routines run[i] and set[i]: routines at
// once, the members of each class when the class is first looked up
// (DeferClassMembers), so a script pays only for the classes it uses.
void RegisterRows(std::span<const MemberBinding> rows, const HostProc* run, const HostProc* set);

// Every binding registered so far, deferred ones included (they are
// registered now), once each, in registration order.
const std::vector<const MemberBinding*>& RegisteredMembers();

namespace binding_detail {

template <const auto& Table, size_t I>
void Run(TObject* self, const std::string&, ArgBlock& args, Variant& result) {
  RunMember(Table[I], self, args, result);
}

template <const auto& Table, size_t I>
void Set(TObject* self, const std::string&, ArgBlock& args, Variant&) {
  SetMember(Table[I], self, args[0]);
}

// The routines are gathered in arrays rather than registered by one fold
// expression, whose nesting compilers limit (a table has hundreds of rows).
template <const auto& Table, size_t... I>
void RegisterAll(std::index_sequence<I...>) {
  static constexpr HostProc kRun[] = {&Run<Table, I>...};
  static constexpr HostProc kSet[] = {&Set<Table, I>...};
  RegisterRows(Table, kRun, kSet);
}

}  // namespace binding_detail

// Registers every binding of `Table` (a constexpr array of MemberBinding),
// each with host routines of its own that know their entry (RegisterRows).
template <const auto& Table>
void RegisterMembers() {
  binding_detail::RegisterAll<Table>(std::make_index_sequence<std::size(Table)>());
}

}  // namespace orv
