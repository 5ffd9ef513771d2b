// The host registry: the routines, properties and named constants that hosts
// (the site compiler, the script library) offer to scripts, and the lookups
// the compiler and the runner make in them. The registries are process-wide
// and exist between EngineStartup() and EngineShutdown() (engine.h); using
// them outside that time raises ECompilerError "Script engine not started".
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/object.h"
#include "core/script/name_list.h"
#include "core/script/variant.h"

namespace orv {

// How the compiler reads an argument and how the runner passes it.
enum ParamKind : uint8_t {
  pkValue = 0,     // any expression, by value
  pkVar = 1,       // a script variable, copied back after the call
  pkNone = 2,      // as the only kind: no parameters, called without parentheses
  pkArray = 3,     // an array constructor [a, b, ...]; element 0 holds the count
  pkAssigned = 4,  // the value after "] :=" of an indexed-property assignment
};

// Kind byte of a registered routine.
enum FunKind : uint8_t {
  fkFunction = 0,   // usable in expressions and as a statement
  fkProcedure = 1,  // statement only
};

// Most parameters a routine may have; the argument block has one more entry.
constexpr int32_t kMaxParams = 100;
using ArgBlock = std::array<Variant, kMaxParams + 1>;

// The one form of every host routine: Self (the object of a method call, or
// whatever the last call left; nullptr when none), the entry's short name (so
// one routine can serve several names), the argument block whose first
// ParamCount entries are this call's arguments (later entries are stale), and
// the result, which starts Empty. A routine changes a pkVar argument by
// assigning to its Args entry. Errors are raised as exceptions.
//   void Length(TObject*, const std::string&, ArgBlock& args, Variant& result) {
//     result = static_cast<int32_t>(args[0].AsString().size());
//   }
using HostProc = void (*)(TObject* self, const std::string& name, ArgBlock& args, Variant& result);

// A shortcut the runner takes for a routine of one to kMaxShortcutParams
// parameters that reads its arguments where they lie (an element of an
// indexed property with one index, or a function such as Length or Copy),
// without filling the argument block: given Self and the call's arguments
// (args[i] for i below the routine's ParamCount), it does what the routine
// would do and returns true. Where it does not apply (Self nil or of another
// class, an argument of another kind) it returns false having done nothing,
// and the runner calls the routine, which raises its own error.
using RoutineShortcut = bool (*)(TObject* self, const Variant* const* args, Variant& result);
inline constexpr int32_t kMaxShortcutParams = 3;

// One entry of the function registry.
struct TFunListItem {
  std::string Name;  // short name: the text after the first point, case kept
  HostProc Code = nullptr;
  int32_t ParamCount = 0;  // 0..100
  uint8_t Kind = fkFunction;
  std::vector<ParamKind> ParamKinds;  // ParamCount kinds (or the single pkNone)
  bool HasVarParams = false;          // some kind is pkVar: the runner copies those back
  RoutineShortcut Shortcut = nullptr;  // when given (RoutineShortcut)
};

// Registers a procedure / a function under `name` (CLASS.MEMBER for methods,
// for example "TSTRINGS.ADD"; any case). ParamCount is 0 when kinds[0] is
// pkNone, else kinds.size(). A later registration of the same name replaces
// the entry and keeps its number. More than 100 parameters, or no routine, is
// refused with an orv::Exception naming the function.
void RegisterProc(std::string_view name, HostProc code, std::vector<ParamKind> kinds);
void RegisterFunc(std::string_view name, HostProc code, std::vector<ParamKind> kinds);
// RegisterFunc with the runner's shortcut for the same routine. The kinds
// must be 1 to kMaxShortcutParams of pkValue; otherwise an orv::Exception
// names the function.
void RegisterFunc(std::string_view name, HostProc code, std::vector<ParamKind> kinds, RoutineShortcut shortcut);

namespace registry_detail {

// The shortcut and the routine of RegisterDirectFunc: Body on the arguments
// where they lie, and on the argument block's entries.
template <size_t kParams, auto Body>
bool DirectShortcut(TObject*, const Variant* const* args, Variant& result) {
  [&]<size_t... I>(std::index_sequence<I...>) { Body(*args[I]..., result); }(std::make_index_sequence<kParams>());
  return true;
}

template <size_t kParams, auto Body>
void DirectRoutine(TObject* self, const std::string&, ArgBlock& args, Variant& result) {
  std::array<const Variant*, kParams> pointers;
  for (size_t i = 0; i < kParams; ++i) pointers[i] = &args[i];
  DirectShortcut<kParams, Body>(self, pointers.data(), result);
}

}  // namespace registry_detail

// Registers a function of kParams value parameters from one body that reads
// its arguments and writes its result, Body(arg, ..., result): as its
// routine, which gives it the argument block's entries, and as its shortcut,
// which gives it the arguments where they lie, so a call copies none. The
// body must not depend on Self.
//   RegisterDirectFunc<1, [](const Variant& s, Variant& r) { r = ...; }>("Length");
template <size_t kParams, auto Body>
void RegisterDirectFunc(std::string_view name) {
  static_assert(kParams >= 1 && kParams <= static_cast<size_t>(kMaxShortcutParams));
  RegisterFunc(name, registry_detail::DirectRoutine<kParams, Body>, std::vector<ParamKind>(kParams, pkValue),
               registry_detail::DirectShortcut<kParams, Body>);
}

// A property: `getter` under `name` without parameters (pkNone, function) and,
// when given, `setter` under name + "_SET" with one pkValue parameter.
void RegisterProp(std::string_view name, HostProc getter, HostProc setter = nullptr);

// An indexed property: `getter` under `name` with `index_count` pkValue
// parameters and, when given, `setter` under name + "_VET" with the indices
// followed by one pkAssigned parameter.
void RegisterIndexedProp(std::string_view name, int32_t index_count, HostProc getter,
                         HostProc setter = nullptr);

// RegisterIndexedProp with one index, and the runner's shortcuts for reading
// (`get`) and writing (`put`, with `setter`) one element.
void RegisterIndexedProp(std::string_view name, HostProc getter, HostProc setter, RoutineShortcut get,
                         RoutineShortcut put);

// Registers the members of class `class_name` (any case) when they are
// first needed rather than now: `register_members` runs once, when a name
// CLASS.MEMBER of the class is looked up (FindFunction, FindInClassChain) or
// every routine is counted (FunctionCount), so that a script pays only for
// the classes it uses. What it registers never replaces a routine already
// registered under the same name: a later registration keeps its place, as
// it would have replaced the member registered at once. Defer only members
// whose names nothing registered earlier uses.
void DeferClassMembers(std::string_view class_name, std::function<void()> register_members);

// Registers the members of every class still deferred, in the order they
// were deferred.
void RegisterDeferredMembers();

// The number of the routine registered under `name` (any case), -1 if none.
// Numbers are stable: registering other names never changes them, so the
// runner's opCall may hold one.
int32_t FindFunction(std::string_view name);

// `name` + `suffix` looked up along the class chain: when absent and `name`
// has a point, the part before the first point is taken as a class name and
// replaced by its parent class (components/object.h) until a routine is found
// or the chain ends. FindInClassChain("TSTRINGLIST.ADD", "") finds a routine
// registered as "TSTRINGS.ADD". -1 when none.
int32_t FindInClassChain(std::string_view name, std::string_view suffix);

// The routine with `number`; ECompilerError "Invalid function number" when
// there is none (a corrupt program).
const TFunListItem& FunctionAt(int32_t number);

// The registered routines by number, for a runner that calls many: the list
// stays where it is from EngineStartup to EngineShutdown (its entries too,
// though a later registration of a name replaces its entry's contents).
const TNameList<TFunListItem>& FunctionTable();

// How many routines are registered, deferred members included (they are
// registered now); their numbers run from 0 to FunctionCount() - 1, in the
// order they were first registered.
int32_t FunctionCount();

// The name routine `number` is registered under, in upper case (CLASS.MEMBER
// for a method); ECompilerError "Invalid function number" when there is none.
const std::string& FunctionKey(int32_t number);

// Registers a named constant (any case). The value must be an integer, real,
// string or Boolean; other kinds are refused with an orv::Exception. A later
// registration of the same name replaces the value and keeps its number.
void RegisterConst(std::string_view name, const Variant& value);

// The number of the constant `name` (any case), -1 if none; stable like
// function numbers.
int32_t FindConst(std::string_view name);

// The value of constant `number`; ECompilerError "Invalid constant number"
// when there is none.
const Variant& ConstAt(int32_t number);

// How many constants are registered, and the upper-case name of constant
// `number` (ECompilerError "Invalid constant number" when there is none).
int32_t ConstCount();
const std::string& ConstKey(int32_t number);

// The values of a pkArray argument: element 0 holds the count n, elements
// 1..n the values, in order, viewed where they are (valid while `array`
// holds them). EVariantError when `array` is not an array or its count does
// not fit it.
std::span<const Variant> ConstArrayFromVariant(const Variant& array);

}  // namespace orv
