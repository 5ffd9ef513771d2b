#include "core/site/parse_struct.h"

namespace orv {

namespace {
thread_local BuildState* current_build = nullptr;
}

TParseStruct& TParseStructList::Add(BuildState& build) {
  items_.push_back(std::make_unique<TParseStruct>(*this, build));
  return *items_.back();
}

BuildState::BuildState() : Context(Contexts.Add(*this)) {}

BuildState* CurrentBuild() { return current_build; }

CurrentBuildScope::CurrentBuildScope(BuildState& build) : previous_(current_build) {
  current_build = &build;
}

CurrentBuildScope::~CurrentBuildScope() { current_build = previous_; }

}  // namespace orv
