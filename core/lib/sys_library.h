// The system unit of the script library: string routines, routines on values
// and on any object, process parameters, running other scripts and forms,
// printing, and the constant pi.
#pragma once

namespace orv {

// Registers the unit's routines (in their fixed order) and pi with the host
// registry (the engine must be started).
void RegisterSysLibrary();

}  // namespace orv
