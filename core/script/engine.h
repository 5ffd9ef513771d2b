// Start-up and shut-down of the script engine. Start-up creates the
// process-wide registries (functions, constants, dynamic-variable providers
// with the internal variables, event types), registers the built-in constants
// ("mbLeft", "ssShift", ...), the standard event types and the script
// component class name. Calls nest: only the first start-up and the matching
// last shut-down do anything.
#pragma once

namespace orv {

void EngineStartup();
void EngineShutdown();

// True between the first EngineStartup() and the last EngineShutdown().
bool EngineStarted();

}  // namespace orv
