// The handlers of decoded instructions, which the runner dispatches on: one
// per instruction of ORV_OPCODES (named like it), one per fault the loader
// finds in an instruction, and the fused handlers (superinstructions), each
// of which runs a frequent sequence of instructions as one step. Like the
// instruction set, the handlers are one table: the THandler enumerators, the
// names, the handler a fused one starts with (what a single step runs) and
// the runner's dispatch tables are generated from it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/script/opcodes.h"

namespace orv {

// Calls M(..., Op) for each arithmetic operator with constant-operand forms,
// in the order of their opcodes; ORV_ARITH_NAMES2 is the same list for use
// inside an expansion of the first.
#define ORV_ARITH_NAMES(M, ...) \
  M(__VA_ARGS__, Add) M(__VA_ARGS__, Sub) M(__VA_ARGS__, Mul) M(__VA_ARGS__, IntDiv) M(__VA_ARGS__, Mod)
#define ORV_ARITH_NAMES2(M, ...) \
  M(__VA_ARGS__, Add) M(__VA_ARGS__, Sub) M(__VA_ARGS__, Mul) M(__VA_ARGS__, IntDiv) M(__VA_ARGS__, Mod)

// X(name, text): an instruction the loader found unfit to run; running it
// raises ECompilerError with the text.
#define ORV_FAULT_HANDLERS(X)                                   \
  X(kFaultInvalidOp, "Invalid opcode")                          \
  X(kFaultSlot, "Invalid variable slot in program")             \
  X(kFaultConst, "Invalid constant number in program")          \
  X(kFaultLabel, "Invalid label number in program")             \
  X(kFaultTarget, "Invalid jump target in program")             \
  X(kFaultDataWord, "Missing data word in program")             \
  X(kFaultEnd, "Execution ran past the end of the program")

// X(name, handler of the first instruction, meaning). A fused handler leaves
// every slot as its instructions would; the instructions after the first
// keep their own decoded form, so a jump to one of them runs from there.
// t and u are temporaries, x and s variables, c a constant (an integer in
// the ...ConstArith... handlers), op one of
// opAdd .. opMod.
#define ORV_FUSED_HANDLERS(X)                                                                                \
  X(kGreaterEqJump, opGreaterEq, "opGreaterEq t,x; opJumpIfFalse t: compare and take the jump")             \
  X(kEqualJump, opEqual, "opEqual t,x; opJumpIfFalse t")                                                   \
  X(kLessEqJump, opLessEq, "opLessEq t,x; opJumpIfFalse t")                                                \
  X(kNotEqualJump, opNotEqual, "opNotEqual t,x; opJumpIfFalse t")                                          \
  X(kGreaterJump, opGreater, "opGreater t,x; opJumpIfFalse t")                                             \
  X(kLessJump, opLess, "opLess t,x; opJumpIfFalse t")                                                      \
  X(kAppend, opMove, "opMove t,s; a load of u; opAdd t,u; opMove s,t: s grows in place (s := s + x)")      \
  X(kIncThenGoto, opInc, "opInc; opGoto")                                                                  \
  X(kDecThenGoto, opDec, "opDec; opGoto")                                                                  \
  X(kLoadConstThenMove, opLoadConst, "opLoadConst; opMove")                                                \
  X(kLoadConstThenAdd, opLoadConst, "opLoadConst; opAdd")                                                  \
  X(kLoadConstThenSub, opLoadConst, "opLoadConst; opSub")                                                  \
  X(kLoadConstThenMul, opLoadConst, "opLoadConst; opMul")                                                  \
  X(kLoadConstThenIntDiv, opLoadConst, "opLoadConst; opIntDiv")                                            \
  X(kLoadConstThenMod, opLoadConst, "opLoadConst; opMod")                                                  \
  X(kMoveThenMove, opMove, "opMove; opMove")                                                               \
  X(kMoveThenLessEqJump, opMove, "opMove; kLessEqJump")                                                    \
  X(kMoveThenGreaterEqJump, opMove, "opMove; kGreaterEqJump")                                              \
  X(kMoveThenGosub, opMove, "opMove; opGosub: the last argument of a script routine call, and the call")    \
  X(kMoveThenReturn, opMove, "opMove; opReturn: a function's result, and the return")                      \
  X(kForStepUp, opInc, "the end of a for round: opInc x; opGoto head; head: a limit load, opMove t,x, kLessEqJump") \
  X(kForStepDown, opDec, "the end of a downto round: opDec x; opGoto head; head as kForStepUp, kGreaterEqJump") \
  ORV_ARITH_NAMES(ORV_FUSED_FAMILY, X, kMoveConstArith, opMove, "opMove t,x; opLoadConst u,c; op t,u")      \
  ORV_ARITH_NAMES(ORV_FUSED_FAMILY, X, kConstArithMove, opLoadConst, "opLoadConst u,c; op t,u; opMove x,t") \
  ORV_ARITH_NAMES(ORV_FUSED_FAMILY, X, kMoveThenMoveConstArith, opMove, "opMove; kMoveConstArith...")       \
  ORV_ARITH_NAMES(ORV_FUSED_FAMILY, X, kMoveThenArith, opMove, "opMove u,y; op t,u")                        \
  ORV_ARITH_NAMES(ORV_FUSED_ARITH_FAMILY, X)                                                                  \
  ORV_ARITH_NAMES(ORV_FUSED_FAMILY, X, kChain, opMove,                                                       \
                  "kMoveThenMoveConstArith... (t := y; u := z op1 c) and op t,u: x := y op (z op1 c)")       \
  ORV_ARITH_NAMES(ORV_FUSED_CHAIN_FAMILY, X)
#define ORV_FUSED_FAMILY(X, prefix, first, meaning, Op) X(prefix##Op, first, meaning)
// op1 t,y followed by a kConstArithMove... group on the same t.
#define ORV_FUSED_ARITH_FAMILY(X, Op1) ORV_ARITH_NAMES2(ORV_FUSED_ARITH_MEMBER, X, Op1)
#define ORV_FUSED_ARITH_MEMBER(X, Op1, Op2) X(k##Op1##ThenConstArithMove##Op2, op##Op1, "op1 t,y; kConstArithMove...")
// kChain... (op1 is any) followed by a kConstArithMove... group on the same t:
// the statement x := (y op (z op1 c)) op2 c2.
#define ORV_FUSED_CHAIN_FAMILY(X, Op) ORV_ARITH_NAMES2(ORV_FUSED_CHAIN_MEMBER, X, Op)
#define ORV_FUSED_CHAIN_MEMBER(X, Op, Op2) \
  X(k##Chain##Op##ThenConstArith##Op2, opMove, "kChain...; kConstArithMove...: x := (y op (z op1 c)) op2 c2")

namespace handler {

// Handler numbers, as held in TDecodedItem::Handler.
enum THandler : int32_t {
#define ORV_HANDLER_ENUM(name, ...) name,
  ORV_OPCODES(ORV_HANDLER_ENUM)
  ORV_FAULT_HANDLERS(ORV_HANDLER_ENUM)
  ORV_FUSED_HANDLERS(ORV_HANDLER_ENUM)
#undef ORV_HANDLER_ENUM
  kHandlerLimit,
};

// The arithmetic operators with constant-operand forms, and the comparisons.
inline constexpr int32_t kArithCount = opMod - opAdd + 1;
static_assert(opAdd == 0 && opSub == 1 && opMul == 2 && opIntDiv == 3 && opMod == 4);
static_assert(opLess - opGreaterEq == orv::opLess - orv::opGreaterEq, "comparisons are consecutive");
static_assert(kLessJump - kGreaterEqJump == opLess - opGreaterEq);
static_assert(kMoveConstArithMod - kMoveConstArithAdd == kArithCount - 1);
static_assert(kModThenConstArithMoveMod - kAddThenConstArithMoveAdd == kArithCount * kArithCount - 1);
static_assert(kChainMod - kChainAdd == kArithCount - 1);
static_assert(kChainModThenConstArithMod - kChainAddThenConstArithAdd == kArithCount * kArithCount - 1);

inline constexpr bool IsArith(int32_t h) { return h >= opAdd && h <= opMod; }
inline constexpr bool IsComparison(int32_t h) { return h >= opGreaterEq && h <= opLess; }
inline constexpr bool IsFault(int32_t h) { return h >= kFaultInvalidOp && h <= kFaultEnd; }

namespace detail {
inline constexpr std::array<int32_t, kOpCodeLimit> OpHandlers() {
  std::array<int32_t, kOpCodeLimit> table{};
  table.fill(kFaultInvalidOp);
#define ORV_OP_HANDLER(name, code, ...) table[code] = name;
  ORV_OPCODES(ORV_OP_HANDLER)
#undef ORV_OP_HANDLER
  return table;
}
inline constexpr std::array<int32_t, kHandlerLimit> FirstHandlers() {
  std::array<int32_t, kHandlerLimit> table{};
  for (int32_t h = 0; h < kHandlerLimit; ++h) table[h] = h;
#define ORV_FIRST_HANDLER(name, first, meaning) table[name] = first;
  ORV_FUSED_HANDLERS(ORV_FIRST_HANDLER)
#undef ORV_FIRST_HANDLER
  return table;
}
inline constexpr std::array<std::string_view, kHandlerLimit> kNames = {
#define ORV_HANDLER_NAME(name, ...) #name,
    ORV_OPCODES(ORV_HANDLER_NAME) ORV_FAULT_HANDLERS(ORV_HANDLER_NAME) ORV_FUSED_HANDLERS(ORV_HANDLER_NAME)
#undef ORV_HANDLER_NAME
};
inline constexpr std::array<int32_t, kOpCodeLimit> kOpHandlers = OpHandlers();
inline constexpr std::array<int32_t, kHandlerLimit> kFirstHandlers = FirstHandlers();
}  // namespace detail

// The handler of an instruction code (kFaultInvalidOp for an invalid one).
inline constexpr int32_t ForOpCode(int32_t op) {
  return op >= 0 && op < kOpCodeLimit ? detail::kOpHandlers[op] : kFaultInvalidOp;
}
// The handler of the first instruction a fused handler runs (the handler
// itself when it is not fused); a single step runs that one.
inline constexpr int32_t First(int32_t h) { return detail::kFirstHandlers[h]; }
// "opAdd", "kAppend".
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
