// One-line descriptions and parameter names of the routines, properties and
// constants that scripts can use, for the generated script reference. The
// registry holds names, kinds and parameter kinds but no words; these notes
// add them. A note that no longer fits the registry is reported by
// StaleNotes() (script_reference.h), and the tests fail on it.
#pragma once

#include <span>
#include <string_view>

namespace orv {

// What the reference says about one registered name.
struct ScriptNote {
  std::string_view name;    // as registered, any case: "Copy", "TSTRINGS.ADD"
  std::string_view params;  // parameter names, comma-separated; "" for none
  std::string_view text;    // one line, no '|'
};

// Every note, in no particular order.
std::span<const ScriptNote> ScriptNotes();

}  // namespace orv
