// The instruction set of the script engine: operation codes, the instruction
// word as it is stored in a program image, and the table that says which
// codes are valid and how many data words follow each one.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// Operation codes. The numbers are part of the program image format and
// never change; codes missing from the list are invalid at run time.
enum TOpCode : int32_t {
  opAdd = 0,
  opSub = 1,
  opMul = 2,
  opIntDiv = 3,
  opMod = 4,
  opDivide = 5,
  opShl = 6,
  opShr = 7,
  opNot = 8,
  opOr = 9,
  opXor = 10,
  opAnd = 11,
  opGreaterEq = 12,
  opEqual = 13,
  opLessEq = 14,
  opNotEqual = 15,
  opGreater = 16,
  opLess = 17,
  opNeg = 18,
  opGoto = 19,
  opJumpIfFalse = 20,
  opLoadConst = 23,
  opStop = 26,
  opInc = 29,
  opDec = 30,
  opData = 34,  // marks a data word; never executed
  opCall = 42,
  opSetSelf = 44,
  opDynGet = 45,
  opDynSet = 46,
  opSetSelfVar = 47,
  opMove = 48,
  opGosub = 49,
  opReturn = 50,
  opArrayNew = 51,
  opArrayPut = 52,
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
};

// Codes 0..kOpCodeLimit-1 have table entries; codes at or above are invalid.
inline constexpr int32_t kOpCodeLimit = 53;

// The table entry for `op`; nullptr for an unassigned or out-of-range code.
const TOpInfo* FindOpInfo(int32_t op);

// Number of data words an opCall with `param_count` arguments is followed by.
inline constexpr int32_t CallDataWords(int32_t param_count) {
  return param_count <= 0 ? 0 : (param_count + 2) / 3;
}

}  // namespace orv
