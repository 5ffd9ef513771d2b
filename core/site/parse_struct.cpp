#include "core/site/parse_struct.h"

#include "core/host/kel_comp.h"

namespace orv {

namespace {
thread_local BuildState* current_build = nullptr;
bool script_cache_default = true;
}

ExpansionLimits& DefaultExpansionLimits() {
  static ExpansionLimits limits;
  return limits;
}

bool ScriptCacheDefault() { return script_cache_default; }
void SetScriptCacheDefault(bool on) { script_cache_default = on; }

TParseStruct& TParseStructList::Add(BuildState& build) {
  items_.push_back(std::make_unique<TParseStruct>(*this, build));
  return *items_.back();
}

BuildState::BuildState() : Context(Contexts.Add(*this)) {}

BuildState::~BuildState() = default;

TKelProgramCache& BuildState::ScriptCache() {
  if (!script_cache_) script_cache_ = std::make_unique<TKelProgramCache>();
  return *script_cache_;
}

void BuildState::OutsideCodeRuns() {
  Writer.OutsideCodeRuns();
  Caches.OutsideCodeRuns();
}

void BuildState::SetUserVar(const std::string& name, const std::string& value) {
  // Through the variables' index: a site whose every page sets a variable
  // of its own would otherwise look through all of them on every page. The
  // index gives a built-in variable before the project's of its name.
  const TUserSetting* found = Caches.FindVariable(BuiltinVars, UserVars, name);
  if (found && found->Owner != &UserVars) found = UserVars.Find(name);
  if (found) {
    const_cast<TUserSetting*>(found)->Value = value;  // an item of UserVars, which the build owns
  } else {
    UserVars.Add(name, value);
  }
}

BuildState* CurrentBuild() { return current_build; }

CurrentBuildScope::CurrentBuildScope(BuildState& build) : previous_(current_build), trace_(&build.Reads) {
  current_build = &build;
}

CurrentBuildScope::~CurrentBuildScope() { current_build = previous_; }

}  // namespace orv
