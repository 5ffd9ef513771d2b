#include "core/script/dyna_vars.h"

#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"
#include "platform/paths.h"

namespace orv {
namespace {

uint32_t OwnerHandle(TObject* owner) { return owner ? owner->Handle() : 0; }

// A provider by handle, held by the caller while it runs a callback, so a
// callback that unregisters providers cannot free the one running.
std::shared_ptr<TDynaVarItem> Provider(int32_t handle) {
  auto& providers = State().providers;
  if (handle < 0 || static_cast<size_t>(handle) >= providers.size() || !providers[handle]) {
    throw ECompilerError("Dynamic variable provider " + std::to_string(handle) +
                         " is no longer registered");
  }
  return providers[handle];
}

}  // namespace

int32_t RegisterDynaVars(std::string_view name, TObject* owner, TDynaGetVar get_var,
                         TDynaSetVar set_var, TDynaVarNameTOId name_to_id) {
  if (!get_var || !set_var || !name_to_id) {
    throw Exception("Dynamic variables " + std::string(name) + " need all three routines");
  }
  UnregisterDynaVars(name);
  auto item = std::make_shared<TDynaVarItem>();
  item->Name = UpperCase(name);
  item->VarNameTOID = std::move(name_to_id);
  item->SetVar = std::move(set_var);
  item->GetVar = std::move(get_var);
  item->Bound = owner != nullptr;
  item->Owner = OwnerHandle(owner);
  auto& providers = State().providers;
  providers.push_back(std::move(item));
  return static_cast<int32_t>(providers.size() - 1);
}

void UnregisterDynaVars(std::string_view name) {
  std::string key = UpperCase(name);
  for (auto& provider : State().providers) {
    if (provider && provider->Name == key) provider.reset();
  }
}

std::optional<TDynaVarRef> FindDynaVar(std::string_view name, TObject* component) {
  std::string key = UpperCase(name);
  uint32_t owner = OwnerHandle(component);
  auto& providers = State().providers;
  for (size_t i = providers.size(); i-- > 0;) {
    std::shared_ptr<TDynaVarItem> provider = providers[i];
    if (!provider || (provider->Bound && provider->Owner != owner)) continue;
    int32_t id = provider->VarNameTOID(key);
    if (id != -1) return TDynaVarRef{static_cast<int32_t>(i), id};
  }
  return std::nullopt;
}

Variant DynaVarGet(int32_t provider, int32_t id) {
  return Provider(provider)->GetVar(id);
}

void DynaVarSet(int32_t provider, int32_t id, const Variant& value) {
  Provider(provider)->SetVar(id, value);
}

int32_t TInternalVar::VarNameTOId(const std::string& name) const {
  if (SameText(name, "Result")) return 0;
  int32_t number = items_.Find(name);
  return number < 0 ? -1 : number + 1;
}

Variant TInternalVar::GetVar(int32_t id) const {
  if (id == 0) return Result;
  return id > 0 && items_.Valid(id - 1) ? items_.At(id - 1) : Variant(0);
}

void TInternalVar::SetVar(int32_t id, const Variant& value) {
  if (id == 0) {
    Result = value;
  } else if (id > 0 && items_.Valid(id - 1)) {
    items_.At(id - 1) = value;
  }
}

void TInternalVar::Add(std::string_view name, const Variant& value) { items_.Add(name, value); }

TInternalVar& InternalVars() { return State().internal_vars; }

}  // namespace orv
