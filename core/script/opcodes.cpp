#include "core/script/opcodes.h"

#include <array>

namespace orv {
namespace {

using O = TOperand;

constexpr std::array<TOpInfo, kOpCodeLimit> BuildTable() {
  std::array<TOpInfo, kOpCodeLimit> t{};
  auto binary = [&t](int32_t op, std::string_view name) {
    t[op] = {name, O::kSlot, O::kSlot, 0};
  };
  binary(opAdd, "opAdd");
  binary(opSub, "opSub");
  binary(opMul, "opMul");
  binary(opIntDiv, "opIntDiv");
  binary(opMod, "opMod");
  binary(opDivide, "opDivide");
  binary(opShl, "opShl");
  binary(opShr, "opShr");
  t[opNot] = {"opNot", O::kSlot, O::kNone, 0};
  binary(opOr, "opOr");
  binary(opXor, "opXor");
  binary(opAnd, "opAnd");
  binary(opGreaterEq, "opGreaterEq");
  binary(opEqual, "opEqual");
  binary(opLessEq, "opLessEq");
  binary(opNotEqual, "opNotEqual");
  binary(opGreater, "opGreater");
  binary(opLess, "opLess");
  t[opNeg] = {"opNeg", O::kSlot, O::kNone, 0};
  t[opGoto] = {"opGoto", O::kLabel, O::kNone, 0};
  t[opJumpIfFalse] = {"opJumpIfFalse", O::kSlot, O::kLabel, 0};
  t[opLoadConst] = {"opLoadConst", O::kSlot, O::kConst, 0};
  t[opStop] = {"opStop", O::kNone, O::kNone, 0};
  t[opInc] = {"opInc", O::kSlot, O::kNone, 0};
  t[opDec] = {"opDec", O::kSlot, O::kNone, 0};
  t[opCall] = {"opCall", O::kSlot, O::kFunction, -1};
  t[opSetSelf] = {"opSetSelf", O::kAny, O::kNone, 0};
  t[opDynGet] = {"opDynGet", O::kAny, O::kProvider, 1};
  t[opDynSet] = {"opDynSet", O::kAny, O::kProvider, 1};
  t[opSetSelfVar] = {"opSetSelfVar", O::kSlot, O::kNone, 0};
  binary(opMove, "opMove");
  t[opGosub] = {"opGosub", O::kLabel, O::kNone, 0};
  t[opReturn] = {"opReturn", O::kNone, O::kNone, 0};
  t[opArrayNew] = {"opArrayNew", O::kSlot, O::kAny, 0};
  t[opArrayPut] = {"opArrayPut", O::kAny, O::kSlot, 1};
  return t;
}

constexpr std::array<TOpInfo, kOpCodeLimit> kTable = BuildTable();

}  // namespace

const TOpInfo* FindOpInfo(int32_t op) {
  if (op < 0 || op >= kOpCodeLimit || kTable[op].name.empty()) return nullptr;
  return &kTable[op];
}

}  // namespace orv
