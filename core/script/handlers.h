// The handlers of decoded instructions, which the runner dispatches on: one
// per instruction of ORV_OPCODES (named like it), one per fault the loader
// finds in an instruction, and the constant forms: an instruction whose C
// operand is an integer constant runs a handler that finds the number in
// the decoded instruction itself, and real arithmetic with a real constant
// runs one that knows C's kind; arithmetic with the constant as B and a
// slot as C has forms of its own, `/` by a power of two multiplies by its
// reciprocal, and a host call that takes temporaries runs one of its own.
// Like the instruction set, the handlers are one table: the THandler
// enumerators, their names and the runner's dispatch table are generated
// from it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/script/opcodes.h"

namespace orv {

// X(name, text): an instruction the loader found unfit to run; running it
// raises ECompilerError with the text.
#define ORV_FAULT_HANDLERS(X)                                   \
  X(kFaultInvalidOp, "Invalid opcode")                          \
  X(kFaultSlot, "Invalid variable slot in program")             \
  X(kFaultConst, "Invalid constant number in program")          \
  X(kFaultLabel, "Invalid label number in program")             \
  X(kFaultTarget, "Invalid jump target in program")             \
  X(kFaultCount, "Invalid argument count in program")           \
  X(kFaultDataWord, "Missing data word in program")             \
  X(kFaultEnd, "Execution ran past the end of the program")

// X(name, instruction): the instruction with an integer constant as its C
// operand. Only instructions whose integer case is worth a handler of its
// own have one; the others read the constant from its register.
#define ORV_IMMEDIATE_HANDLERS(X)                         \
  X(kAddI, opAdd)                                         \
  X(kSubI, opSub)                                         \
  X(kMulI, opMul)                                         \
  X(kIntDivI, opIntDiv)                                   \
  X(kModI, opMod)                                         \
  X(kShlI, opShl)                                         \
  X(kShrI, opShr)                                         \
  X(kOrI, opOr)                                           \
  X(kXorI, opXor)                                         \
  X(kAndI, opAnd)                                         \
  X(kGreaterEqI, opGreaterEq)                             \
  X(kEqualI, opEqual)                                     \
  X(kLessEqI, opLessEq)                                   \
  X(kNotEqualI, opNotEqual)                               \
  X(kGreaterI, opGreater)                                 \
  X(kLessI, opLess)                                       \
  X(kJumpUnlessGreaterEqI, opJumpUnlessGreaterEq)         \
  X(kJumpUnlessEqualI, opJumpUnlessEqual)                 \
  X(kJumpUnlessLessEqI, opJumpUnlessLessEq)               \
  X(kJumpUnlessNotEqualI, opJumpUnlessNotEqual)           \
  X(kJumpUnlessGreaterI, opJumpUnlessGreater)             \
  X(kJumpUnlessLessI, opJumpUnlessLess)                   \
  X(kJumpIfGreaterEqI, opJumpIfGreaterEq)                 \
  X(kJumpIfEqualI, opJumpIfEqual)                         \
  X(kJumpIfLessEqI, opJumpIfLessEq)                       \
  X(kJumpIfNotEqualI, opJumpIfNotEqual)                   \
  X(kJumpIfGreaterI, opJumpIfGreater)                     \
  X(kJumpIfLessI, opJumpIfLess)                           \
  X(kForLoopUpI, opForLoopUp)                             \
  X(kForLoopDownI, opForLoopDown)

// X(name, instruction): real arithmetic with a real constant as C.
#define ORV_REAL_HANDLERS(X) \
  X(kAddR, opAdd)            \
  X(kSubR, opSub)            \
  X(kMulR, opMul)            \
  X(kDivideR, opDivide)

// X(name, instruction): arithmetic with the constant written first (`2 * k`,
// `1 - x`, `0.5 / y`), its B operand an integer or a real constant and C a
// slot; the integer is found in the decoded instruction's B field. The
// operands keep their order, so whatever the value operators do with them
// (a text converted, an error raised) is what the register form does.
#define ORV_LEADING_IMMEDIATE_HANDLERS(X) \
  X(kIAdd, opAdd)                         \
  X(kISub, opSub)                         \
  X(kIMul, opMul)
#define ORV_LEADING_REAL_HANDLERS(X) \
  X(kRAdd, opAdd)                    \
  X(kRSub, opSub)                    \
  X(kRMul, opMul)                    \
  X(kRDivide, opDivide)

// X(name, instruction): `/` by an integer (kDividePow2I) or a real
// (kDividePow2R) constant that is a power of two, whose reciprocal is a
// normal real. The quotient is the product with the reciprocal, exactly (a
// product and a quotient are both the real result rounded once), and a
// product takes a fraction of a division's time. C holds the reciprocal's
// upper 32 bits (ReciprocalBits, const_reciprocal.h).
#define ORV_POWER_OF_TWO_HANDLERS(X) \
  X(kDividePow2I, opDivide)          \
  X(kDividePow2R, opDivide)

// X(name, instruction): a host call that takes some of its arguments'
// temporaries (TakenArgument, opcodes.h); a call that takes none passes
// every argument by copying, without looking at the fields' taken bits.
#define ORV_TAKING_HANDLERS(X) X(kCallTaking, opCall)

namespace handler {

// Handler numbers, as held in TDecodedItem::Handler. The handler of an
// instruction has the instruction's code.
enum THandler : int32_t {
#define ORV_HANDLER_ENUM(name, ...) name,
  ORV_OPCODES(ORV_HANDLER_ENUM)
  ORV_FAULT_HANDLERS(ORV_HANDLER_ENUM)
  ORV_IMMEDIATE_HANDLERS(ORV_HANDLER_ENUM)
  ORV_REAL_HANDLERS(ORV_HANDLER_ENUM)
  ORV_LEADING_IMMEDIATE_HANDLERS(ORV_HANDLER_ENUM)
  ORV_LEADING_REAL_HANDLERS(ORV_HANDLER_ENUM)
  ORV_POWER_OF_TWO_HANDLERS(ORV_HANDLER_ENUM)
  ORV_TAKING_HANDLERS(ORV_HANDLER_ENUM)
#undef ORV_HANDLER_ENUM
  kHandlerLimit,
};
static_assert(opJumpIfSameText == kOpCodeLimit - 1 && kFaultInvalidOp == kOpCodeLimit, "codes are handler numbers");

namespace detail {
// Where a constant form has its constant, and of which kind.
enum class TConstantPlace { kIntegerC, kRealC, kIntegerB, kRealB };
// The constant forms by instruction code: ORV_IMMEDIATE_HANDLERS,
// ORV_REAL_HANDLERS, ORV_LEADING_IMMEDIATE_HANDLERS or
// ORV_LEADING_REAL_HANDLERS by `place`; -1 where there is none.
inline constexpr std::array<int32_t, kOpCodeLimit> ConstantForms(TConstantPlace place) {
  std::array<int32_t, kOpCodeLimit> table{};
  table.fill(-1);
#define ORV_CONSTANT_FORM(name, op) table[op] = name;
  switch (place) {
    case TConstantPlace::kIntegerC: ORV_IMMEDIATE_HANDLERS(ORV_CONSTANT_FORM) break;
    case TConstantPlace::kRealC: ORV_REAL_HANDLERS(ORV_CONSTANT_FORM) break;
    case TConstantPlace::kIntegerB: ORV_LEADING_IMMEDIATE_HANDLERS(ORV_CONSTANT_FORM) break;
    case TConstantPlace::kRealB: ORV_LEADING_REAL_HANDLERS(ORV_CONSTANT_FORM) break;
  }
#undef ORV_CONSTANT_FORM
  return table;
}
inline constexpr std::array<std::string_view, kHandlerLimit> kNames = {
#define ORV_HANDLER_NAME(name, ...) #name,
    ORV_OPCODES(ORV_HANDLER_NAME) ORV_FAULT_HANDLERS(ORV_HANDLER_NAME) ORV_IMMEDIATE_HANDLERS(ORV_HANDLER_NAME)
        ORV_REAL_HANDLERS(ORV_HANDLER_NAME) ORV_LEADING_IMMEDIATE_HANDLERS(ORV_HANDLER_NAME)
            ORV_LEADING_REAL_HANDLERS(ORV_HANDLER_NAME) ORV_POWER_OF_TWO_HANDLERS(ORV_HANDLER_NAME)
                ORV_TAKING_HANDLERS(ORV_HANDLER_NAME)
#undef ORV_HANDLER_NAME
};
inline constexpr std::array<int32_t, kOpCodeLimit> kImmediateForms = ConstantForms(TConstantPlace::kIntegerC);
inline constexpr std::array<int32_t, kOpCodeLimit> kRealForms = ConstantForms(TConstantPlace::kRealC);
inline constexpr std::array<int32_t, kOpCodeLimit> kLeadingImmediateForms = ConstantForms(TConstantPlace::kIntegerB);
inline constexpr std::array<int32_t, kOpCodeLimit> kLeadingRealForms = ConstantForms(TConstantPlace::kRealB);
// The entry of `table` for `op`; -1 for a code out of range.
inline constexpr int32_t FormOf(const std::array<int32_t, kOpCodeLimit>& table, int32_t op) {
  return op >= 0 && op < kOpCodeLimit ? table[op] : -1;
}
}  // namespace detail

// The handler of an instruction code (kFaultInvalidOp for an invalid one).
inline int32_t ForOpCode(int32_t op) { return FindOpInfo(op) != nullptr ? op : kFaultInvalidOp; }
// The handler of instruction `op` with an integer constant as C; -1 when it
// has none.
inline constexpr int32_t ImmediateForm(int32_t op) { return detail::FormOf(detail::kImmediateForms, op); }
// The handler of instruction `op` with a real constant as C; -1 when it
// has none.
inline constexpr int32_t RealForm(int32_t op) { return detail::FormOf(detail::kRealForms, op); }
// The handlers of instruction `op` with an integer (a real) constant as B
// and a slot as C; -1 when it has none.
inline constexpr int32_t LeadingImmediateForm(int32_t op) {
  return detail::FormOf(detail::kLeadingImmediateForms, op);
}
inline constexpr int32_t LeadingRealForm(int32_t op) { return detail::FormOf(detail::kLeadingRealForms, op); }
// "opAdd", "kAddI".
inline constexpr std::string_view Name(int32_t h) { return detail::kNames[h]; }
// The error text of a fault handler.
inline constexpr const char* FaultText(int32_t h) {
  switch (h) {
#define ORV_FAULT_TEXT(name, text) \
  case name:                       \
    return text;
    ORV_FAULT_HANDLERS(ORV_FAULT_TEXT)
#undef ORV_FAULT_TEXT
    default:
      return "Invalid opcode";
  }
}

}  // namespace handler
}  // namespace orv
