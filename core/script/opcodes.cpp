#include "core/script/opcodes.h"

#include <array>

namespace orv {
namespace {

constexpr std::array<TOpInfo, kOpCodeLimit> BuildTable() {
  std::array<TOpInfo, kOpCodeLimit> t{};
#define ORV_OPCODE_INFO(name, code, a, b, c, words, meaning) \
  t[code] = {#name, TOperand::a, TOperand::b, TOperand::c, words, meaning};
  ORV_OPCODES(ORV_OPCODE_INFO)
#undef ORV_OPCODE_INFO
  return t;
}

constexpr std::array<TOpInfo, kOpCodeLimit> kTable = BuildTable();

}  // namespace

const TOpInfo* FindOpInfo(int32_t op) {
  if (op < 0 || op >= kOpCodeLimit || kTable[op].name.empty()) return nullptr;
  return &kTable[op];
}

bool NamesLabel(int32_t op) {
  const TOpInfo* info = FindOpInfo(op);
  return info != nullptr && (info->a == TOperand::kLabel || info->b == TOperand::kLabel || info->c == TOperand::kLabel);
}

}  // namespace orv
