// Random script programs for the equivalence tests: each program declares
// globals, a function and a procedure, gives the globals values of every
// kind (integers at the edges of the 32-bit range, reals, texts that are
// numbers and texts that are not, Booleans) and runs a random mix of
// statements over them: assignments of expressions with every operator,
// calls of script and host routines (with `var` arguments and array
// values), if, while, repeat and for. Overflows, real results, text
// conversions and run-time errors all occur; every loop is bounded by a
// counter of its own, but a for loop's limit may be any expression.
// Each statement stands on its own line, and so does each loop's head.
#pragma once

#include <cstdint>
#include <string>

namespace orv::testing_programs {

// The program of `seed`; the same seed gives the same program.
std::string GenerateProgram(uint32_t seed);

}  // namespace orv::testing_programs
