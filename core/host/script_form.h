// Form scripts: a form read from a form file whose events run the routines
// of the script file beside it (same name, extension ".pas"). The form's
// components are the script's named objects; each event property that names
// a handler gets a TKelEvent that runs `T<form name>.<handler>`.
//
//   TComponent* form = ShowScriptForm("examples/forms/list.dfm");
//   RunScriptForms();   // the message loop, until no such form is open
//
// Everything here reaches the visual classes through the component library,
// so this module does not link Qt; the controls library is loaded when the
// first form is made.
#pragma once

#include <string>

#include "components/component.h"

namespace orv {

// The script file of the form file `file`: the same path with the extension
// ".PAS" or ".pas", or, failing both, a file of that name in any case in the
// same folder. Empty when there is none.
std::string ScriptFileOfForm(const std::string& file);

// Reads the form file `file` into `form`. Each event property that names a
// handler is bound, when the form has a script, to a TKelEvent owned by the
// form if the property's type is a registered event type, and cleared
// otherwise; without a script every such property is cleared. The script is
// compiled (its main program is not run) with the form's components as
// named objects. A form (a TCustomForm) is kept hidden, gets its OnCreate
// run, and, when it has no OnClose handler, one that frees it on closing.
// Errors of the file (EFormFileError) and compile errors pass unchanged;
// what was read stays with `form`. With `unique_in`, a form whose file gives
// it a name that a component of `unique_in` already has is renamed
// "<name>_1", "<name>_2", ... as soon as it is read, before its script is
// compiled and its events (OnCreate) run.
void LoadScriptForm(const std::string& file, TComponent& form, const TComponent* unique_in = nullptr);

// Makes a form owned by the application, loads `file` into it (a second
// form of a name the application already has renamed "<name>_1", ...) and
// shows it without waiting. Returns the form.
TComponent* ShowScriptForm(const std::string& file);

// True while a form that ShowScriptForm made still exists and is visible.
bool ScriptFormsOpen();

// Runs the message loop (the toolkit's when the visual classes are loaded)
// until ScriptFormsOpen() is false; returns at once when it already is.
void RunScriptForms();

// Frees the forms ShowScriptForm made that still exist (at shut-down).
void FreeScriptForms();

}  // namespace orv
