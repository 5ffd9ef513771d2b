// The hooks through which the script routines RunMacro and RunForm reach the
// script component, which lives above the script library. The host that
// owns the script component installs them at start-up.
#pragma once

#include <functional>
#include <string>

#include "core/script/variant.h"

namespace orv {

// Runs the script in `file` (which exists) in a fresh script component and
// returns the script's Result.
using ScriptFileRunner = std::function<Variant(const std::string& file)>;
void SetScriptFileRunner(ScriptFileRunner runner);
const ScriptFileRunner& GetScriptFileRunner();

// Loads the form file `file` with its script and shows the form.
using ScriptFormRunner = std::function<void(const std::string& file)>;
void SetScriptFormRunner(ScriptFormRunner runner);
const ScriptFormRunner& GetScriptFormRunner();

}  // namespace orv
