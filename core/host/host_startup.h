// Start-up and shut-down of everything a script host offers scripts: the
// script engine, the script library and the hook through which the script
// routine RunMacro runs another script file.
#pragma once

namespace orv {

// Starts the engine and registers, in this order: the classes unit, the
// units of the visual classes (controls, dialogs, extra controls, forms,
// standard controls), the system unit, the conversion and date unit and the image-information unit;
// installs the RunMacro hook. Calls nest: only the first call (or the first
// after the last HostShutdown) does the work.
void HostStartup();

// Undoes the matching HostStartup(); the last call removes the RunMacro hook
// and shuts the engine down.
void HostShutdown();

}  // namespace orv
