// The units of the script library that bind the visual classes, each
// registered from its tables (class_binding.h): controls, dialogs (with
// the message and input dialogs as plain routines), extra controls, forms
// and standard controls. Registering needs no Qt: the visual library is
// loaded when a script first uses one of its classes.
#pragma once

namespace orv {

// Each registers its unit's members and constants with the host registry
// (the engine must be started); calling one again replaces the entries.
void RegisterControlsLibrary();
void RegisterDialogsLibrary();
void RegisterExtraControlsLibrary();
void RegisterFormsLibrary();
void RegisterStandardControlsLibrary();

}  // namespace orv
