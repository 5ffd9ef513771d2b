// Dynamic variables: names a script reads and writes that live in the host.
// A provider answers three questions: the id of a name, the value of an id,
// and storing a value under an id. Providers are searched from the last
// registered to the first; a bound provider serves only the scripts of the
// component it is bound to. The engine-wide internal variables (with the
// script's Result) are the provider "__InternalVar", registered at start-up.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "components/object.h"
#include "core/script/name_list.h"
#include "core/script/variant.h"

namespace orv {

// The id of a variable name (given in upper case, dotted parts joined with
// points); -1 when the provider does not know it.
using TDynaVarNameTOId = std::function<int32_t(const std::string& name)>;
// Stores a value under an id.
using TDynaSetVar = std::function<void(int32_t id, const Variant& value)>;
// The value under an id.
using TDynaGetVar = std::function<Variant(int32_t id)>;

// Where the compiler found a dynamic variable: the provider's handle and the
// variable's id within it.
struct TDynaVarRef {
  int32_t Provider;
  int32_t Id;
};

// Adds a provider under the upper-case `name`, bound to `owner` (a script
// component) or global when `owner` is nullptr, and returns its handle.
// Handles are never reused: removing a provider retires its handle, and a
// program compiled against it fails cleanly instead of reaching another
// provider. Registering a name that is present replaces that provider: the
// old handle retires and the new provider is searched first.
int32_t RegisterDynaVars(std::string_view name, TObject* owner, TDynaGetVar get_var,
                         TDynaSetVar set_var, TDynaVarNameTOId name_to_id);

// Removes the provider registered under `name` (any case), if any.
void UnregisterDynaVars(std::string_view name);

// Looks `name` up in the providers visible to `component` (nullptr: only the
// global ones), from the last registered to the first; the first id other
// than -1 wins. std::nullopt when no provider knows the name.
std::optional<TDynaVarRef> FindDynaVar(std::string_view name, TObject* component);

// The runner's access to a provider by handle. ECompilerError "Dynamic
// variable provider %d is no longer registered" for a retired or unknown
// handle; exceptions of the provider pass unchanged.
Variant DynaVarGet(int32_t provider, int32_t id);
void DynaVarSet(int32_t provider, int32_t id, const Variant& value);

// The engine-wide internal variables: Result (id 0) and a list of named
// variables (id = entry number + 1). Ids beyond the list read the integer 0
// and ignore writes.
class TInternalVar {
 public:
  int32_t VarNameTOId(const std::string& name) const;
  Variant GetVar(int32_t id) const;
  void SetVar(int32_t id, const Variant& value);

  // Adds or replaces a named variable.
  void Add(std::string_view name, const Variant& value);

  // The Result the host reads after running a script.
  Variant Result;

 private:
  TNameList<Variant> items_;
};

// The engine-wide instance (ECompilerError when the engine is not started).
TInternalVar& InternalVars();

}  // namespace orv
