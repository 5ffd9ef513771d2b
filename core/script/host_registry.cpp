#include "core/script/host_registry.h"

#include <algorithm>
#include <utility>

#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"
#include "platform/paths.h"

namespace orv {
namespace {

std::string ShortName(std::string_view name) {
  size_t point = name.find('.');
  return std::string(point == std::string_view::npos ? name : name.substr(point + 1));
}

void AddFunction(std::string_view name, HostProc code, std::vector<ParamKind> kinds, uint8_t kind,
                 RoutineShortcut shortcut = nullptr) {
  if (code == nullptr) throw Exception("Function " + std::string(name) + " has no routine");
  TFunListItem item;
  item.Name = ShortName(name);
  item.Code = code;
  item.Kind = kind;
  item.Shortcut = shortcut;
  if (!kinds.empty() && kinds[0] == pkNone) {
    kinds.resize(1);
    item.ParamKinds = std::move(kinds);
  } else {
    if (kinds.size() > static_cast<size_t>(kMaxParams)) {
      throw Exception("Function " + std::string(name) + " has " + std::to_string(kinds.size()) +
                      " parameters; at most " + std::to_string(kMaxParams) + " are allowed");
    }
    item.ParamCount = static_cast<int32_t>(kinds.size());
    item.HasVarParams = std::find(kinds.begin(), kinds.end(), pkVar) != kinds.end();
    item.ParamKinds = std::move(kinds);
  }
  EngineState& state = State();
  if (state.registering_deferred) {
    state.functions.Insert(name, std::move(item));
  } else {
    state.functions.Add(name, std::move(item));
  }
}

// Runs deferred registrations, which add routines without replacing any.
void RunDeferred(EngineState& state, std::vector<TDeferredMembers> due) {
  struct Flag {
    bool& on;
    explicit Flag(bool& f) : on(f) { on = true; }
    ~Flag() { on = false; }
  } flag(state.registering_deferred);
  for (TDeferredMembers& members : due) members.Register();
}

// Registers the deferred members of the class that `name` (CLASS.MEMBER)
// names, if any are left.
void RegisterDeferredMembersOf(EngineState& state, std::string_view name) {
  if (state.deferred_classes.empty()) return;
  const size_t point = name.find('.');
  if (point == std::string_view::npos) return;
  auto pending = state.deferred_classes.find(UpperCase(name.substr(0, point)));
  if (pending == state.deferred_classes.end()) return;
  std::vector<TDeferredMembers> due;
  std::erase_if(state.deferred, [&](TDeferredMembers& members) {
    if (members.ClassName != *pending) return false;
    due.push_back(std::move(members));
    return true;
  });
  state.deferred_classes.erase(pending);
  RunDeferred(state, std::move(due));
}

}  // namespace

void DeferClassMembers(std::string_view class_name, std::function<void()> register_members) {
  EngineState& state = State();
  std::string key = UpperCase(class_name);
  state.deferred_classes.insert(key);
  state.deferred.push_back({std::move(key), std::move(register_members)});
}

void RegisterDeferredMembers() {
  EngineState& state = State();
  if (state.deferred.empty()) return;
  std::vector<TDeferredMembers> due = std::move(state.deferred);
  state.deferred.clear();
  state.deferred_classes.clear();
  RunDeferred(state, std::move(due));
}

void RegisterProc(std::string_view name, HostProc code, std::vector<ParamKind> kinds) {
  AddFunction(name, code, std::move(kinds), fkProcedure);
}

void RegisterFunc(std::string_view name, HostProc code, std::vector<ParamKind> kinds) {
  AddFunction(name, code, std::move(kinds), fkFunction);
}

void RegisterFunc(std::string_view name, HostProc code, std::vector<ParamKind> kinds, RoutineShortcut shortcut) {
  const bool by_value = std::all_of(kinds.begin(), kinds.end(), [](ParamKind kind) { return kind == pkValue; });
  if (kinds.empty() || kinds.size() > static_cast<size_t>(kMaxShortcutParams) || !by_value) {
    throw Exception("Function " + std::string(name) + " cannot have a shortcut: it takes " +
                    std::to_string(kMaxShortcutParams) + " values at most, and at least one");
  }
  AddFunction(name, code, std::move(kinds), fkFunction, shortcut);
}

void RegisterProp(std::string_view name, HostProc getter, HostProc setter) {
  RegisterFunc(name, getter, {pkNone});
  if (setter) RegisterFunc(std::string(name) + "_SET", setter, {pkValue});
}

namespace {

void AddIndexedProp(std::string_view name, int32_t index_count, HostProc getter, HostProc setter,
                    RoutineShortcut get, RoutineShortcut put) {
  if (index_count < 0) {
    throw Exception("Function " + std::string(name) + " has a negative index count");
  }
  std::vector<ParamKind> kinds(static_cast<size_t>(index_count), pkValue);
  AddFunction(name, getter, kinds, fkFunction, get);
  if (setter) {
    kinds.push_back(pkAssigned);
    AddFunction(std::string(name) + "_VET", setter, std::move(kinds), fkFunction, put);
  }
}

}  // namespace

void RegisterIndexedProp(std::string_view name, int32_t index_count, HostProc getter,
                         HostProc setter) {
  AddIndexedProp(name, index_count, getter, setter, nullptr, nullptr);
}

void RegisterIndexedProp(std::string_view name, HostProc getter, HostProc setter, RoutineShortcut get,
                         RoutineShortcut put) {
  AddIndexedProp(name, 1, getter, setter, get, put);
}

int32_t FindFunction(std::string_view name) {
  EngineState& state = State();
  RegisterDeferredMembersOf(state, name);
  return state.functions.Find(name);
}

int32_t FindInClassChain(std::string_view name, std::string_view suffix) {
  std::string current(name);
  // Each step climbs one class; the bound guards against a cyclic class registry.
  for (int steps = 0; steps < 1000; ++steps) {
    int32_t number = FindFunction(current + std::string(suffix));
    if (number >= 0) return number;
    size_t point = current.find('.');
    if (point == std::string::npos) return -1;
    std::string parent = ClassParent(current.substr(0, point));
    if (parent.empty()) return -1;
    current = UpperCase(parent) + current.substr(point);
  }
  return -1;
}

const TFunListItem& FunctionAt(int32_t number) {
  EngineState& state = State();
  if (!state.functions.Valid(number)) throw ECompilerError("Invalid function number");
  return state.functions.At(number);
}

const TNameList<TFunListItem>& FunctionTable() { return State().functions; }

int32_t FunctionCount() {
  RegisterDeferredMembers();
  return State().functions.Count();
}

const std::string& FunctionKey(int32_t number) {
  FunctionAt(number);
  return State().functions.Key(number);
}

void RegisterConst(std::string_view name, const Variant& value) {
  switch (value.Type()) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varSingle:
    case varDouble:
    case varString:
    case varBoolean: break;
    default:
      throw Exception("Constant " + std::string(name) + " cannot hold a value of type (" +
                      Variant::TypeName(value.Type()) + ")");
  }
  State().constants.Add(name, value);
}

int32_t FindConst(std::string_view name) { return State().constants.Find(name); }

const Variant& ConstAt(int32_t number) {
  EngineState& state = State();
  if (!state.constants.Valid(number)) throw ECompilerError("Invalid constant number");
  return state.constants.At(number);
}

int32_t ConstCount() { return State().constants.Count(); }

const std::string& ConstKey(int32_t number) {
  ConstAt(number);
  return State().constants.Key(number);
}

std::span<const Variant> ConstArrayFromVariant(const Variant& array) {
  int32_t high = array.ArrayHigh();
  if (high < 0) throw EVariantError("Array argument has no count");
  int32_t count = array.Element(0).AsInteger();
  if (count < 0 || count > high) {
    throw EVariantError("Array argument claims " + std::to_string(count) + " values but holds " +
                        std::to_string(high));
  }
  return count == 0 ? std::span<const Variant>() : std::span<const Variant>(&array.Element(1), static_cast<size_t>(count));
}

}  // namespace orv
