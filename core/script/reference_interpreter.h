// A plain interpreter of the script language, the oracle the tests hold
// the compiler and the register machine to. It parses a program into a tree
// and walks it, computing with the value operators (variant.h) directly and
// keeping every variable, parameter and result in a table by name; nothing
// of the compiler, the program image or the runner is used. It knows the
// part of the language that the generated test programs use: global
// variables, procedures and functions with value and `var` parameters
// (static, as the language has them; no recursion), assignments, calls of
// script and host routines, if, while, repeat, for, begin ... end, the
// engine-wide Result, and every operator and literal.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/script/variant.h"

namespace orv::reference {

// How a run ended, in the terms a runner's state can be read in.
struct TOutcome {
  // Every variable, parameter and routine result by qualified upper-case
  // name, as the compiler's identifiers name them ("X", "F.A", "F.RESULT").
  std::map<std::string, Variant> variables;
  // The engine-wide Result after the run.
  Variant result;
  // The text of the error that ended the run ("" when it ended normally)
  // and the line of the statement that raised it.
  std::string error;
  int32_t line = 0;
  // The run took more than its budget of statements; nothing else is
  // meaningful then.
  bool exhausted = false;
};

// Parses and runs `source` from the start, with every variable the
// integer 0, executing at most `budget` statements. A program outside the
// known part of the language raises std::invalid_argument.
TOutcome Run(std::string_view source, int64_t budget);

}  // namespace orv::reference
