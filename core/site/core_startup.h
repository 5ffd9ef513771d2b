// Start-up and shut-down of everything liborvcore.so offers scripts: the
// script engine, the script library and the site compiler's own routines.
// Programs and tests that link the parts directly call CoreStartup() and
// CoreShutdown() themselves. liborvcore.so starts them when a build first
// runs a page script (CoreStartupOnUse) and stops them when it is unloaded:
// most builds run no script, and starting the host took about a tenth of
// a small build's time.
#pragma once

namespace orv {

// Starts the script host (HostStartup: the engine and the script library),
// then registers the site compiler's routines and constant. Calls nest: only
// the first call (or the first after the last CoreShutdown) does the work.
void CoreStartup();

// Undoes the matching CoreStartup(); the last call shuts the host down.
void CoreShutdown();

// Before a page script runs: CoreStartup() unless the host runs already.
// Any thread may call it; the start it makes lasts until
// CoreShutdownStartedOnUse().
void CoreStartupOnUse();

// Undoes the start CoreStartupOnUse() made, if it made one.
void CoreShutdownStartedOnUse();

}  // namespace orv
