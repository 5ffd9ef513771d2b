#include "core/script/runner.h"

#include <algorithm>

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

int32_t IntOf(const Variant& v) { return static_cast<int32_t>(v.ValueField()); }

// var[A] := var[A] op var[B]; two integers that do not overflow stay on the
// quick path, everything else takes the value operators.
template <VarOp op>
void Arithmetic(Variant& a, const Variant& b) {
  if (BothIntegers(a, b)) {
    int32_t r;
    bool overflow = op == VarOp::Add   ? __builtin_add_overflow(IntOf(a), IntOf(b), &r)
                    : op == VarOp::Sub ? __builtin_sub_overflow(IntOf(a), IntOf(b), &r)
                                       : __builtin_mul_overflow(IntOf(a), IntOf(b), &r);
    if (!overflow) {
      a = Variant(r);
      return;
    }
  }
  ApplyBinary(op, a, b);
}

template <VarCompareOp op>
void Comparison(Variant& a, const Variant& b) {
  if (BothIntegers(a, b)) {
    int32_t x = IntOf(a), y = IntOf(b);
    bool r = op == VarCompareOp::GreaterEq ? x >= y
             : op == VarCompareOp::Equal   ? x == y
             : op == VarCompareOp::LessEq  ? x <= y
             : op == VarCompareOp::NotEqual ? x != y
             : op == VarCompareOp::Greater ? x > y
                                           : x < y;
    a = Variant(r);
    return;
  }
  a = Variant(CompareOp(op, a, b));
}

void Increment(Variant& a, int32_t delta) {
  int32_t r;
  if (a.Type() == varInteger && !__builtin_add_overflow(IntOf(a), delta, &r)) {
    a = Variant(r);
    return;
  }
  ApplyBinary(VarOp::Add, a, Variant(delta));
}

bool ConditionFalse(const Variant& v) {
  if (v.Type() == varBoolean) return v.ValueField() == 0;
  return IsFalse(v);
}

// The argument slot i of an opCall whose data words start at `words`.
int32_t CallArgSlot(const TProgItem* words, int32_t i) {
  const TProgItem& w = words[i / 3];
  return i % 3 == 0 ? w.Op : i % 3 == 1 ? w.A : w.B;
}

void CallHost(TBinProg& p, const TDecodedItem& d, int32_t& pc) {
  const TFunListItem& entry = FunctionAt(d.B);
  const int32_t count = entry.ParamCount;
  const int32_t words = CallDataWords(count);
  if (words > static_cast<int32_t>(p.Code.size()) - pc) throw ECompilerError("Missing data word in program");
  const TProgItem* data = p.Code.data() + pc;
  for (int32_t i = 0; i < count; ++i) {
    int32_t slot = CallArgSlot(data, i);
    if (slot < 0 || slot >= TBinProg::kSlotCount) throw ECompilerError("Invalid variable slot in program");
    p.Args[i] = p.Vars[slot];
  }
  pc += words;
  Variant result;
  TObject* self = p.SelfHandle != 0 ? ObjectFromHandle(p.SelfHandle) : nullptr;
  entry.Code(self, entry.Name, p.Args, result);
  p.Vars[d.A] = std::move(result);
  // The entry is fetched again: the routine may have registered functions.
  const std::vector<ParamKind>& kinds = FunctionAt(d.B).ParamKinds;
  const int32_t checked = std::min(count, static_cast<int32_t>(kinds.size()));
  for (int32_t i = 0; i < checked; ++i)
    if (kinds[i] == pkVar) p.Vars[CallArgSlot(data, i)] = p.Args[i];
}

// Executes the instruction at pc; returns false to stop. `base` is the return
// depth at which opReturn ends the execution.
[[gnu::always_inline]] inline bool StepAt(TBinProg& p, const TDecodedItem* code, int32_t& pc,
                                          int32_t base) {
  const TDecodedItem& d = code[pc++];
  Variant* v = p.Vars.data();
  switch (d.Handler) {
    case opAdd: Arithmetic<VarOp::Add>(v[d.A], v[d.B]); return true;
    case opSub: Arithmetic<VarOp::Sub>(v[d.A], v[d.B]); return true;
    case opMul: Arithmetic<VarOp::Mul>(v[d.A], v[d.B]); return true;
    case opIntDiv: ApplyBinary(VarOp::IntDiv, v[d.A], v[d.B]); return true;
    case opMod: ApplyBinary(VarOp::Mod, v[d.A], v[d.B]); return true;
    case opDivide: ApplyBinary(VarOp::Divide, v[d.A], v[d.B]); return true;
    case opShl: ApplyBinary(VarOp::Shl, v[d.A], v[d.B]); return true;
    case opShr: ApplyBinary(VarOp::Shr, v[d.A], v[d.B]); return true;
    case opOr: ApplyBinary(VarOp::Or, v[d.A], v[d.B]); return true;
    case opXor: ApplyBinary(VarOp::Xor, v[d.A], v[d.B]); return true;
    case opAnd: ApplyBinary(VarOp::And, v[d.A], v[d.B]); return true;
    case opNot: ApplyNot(v[d.A]); return true;
    case opNeg: ApplyNeg(v[d.A]); return true;
    case opGreaterEq: Comparison<VarCompareOp::GreaterEq>(v[d.A], v[d.B]); return true;
    case opEqual: Comparison<VarCompareOp::Equal>(v[d.A], v[d.B]); return true;
    case opLessEq: Comparison<VarCompareOp::LessEq>(v[d.A], v[d.B]); return true;
    case opNotEqual: Comparison<VarCompareOp::NotEqual>(v[d.A], v[d.B]); return true;
    case opGreater: Comparison<VarCompareOp::Greater>(v[d.A], v[d.B]); return true;
    case opLess: Comparison<VarCompareOp::Less>(v[d.A], v[d.B]); return true;
    case opGoto: pc = d.A; return true;
    case opJumpIfFalse:
      if (ConditionFalse(v[d.A])) pc = d.B;
      return true;
    case opLoadConst: v[d.A] = p.Constants[d.B]; return true;
    case opStop: return false;
    case opInc: Increment(v[d.A], 1); return true;
    case opDec: Increment(v[d.A], -1); return true;
    case opMove: v[d.A] = v[d.B]; return true;
    case opCall: CallHost(p, d, pc); return true;
    case opSetSelf: p.SelfHandle = static_cast<uint32_t>(d.A); return true;
    case opSetSelfVar: p.SelfHandle = v[d.A].ValueField(); return true;
    case opDynGet: {
      int32_t target = p.Code[pc++].A;
      v[target] = DynaVarGet(d.B, d.A);
      return true;
    }
    case opDynSet: {
      int32_t source = p.Code[pc++].A;
      DynaVarSet(d.B, d.A, v[source]);
      return true;
    }
    case opGosub:
      if (p.ReturnDepth >= TBinProg::kReturnStackSize) throw ECompilerError("Return stack overflow");
      p.ReturnStack[p.ReturnDepth++] = pc;
      pc = d.A;
      return true;
    case opReturn:
      if (p.ReturnDepth <= base) return false;
      pc = p.ReturnStack[--p.ReturnDepth];
      return true;
    case opArrayNew: v[d.A] = Variant::Array(d.B); return true;
    case opArrayPut: {
      int32_t array = p.Code[pc++].A;
      v[array].PutElement(d.A, v[d.B]);
      return true;
    }
    default:
      --pc;  // the faulty instruction did not run
      throw ECompilerError(TBinProg::FaultText(d.Handler));
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
  const TDecodedItem* code = program.Decoded().data();
  int32_t pc = start;
  struct PcWriteBack {
    TBinProg& p;
    int32_t& pc;
    ~PcWriteBack() { p.PC = pc; }
  } write_back{program, pc};
  if (step_limit == 0) {
    while (StepAt(program, code, pc, scope.base())) {
    }
    return;
  }
  for (uint64_t steps = 1; StepAt(program, code, pc, scope.base()); ++steps)
    if (steps >= step_limit) throw ECompilerError("Step limit exceeded");
}

bool Step(TBinProg& program) {
  if (program.PC < 0 || program.PC > static_cast<int32_t>(program.Code.size()))
    throw ECompilerError("Invalid start instruction");
  return StepAt(program, program.Decoded().data(), program.PC, 0);
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
