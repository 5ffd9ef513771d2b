// Start-up and shut-down of everything liborvcore.so offers scripts: the
// script engine, the script library and the site compiler's own routines.
// The library's load hook calls CoreStartup() and its unload hook
// CoreShutdown(); programs and tests that link the parts directly call them
// themselves.
#pragma once

namespace orv {

// Starts the engine and registers, in this order: the classes unit, the
// system unit, the conversion and date unit, the image-information unit,
// then the site compiler's routines and constant; installs the hook through
// which the script routine RunMacro runs a script file. Calls nest: only the
// first call (or the first after the last CoreShutdown) does the work.
void CoreStartup();

// Undoes the matching CoreStartup(); the last call removes the RunMacro hook
// and shuts the engine down.
void CoreShutdown();

}  // namespace orv
