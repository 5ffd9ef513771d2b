// The script reference: every routine, constant and class member in the
// script engine's registries, written as Markdown. `orvscript --reference`
// prints it after the usual start-up registrations, and
// docs/script-reference.md is that output, so the names, kinds and
// parameters in the documentation are the ones scripts really get.
#pragma once

#include <string>
#include <vector>

namespace orv {

// The reference of everything registered now (the engine must be started).
// Parameter names and one-line descriptions come from the notes
// (script_reference_notes.h); a routine without a note is listed with its
// parameter kinds alone.
std::string ScriptReference();

// What is wrong with the notes against the registry now: a note for a name
// that is not registered, or one naming more or fewer parameters than the
// routine takes. One line each; empty when the notes fit.
std::vector<std::string> StaleNotes();

}  // namespace orv
