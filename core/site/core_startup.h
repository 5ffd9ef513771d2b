// Start-up and shut-down of everything liborvcore.so offers scripts: the
// script engine, the script library and the site compiler's own routines.
// The library's load hook calls CoreStartup() and its unload hook
// CoreShutdown(); programs and tests that link the parts directly call them
// themselves.
#pragma once

namespace orv {

// Starts the script host (HostStartup: the engine and the script library),
// then registers the site compiler's routines and constant. Calls nest: only
// the first call (or the first after the last CoreShutdown) does the work.
void CoreStartup();

// Undoes the matching CoreStartup(); the last call shuts the host down.
void CoreShutdown();

}  // namespace orv
