// The compiler's table of script identifiers: every variable, parameter,
// `.RESULT` slot and routine of a script, keyed by its fully qualified
// upper-case name ("TFORM1.BUTTON1CLICK.SENDER"). The runner keeps a copy so
// that a host can find a routine's label and its parameter slots by name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv {

// One script identifier.
struct TIdentListItem {
  enum : int32_t { kVariable = 0, kRoutine = 1 };

  // The slot of a variable or parameter; the label number of a routine.
  int32_t Index = 0;
  // The type word of the declaration in upper case (a routine's result type).
  std::string TypeName;
  int32_t Kind = kVariable;
  // Routines: one entry per parameter in declaration order, and whether each
  // is a `var` (by-reference) parameter.
  std::vector<std::string> ParamNames;
  std::vector<bool> ParamIsVar;
  // Routines: true once the body was compiled, so the label has a target.
  bool HasBody = false;

  int32_t ParamCount() const { return static_cast<int32_t>(ParamNames.size()); }
};

// Script identifiers by qualified upper-case name.
using TIdentList = std::map<std::string, TIdentListItem, std::less<>>;

}  // namespace orv
