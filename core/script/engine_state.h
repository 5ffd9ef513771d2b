// The process-wide registries of the script engine, created by EngineStartup()
// and freed by EngineShutdown(). Only the registry modules include this.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/script/dyna_vars.h"
#include "core/script/event_types.h"
#include "core/script/host_registry.h"
#include "core/script/name_list.h"

namespace orv {

// One registered dynamic-variable provider; a removed provider leaves an
// empty slot, so the handles (slot numbers) of the others never change.
struct TDynaVarItem {
  std::string Name;  // upper case
  TDynaVarNameTOId VarNameTOID;
  TDynaSetVar SetVar;
  TDynaGetVar GetVar;
  bool Bound = false;
  uint32_t Owner = 0;  // handle of the owning script component when bound
};

// The members of one class whose registration waits for the class's first
// use (DeferClassMembers).
struct TDeferredMembers {
  std::string ClassName;  // upper case
  std::function<void()> Register;
};

// Everything start-up creates.
struct EngineState {
  TNameList<TFunListItem> functions;
  std::vector<TDeferredMembers> deferred;  // in the order deferred; done ones are erased
  std::unordered_set<std::string> deferred_classes;  // the classes with entries in `deferred`
  bool registering_deferred = false;  // deferred members never replace a routine
  TNameList<Variant> constants;
  std::vector<std::shared_ptr<TDynaVarItem>> providers;  // by handle; nullptr once removed
  TInternalVar internal_vars;
  TNameList<TEventListItem> event_types;
};

// The registries; ECompilerError "Script engine not started" outside
// EngineStartup()/EngineShutdown().
EngineState& State();

}  // namespace orv
