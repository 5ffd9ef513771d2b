#include "core/script/runner.h"

#include <algorithm>
#include <climits>
#include <new>

#include "core/script/compiler.h"
#include "core/script/compiler_error.h"
#include "core/script/dyna_vars.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"

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

int32_t IntOf(const Variant& v) { return static_cast<int32_t>(v.ValueField()); }

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

// Calls M(opcode, operator, label name) for each arithmetic opcode with
// constant-operand forms; ORV_ARITH_OPS2 passes leading arguments on.
#define ORV_ARITH_OPS(M)                                                                  \
  M(opAdd, VarOp::Add, add) M(opSub, VarOp::Sub, sub) M(opMul, VarOp::Mul, mul)          \
  M(opIntDiv, VarOp::IntDiv, int_div) M(opMod, VarOp::Mod, mod)
#define ORV_ARITH_OPS2(M, ...)                                                            \
  M(__VA_ARGS__, opAdd, VarOp::Add, add) M(__VA_ARGS__, opSub, VarOp::Sub, sub)          \
  M(__VA_ARGS__, opMul, VarOp::Mul, mul) M(__VA_ARGS__, opIntDiv, VarOp::IntDiv, int_div) \
  M(__VA_ARGS__, opMod, VarOp::Mod, mod)

// var[A] := var[A] op var[B] for Add, Sub, Mul, IntDiv and Mod: the quick
// integer path runs inline in the loop; everything else, errors and
// widening included, takes the value operators.
template <VarOp op>
[[gnu::always_inline]] inline void IntegerArithmetic(Variant& a, const Variant& b) {
  int32_t r;
  if (QuickInteger<op>(a, b, r)) {
    Store(a, r);
    return;
  }
  ApplyBinary(op, a, b);
}

// var[A] := the comparison's result, which is also returned.
template <VarCompareOp op>
[[gnu::always_inline]] inline bool Comparison(Variant& a, const Variant& b) {
  bool r;
  if (BothIntegers(a, b)) {
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

enum class RunMode { kFree, kLimited, kSingleStep };

// The instruction number of `item` in the decoded code that starts at `code`.
int32_t IndexIn(const TDecodedItem* code, const TDecodedItem* item) { return static_cast<int32_t>(item - code); }

// The interpreter loop, threaded: each handler jumps straight to the next
// one. Runs from pc_out until the program stops (returns false), or, in
// kSingleStep mode, for one instruction (returns true unless it stopped).
// `base` is the return depth at which opReturn ends the execution. The
// instruction counter lives in a local pointer while the loop runs and is
// written back to `pc_out` whenever the loop is left, by a return or an error.
template <RunMode mode>
bool Interpret(TBinProg& p, int32_t& pc_out, int32_t base, uint64_t limit) {
  const void* handlers[TBinProg::kHandlerLimit];
  for (const void*& h : handlers) h = &&fault;
  handlers[opAdd] = &&add;
  handlers[opSub] = &&sub;
  handlers[opMul] = &&mul;
  handlers[opIntDiv] = &&int_div;
  handlers[opMod] = &&mod;
  handlers[opDivide] = &&divide;
  handlers[opShl] = &&shl;
  handlers[opShr] = &&shr;
  handlers[opNot] = &&op_not;
  handlers[opOr] = &&op_or;
  handlers[opXor] = &&op_xor;
  handlers[opAnd] = &&op_and;
  handlers[opGreaterEq] = &&greater_eq;
  handlers[opEqual] = &&equal;
  handlers[opLessEq] = &&less_eq;
  handlers[opNotEqual] = &&not_equal;
  handlers[opGreater] = &&greater;
  handlers[opLess] = &&less;
  handlers[opNeg] = &&neg;
  handlers[opGoto] = &&go_to;
  handlers[opJumpIfFalse] = &&jump_if_false;
  handlers[opLoadConst] = &&load_const;
  handlers[opStop] = &&stop;
  handlers[opInc] = &&inc;
  handlers[opDec] = &&dec;
  handlers[opCall] = &&call;
  handlers[opSetSelf] = &&set_self;
  handlers[opDynGet] = &&dyn_get;
  handlers[opDynSet] = &&dyn_set;
  handlers[opSetSelfVar] = &&set_self_var;
  handlers[opMove] = &&move;
  handlers[opGosub] = &&gosub;
  handlers[opReturn] = &&op_return;
  handlers[opArrayNew] = &&array_new;
  handlers[opArrayPut] = &&array_put;
  handlers[TBinProg::kCompareJumpFirst + 0] = &&greater_eq_jump;
  handlers[TBinProg::kCompareJumpFirst + 1] = &&equal_jump;
  handlers[TBinProg::kCompareJumpFirst + 2] = &&less_eq_jump;
  handlers[TBinProg::kCompareJumpFirst + 3] = &&not_equal_jump;
  handlers[TBinProg::kCompareJumpFirst + 4] = &&greater_jump;
  handlers[TBinProg::kCompareJumpFirst + 5] = &&less_jump;
  handlers[TBinProg::kAppend] = &&append;
  handlers[TBinProg::kIncThenGoto] = &&inc_then_goto;
  handlers[TBinProg::kDecThenGoto] = &&dec_then_goto;
  handlers[TBinProg::kLoadConstThenMove] = &&load_const_then_move;
  handlers[TBinProg::kLoadConstThenAdd] = &&load_const_then_add;
  handlers[TBinProg::kLoadConstThenSub] = &&load_const_then_sub;
  handlers[TBinProg::kLoadConstThenMul] = &&load_const_then_mul;
  handlers[TBinProg::kLoadConstThenIntDiv] = &&load_const_then_int_div;
  handlers[TBinProg::kLoadConstThenMod] = &&load_const_then_mod;
  handlers[TBinProg::kMoveThenMove] = &&move_then_move;
  handlers[TBinProg::kMoveThenLessEqJump] = &&move_then_less_eq_jump;
  handlers[TBinProg::kMoveThenGreaterEqJump] = &&move_then_greater_eq_jump;
  handlers[TBinProg::kForStepUp] = &&for_step_up;
  handlers[TBinProg::kForStepDown] = &&for_step_down;
#define ORV_CONST_ARITH_HANDLERS(op, varop, name)                                            \
  handlers[TBinProg::kMoveConstArithFirst + int32_t{op}] = &&move_const_##name;              \
  handlers[TBinProg::kConstArithMoveFirst + int32_t{op}] = &&const_##name##_move;            \
  handlers[TBinProg::kMoveThenMoveConstArithFirst + int32_t{op}] = &&move_then_move_const_##name;
#define ORV_ARITH_CONST_ARITH_HANDLER(op1, varop1, name1, op2, varop2, name2)                       \
  handlers[TBinProg::kArithThenConstArithMoveFirst + int32_t{op1} * TBinProg::kArithOpCount + int32_t{op2}] = \
      &&name1##_then_const_##name2##_move;
#define ORV_ARITH_CONST_ARITH_HANDLERS(op1, varop1, name1) \
  ORV_ARITH_OPS2(ORV_ARITH_CONST_ARITH_HANDLER, op1, varop1, name1)
  ORV_ARITH_OPS(ORV_CONST_ARITH_HANDLERS)
  ORV_ARITH_OPS(ORV_ARITH_CONST_ARITH_HANDLERS)
#undef ORV_ARITH_CONST_ARITH_HANDLERS
#undef ORV_ARITH_CONST_ARITH_HANDLER
#undef ORV_CONST_ARITH_HANDLERS
  if constexpr (mode == RunMode::kSingleStep) {
    // One step runs one instruction: a fused handler runs only its first
    // instruction, and the next step the one after.
    for (int32_t h = TBinProg::kCompareJumpFirst; h < TBinProg::kHandlerLimit; ++h)
      handlers[h] = handlers[TBinProg::FirstHandler(h)];
  }

  const TDecodedItem* code = p.Decoded().data();
  Variant* v = p.Vars.data();
  auto slot = [v](int32_t offset) -> Variant& { return SlotAt(v, offset); };
  uint64_t steps = 0;
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
// The rest of a round of a for loop after the step of its variable: the
// jump back, the limit load and the copy of the loop variable, then the
// loop's test with its jump out (`test`), which counts as the fifth step.
#define ORV_FOR_HEAD(test)                                                                      \
  do {                                                                                          \
    if constexpr (mode == RunMode::kLimited)                                                    \
      if ((steps += 4) >= limit) throw ECompilerError("Step limit exceeded");                   \
    const TDecodedItem* head = code + d->Target;                                                \
    slot(head[0].A) = p.Code[d->Target].Op == opLoadConst ? p.Constants[head[0].B] : slot(head[0].B); \
    slot(head[1].A) = slot(head[1].B);                                                          \
    d = &head[2];                                                                               \
    ip = head + 3;                                                                              \
    goto test;                                                                                  \
  } while (0)

add: IntegerArithmetic<VarOp::Add>(slot(d->A), slot(d->B)); ORV_NEXT();
sub: IntegerArithmetic<VarOp::Sub>(slot(d->A), slot(d->B)); ORV_NEXT();
mul: IntegerArithmetic<VarOp::Mul>(slot(d->A), slot(d->B)); ORV_NEXT();
int_div: IntegerArithmetic<VarOp::IntDiv>(slot(d->A), slot(d->B)); ORV_NEXT();
mod: IntegerArithmetic<VarOp::Mod>(slot(d->A), slot(d->B)); ORV_NEXT();
divide: ApplyBinary(VarOp::Divide, slot(d->A), slot(d->B)); ORV_NEXT();
shl: ApplyBinary(VarOp::Shl, slot(d->A), slot(d->B)); ORV_NEXT();
shr: ApplyBinary(VarOp::Shr, slot(d->A), slot(d->B)); ORV_NEXT();
op_or: ApplyBinary(VarOp::Or, slot(d->A), slot(d->B)); ORV_NEXT();
op_xor: ApplyBinary(VarOp::Xor, slot(d->A), slot(d->B)); ORV_NEXT();
op_and: ApplyBinary(VarOp::And, slot(d->A), slot(d->B)); ORV_NEXT();
op_not: ApplyNot(slot(d->A)); ORV_NEXT();
neg: ApplyNeg(slot(d->A)); ORV_NEXT();
greater_eq: Comparison<VarCompareOp::GreaterEq>(slot(d->A), slot(d->B)); ORV_NEXT();
equal: Comparison<VarCompareOp::Equal>(slot(d->A), slot(d->B)); ORV_NEXT();
less_eq: Comparison<VarCompareOp::LessEq>(slot(d->A), slot(d->B)); ORV_NEXT();
not_equal: Comparison<VarCompareOp::NotEqual>(slot(d->A), slot(d->B)); ORV_NEXT();
greater: Comparison<VarCompareOp::Greater>(slot(d->A), slot(d->B)); ORV_NEXT();
less: Comparison<VarCompareOp::Less>(slot(d->A), slot(d->B)); ORV_NEXT();
#define ORV_COMPARE_JUMP(op)                     \
  if (Comparison<op>(slot(d->A), slot(d->B))) { \
    ++ip;                                        \
  } else {                                       \
    ip = code + d->Target;                       \
  }                                              \
  ORV_NEXT();
greater_eq_jump: ORV_COMPARE_JUMP(VarCompareOp::GreaterEq)
equal_jump: ORV_COMPARE_JUMP(VarCompareOp::Equal)
less_eq_jump: ORV_COMPARE_JUMP(VarCompareOp::LessEq)
not_equal_jump: ORV_COMPARE_JUMP(VarCompareOp::NotEqual)
greater_jump: ORV_COMPARE_JUMP(VarCompareOp::Greater)
less_jump: ORV_COMPARE_JUMP(VarCompareOp::Less)
#undef ORV_COMPARE_JUMP
append: {
  // The temporary gives up its share of the variable's text first, so the
  // text can grow in place; afterwards it holds the result, as it would.
  Variant& var = slot(d->B);
  Variant& temp = slot(d->A);
  const TDecodedItem& load = *ip;
  slot(load.A) = p.Code[IndexIn(code, ip)].Op == opLoadConst ? p.Constants[load.B] : slot(load.B);
  temp = Variant();
  try {
    ApplyBinary(VarOp::Add, var, slot(load.A));
  } catch (...) {
    temp = var;
    throw;
  }
  temp = var;
  ip += 3;
  ORV_NEXT();
}
go_to: ip = code + d->A; ORV_NEXT();
jump_if_false:
  if (ConditionFalse(slot(d->A))) ip = code + d->B;
  ORV_NEXT();
load_const: slot(d->A) = p.Constants[d->B]; ORV_NEXT();
inc: IntegerArithmetic<VarOp::Add>(slot(d->A), kOne); ORV_NEXT();
dec: IntegerArithmetic<VarOp::Add>(slot(d->A), kMinusOne); ORV_NEXT();
move: slot(d->A) = slot(d->B); ORV_NEXT();
inc_then_goto: IntegerArithmetic<VarOp::Add>(slot(d->A), kOne); ORV_THEN(go_to);
dec_then_goto: IntegerArithmetic<VarOp::Add>(slot(d->A), kMinusOne); ORV_THEN(go_to);
load_const_then_move: slot(d->A) = p.Constants[d->B]; ORV_THEN(move);
load_const_then_add: slot(d->A) = p.Constants[d->B]; ORV_THEN(add);
load_const_then_sub: slot(d->A) = p.Constants[d->B]; ORV_THEN(sub);
load_const_then_mul: slot(d->A) = p.Constants[d->B]; ORV_THEN(mul);
load_const_then_int_div: slot(d->A) = p.Constants[d->B]; ORV_THEN(int_div);
load_const_then_mod: slot(d->A) = p.Constants[d->B]; ORV_THEN(mod);
move_then_move: slot(d->A) = slot(d->B); ORV_THEN(move);
move_then_less_eq_jump: slot(d->A) = slot(d->B); ORV_THEN(less_eq_jump);
move_then_greater_eq_jump: slot(d->A) = slot(d->B); ORV_THEN(greater_eq_jump);
for_step_up:
  IntegerArithmetic<VarOp::Add>(slot(d->A), kOne);
  ORV_FOR_HEAD(less_eq_jump);
for_step_down:
  IntegerArithmetic<VarOp::Add>(slot(d->A), kMinusOne);
  ORV_FOR_HEAD(greater_eq_jump);
// Arithmetic with a constant operand (TBinProg::kMoveConstArithFirst): the
// quick path writes every slot the instructions write and counts them as
// steps; otherwise, and under a step limit, the first instruction runs alone.
#define ORV_CONST_ARITH(op, varop, name)                                                 \
  move_const_##name: {                                                                   \
    const TDecodedItem* load = ip;                                                       \
    const Variant& c = p.Constants[load->B];                                             \
    int32_t r;                                                                           \
    if (mode == RunMode::kFree && QuickInteger<varop>(slot(d->B), c, r)) {               \
      Store(slot(d->A), r);                                                              \
      slot(load->A) = c;                                                                 \
      ip += 2;                                                                           \
      ORV_NEXT();                                                                        \
    }                                                                                    \
    slot(d->A) = slot(d->B);                                                             \
    ORV_NEXT();                                                                          \
  }                                                                                      \
  const_##name##_move: {                                                                 \
    const TDecodedItem* arith = ip;                                                    \
    const Variant& c = p.Constants[d->B];                                                \
    int32_t r;                                                                           \
    if (mode == RunMode::kFree && QuickInteger<varop>(slot(arith->A), c, r)) {           \
      slot(d->A) = c;                                                                    \
      Store(slot(arith->A), r);                                                          \
      Store(slot(arith[1].A), r);                                                        \
      ip += 2;                                                                           \
      ORV_NEXT();                                                                        \
    }                                                                                    \
    slot(d->A) = c;                                                                      \
    ORV_NEXT();                                                                          \
  }                                                                                      \
  move_then_move_const_##name: slot(d->A) = slot(d->B); ORV_THEN(move_const_##name);
ORV_ARITH_OPS(ORV_CONST_ARITH)
#undef ORV_CONST_ARITH
// op1 t,y, then a constant load u,c, op2 t,u and the copy x := t: two
// integers whose results are integers are computed at once; otherwise the
// first instruction runs alone.
#define ORV_ARITH_CONST_ARITH(op1, varop1, name1, op2, varop2, name2)                        \
  name1##_then_const_##name2##_move: {                                                     \
    const TDecodedItem* load = ip;                                                         \
    const Variant& c = p.Constants[load->B];                                               \
    int32_t first, r;                                                                      \
    if (mode == RunMode::kFree && QuickInteger<varop1>(slot(d->A), slot(d->B), first) &&   \
        c.Type() == varInteger && QuickInt<varop2>(first, IntOf(c), r)) {                  \
      slot(load->A) = c;                                                                   \
      Store(slot(d->A), r);                                                                \
      Store(slot(load[2].A), r);                                                           \
      ip += 3;                                                                             \
      ORV_NEXT();                                                                          \
    }                                                                                      \
    goto name1;                                                                            \
  }
#define ORV_ARITH_CONST_ARITHS(op1, varop1, name1) ORV_ARITH_OPS2(ORV_ARITH_CONST_ARITH, op1, varop1, name1)
ORV_ARITH_OPS(ORV_ARITH_CONST_ARITHS)
#undef ORV_ARITH_CONST_ARITHS
#undef ORV_ARITH_CONST_ARITH
call: {
  const TFunListItem& entry = FunctionAt(d->B);
  const int32_t pc = IndexIn(code, ip);
  const int32_t words = LoadCallArgs(p, entry, pc);
  const TProgItem* data = p.Code.data() + pc;
  ip += words;
  CallHost(p, *d, entry, data);
  ORV_NEXT();
}
set_self: p.SelfHandle = static_cast<uint32_t>(d->A); ORV_NEXT();
set_self_var: p.SelfHandle = slot(d->A).ValueField(); ORV_NEXT();
dyn_get: {
  int32_t target = p.Code[IndexIn(code, ip++)].A;
  v[target] = DynaVarGet(d->B, d->A);
  ORV_NEXT();
}
dyn_set: {
  int32_t source = p.Code[IndexIn(code, ip++)].A;
  DynaVarSet(d->B, d->A, v[source]);
  ORV_NEXT();
}
gosub:
  if (p.ReturnDepth >= TBinProg::kReturnStackSize) throw ECompilerError("Return stack overflow");
  p.ReturnStack[p.ReturnDepth++] = IndexIn(code, ip);
  ip = code + d->A;
  ORV_NEXT();
op_return:
  if (p.ReturnDepth <= base) {
    pc_out = IndexIn(code, ip);
    return false;
  }
  ip = code + p.ReturnStack[--p.ReturnDepth];
  ORV_NEXT();
array_new: slot(d->A) = Variant::Array(d->B); ORV_NEXT();
array_put: {
  int32_t array = p.Code[IndexIn(code, ip++)].A;
  v[array].PutElement(d->A, slot(d->B));
  ORV_NEXT();
}
stop:
  pc_out = IndexIn(code, ip);
  return false;
fault:
  --ip;  // the faulty instruction did not run
  throw ECompilerError(TBinProg::FaultText(d->Handler));
#undef ORV_ARITH_OPS2
#undef ORV_ARITH_OPS
#undef ORV_FOR_HEAD
#undef ORV_THEN
#undef ORV_NEXT
#undef ORV_ADVANCE
  } catch (...) {
    pc_out = IndexIn(code, ip);
    throw;
  }
}

// Marks an execution in progress; at its end, however it ends, the return
// depth goes back to where the execution found it.
class ExecutionScope {
 public:
  explicit ExecutionScope(TBinProg& p) : p_(p), base_(p.Running > 0 ? p.ReturnDepth : 0) {
    p_.ReturnDepth = base_;
    ++p_.Running;
  }
  ~ExecutionScope() {
    --p_.Running;
    p_.ReturnDepth = base_;
  }
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
  if (step_limit == 0) {
    Interpret<RunMode::kFree>(program, pc, scope.base(), 0);
  } else {
    Interpret<RunMode::kLimited>(program, pc, scope.base(), step_limit);
  }
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
    program_ = std::make_unique<TBinProg>(image);
    image_ = std::move(image);
  }
  if (!CompileOnly) Execute(*program_, 0, StepLimit);
}

}  // namespace orv
