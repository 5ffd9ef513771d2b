// Start-up and shut-down of everything a script host offers scripts: the
// script engine, the script library, the classes of the script component
// and its event bindings, and the hooks through which the script routines
// RunMacro and RunForm run another script file or show a form.
#pragma once

namespace orv {

// Starts the engine and registers, in this order: the classes unit, the
// units of the visual classes (controls, dialogs, extra controls, forms,
// standard controls), the system unit, the conversion and date unit and the
// image-information unit; registers the classes TKelComp and TKelEvent;
// installs the RunMacro and RunForm hooks. Calls nest: only the first call
// (or the first after the last HostShutdown) does the work.
void HostStartup();

// Undoes the matching HostStartup(); the last call frees the forms RunForm
// showed that still exist, removes the hooks and shuts the engine down.
void HostShutdown();

}  // namespace orv
