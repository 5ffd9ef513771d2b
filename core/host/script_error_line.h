// The line of a script that an error of a component's run stands at.
#pragma once

#include <exception>

#include "core/host/kel_comp.h"

namespace orv {

// The line within `comp`'s script of `error`, which its last Prepare/Run
// raised: a compile error's own line when the script did not compile, else
// the line of the instruction that failed (FailedLine); 0 when unknown.
int ScriptErrorLine(const std::exception& error, const TKelComp& comp);

}  // namespace orv
