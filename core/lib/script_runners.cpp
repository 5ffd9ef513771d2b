#include "core/lib/script_runners.h"

namespace orv {
namespace {

ScriptFileRunner& FileRunner() {
  static ScriptFileRunner runner;
  return runner;
}

ScriptFormRunner& FormRunner() {
  static ScriptFormRunner runner;
  return runner;
}

}  // namespace

void SetScriptFileRunner(ScriptFileRunner runner) { FileRunner() = std::move(runner); }
const ScriptFileRunner& GetScriptFileRunner() { return FileRunner(); }

void SetScriptFormRunner(ScriptFormRunner runner) { FormRunner() = std::move(runner); }
const ScriptFormRunner& GetScriptFormRunner() { return FormRunner(); }

}  // namespace orv
