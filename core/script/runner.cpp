#include "core/script/runner.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <new>
#include <string>

#include "core/script/compiler.h"
#include "core/script/compiler_error.h"
#include "core/script/const_reciprocal.h"
#include "core/script/dyna_vars.h"
#include "core/script/handlers.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"
#include "core/script/quick_ops.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

using quick::BothInts;
using quick::IntOf;
using quick::IsInt;
using quick::IsNumber;

// The register at byte offset `offset` of `registers`: decoded operands are
// offsets (see TDecodedItem).
inline Variant& RegisterAt(Variant* registers, int32_t offset) {
  return *reinterpret_cast<Variant*>(reinterpret_cast<char*>(registers) + offset);
}

// a := b op c by the value operators, for whatever the quick paths leave.
// When a is b the operator works in place, so a text grows where it is
// (s := s + x in a loop is linear, not quadratic).
[[gnu::noinline]] void Binary(VarOp op, Variant& a, const Variant& b, const Variant& c) {
  if (&a == &b) {
    ApplyBinary(op, a, c);
    return;
  }
  // Two texts are joined into a new one at once, not by copying the first
  // and then growing the copy.
  if (op == VarOp::Add && b.IsString() && c.IsString()) {
    a = Variant::Joined(b.StringView(), c.StringView());
    return;
  }
  Variant result = b;
  ApplyBinary(op, result, c);
  a = std::move(result);
}

// a := b op c by the value operators, the operator fixed.
template <VarOp op>
[[gnu::always_inline]] inline void ByValues(Variant& a, const Variant& b, const Variant& c) {
  Binary(op, a, b, c);
}

// a := b op c for Add, Sub, Mul and Divide when not both are integers:
// reals at once, anything else by the value operators.
template <VarOp op>
[[gnu::always_inline]] inline void RealOrBinary(Variant& a, const Variant& b, const Variant& c) {
  double x, y, r;
  if (quick::Reals(b, c, x, y) && quick::Real<op>(x, y, r)) {
    a.Replace(r);
    return;
  }
  Binary(op, a, b, c);
}

// v op n, or n op v when `first`, into r, for the integer v and the integer
// constant n; false for anything else and when the result overflows.
template <VarOp op, bool first>
[[gnu::always_inline]] inline bool IntWithConstant(const Variant& v, int32_t n, int32_t& r) {
  if (!IsInt(v)) return false;
  return first ? quick::Int<op>(n, IntOf(v), r) : quick::Int<op>(IntOf(v), n, r);
}

// b op c into r, one of them a real constant (b when `first`, else c) and
// the other a real or an integer; false for anything else and for a
// division by zero.
template <VarOp op, bool first>
[[gnu::always_inline]] inline bool RealWithConstant(const Variant& b, const Variant& c, double& r) {
  double x;
  if constexpr (first) {
    return quick::RealOf(c, x) && quick::Real<op>(b.DoubleField(), x, r);
  } else {
    return quick::RealOf(b, x) && quick::Real<op>(x, c.DoubleField(), r);
  }
}

// a := b op c for the bitwise and shift operators; and, or and xor of two
// Booleans are logical, the case looked at first, since conditions are
// where those operators are met most.
template <VarOp op>
[[gnu::always_inline]] inline void Bitwise(Variant& a, const Variant& b, const Variant& c) {
  if constexpr (op == VarOp::And || op == VarOp::Or || op == VarOp::Xor) {
    if (quick::BothBooleans(b, c)) [[likely]] {
      a.Replace(quick::Logic<op>(b.BooleanField(), c.BooleanField()));
      return;
    }
  }
  if (BothInts(b, c)) [[likely]] {
    a.Replace(quick::Bits<op>(IntOf(b), IntOf(c)));
    return;
  }
  Binary(op, a, b, c);
}

// The comparison b op c.
template <VarCompareOp op>
[[gnu::always_inline]] inline bool Holds(const Variant& b, const Variant& c) {
  bool r;
  if (!quick::Compare<op>(b, c, r)) [[unlikely]] return CompareOp(op, b, c);
  return r;
}

// The comparison b op n with the integer constant n; a b of another kind
// (a real compared with 0, say) is compared as with any other operand.
template <VarCompareOp op>
[[gnu::always_inline]] inline bool HoldsInt(const Variant& b, int32_t n) {
  if (!IsInt(b)) [[unlikely]] return Holds<op>(b, Variant(n));
  return quick::Holds<op>(IntOf(b), n);
}

// a := b + c for opAddTaking beyond integers and reals: b is a
// temporary that nothing reads again, so its value is taken, not shared,
// and a text in it grows where it is. When a holds that very text (s := s + F(x), where b is
// the copy of s made before the call), a lets go of it first, so the text
// has one owner and is not copied either; should the sum fail, the text,
// which the failed operation left as it was, goes back to a.
[[gnu::noinline]] void AddTaking(Variant& a, Variant& b, const Variant& c) {
  if (&b == &a || &b == &c) {
    Binary(VarOp::Add, a, b, c);
    return;
  }
  Variant sum = std::move(b);
  const bool same = &c != &a && a.SharesText(sum);
  if (same) a = Variant();
  try {
    ApplyBinary(VarOp::Add, sum, c);
  } catch (...) {
    if (same) a = std::move(sum);
    throw;
  }
  a = std::move(sum);
}

// a := b + c for opAddTaking when not both are integers: reals at once,
// anything else by AddTaking.
[[gnu::always_inline]] inline void RealOrAddTaking(Variant& a, Variant& b, const Variant& c) {
  double x, y;
  if (quick::Reals(b, c, x, y)) {
    a.Replace(x + y);
    return;
  }
  AddTaking(a, b, c);
}

[[gnu::noinline]] void Negate(Variant& a, const Variant& b) {
  Variant result = b;
  ApplyNeg(result);
  a = std::move(result);
}

[[gnu::noinline]] void Invert(Variant& a, const Variant& b) {
  Variant result = b;
  ApplyNot(result);
  a = std::move(result);
}

const Variant kOne(1);
const Variant kMinusOne(-1);

// var := var + step (1 or -1): an integer that does not overflow inline,
// anything else through the value operators.
template <int32_t step>
[[gnu::always_inline]] inline void Increment(Variant& var) {
  int32_t r;
  if (!IsInt(var) || __builtin_add_overflow(IntOf(var), step, &r)) [[unlikely]] {
    ApplyBinary(VarOp::Add, var, step > 0 ? kOne : kMinusOne);
    return;
  }
  var.Replace(r);
}

bool ConditionFalse(const Variant& v) {
  if (v.Type() == varBoolean) return !v.BooleanField();
  return IsFalse(v);
}

// Whether b op c is false for and, or and xor: two Booleans at once, any
// other operands through the value the operator gives.
template <VarOp op>
[[gnu::noinline]] bool BitwiseFalse(const Variant& b, const Variant& c) {
  Variant r;
  Bitwise<op>(r, b, c);
  return ConditionFalse(r);
}

template <VarOp op>
[[gnu::always_inline]] inline bool LogicFalse(const Variant& b, const Variant& c) {
  if (quick::BothBooleans(b, c)) [[likely]] return !quick::Logic<op>(b.BooleanField(), c.BooleanField());
  return BitwiseFalse<op>(b, c);
}

// a := not b: logical on a Boolean, bitwise on an integer, anything else
// by the value operator.
[[gnu::always_inline]] inline void Not(Variant& a, const Variant& b) {
  if (b.Type() == varBoolean) {
    a.Replace(!b.BooleanField());
  } else if (IsInt(b)) {
    a.Replace(~IntOf(b));
  } else {
    Invert(a, b);
  }
}

// Whether not b is false, for a b of any kind but a Boolean.
[[gnu::noinline]] bool NotFalseByValue(const Variant& b) {
  Variant r;
  Not(r, b);
  return ConditionFalse(r);
}

// Whether not b is false: a Boolean's truth at once, anything else through
// the value not gives.
[[gnu::always_inline]] inline bool NotFalse(const Variant& b) {
  return b.Type() == varBoolean ? b.BooleanField() : NotFalseByValue(b);
}

// The register an argument field of a host call's data word names (its
// offset, the taken bit cleared).
inline Variant& ArgumentAt(Variant* registers, int32_t field) {
  return RegisterAt(registers, field & ~kTakenOffsetBit);
}

// Puts the argument that `field` names into `arg`: with `kTaking`, a taken
// temporary's value is moved (the temporary is written before it is read
// again, so nothing sees it left Empty, even when the call fails); anything
// else is copied.
template <bool kTaking>
[[gnu::always_inline]] inline void PassArgument(Variant* registers, int32_t field, Variant& arg) {
  if (kTaking && (field & kTakenOffsetBit) != 0) {
    arg = std::move(ArgumentAt(registers, field));
  } else {
    arg = RegisterAt(registers, field);
  }
}

// Passes the `count` arguments the data words from `w` on name into the
// argument block `arg`: whole data words first, then the arguments of a
// last, partly used one.
template <bool kTaking>
[[gnu::always_inline]] inline void PassArguments(Variant* registers, const TDecodedItem* w, int32_t count, Variant* arg) {
  for (int32_t left = count; left >= 3; left -= 3, ++w, arg += 3) {
    PassArgument<kTaking>(registers, w->A, arg[0]);
    PassArgument<kTaking>(registers, w->B, arg[1]);
    PassArgument<kTaking>(registers, w->C, arg[2]);
  }
  if (count % 3 > 0) PassArgument<kTaking>(registers, w->A, arg[0]);
  if (count % 3 > 1) PassArgument<kTaking>(registers, w->B, arg[1]);
}

// Runs the routine of the host call `d` (opCall, or kCallTaking when it
// takes temporaries), whose data words follow it, with the machine's
// argument block: the arguments are passed in, the routine runs, its result
// goes to var[A], and `var` arguments that are slots are copied back.
[[gnu::noinline]] void CallRoutine(TBinProg& p, const TDecodedItem* d, Variant* registers, const TFunListItem& entry,
                                   TObject* self) {
  const int32_t count = d->C;
  const TDecodedItem* words = d + 1;
  if (d->Handler == handler::kCallTaking) {
    PassArguments<true>(registers, words, count, p.Args.data());
  } else {
    PassArguments<false>(registers, words, count, p.Args.data());
  }
  const bool copy_back = entry.HasVarParams;
  Variant result;
  entry.Code(self, entry.Name, p.Args, result);
  RegisterAt(registers, d->A) = std::move(result);
  if (!copy_back) return;
  // The entry may hold another routine now (the routine may have registered
  // its own name anew, with other parameter kinds). Only slots are written
  // back.
  const std::vector<ParamKind>& kinds = entry.ParamKinds;
  const int32_t checked = std::min(count, static_cast<int32_t>(kinds.size()));
  const auto slots_end = static_cast<int32_t>(p.Vars.size() * sizeof(Variant));
  for (int32_t i = 0; i < checked; ++i) {
    const TDecodedItem& word = words[i / 3];
    const int32_t offset = (i % 3 == 0 ? word.A : i % 3 == 1 ? word.B : word.C) & ~kTakenOffsetBit;
    if (kinds[static_cast<size_t>(i)] == pkVar && offset < slots_end)
      RegisterAt(registers, offset) = p.Args[static_cast<size_t>(i)];
  }
}

// Runs the host call `d`: a routine whose shortcut applies runs the
// shortcut, on the arguments where they lie (their fields are in the first
// data word, as a shortcut's routine has at most three parameters); any
// other by CallRoutine.
inline void CallHost(TBinProg& p, const TDecodedItem* d, Variant* registers, const TNameList<TFunListItem>& functions) {
  if (!functions.Valid(d->B)) throw ECompilerError("Invalid function number");
  const TFunListItem& entry = functions.At(d->B);
  TObject* self = p.SelfHandle != 0 ? ObjectFromHandle(p.SelfHandle) : nullptr;
  static_assert(kMaxShortcutParams == 3, "a shortcut's arguments fill at most one data word");
  const int32_t count = d->C;
  if (entry.Shortcut != nullptr && count == entry.ParamCount) {
    const TDecodedItem& word = d[1];
    const Variant* args[kMaxShortcutParams] = {&ArgumentAt(registers, word.A),
                                               count > 1 ? &ArgumentAt(registers, word.B) : nullptr,
                                               count > 2 ? &ArgumentAt(registers, word.C) : nullptr};
    Variant result;
    if (entry.Shortcut(self, args, result)) {
      RegisterAt(registers, d->A) = std::move(result);
      return;
    }
  }
  CallRoutine(p, d, registers, entry, self);
}

enum class RunMode { kFree, kLimited, kSingleStep };

// The instruction number of `item` in the decoded code that starts at `code`.
int32_t IndexIn(const TDecodedItem* code, const TDecodedItem* item) { return static_cast<int32_t>(item - code); }

// The instruction `distance` bytes from `from` in the decoded code (jump
// targets are distances from the jump).
inline const TDecodedItem* At(const TDecodedItem* from, int32_t distance) {
  return reinterpret_cast<const TDecodedItem*>(reinterpret_cast<const char*>(from) + distance);
}

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
// instruction running is a local pointer while the loop runs; whenever the
// loop is left, by a return or an error, `pc_out` receives the number of
// the instruction after it (or the one a jump went to). Handler labels are
// L_ and the handler's name (handlers.h); each handler keeps its quick path
// straight and its value-operator path aside.
//
// The loop starts on a page boundary: how fast a tight loop of handlers runs
// depends on where their jumps fall in the processor's fetch and prediction
// windows, so with the loop wherever the linker happened to put it, a change
// elsewhere in the program (or linking it into another program) moved the
// time of unrelated scripts by a tenth. On a page boundary every program that
// links the runner runs the same layout of it.
template <RunMode mode>
[[gnu::aligned(4096)]] bool Interpret(TBinProg& p, int32_t& pc_out, int32_t base, uint64_t limit) {
#define ORV_LABEL(name, ...) &&L_##name,
#define ORV_FAULT_LABEL(name, text) &&L_fault,
#define ORV_CALL_LABEL(name, op) &&L_##op,
  static const void* const kHandlers[] = {ORV_OPCODES(ORV_LABEL) ORV_FAULT_HANDLERS(ORV_FAULT_LABEL)
                                              ORV_IMMEDIATE_HANDLERS(ORV_LABEL) ORV_REAL_HANDLERS(ORV_LABEL)
                                                  ORV_LEADING_IMMEDIATE_HANDLERS(ORV_LABEL)
                                                      ORV_LEADING_REAL_HANDLERS(ORV_LABEL)
                                                          ORV_POWER_OF_TWO_HANDLERS(ORV_LABEL)
                                                              ORV_TAKING_HANDLERS(ORV_CALL_LABEL)};
  static_assert(std::size(kHandlers) == handler::kHandlerLimit);
#undef ORV_CALL_LABEL
#undef ORV_FAULT_LABEL
#undef ORV_LABEL

  const TDecodedItem* const code = p.Decoded().data();
  const TDivisor* const divisors = p.Program().Divisors().data();
  const TNameList<TFunListItem>* functions = nullptr;  // found at the first call
  Variant* const registers = p.Registers();
  auto reg = [registers](int32_t offset) -> Variant& { return RegisterAt(registers, offset); };
  uint64_t steps = 0;
  int32_t jumps = kJumpsPerClockCheck;
  const TDecodedItem* d = code + pc_out;  // the instruction running
  try {
  goto *kHandlers[d->Handler];

// Goes on with the instruction d (a single step ends before it).
#define ORV_DISPATCH()                                                   \
  do {                                                                   \
    if constexpr (mode == RunMode::kSingleStep) {                        \
      pc_out = IndexIn(code, d);                                         \
      return true;                                                       \
    }                                                                    \
    if constexpr (mode == RunMode::kLimited)                             \
      if (++steps >= limit) throw ECompilerError("Step limit exceeded"); \
    goto *kHandlers[d->Handler];                                         \
  } while (0)
// Ends a step and goes on with the next instruction.
#define ORV_NEXT() \
  do {             \
    ++d;           \
    ORV_DISPATCH(); \
  } while (0)
// Ends a step with a jump to instruction `target`, counting the jump; the
// clock is looked at every kJumpsPerClockCheck jumps.
#define ORV_JUMP(target)                             \
  do {                                               \
    if constexpr (mode != RunMode::kSingleStep)      \
      if (--jumps == 0) {                            \
        jumps = kJumpsPerClockCheck;                 \
        CheckDeadline(p, IndexIn(code, d));          \
      }                                              \
    d = At(d, target);                               \
    ORV_DISPATCH();                                  \
  } while (0)
// The pair of conditional jumps on one test: `unless` jumps to A when
// `holds` is false, `when` when it is true, so each is the other's exact
// opposite.
#define ORV_JUMPS(unless, when, holds) \
  L_##unless:                          \
  if (!(holds)) ORV_JUMP(d->A);        \
  ORV_NEXT();                          \
  L_##when:                            \
  if (holds) ORV_JUMP(d->A);           \
  ORV_NEXT();

// a := b op c on two integers, and `slow` (a, b, c) for anything else.
#define ORV_INTEGER_FORM(Op, slow) ORV_INTEGER_FORM_AT(op##Op, Op, slow)
#define ORV_INTEGER_FORM_AT(name, Op, slow)                                            \
  L_##name: {                                                                          \
    Variant& a = reg(d->A);                                                            \
    Variant& b = reg(d->B);                                                            \
    const Variant& c = reg(d->C);                                                      \
    int32_t r;                                                                         \
    if (!BothInts(b, c) || !quick::Int<VarOp::Op>(IntOf(b), IntOf(c), r)) [[unlikely]] { \
      slow(a, b, c);                                                                   \
      ORV_NEXT();                                                                      \
    }                                                                                  \
    a.Replace(r);                                                                      \
    ORV_NEXT();                                                                        \
  }
// a := b op c on two integers, real arithmetic or the value operators.
#define ORV_ARITH(Op) ORV_INTEGER_FORM(Op, RealOrBinary<VarOp::Op>)
ORV_ARITH(Add)
ORV_ARITH(Sub)
ORV_ARITH(Mul)
#undef ORV_ARITH
// The sum a statement stores, taking its temporary's value (AddTaking).
ORV_INTEGER_FORM_AT(opAddTaking, Add, RealOrAddTaking)
// a := b op n or (`first`) a := n op c with the integer constant n in the
// decoded instruction, the other operand an integer; anything else by
// RealOrBinary in the operands' order.
#define ORV_IMMEDIATE(name, Op, first)                                                 \
  L_##name: {                                                                          \
    Variant& a = reg(d->A);                                                            \
    const Variant& v = reg(first ? d->C : d->B);                                       \
    const int32_t n = first ? d->B : d->C;                                             \
    int32_t r;                                                                         \
    if (!IntWithConstant<VarOp::Op, first>(v, n, r)) [[unlikely]] {                  \
      if constexpr (first) {                                                           \
        RealOrBinary<VarOp::Op>(a, Variant(n), v);                                     \
      } else {                                                                         \
        RealOrBinary<VarOp::Op>(a, v, Variant(n));                                     \
      }                                                                                \
      ORV_NEXT();                                                                      \
    }                                                                                  \
    a.Replace(r);                                                                      \
    ORV_NEXT();                                                                        \
  }
ORV_IMMEDIATE(kAddI, Add, false)
ORV_IMMEDIATE(kSubI, Sub, false)
ORV_IMMEDIATE(kMulI, Mul, false)
ORV_IMMEDIATE(kIAdd, Add, true)
ORV_IMMEDIATE(kISub, Sub, true)
ORV_IMMEDIATE(kIMul, Mul, true)
#undef ORV_IMMEDIATE
// a := b op c with a real constant, C or (`first`) B, and the other
// operand a real or an integer.
#define ORV_REAL(name, Op, first)                                                      \
  L_##name: {                                                                          \
    Variant& a = reg(d->A);                                                            \
    const Variant& b = reg(d->B);                                                      \
    const Variant& c = reg(d->C);                                                      \
    double r;                                                                          \
    if (!RealWithConstant<VarOp::Op, first>(b, c, r)) [[unlikely]] {                  \
      RealOrBinary<VarOp::Op>(a, b, c);                                                \
      ORV_NEXT();                                                                      \
    }                                                                                  \
    a.Replace(r);                                                                      \
    ORV_NEXT();                                                                        \
  }
ORV_REAL(kAddR, Add, false)
ORV_REAL(kSubR, Sub, false)
ORV_REAL(kMulR, Mul, false)
ORV_REAL(kDivideR, Divide, false)
ORV_REAL(kRAdd, Add, true)
ORV_REAL(kRSub, Sub, true)
ORV_REAL(kRMul, Mul, true)
ORV_REAL(kRDivide, Divide, true)
#undef ORV_REAL
// div and mod: integers only; reals and the rest by the value operators.
#define ORV_DIVISION(Op)                                                               \
  ORV_INTEGER_FORM(Op, ByValues<VarOp::Op>)                                            \
  L_k##Op##I: {                                                                        \
    Variant& a = reg(d->A);                                                            \
    const Variant& b = reg(d->B);                                                      \
    const TDivisor& divisor = divisors[d->C];                                          \
    if (!IsInt(b)) [[unlikely]] {                                                      \
      Binary(VarOp::Op, a, b, Variant(divisor.Value));                                 \
      ORV_NEXT();                                                                      \
    }                                                                                  \
    a.Replace(DivideByConstant<VarOp::Op == VarOp::Mod>(IntOf(b), divisor));           \
    ORV_NEXT();                                                                        \
  }
ORV_DIVISION(IntDiv)
ORV_DIVISION(Mod)
#undef ORV_DIVISION
#undef ORV_INTEGER_FORM
#undef ORV_INTEGER_FORM_AT
L_opDivide: RealOrBinary<VarOp::Divide>(reg(d->A), reg(d->B), reg(d->C)); ORV_NEXT();
// a := b / c with the power-of-two constant c whose reciprocal's upper bits
// are C: an integer or a real b by one multiplication, anything else by the
// value operators with c of the kind it was written in (`Kind`).
#define ORV_DIVIDE_POW2(name, Kind)                                                    \
  L_##name: {                                                                          \
    Variant& a = reg(d->A);                                                            \
    const Variant& b = reg(d->B);                                                      \
    const double reciprocal = ReciprocalFromBits(d->C);                                \
    double x;                                                                          \
    if (!quick::RealOf(b, x)) [[unlikely]] {                                           \
      Binary(VarOp::Divide, a, b, Variant(static_cast<Kind>(1 / reciprocal)));          \
      ORV_NEXT();                                                                      \
    }                                                                                  \
    a.Replace(x * reciprocal);                                                         \
    ORV_NEXT();                                                                        \
  }
ORV_DIVIDE_POW2(kDividePow2I, int32_t)
ORV_DIVIDE_POW2(kDividePow2R, double)
#undef ORV_DIVIDE_POW2
// a := b op c for the bitwise and shift operators, and with the integer
// constant C: an integer b at once, anything else as with any operands.
#define ORV_BITWISE(Op)                                                             \
  L_op##Op: Bitwise<VarOp::Op>(reg(d->A), reg(d->B), reg(d->C)); ORV_NEXT();        \
  L_k##Op##I: {                                                                     \
    const Variant& b = reg(d->B);                                                   \
    if (!IsInt(b)) [[unlikely]] {                                                   \
      Bitwise<VarOp::Op>(reg(d->A), b, Variant(d->C));                              \
      ORV_NEXT();                                                                   \
    }                                                                               \
    reg(d->A).Replace(quick::Bits<VarOp::Op>(IntOf(b), d->C));                      \
    ORV_NEXT();                                                                     \
  }
ORV_BITWISE(Shl)
ORV_BITWISE(Shr)
ORV_BITWISE(Or)
ORV_BITWISE(Xor)
ORV_BITWISE(And)
#undef ORV_BITWISE
L_opNot: Not(reg(d->A), reg(d->B)); ORV_NEXT();
L_opNeg: {
  const Variant& b = reg(d->B);
  if (IsInt(b) && IntOf(b) != INT32_MIN) [[likely]] {
    reg(d->A).Replace(-IntOf(b));
    ORV_NEXT();
  }
  if (b.Type() == varDouble) {
    reg(d->A).Replace(-b.DoubleField());
    ORV_NEXT();
  }
  Negate(reg(d->A), b);
  ORV_NEXT();
}
// a := b op c as a Boolean; the conditional jumps unless and if b op c;
// each with the integer constant C as well.
#define ORV_COMPARE(Op)                                                                      \
  L_op##Op: reg(d->A).Replace(Holds<VarCompareOp::Op>(reg(d->B), reg(d->C))); ORV_NEXT();    \
  L_k##Op##I: reg(d->A).Replace(HoldsInt<VarCompareOp::Op>(reg(d->B), d->C)); ORV_NEXT();    \
  ORV_JUMPS(opJumpUnless##Op, opJumpIf##Op, Holds<VarCompareOp::Op>(reg(d->B), reg(d->C)))   \
  ORV_JUMPS(kJumpUnless##Op##I, kJumpIf##Op##I, HoldsInt<VarCompareOp::Op>(reg(d->B), d->C))
ORV_COMPARE(GreaterEq)
ORV_COMPARE(Equal)
ORV_COMPARE(LessEq)
ORV_COMPARE(NotEqual)
ORV_COMPARE(Greater)
ORV_COMPARE(Less)
#undef ORV_COMPARE
L_opGoto: ORV_JUMP(d->A);
ORV_JUMPS(opJumpIfFalse, opJumpIfTrue, !ConditionFalse(reg(d->B)))
// The conditional jumps on the outcome of and, or, xor and not.
#define ORV_LOGIC_JUMP(Op) ORV_JUMPS(opJumpUnless##Op, opJumpIf##Op, !LogicFalse<VarOp::Op>(reg(d->B), reg(d->C)))
ORV_LOGIC_JUMP(And)
ORV_LOGIC_JUMP(Or)
ORV_LOGIC_JUMP(Xor)
#undef ORV_LOGIC_JUMP
ORV_JUMPS(opJumpUnlessNot, opJumpIfNot, !NotFalse(reg(d->B)))
// The guards of a condition that stops early: a jump past comparisons that
// cannot fail on operands of these kinds.
L_opJumpIfNumbers:
  if (IsNumber(reg(d->B)) && IsNumber(reg(d->C))) ORV_JUMP(d->A);
  ORV_NEXT();
L_opJumpIfIntegers:
  if (BothInts(reg(d->B), reg(d->C))) ORV_JUMP(d->A);
  ORV_NEXT();
// The guards of a sum of texts built in its own variable: the kinds of the
// variables, and a variable that still holds the text its copy holds.
L_opJumpIfStrings:
  if (quick::Both<varString>(reg(d->B), reg(d->C))) ORV_JUMP(d->A);
  ORV_NEXT();
L_opJumpIfSameText:
  if (reg(d->B).SharesText(reg(d->C))) ORV_JUMP(d->A);
  ORV_NEXT();
L_opMove: reg(d->A) = reg(d->B); ORV_NEXT();
// The end of a round of a for loop: the step of the variable, then the test
// against the limit, read again.
#define ORV_FOR_LOOP(Name, step, Test)                                            \
  L_op##Name: {                                                                    \
    Variant& var = reg(d->A);                                                      \
    const Variant& bound = reg(d->C);                                              \
    int32_t n;                                                                     \
    if (!BothInts(var, bound) || __builtin_add_overflow(IntOf(var), step, &n)) [[unlikely]] { \
      Increment<step>(var);                                                        \
      if (CompareOp(VarCompareOp::Test, var, reg(d->C))) ORV_JUMP(d->B);           \
      ORV_NEXT();                                                                  \
    }                                                                              \
    var.Replace(n);                                                                \
    if (quick::Holds<VarCompareOp::Test>(n, IntOf(bound))) ORV_JUMP(d->B);         \
    ORV_NEXT();                                                                    \
  }                                                                                \
  L_k##Name##I: {                                                                  \
    Variant& var = reg(d->A);                                                      \
    int32_t n;                                                                     \
    if (!IsInt(var) || __builtin_add_overflow(IntOf(var), step, &n)) [[unlikely]] { \
      Increment<step>(var);                                                        \
      if (CompareOp(VarCompareOp::Test, var, Variant(d->C))) ORV_JUMP(d->B);       \
      ORV_NEXT();                                                                  \
    }                                                                              \
    var.Replace(n);                                                                \
    if (quick::Holds<VarCompareOp::Test>(n, d->C)) ORV_JUMP(d->B);                 \
    ORV_NEXT();                                                                    \
  }
ORV_FOR_LOOP(ForLoopUp, 1, LessEq)
ORV_FOR_LOOP(ForLoopDown, -1, GreaterEq)
#undef ORV_FOR_LOOP
L_opForStepUp:
  Increment<1>(reg(d->A));
  ORV_JUMP(d->B);
L_opForStepDown:
  Increment<-1>(reg(d->A));
  ORV_JUMP(d->B);
L_opCall:
  if (functions == nullptr) functions = &FunctionTable();
  CallHost(p, d, registers, *functions);
  d += CallDataWords(d->C);
  ORV_NEXT();
L_opSetSelf: p.SelfHandle = static_cast<uint32_t>(d->A); ORV_NEXT();
L_opSetSelfVar: p.SelfHandle = reg(d->A).ValueField(); ORV_NEXT();
L_opDynGet: reg(d->A) = DynaVarGet(d->B, d->C); ORV_NEXT();
L_opDynSet: DynaVarSet(d->B, d->C, reg(d->A)); ORV_NEXT();
L_opGosub:
  if (p.ReturnDepth >= TBinProg::kReturnStackSize) throw ECompilerError("Return stack overflow");
  p.ReturnStack[static_cast<size_t>(p.ReturnDepth++)] = IndexIn(code, d) + 1;
  ORV_JUMP(d->A);
L_opReturn:
  if (p.ReturnDepth <= base) {
    pc_out = IndexIn(code, d) + 1;
    return false;
  }
  d = code + p.ReturnStack[static_cast<size_t>(--p.ReturnDepth)];
  ORV_DISPATCH();
L_opArrayNew: reg(d->A) = Variant::Array(d->B); ORV_NEXT();
L_opArrayPut: reg(d->A).PutElement(d->B, reg(d->C)); ORV_NEXT();
L_opStop:
  pc_out = IndexIn(code, d) + 1;
  return false;
L_fault:
  throw ECompilerError(handler::FaultText(d->Handler));
#undef ORV_JUMPS
#undef ORV_JUMP
#undef ORV_NEXT
#undef ORV_DISPATCH
  } catch (...) {
    pc_out = IndexIn(code, d) + 1;
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
