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
                 ElementShortcut shortcut = nullptr) {
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
  State().functions.Add(name, std::move(item));
}

}  // namespace

void RegisterProc(std::string_view name, HostProc code, std::vector<ParamKind> kinds) {
  AddFunction(name, code, std::move(kinds), fkProcedure);
}

void RegisterFunc(std::string_view name, HostProc code, std::vector<ParamKind> kinds) {
  AddFunction(name, code, std::move(kinds), fkFunction);
}

void RegisterProp(std::string_view name, HostProc getter, HostProc setter) {
  RegisterFunc(name, getter, {pkNone});
  if (setter) RegisterFunc(std::string(name) + "_SET", setter, {pkValue});
}

namespace {

void AddIndexedProp(std::string_view name, int32_t index_count, HostProc getter, HostProc setter,
                    ElementShortcut get, ElementShortcut put) {
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

void RegisterIndexedProp(std::string_view name, HostProc getter, HostProc setter, ElementShortcut get,
                         ElementShortcut put) {
  AddIndexedProp(name, 1, getter, setter, get, put);
}

int32_t FindFunction(std::string_view name) { return State().functions.Find(name); }

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

int32_t FunctionCount() { return State().functions.Count(); }

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
