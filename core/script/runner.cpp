#include "core/script/runner.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <new>
#include <string>

#include "core/script/compiler.h"
#include "core/script/compiler_error.h"
#include "core/script/const_divisor.h"
#include "core/script/dyna_vars.h"
#include "core/script/handlers.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

bool BothIntegers(const Variant& a, const Variant& b) {
  return a.Type() == varInteger && b.Type() == varInteger;
}

// The slot at byte offset `offset` of `slots`: decoded slot operands are
// offsets (see TDecodedItem).
Variant& SlotAt(Variant* slots, int32_t offset) {
  return *reinterpret_cast<Variant*>(reinterpret_cast<char*>(slots) + offset);
}

// The number of a value known to be an Integer.
int32_t IntOf(const Variant& v) { return v.IntegerField(); }

// Replaces the value in `slot` with a number or Boolean, at the cost of the
// old value's release only.
template <class T>
void Store(Variant& slot, T value) {
  slot.~Variant();
  ::new (&slot) Variant(value);
}

// x op y for Add, Sub, Mul, IntDiv and Mod on integers: true, with the
// result in r, when the result is an integer too.
template <VarOp op>
[[gnu::always_inline]] inline bool QuickInt(int32_t x, int32_t y, int32_t& r) {
  if constexpr (op == VarOp::Add) {
    return !__builtin_add_overflow(x, y, &r);
  } else if constexpr (op == VarOp::Sub) {
    return !__builtin_sub_overflow(x, y, &r);
  } else if constexpr (op == VarOp::Mul) {
    return !__builtin_mul_overflow(x, y, &r);
  } else {
    if (y == 0 || (x == INT32_MIN && y == -1)) return false;
    r = op == VarOp::IntDiv ? x / y : x % y;
    return true;
  }
}

// QuickInt on two values, which must both be integers.
template <VarOp op>
[[gnu::always_inline]] inline bool QuickInteger(const Variant& a, const Variant& b, int32_t& r) {
  return BothIntegers(a, b) && QuickInt<op>(IntOf(a), IntOf(b), r);
}

// var[A] := var[A] op var[B] for Add, Sub, Mul, IntDiv and Mod: the quick
// integer path runs inline in the loop; everything else, errors and
// widening included, takes the value operators.
template <VarOp op>
[[gnu::always_inline]] inline void IntegerArithmetic(Variant& a, const Variant& b) {
  int32_t r;
  if (QuickInteger<op>(a, b, r)) [[likely]] {
    Store(a, r);
    return;
  }
  ApplyBinary(op, a, b);
}

// var[A] := the comparison's result, which is also returned.
template <VarCompareOp op>
[[gnu::always_inline]] inline bool Comparison(Variant& a, const Variant& b) {
  bool r;
  if (BothIntegers(a, b)) [[likely]] {
    int32_t x = IntOf(a), y = IntOf(b);
    r = op == VarCompareOp::GreaterEq ? x >= y
        : op == VarCompareOp::Equal   ? x == y
        : op == VarCompareOp::LessEq  ? x <= y
        : op == VarCompareOp::NotEqual ? x != y
        : op == VarCompareOp::Greater ? x > y
                                      : x < y;
  } else {
    r = CompareOp(op, a, b);
  }
  Store(a, r);
  return r;
}

const Variant kOne(1);
const Variant kMinusOne(-1);

// var := var + step (1 or -1): an integer that does not overflow inline,
// anything else through the value operators.
template <int32_t step>
[[gnu::always_inline]] inline void Increment(Variant& var) {
  int32_t r;
  if (var.Type() != varInteger || __builtin_add_overflow(IntOf(var), step, &r)) [[unlikely]] {
    ApplyBinary(VarOp::Add, var, step > 0 ? kOne : kMinusOne);
    return;
  }
  Store(var, r);
}

bool ConditionFalse(const Variant& v) {
  if (v.Type() == varBoolean) return v.ValueField() == 0;
  return IsFalse(v);
}

// The argument slots of an opCall, read from its data words in order: the
// Op, A and B fields of each word.
class CallArgSlots {
 public:
  explicit CallArgSlots(const TProgItem* words) : word_(words) {}
  int32_t Next() {
    const int32_t slot = field_ == 0 ? word_->Op : field_ == 1 ? word_->A : word_->B;
    if (++field_ == 3) {
      field_ = 0;
      ++word_;
    }
    return slot;
  }

 private:
  const TProgItem* word_;
  int field_ = 0;
};

// Copies the arguments of an opCall of `entry`, whose data words start at
// instruction `pc`, into the argument block; returns the number of data words.
int32_t LoadCallArgs(TBinProg& p, const TFunListItem& entry, int32_t pc) {
  const int32_t count = entry.ParamCount;
  const int32_t words = CallDataWords(count);
  if (words > static_cast<int32_t>(p.Code.size()) - pc) throw ECompilerError("Missing data word in program");
  CallArgSlots slots(p.Code.data() + pc);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t slot = slots.Next();
    if (slot < 0 || slot >= TBinProg::kSlotCount) throw ECompilerError("Invalid variable slot in program");
    p.Args[i] = p.Vars[slot];
  }
  return words;
}

// Runs the host routine `entry` (number d.B) of the opCall `d` on the loaded
// arguments, stores its result and copies `var` arguments back to their
// slots.
void CallHost(TBinProg& p, const TDecodedItem& d, const TFunListItem& entry, const TProgItem* data) {
  const int32_t count = entry.ParamCount;
  const std::vector<ParamKind>& declared = entry.ParamKinds;
  const bool copy_back = std::find(declared.begin(), declared.end(), pkVar) != declared.end();
  Variant result;
  TObject* self = p.SelfHandle != 0 ? ObjectFromHandle(p.SelfHandle) : nullptr;
  entry.Code(self, entry.Name, p.Args, result);
  SlotAt(p.Vars.data(), d.A) = std::move(result);
  if (!copy_back) return;
  // The entry is fetched again: the routine may have registered its own name
  // anew, with other parameter kinds.
  const std::vector<ParamKind>& kinds = FunctionAt(d.B).ParamKinds;
  const int32_t checked = std::min(count, static_cast<int32_t>(kinds.size()));
  CallArgSlots slots(data);
  for (int32_t i = 0; i < checked; ++i) {
    const int32_t slot = slots.Next();
    if (kinds[i] == pkVar) p.Vars[slot] = p.Args[i];
  }
}

// x op c for Add .. Mod with the integer constant c: div and mod by a
// constant of magnitude 2 or more (`multiplier` not 0) multiply instead of
// dividing (const_divisor.h).
template <VarOp op>
[[gnu::always_inline]] inline bool QuickIntByConst(int32_t x, int32_t c, uint64_t multiplier, int32_t& r) {
  if constexpr (op == VarOp::IntDiv || op == VarOp::Mod) {
    if (multiplier != 0) {
      r = DivideByConstant<op == VarOp::Mod>(x, c, multiplier);
      return true;
    }
  }
  return QuickInt<op>(x, c, r);
}

// QuickIntByConst for the operator `op` (opAdd .. opMod) known only at run
// time.
[[gnu::always_inline]] inline bool QuickIntByOp(int32_t op, int32_t x, int32_t c, uint64_t multiplier, int32_t& r) {
  switch (op) {
    case opAdd:
      return QuickInt<VarOp::Add>(x, c, r);
    case opSub:
      return QuickInt<VarOp::Sub>(x, c, r);
    case opMul:
      return QuickInt<VarOp::Mul>(x, c, r);
    case opIntDiv:
      return QuickIntByConst<VarOp::IntDiv>(x, c, multiplier, r);
    default:
      return QuickIntByConst<VarOp::Mod>(x, c, multiplier, r);
  }
}

// The start of a chain statement (handlers.h: kChain...) on integers y and
// z: u := z op1 c, where `load` loads c, and t := y op u. True when every
// result is an integer.
template <VarOp op>
[[gnu::always_inline]] inline bool QuickChain(const Variant& y, const Variant& z, int32_t op1, const TDecodedItem& load,
                                              const uint64_t* divisors, int32_t& u, int32_t& t) {
  return BothIntegers(y, z) && QuickIntByOp(op1, IntOf(z), load.Target, divisors[load.B], u) &&
         QuickInt<op>(IntOf(y), u, t);
}

enum class RunMode { kFree, kLimited, kSingleStep };

// The instruction number of `item` in the decoded code that starts at `code`.
int32_t IndexIn(const TDecodedItem* code, const TDecodedItem* item) { return static_cast<int32_t>(item - code); }

// Executions in progress on this thread, of every program.
thread_local int32_t nested_runs = 0;

// Taken jumps between two looks at the clock: a loop cannot run without
// jumping back, and the clock is read once per this many jumps.
constexpr int32_t kJumpsPerClockCheck = 1024;

// Raises the memory budget's error when it is spent, and the time-limit
// error when the limit in force has expired (platform/run_limits.h);
// `index` is the instruction now running.
[[gnu::noinline]] void CheckDeadline(const TBinProg& p, int32_t index) {
  CheckRunMemory();
  if (!RunDeadlinePassed()) return;
  throw ECompilerError::AtRunLine(p.Program().LineOf(index), RunDeadlineText());
}

// The interpreter loop, threaded: each handler jumps straight to the next
// one. Runs from pc_out until the program stops (returns false), or, in
// kSingleStep mode, for one instruction (returns true unless it stopped).
// `base` is the return depth at which opReturn ends the execution. The
// instruction counter lives in a local pointer while the loop runs and is
// written back to `pc_out` whenever the loop is left, by a return or an error.
// Handler labels are L_ and the handler's name (handlers.h).
template <RunMode mode>
bool Interpret(TBinProg& p, int32_t& pc_out, int32_t base, uint64_t limit) {
#define ORV_LABEL(name, ...) &&L_##name,
#define ORV_FAULT_LABEL(name, text) &&L_fault,
#define ORV_FIRST_LABEL(name, first, meaning) &&L_##first,
  // Every run dispatches through kRun; single steps through kStep, in which
  // a fused handler runs only its first instruction (the next step runs the
  // one after).
  static const void* const kRun[] = {ORV_OPCODES(ORV_LABEL) ORV_FAULT_HANDLERS(ORV_FAULT_LABEL)
                                         ORV_FUSED_HANDLERS(ORV_LABEL)};
  static const void* const kStep[] = {ORV_OPCODES(ORV_LABEL) ORV_FAULT_HANDLERS(ORV_FAULT_LABEL)
                                          ORV_FUSED_HANDLERS(ORV_FIRST_LABEL)};
  static_assert(std::size(kRun) == handler::kHandlerLimit && std::size(kStep) == handler::kHandlerLimit);
#undef ORV_FIRST_LABEL
#undef ORV_FAULT_LABEL
#undef ORV_LABEL
  const void* const* const handlers = mode == RunMode::kSingleStep ? kStep : kRun;

  const TProgram& program = p.Program();
  const TDecodedItem* code = program.Decoded().data();
  const Variant* constants = program.Constants.data();
  const uint64_t* divisors = program.Divisors().data();
  Variant* v = p.Vars.data();
  auto slot = [v](int32_t offset) -> Variant& { return SlotAt(v, offset); };
  uint64_t steps = 0;
  int32_t jumps = kJumpsPerClockCheck;
  const TDecodedItem* ip = code + pc_out;  // the next instruction
  try {
  const TDecodedItem* d = ip++;
  goto *handlers[d->Handler];

// Ends a step and fetches the next instruction (ORV_ADVANCE); then either
// dispatches on it (ORV_NEXT) or, in a fused handler that knows what comes
// next, goes straight to that handler (ORV_THEN).
#define ORV_ADVANCE()                                                    \
  if constexpr (mode == RunMode::kSingleStep) {                          \
    pc_out = IndexIn(code, ip);                                          \
    return true;                                                         \
  }                                                                      \
  if constexpr (mode == RunMode::kLimited)                               \
    if (++steps >= limit) throw ECompilerError("Step limit exceeded");   \
  d = ip++
#define ORV_NEXT()              \
  do {                          \
    ORV_ADVANCE();              \
    goto *handlers[d->Handler]; \
  } while (0)
#define ORV_THEN(label) \
  do {                  \
    ORV_ADVANCE();      \
    goto label;         \
  } while (0)
// Counts a taken jump, and looks at the clock every kJumpsPerClockCheck.
#define ORV_JUMPED()                                  \
  if constexpr (mode != RunMode::kSingleStep)         \
    if (--jumps == 0) {                               \
      jumps = kJumpsPerClockCheck;                    \
      CheckDeadline(p, IndexIn(code, d));             \
    }
// The rest of a round of a for loop after the step of its variable: the
// jump back, the limit load and the copy of the loop variable, then the
// loop's test with its jump out (`test`), which counts as the fifth step.
// When the head has the compiler's shape (d->B bit 1) and the variable and
// the limit are integers, the test is computed at once: the slots end as the
// instructions leave them (the limit's slot, then the test's Boolean). With
// an integer constant for limit (bit 2) its number is in the load's Target.
#define ORV_FOR_HEAD(test, holds)                                                               \
  do {                                                                                          \
    ORV_JUMPED();                                                                               \
    if constexpr (mode == RunMode::kLimited)                                                    \
      if ((steps += 4) >= limit) throw ECompilerError("Step limit exceeded");                   \
    const TDecodedItem* head = code + d->Target;                                                \
    const Variant& var = slot(head[1].B);                                                       \
    if (mode == RunMode::kFree && (d->B & 4) != 0 && var.Type() == varInteger) [[likely]]       \
      ORV_FOR_TEST(IntOf(var), head[0].Target, holds);                                          \
    const Variant& bound = (d->B & 1) != 0 ? constants[head[0].B] : slot(head[0].B);            \
    if (mode == RunMode::kFree && (d->B & 2) != 0 && bound.Type() == varInteger &&              \
        var.Type() == varInteger)                                                               \
      ORV_FOR_TEST(IntOf(var), IntOf(bound), holds);                                            \
    slot(head[0].A) = bound;                                                                    \
    slot(head[1].A) = slot(head[1].B);                                                          \
    d = &head[2];                                                                               \
    ip = head + 3;                                                                              \
    goto test;                                                                                  \
  } while (0)
// The test of a for round on the integers x (the variable) and y (the
// limit): the limit's slot and the test's Boolean are written, and the round
// goes on or leaves the loop.
#define ORV_FOR_TEST(variable, bound, holds)              \
  do {                                                    \
    const int32_t x = (variable), y = (bound);            \
    const bool go_on = holds;                             \
    Store(slot(head[0].A), y);                            \
    Store(slot(head[1].A), go_on);                        \
    ip = go_on ? head + 4 : code + head[2].Target;        \
    ORV_NEXT();                                           \
  } while (0)

L_opAdd: IntegerArithmetic<VarOp::Add>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opSub: IntegerArithmetic<VarOp::Sub>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opMul: IntegerArithmetic<VarOp::Mul>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opIntDiv: IntegerArithmetic<VarOp::IntDiv>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opMod: IntegerArithmetic<VarOp::Mod>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opDivide: ApplyBinary(VarOp::Divide, slot(d->A), slot(d->B)); ORV_NEXT();
L_opShl: ApplyBinary(VarOp::Shl, slot(d->A), slot(d->B)); ORV_NEXT();
L_opShr: ApplyBinary(VarOp::Shr, slot(d->A), slot(d->B)); ORV_NEXT();
L_opOr: ApplyBinary(VarOp::Or, slot(d->A), slot(d->B)); ORV_NEXT();
L_opXor: ApplyBinary(VarOp::Xor, slot(d->A), slot(d->B)); ORV_NEXT();
L_opAnd: ApplyBinary(VarOp::And, slot(d->A), slot(d->B)); ORV_NEXT();
L_opNot: ApplyNot(slot(d->A)); ORV_NEXT();
L_opNeg: ApplyNeg(slot(d->A)); ORV_NEXT();
L_opGreaterEq: Comparison<VarCompareOp::GreaterEq>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opEqual: Comparison<VarCompareOp::Equal>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opLessEq: Comparison<VarCompareOp::LessEq>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opNotEqual: Comparison<VarCompareOp::NotEqual>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opGreater: Comparison<VarCompareOp::Greater>(slot(d->A), slot(d->B)); ORV_NEXT();
L_opLess: Comparison<VarCompareOp::Less>(slot(d->A), slot(d->B)); ORV_NEXT();
#define ORV_COMPARE_JUMP(op)                     \
  if (Comparison<op>(slot(d->A), slot(d->B))) { \
    ++ip;                                        \
  } else {                                       \
    ORV_JUMPED();                                \
    ip = code + d->Target;                       \
  }                                              \
  ORV_NEXT();
L_kGreaterEqJump: ORV_COMPARE_JUMP(VarCompareOp::GreaterEq)
L_kEqualJump: ORV_COMPARE_JUMP(VarCompareOp::Equal)
L_kLessEqJump: ORV_COMPARE_JUMP(VarCompareOp::LessEq)
L_kNotEqualJump: ORV_COMPARE_JUMP(VarCompareOp::NotEqual)
L_kGreaterJump: ORV_COMPARE_JUMP(VarCompareOp::Greater)
L_kLessJump: ORV_COMPARE_JUMP(VarCompareOp::Less)
#undef ORV_COMPARE_JUMP
L_kAppend: {
  // The temporary gives up its share of the variable's text first, so the
  // text can grow in place; afterwards it holds the result, as it would.
  // Two integers whose sum is one are added at once.
  Variant& var = slot(d->B);
  Variant& temp = slot(d->A);
  const TDecodedItem& load = *ip;
  Variant& loaded = slot(load.A);
  loaded = d->Target != 0 ? constants[load.B] : slot(load.B);
  int32_t sum;
  if (QuickInteger<VarOp::Add>(var, loaded, sum)) {
    Store(var, sum);
    Store(temp, sum);
    ip += 3;
    ORV_NEXT();
  }
  temp = Variant();
  try {
    ApplyBinary(VarOp::Add, var, loaded);
  } catch (...) {
    temp = var;
    throw;
  }
  temp = var;
  ip += 3;
  ORV_NEXT();
}
L_opGoto:
  ORV_JUMPED();
  ip = code + d->A;
  ORV_NEXT();
L_opJumpIfFalse:
  if (ConditionFalse(slot(d->A))) {
    ORV_JUMPED();
    ip = code + d->B;
  }
  ORV_NEXT();
L_opLoadConst: slot(d->A) = constants[d->B]; ORV_NEXT();
L_opInc: Increment<1>(slot(d->A)); ORV_NEXT();
L_opDec: Increment<-1>(slot(d->A)); ORV_NEXT();
L_opMove: slot(d->A) = slot(d->B); ORV_NEXT();
L_kIncThenGoto: Increment<1>(slot(d->A)); ORV_THEN(L_opGoto);
L_kDecThenGoto: Increment<-1>(slot(d->A)); ORV_THEN(L_opGoto);
L_kLoadConstThenMove: slot(d->A) = constants[d->B]; ORV_THEN(L_opMove);
L_kLoadConstThenAdd: slot(d->A) = constants[d->B]; ORV_THEN(L_opAdd);
L_kLoadConstThenSub: slot(d->A) = constants[d->B]; ORV_THEN(L_opSub);
L_kLoadConstThenMul: slot(d->A) = constants[d->B]; ORV_THEN(L_opMul);
L_kLoadConstThenIntDiv: slot(d->A) = constants[d->B]; ORV_THEN(L_opIntDiv);
L_kLoadConstThenMod: slot(d->A) = constants[d->B]; ORV_THEN(L_opMod);
L_kMoveThenMove: slot(d->A) = slot(d->B); ORV_THEN(L_opMove);
L_kMoveThenLessEqJump: slot(d->A) = slot(d->B); ORV_THEN(L_kLessEqJump);
L_kMoveThenGreaterEqJump: slot(d->A) = slot(d->B); ORV_THEN(L_kGreaterEqJump);
L_kMoveThenGosub: slot(d->A) = slot(d->B); ORV_THEN(L_opGosub);
L_kMoveThenReturn: slot(d->A) = slot(d->B); ORV_THEN(L_opReturn);
#define ORV_MOVE_THEN_ARITH(unused, Op) \
  L_kMoveThenArith##Op: slot(d->A) = slot(d->B); ORV_THEN(L_op##Op);
ORV_ARITH_NAMES(ORV_MOVE_THEN_ARITH, _)
#undef ORV_MOVE_THEN_ARITH
// The end of a for round: the step of the variable by `step`, then the
// head. When the head tests the variable just stepped against an integer
// constant (d->B bits 2 and 3) the new number goes to the test at once.
#define ORV_FOR_STEP(step, test, holds)                                                 \
  do {                                                                                  \
    Variant& var = slot(d->A);                                                          \
    int32_t stepped;                                                                    \
    if (mode == RunMode::kFree && (d->B & 12) == 12 && var.Type() == varInteger &&      \
        !__builtin_add_overflow(IntOf(var), step, &stepped)) [[likely]] {               \
      Store(var, stepped);                                                              \
      ORV_JUMPED();                                                                     \
      const TDecodedItem* head = code + d->Target;                                      \
      ORV_FOR_TEST(stepped, head[0].Target, holds);                                     \
    }                                                                                   \
    Increment<step>(var);                                                               \
    ORV_FOR_HEAD(test, holds);                                                          \
  } while (0)
L_kForStepUp: ORV_FOR_STEP(1, L_kLessEqJump, x <= y);
L_kForStepDown: ORV_FOR_STEP(-1, L_kGreaterEqJump, x >= y);
#undef ORV_FOR_STEP
// Arithmetic with an integer constant operand, whose number the decoder put
// in the Target of the constant load: the quick path writes every slot the
// instructions write and counts them as steps; otherwise, and under a step
// limit, the first instruction runs alone.
#define ORV_CONST_ARITH(unused, Op)                                                     \
  L_kMoveConstArith##Op: {                                                              \
    const TDecodedItem* load = ip;                                                      \
    const Variant& x = slot(d->B);                                                      \
    int32_t r;                                                                          \
    if (mode == RunMode::kFree && x.Type() == varInteger &&                             \
        QuickIntByConst<VarOp::Op>(IntOf(x), load->Target, divisors[load->B], r)) [[likely]] { \
      Store(slot(d->A), r);                                                             \
      Store(slot(load->A), load->Target);                                               \
      ip += 2;                                                                          \
      ORV_NEXT();                                                                       \
    }                                                                                   \
    slot(d->A) = slot(d->B);                                                            \
    ORV_NEXT();                                                                         \
  }                                                                                     \
  L_kConstArithMove##Op: {                                                              \
    const TDecodedItem* arith = ip;                                                     \
    const Variant& t = slot(arith->A);                                                  \
    int32_t r;                                                                          \
    if (mode == RunMode::kFree && t.Type() == varInteger &&                             \
        QuickIntByConst<VarOp::Op>(IntOf(t), d->Target, divisors[d->B], r)) [[likely]] { \
      Store(slot(d->A), d->Target);                                                     \
      Store(slot(arith->A), r);                                                         \
      Store(slot(arith[1].A), r);                                                       \
      ip += 2;                                                                          \
      ORV_NEXT();                                                                       \
    }                                                                                   \
    slot(d->A) = constants[d->B];                                                       \
    ORV_NEXT();                                                                         \
  }                                                                                     \
  L_kMoveThenMoveConstArith##Op: slot(d->A) = slot(d->B); ORV_THEN(L_kMoveConstArith##Op);
ORV_ARITH_NAMES(ORV_CONST_ARITH, _)
#undef ORV_CONST_ARITH
// op1 t,y, then a constant load u,c, op2 t,u and the copy x := t: two
// integers whose results are integers are computed at once; otherwise the
// first instruction runs alone.
#define ORV_ARITH_CONST_ARITH(unused, Op1, Op2)                                               \
  L_k##Op1##ThenConstArithMove##Op2: {                                                        \
    const TDecodedItem* load = ip;                                                            \
    int32_t first, r;                                                                         \
    if (mode == RunMode::kFree && QuickInteger<VarOp::Op1>(slot(d->A), slot(d->B), first) &&  \
        QuickIntByConst<VarOp::Op2>(first, load->Target, divisors[load->B], r)) [[likely]] {  \
      Store(slot(load->A), load->Target);                                                     \
      Store(slot(d->A), r);                                                                   \
      Store(slot(load[2].A), r);                                                              \
      ip += 3;                                                                                \
      ORV_NEXT();                                                                             \
    }                                                                                         \
    goto L_op##Op1;                                                                           \
  }
#define ORV_ARITH_CONST_ARITHS(unused, Op1) ORV_ARITH_NAMES2(ORV_ARITH_CONST_ARITH, _, Op1)
ORV_ARITH_NAMES(ORV_ARITH_CONST_ARITHS, _)
#undef ORV_ARITH_CONST_ARITHS
#undef ORV_ARITH_CONST_ARITH
// A statement x := y op (z op1 c), perhaps followed by op2 c2, as the
// decoder found it (kChain...): d is opMove t,y; then come opMove u,z,
// opLoadConst w,c, op1 u,w and op t,u; the Target of d is op1. On integers
// every slot is written as the instructions would; otherwise, and under a
// step limit, the copy runs alone.
#define ORV_CHAIN(unused, Op)                                                                       \
  L_kChain##Op: {                                                                                   \
    const TDecodedItem* load = ip + 1;                                                              \
    int32_t u, t;                                                                                   \
    if (mode == RunMode::kFree &&                                                                   \
        QuickChain<VarOp::Op>(slot(d->B), slot(ip->B), d->Target, *load, divisors, u, t)) [[likely]] { \
      Store(slot(load->A), load->Target);                                                           \
      Store(slot(ip->A), u);                                                                        \
      Store(slot(d->A), t);                                                                         \
      ip += 4;                                                                                      \
      ORV_NEXT();                                                                                   \
    }                                                                                               \
    slot(d->A) = slot(d->B);                                                                        \
    ORV_NEXT();                                                                                     \
  }
ORV_ARITH_NAMES(ORV_CHAIN, _)
#undef ORV_CHAIN
// The same followed by opLoadConst v,c2, op2 t,v and opMove x,t.
#define ORV_CHAIN_CONST_ARITH(unused, Op, Op2)                                                     \
  L_kChain##Op##ThenConstArith##Op2: {                                                            \
    const TDecodedItem* load = ip + 1;                                                             \
    const TDecodedItem* load2 = ip + 4;                                                            \
    int32_t u, t, x;                                                                               \
    if (mode == RunMode::kFree &&                                                                  \
        QuickChain<VarOp::Op>(slot(d->B), slot(ip->B), d->Target, *load, divisors, u, t) &&        \
        QuickIntByConst<VarOp::Op2>(t, load2->Target, divisors[load2->B], x)) [[likely]] {         \
      Store(slot(load->A), load->Target);                                                          \
      Store(slot(ip->A), u);                                                                       \
      Store(slot(load2->A), load2->Target);                                                        \
      Store(slot(d->A), x);                                                                        \
      Store(slot(load2[2].A), x);                                                                  \
      ip += 7;                                                                                     \
      ORV_NEXT();                                                                                  \
    }                                                                                              \
    slot(d->A) = slot(d->B);                                                                       \
    ORV_NEXT();                                                                                    \
  }
#define ORV_CHAIN_CONST_ARITHS(unused, Op) ORV_ARITH_NAMES2(ORV_CHAIN_CONST_ARITH, _, Op)
ORV_ARITH_NAMES(ORV_CHAIN_CONST_ARITHS, _)
#undef ORV_CHAIN_CONST_ARITHS
#undef ORV_CHAIN_CONST_ARITH
L_opCall: {
  const TFunListItem& entry = FunctionAt(d->B);
  const int32_t pc = IndexIn(code, ip);
  const int32_t words = LoadCallArgs(p, entry, pc);
  const TProgItem* data = program.Code.data() + pc;
  ip += words;
  CallHost(p, *d, entry, data);
  ORV_NEXT();
}
L_opSetSelf: p.SelfHandle = static_cast<uint32_t>(d->A); ORV_NEXT();
L_opSetSelfVar: p.SelfHandle = slot(d->A).ValueField(); ORV_NEXT();
L_opDynGet: {
  int32_t target = program.Code[IndexIn(code, ip++)].A;
  v[target] = DynaVarGet(d->B, d->A);
  ORV_NEXT();
}
L_opDynSet: {
  int32_t source = program.Code[IndexIn(code, ip++)].A;
  DynaVarSet(d->B, d->A, v[source]);
  ORV_NEXT();
}
L_opGosub:
  ORV_JUMPED();
  if (p.ReturnDepth >= TBinProg::kReturnStackSize) throw ECompilerError("Return stack overflow");
  p.ReturnStack[p.ReturnDepth++] = IndexIn(code, ip);
  ip = code + d->A;
  ORV_NEXT();
L_opReturn:
  if (p.ReturnDepth <= base) {
    pc_out = IndexIn(code, ip);
    return false;
  }
  ip = code + p.ReturnStack[--p.ReturnDepth];
  ORV_NEXT();
L_opArrayNew: slot(d->A) = Variant::Array(d->B); ORV_NEXT();
L_opArrayPut: {
  int32_t array = program.Code[IndexIn(code, ip++)].A;
  v[array].PutElement(d->A, slot(d->B));
  ORV_NEXT();
}
L_opStop:
  pc_out = IndexIn(code, ip);
  return false;
L_fault:
  --ip;  // the faulty instruction did not run
  throw ECompilerError(handler::FaultText(d->Handler));
#undef ORV_FOR_TEST
#undef ORV_FOR_HEAD
#undef ORV_JUMPED
#undef ORV_THEN
#undef ORV_NEXT
#undef ORV_ADVANCE
  } catch (...) {
    pc_out = IndexIn(code, ip);
    throw;
  }
}

// Marks an execution in progress; at its end, however it ends, the return
// depth goes back to where the execution found it. Executions nest through
// host routines (RunMacro, event handlers); more than kMaxNestedRuns at once
// on a thread is an error.
class ExecutionScope {
 public:
  explicit ExecutionScope(TBinProg& p) : p_(p), base_(p.Running > 0 ? p.ReturnDepth : 0) {
    if (nested_runs >= kMaxNestedRuns)
      throw ECompilerError("Script runs nested too deeply (more than " + std::to_string(kMaxNestedRuns) + ")");
    ++nested_runs;
    p_.ReturnDepth = base_;
    ++p_.Running;
  }
  ~ExecutionScope() {
    --p_.Running;
    p_.ReturnDepth = base_;
    --nested_runs;
  }
  ExecutionScope(const ExecutionScope&) = delete;
  ExecutionScope& operator=(const ExecutionScope&) = delete;
  int32_t base() const { return base_; }

 private:
  TBinProg& p_;
  int32_t base_;
};

}  // namespace

void Execute(TBinProg& program, int32_t start, uint64_t step_limit) {
  if (start < 0 || start > static_cast<int32_t>(program.Code.size()))
    throw ECompilerError("Invalid start instruction");
  ExecutionScope scope(program);
  int32_t pc = start;
  struct PcWriteBack {
    TBinProg& p;
    int32_t& pc;
    ~PcWriteBack() { p.PC = pc; }
  } write_back{program, pc};
  try {
    if (step_limit == 0) {
      Interpret<RunMode::kFree>(program, pc, scope.base(), 0);
    } else {
      Interpret<RunMode::kLimited>(program, pc, scope.base(), step_limit);
    }
  } catch (const std::bad_alloc&) {
    throw ECompilerError("Memory ran out while running the script");
  }
}

int32_t FailedLine(const TBinProg& program) {
  // An error leaves the counter after the instruction that raised it.
  return program.Program().LineOf(program.PC - 1);
}

bool Step(TBinProg& program) {
  if (program.PC < 0 || program.PC > static_cast<int32_t>(program.Code.size()))
    throw ECompilerError("Invalid start instruction");
  return Interpret<RunMode::kSingleStep>(program, program.PC, 0, 0);
}

void TKelRuner::Run() {
  if (!program_) {
    std::string image;
    TKelCompiler compiler(source_, image);
    compiler.SetOwner(Owner);
    compiler.SetObjects(&Objects);
    compiler.Compile();
    ParentClassName = compiler.ParentClassName();
    if (KeepIdents) Identifiers = compiler.TakeIdentifiers();
    program_ = std::make_unique<TBinProg>(std::make_shared<const TProgram>(image, compiler.TakeLines()));
    image_ = std::move(image);
  }
  if (!CompileOnly) Execute(*program_, 0, StepLimit);
}

}  // namespace orv
