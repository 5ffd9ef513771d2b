// The instruction set of the script engine, as one table: each instruction's
// name, its number in the program image, how it uses its A and B fields, the
// data words that follow it and its meaning. The TOpCode enumerators, the
// names, the loader's operand checks and the runner's dispatch entries are
// all generated from ORV_OPCODES, so an instruction is described once.
//
// var[n] is variable slot n, const[n] constant n, label[n] the instruction
// that label n stands for; a data word is the word after the instruction,
// read by it and never executed itself.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// X(name, code, A operand, B operand, data words, meaning). Codes are part of
// the program image format and never change; codes missing from the table
// (21, 22, 24, 25, 27, 28, 31..41, 43 and from 53 up) are invalid at run time.
// Data words -1: one per three arguments of the called routine.
#define ORV_OPCODES(X)                                                                                     \
  X(opAdd, 0, kSlot, kSlot, 0, "var[A] := var[A] + var[B]")                                                \
  X(opSub, 1, kSlot, kSlot, 0, "var[A] := var[A] - var[B]")                                                \
  X(opMul, 2, kSlot, kSlot, 0, "var[A] := var[A] * var[B]")                                                \
  X(opIntDiv, 3, kSlot, kSlot, 0, "var[A] := var[A] div var[B]")                                           \
  X(opMod, 4, kSlot, kSlot, 0, "var[A] := var[A] mod var[B]")                                              \
  X(opDivide, 5, kSlot, kSlot, 0, "var[A] := var[A] / var[B] (a real)")                                    \
  X(opShl, 6, kSlot, kSlot, 0, "var[A] := var[A] shl var[B]")                                              \
  X(opShr, 7, kSlot, kSlot, 0, "var[A] := var[A] shr var[B]")                                              \
  X(opNot, 8, kSlot, kNone, 0, "var[A] := not var[A]")                                                     \
  X(opOr, 9, kSlot, kSlot, 0, "var[A] := var[A] or var[B]")                                                \
  X(opXor, 10, kSlot, kSlot, 0, "var[A] := var[A] xor var[B]")                                             \
  X(opAnd, 11, kSlot, kSlot, 0, "var[A] := var[A] and var[B]")                                             \
  X(opGreaterEq, 12, kSlot, kSlot, 0, "var[A] := var[A] >= var[B]")                                        \
  X(opEqual, 13, kSlot, kSlot, 0, "var[A] := var[A] = var[B] (same kind and value)")                       \
  X(opLessEq, 14, kSlot, kSlot, 0, "var[A] := var[A] <= var[B]")                                           \
  X(opNotEqual, 15, kSlot, kSlot, 0, "var[A] := var[A] <> var[B]")                                         \
  X(opGreater, 16, kSlot, kSlot, 0, "var[A] := var[A] > var[B]")                                           \
  X(opLess, 17, kSlot, kSlot, 0, "var[A] := var[A] < var[B]")                                              \
  X(opNeg, 18, kSlot, kNone, 0, "var[A] := -var[A]")                                                       \
  X(opGoto, 19, kLabel, kNone, 0, "jump to label[A]")                                                      \
  X(opJumpIfFalse, 20, kSlot, kLabel, 0, "jump to label[B] if var[A] compares equal to False")            \
  X(opLoadConst, 23, kSlot, kConst, 0, "var[A] := const[B]")                                               \
  X(opStop, 26, kNone, kNone, 0, "end the program")                                                        \
  X(opInc, 29, kSlot, kNone, 0, "var[A] := var[A] + 1")                                                    \
  X(opDec, 30, kSlot, kNone, 0, "var[A] := var[A] - 1")                                                    \
  X(opCall, 42, kSlot, kFunction, -1, "var[A] := host routine B of the arguments in the data words")       \
  X(opSetSelf, 44, kAny, kNone, 0, "Self := the object of handle A")                                       \
  X(opDynGet, 45, kAny, kProvider, 1, "var[data.A] := variable A of dynamic-variable provider B")          \
  X(opDynSet, 46, kAny, kProvider, 1, "variable A of dynamic-variable provider B := var[data.A]")          \
  X(opSetSelfVar, 47, kSlot, kNone, 0, "Self := the object in var[A]")                                     \
  X(opMove, 48, kSlot, kSlot, 0, "var[A] := var[B]")                                                       \
  X(opGosub, 49, kLabel, kNone, 0, "push the next instruction on the return stack, jump to label[A]")     \
  X(opReturn, 50, kNone, kNone, 0, "pop the return stack and jump there; at the run's own depth, stop")   \
  X(opArrayNew, 51, kSlot, kAny, 0, "var[A] := a new array with bounds 0..B")                              \
  X(opArrayPut, 52, kAny, kSlot, 1, "element A of the array in var[data.A] := var[B]")

// Operation codes.
enum TOpCode : int32_t {
#define ORV_OPCODE_ENUM(name, code, a, b, words, meaning) name = code,
  ORV_OPCODES(ORV_OPCODE_ENUM)
#undef ORV_OPCODE_ENUM
  // Written by the compiler as the Op of the data word after opDynGet and
  // opDynSet; not an instruction (invalid when executed).
  opData = 34,
};

// One instruction word, 12 bytes, in the field order of the program image.
// Data words that follow some instructions use the same layout.
struct TProgItem {
  int32_t A = 0;
  int32_t B = 0;
  int32_t Op = 0;
};
static_assert(sizeof(TProgItem) == 12, "instruction words are 12 bytes");

// How an instruction uses its A and B fields; the loader checks every field
// against its table before the program runs.
enum class TOperand : uint8_t {
  kNone,      // unused
  kSlot,      // index of a variable slot
  kLabel,     // index into the label table
  kConst,     // index into the constant table
  kFunction,  // position in the host function registry
  kProvider,  // dynamic-variable provider
  kAny,       // free value (object handle, element index, variable id, count)
};

// What the opcode table knows about one code.
struct TOpInfo {
  std::string_view name;  // "opAdd"; empty for an unassigned code
  TOperand a = TOperand::kNone;
  TOperand b = TOperand::kNone;
  // Data words that follow the instruction: -1 for opCall (depends on the
  // called routine's parameter count), otherwise 0 or 1.
  int8_t data_words = 0;
  std::string_view meaning;
};

// Codes 0..kOpCodeLimit-1 may have table entries; codes at or above are invalid.
inline constexpr int32_t kOpCodeLimit = 53;

// The table entry for `op`; nullptr for an unassigned or out-of-range code.
const TOpInfo* FindOpInfo(int32_t op);

// Number of data words an opCall with `param_count` arguments is followed by.
inline constexpr int32_t CallDataWords(int32_t param_count) {
  return param_count <= 0 ? 0 : (param_count + 2) / 3;
}

}  // namespace orv
