// The units of the script library that bind the visual classes: the members
// of every visual class and the message and input dialogs as plain routines
// (from the class tables of liborvcontrols.so, see class_binding.h), and the
// constants of the controls, dialogs, extra controls, forms and standard
// controls units. Registering needs no Qt: the visual library is loaded when
// a script first uses one of its classes.
#pragma once

namespace orv {

// Registers the members of the visual classes and the dialog routines with
// the host registry (the engine must be started); calling it again replaces
// the entries.
void RegisterVisualClassBindings();

// Each registers its unit's constants; calling one again replaces them.
void RegisterControlsLibrary();
void RegisterDialogsLibrary();
void RegisterExtraControlsLibrary();
void RegisterFormsLibrary();
void RegisterStandardControlsLibrary();

}  // namespace orv
