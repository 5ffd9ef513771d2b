// The instruction set of the script engine, as one table: each instruction's
// name, its number in the program image, how it uses its A, B and C fields,
// the data words that follow it and its meaning. The TOpCode enumerators,
// the names, the loader's operand checks and the runner's dispatch entries
// are all generated from ORV_OPCODES, so an instruction is described once.
//
// The machine is a register machine: an instruction names its target and
// its operands, each of which is a variable slot or a constant, so that an
// operator of an expression is one instruction, whatever its operands are.
// var[n] is variable slot n (variables, parameters, results and the
// compiler's temporaries), B and C "values" are a slot or a constant,
// label[n] is the instruction that label n stands for; a data word is an
// instruction word after the instruction, read by it and never executed.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// X(name, code, A operand, B operand, C operand, data words, meaning).
// Codes are part of the program image format (its version, program_image.h,
// changes with them); codes missing from the table are invalid at run time.
// Data words -1: one per three arguments of the called routine.
#define ORV_OPCODES(X)                                                                                       \
  X(opAdd, 0, kSlot, kValue, kValue, 0, "var[A] := B + C")                                                   \
  X(opSub, 1, kSlot, kValue, kValue, 0, "var[A] := B - C")                                                   \
  X(opMul, 2, kSlot, kValue, kValue, 0, "var[A] := B * C")                                                   \
  X(opIntDiv, 3, kSlot, kValue, kValue, 0, "var[A] := B div C")                                              \
  X(opMod, 4, kSlot, kValue, kValue, 0, "var[A] := B mod C")                                                 \
  X(opDivide, 5, kSlot, kValue, kValue, 0, "var[A] := B / C (a real)")                                       \
  X(opShl, 6, kSlot, kValue, kValue, 0, "var[A] := B shl C")                                                 \
  X(opShr, 7, kSlot, kValue, kValue, 0, "var[A] := B shr C")                                                 \
  X(opNot, 8, kSlot, kValue, kNone, 0, "var[A] := not B")                                                    \
  X(opOr, 9, kSlot, kValue, kValue, 0, "var[A] := B or C")                                                   \
  X(opXor, 10, kSlot, kValue, kValue, 0, "var[A] := B xor C")                                                \
  X(opAnd, 11, kSlot, kValue, kValue, 0, "var[A] := B and C")                                                \
  X(opGreaterEq, 12, kSlot, kValue, kValue, 0, "var[A] := B >= C")                                           \
  X(opEqual, 13, kSlot, kValue, kValue, 0, "var[A] := B = C (same kind and value)")                          \
  X(opLessEq, 14, kSlot, kValue, kValue, 0, "var[A] := B <= C")                                              \
  X(opNotEqual, 15, kSlot, kValue, kValue, 0, "var[A] := B <> C")                                            \
  X(opGreater, 16, kSlot, kValue, kValue, 0, "var[A] := B > C")                                              \
  X(opLess, 17, kSlot, kValue, kValue, 0, "var[A] := B < C")                                                 \
  X(opNeg, 18, kSlot, kValue, kNone, 0, "var[A] := -B")                                                      \
  X(opGoto, 19, kLabel, kNone, kNone, 0, "jump to label[A]")                                                 \
  X(opJumpIfFalse, 20, kLabel, kValue, kNone, 0, "jump to label[A] if B compares equal to False")           \
  X(opJumpUnlessGreaterEq, 21, kLabel, kValue, kValue, 0, "jump to label[A] unless B >= C")                 \
  X(opJumpUnlessEqual, 22, kLabel, kValue, kValue, 0, "jump to label[A] unless B = C")                      \
  X(opJumpUnlessLessEq, 23, kLabel, kValue, kValue, 0, "jump to label[A] unless B <= C")                    \
  X(opJumpUnlessNotEqual, 24, kLabel, kValue, kValue, 0, "jump to label[A] unless B <> C")                   \
  X(opJumpUnlessGreater, 25, kLabel, kValue, kValue, 0, "jump to label[A] unless B > C")                    \
  X(opJumpUnlessLess, 26, kLabel, kValue, kValue, 0, "jump to label[A] unless B < C")                       \
  X(opMove, 27, kSlot, kValue, kNone, 0, "var[A] := B")                                                      \
  X(opForLoopUp, 28, kSlot, kLabel, kValue, 0, "var[A] := var[A] + 1, then jump to label[B] if var[A] <= C") \
  X(opForLoopDown, 29, kSlot, kLabel, kValue, 0, "var[A] := var[A] - 1, then jump to label[B] if var[A] >= C") \
  X(opForStepUp, 30, kSlot, kLabel, kNone, 0, "var[A] := var[A] + 1, then jump to label[B]")                  \
  X(opForStepDown, 31, kSlot, kLabel, kNone, 0, "var[A] := var[A] - 1, then jump to label[B]")                \
  X(opCall, 32, kSlot, kFunction, kCount, -1, "var[A] := host routine B of the C arguments in the data words") \
  X(opSetSelf, 33, kAny, kNone, kNone, 0, "Self := the object of handle A")                                  \
  X(opSetSelfVar, 34, kSlot, kNone, kNone, 0, "Self := the object in var[A]")                                \
  X(opDynGet, 35, kSlot, kProvider, kAny, 0, "var[A] := variable C of dynamic-variable provider B")          \
  X(opDynSet, 36, kValue, kProvider, kAny, 0, "variable C of dynamic-variable provider B := A")              \
  X(opGosub, 37, kLabel, kNone, kNone, 0, "push the next instruction on the return stack, jump to label[A]") \
  X(opReturn, 38, kNone, kNone, kNone, 0, "pop the return stack and jump there; at the run's own depth, stop") \
  X(opArrayNew, 39, kSlot, kAny, kNone, 0, "var[A] := a new array with bounds 0..B")                         \
  X(opArrayPut, 40, kSlot, kAny, kValue, 0, "element B of the array in var[A] := C")                         \
  X(opJumpUnlessAnd, 41, kLabel, kValue, kValue, 0, "jump to label[A] if B and C compares equal to False")   \
  X(opJumpUnlessOr, 42, kLabel, kValue, kValue, 0, "jump to label[A] if B or C compares equal to False")     \
  X(opJumpUnlessXor, 43, kLabel, kValue, kValue, 0, "jump to label[A] if B xor C compares equal to False")   \
  X(opJumpUnlessNot, 44, kLabel, kValue, kNone, 0, "jump to label[A] if not B compares equal to False")      \
  X(opStop, 45, kNone, kNone, kNone, 0, "end the program")                                                   \
  X(opJumpIfNumbers, 46, kLabel, kSlot, kSlot, 0, "jump to label[A] if var[B] and var[C] each hold an Integer or a Double") \
  X(opJumpIfIntegers, 47, kLabel, kSlot, kSlot, 0, "jump to label[A] if var[B] and var[C] each hold an Integer") \
  X(opJumpIfGreaterEq, 48, kLabel, kValue, kValue, 0, "jump to label[A] if B >= C")                          \
  X(opJumpIfEqual, 49, kLabel, kValue, kValue, 0, "jump to label[A] if B = C")                               \
  X(opJumpIfLessEq, 50, kLabel, kValue, kValue, 0, "jump to label[A] if B <= C")                             \
  X(opJumpIfNotEqual, 51, kLabel, kValue, kValue, 0, "jump to label[A] if B <> C")                           \
  X(opJumpIfGreater, 52, kLabel, kValue, kValue, 0, "jump to label[A] if B > C")                             \
  X(opJumpIfLess, 53, kLabel, kValue, kValue, 0, "jump to label[A] if B < C")                                \
  X(opJumpIfAnd, 54, kLabel, kValue, kValue, 0, "jump to label[A] unless B and C compares equal to False")   \
  X(opJumpIfOr, 55, kLabel, kValue, kValue, 0, "jump to label[A] unless B or C compares equal to False")     \
  X(opJumpIfXor, 56, kLabel, kValue, kValue, 0, "jump to label[A] unless B xor C compares equal to False")   \
  X(opJumpIfNot, 57, kLabel, kValue, kNone, 0, "jump to label[A] unless not B compares equal to False")      \
  X(opJumpIfTrue, 58, kLabel, kValue, kNone, 0, "jump to label[A] unless B compares equal to False")       \
  X(opJumpIfStrings, 59, kLabel, kSlot, kSlot, 0, "jump to label[A] if var[B] and var[C] each hold a String") \
  X(opAddTaking, 60, kSlot, kSlot, kValue, 0, "var[A] := var[B] + C, taking the value of var[B], which nothing reads again") \
  X(opJumpIfSameText, 61, kLabel, kSlot, kSlot, 0, "jump to label[A] if var[B] and var[C] hold one shared text")

// Operation codes.
enum TOpCode : int32_t {
#define ORV_OPCODE_ENUM(name, code, a, b, c, words, meaning) name = code,
  ORV_OPCODES(ORV_OPCODE_ENUM)
#undef ORV_OPCODE_ENUM
  // The Op of the data words after opCall, whose A, B and C fields hold the
  // argument values; not an instruction (invalid when executed).
  opData = 62,
};

// One instruction word, 16 bytes, in the field order of the program image.
// Data words use the same layout.
struct TProgItem {
  int32_t Op = 0;
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
};
static_assert(sizeof(TProgItem) == 16, "instruction words are 16 bytes");

// How an instruction uses a field; the loader checks every field against its
// table before the program runs.
enum class TOperand : uint8_t {
  kNone,      // unused
  kSlot,      // a variable slot: 0 .. the program's slot count - 1
  kValue,     // a slot (0 and up) or a constant (-1 - n is constant n)
  kLabel,     // index into the label table
  kCount,     // number of arguments, 0 .. 100
  kFunction,  // position in the host function registry
  kProvider,  // dynamic-variable provider
  kAny,       // free value (object handle, element index, variable id, count)
};

// The field of a value operand that names constant `number`, and back.
inline constexpr int32_t ConstOperand(int32_t number) { return -1 - number; }
inline constexpr bool IsConstOperand(int32_t value) { return value < 0; }
inline constexpr int32_t ConstNumber(int32_t value) { return -1 - value; }

// Whether `op` is one of the six comparisons (opGreaterEq .. opLess).
inline constexpr bool IsComparison(int32_t op) { return op >= opGreaterEq && op <= opLess; }

// What the opcode table knows about one code.
struct TOpInfo {
  std::string_view name;  // "opAdd"; empty for an unassigned code
  TOperand a = TOperand::kNone;
  TOperand b = TOperand::kNone;
  TOperand c = TOperand::kNone;
  // Data words that follow the instruction: -1 for opCall (one per three
  // arguments), otherwise 0.
  int8_t data_words = 0;
  std::string_view meaning;
};

// Codes 0..kOpCodeLimit-1 may have table entries; codes at or above are invalid.
inline constexpr int32_t kOpCodeLimit = 62;

// The table entry for `op`; nullptr for an unassigned or out-of-range code.
const TOpInfo* FindOpInfo(int32_t op);

// Whether `op` jumps: one of its operands names a label.
bool NamesLabel(int32_t op);

// A data-word field of opCall may also name a temporary slot that the call
// takes: the compiler's temporary holding an argument's value, which nothing
// reads again before it is written, so the runner moves the value into the
// argument block instead of sharing it (a text changes no reference count).
// Such a field is kTakenArgument + the slot.
inline constexpr int32_t kTakenArgument = 1 << 16;
inline constexpr int32_t TakenArgument(int32_t slot) { return kTakenArgument + slot; }
inline constexpr bool IsTakenArgument(int32_t field) { return field >= kTakenArgument; }
// The slot or constant operand of an argument field, taken or not.
inline constexpr int32_t ArgumentOperand(int32_t field) {
  return IsTakenArgument(field) ? field - kTakenArgument : field;
}

// Number of data words after an opCall with `arg_count` arguments.
inline constexpr int32_t CallDataWords(int32_t arg_count) { return arg_count <= 0 ? 0 : (arg_count + 2) / 3; }

}  // namespace orv
