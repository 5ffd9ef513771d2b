#include "core/script/decoder.h"

#include <array>

#include "core/script/handlers.h"

namespace orv {
namespace {

namespace h = handler;

// Decodes one instruction on its own: its handler and checked operands.
class SingleDecoder {
 public:
  SingleDecoder(const std::vector<Variant>& constants, const std::vector<TProgItem>& code,
                const std::vector<int32_t>& labels)
      : constants_(constants), code_(code), labels_(labels) {}

  TDecodedItem Decode(int32_t i) const {
    const TProgItem& item = code_[i];
    TDecodedItem d{0, 0, h::kFaultEnd, 0};
    const TOpInfo* info = FindOpInfo(item.Op);
    if (info == nullptr) {
      d.Handler = h::kFaultInvalidOp;
      return d;
    }
    d.A = item.A;
    d.B = item.B;
    int32_t fault = Check(info->a, d.A);
    if (fault == 0) fault = Check(info->b, d.B);
    if (fault == 0 && info->data_words == 1) {
      if (i + 1 >= Count()) {
        fault = h::kFaultDataWord;
      } else if (!ValidSlot(code_[i + 1].A)) {
        fault = h::kFaultSlot;
      }
    }
    d.Handler = fault != 0 ? fault : h::ForOpCode(item.Op);
    return d;
  }

 private:
  static bool ValidSlot(int32_t v) { return v >= 0 && v < TBinProg::kSlotCount; }
  int32_t Count() const { return static_cast<int32_t>(code_.size()); }

  // Checks one field; returns the fault, or 0 with `v` made ready to run.
  int32_t Check(TOperand kind, int32_t& v) const {
    switch (kind) {
      case TOperand::kSlot:
        if (!ValidSlot(v)) return h::kFaultSlot;
        v *= static_cast<int32_t>(sizeof(Variant));
        return 0;
      case TOperand::kConst:
        return v >= 0 && v < static_cast<int32_t>(constants_.size()) ? 0 : h::kFaultConst;
      case TOperand::kLabel:
        if (v < 0 || v >= static_cast<int32_t>(labels_.size())) return h::kFaultLabel;
        v = labels_[v];
        return v >= 0 && v <= Count() ? 0 : h::kFaultTarget;
      default:
        return 0;
    }
  }

  const std::vector<Variant>& constants_;
  const std::vector<TProgItem>& code_;
  const std::vector<int32_t>& labels_;
};

// A pair of handlers that runs as one fused handler.
struct TPairFusion {
  int32_t first;
  int32_t second;
  int32_t fused;
};

// The pairs: a few single ones, then for each arithmetic operator a copy
// followed by its constant form and a copy followed by the operator.
constexpr std::array<TPairFusion, 13 + 2 * h::kArithCount> PairFusions() {
  std::array<TPairFusion, 13 + 2 * h::kArithCount> pairs{{
      {h::opInc, h::opGoto, h::kIncThenGoto},
      {h::opDec, h::opGoto, h::kDecThenGoto},
      {h::opLoadConst, h::opMove, h::kLoadConstThenMove},
      {h::opLoadConst, h::opAdd, h::kLoadConstThenAdd},
      {h::opLoadConst, h::opSub, h::kLoadConstThenSub},
      {h::opLoadConst, h::opMul, h::kLoadConstThenMul},
      {h::opLoadConst, h::opIntDiv, h::kLoadConstThenIntDiv},
      {h::opLoadConst, h::opMod, h::kLoadConstThenMod},
      {h::opMove, h::opMove, h::kMoveThenMove},
      {h::opMove, h::kLessEqJump, h::kMoveThenLessEqJump},
      {h::opMove, h::kGreaterEqJump, h::kMoveThenGreaterEqJump},
      {h::opMove, h::opGosub, h::kMoveThenGosub},
      {h::opMove, h::opReturn, h::kMoveThenReturn},
  }};
  size_t n = 13;
  for (int32_t op = h::opAdd; op <= h::opMod; ++op) {
    pairs[n++] = {h::opMove, h::kMoveConstArithAdd + op, h::kMoveThenMoveConstArithAdd + op};
    pairs[n++] = {h::opMove, op, h::kMoveThenArithAdd + op};
  }
  return pairs;
}

constexpr auto kPairFusions = PairFusions();

// The fusion passes over the decoded instructions, in the order they run.
class Fuser {
 public:
  Fuser(const std::vector<Variant>& constants, const std::vector<TProgItem>& code, std::vector<TDecodedItem>& decoded)
      : constants_(constants), code_(code), d_(decoded), count_(static_cast<int32_t>(code.size())) {}

  void Run() {
    Appends();
    CompareJumps();
    ConstArith();
    Pairs();
    ForSteps();
    Chains();
  }

 private:
  // opMove t,s; opLoadConst u,c or opMove u,x; opAdd t,u; opMove s,t with
  // t, u and s distinct and x not t: the value of s grows by the loaded value.
  // Target tells whether the load is a constant's.
  void Appends() {
    for (int32_t i = 0; i + 3 < count_; ++i) {
      const TDecodedItem* d = &d_[i];
      const int32_t t = d[0].A, s = d[0].B, u = d[1].A;
      bool load = d[1].Handler == h::opLoadConst || (d[1].Handler == h::opMove && d[1].B != t);
      if (d[0].Handler == h::opMove && load && t != s && u != t && u != s && d[2].Handler == h::opAdd &&
          d[2].A == t && d[2].B == u && d[3].Handler == h::opMove && d[3].A == s && d[3].B == t) {
        d_[i].Handler = h::kAppend;
        d_[i].Target = d[1].Handler == h::opLoadConst ? 1 : 0;
      }
    }
  }

  // A comparison directly followed by an opJumpIfFalse on its result.
  void CompareJumps() {
    for (int32_t i = 0; i + 1 < count_; ++i) {
      TDecodedItem& d = d_[i];
      const TDecodedItem& next = d_[i + 1];
      if (h::IsComparison(d.Handler) && next.Handler == h::opJumpIfFalse && next.A == d.A) {
        d.Handler = h::kGreaterEqJump + (d.Handler - h::opGreaterEq);
        d.Target = next.B;
      }
    }
  }

  // Arithmetic with an integer constant operand (kMoveConstArith...,
  // kConstArithMove..., then an operator followed by a kConstArithMove...
  // group on the same temporary). Only plain instructions are matched.
  void ConstArith() {
    for (int32_t i = 0; i + 2 < count_; ++i) {
      TDecodedItem* d = &d_[i];
      if (d[0].Handler == h::opMove && d[1].Handler == h::opLoadConst && h::IsArith(d[2].Handler) &&
          d[2].A == d[0].A && d[2].B == d[1].A && d[1].A != d[0].A && LoadsInteger(d[1])) {
        d[0].Handler = h::kMoveConstArithAdd + d[2].Handler;
      } else if (d[0].Handler == h::opLoadConst && h::IsArith(d[1].Handler) && d[2].Handler == h::opMove &&
                 d[1].B == d[0].A && d[1].A != d[0].A && d[2].B == d[1].A && LoadsInteger(d[0])) {
        d[0].Handler = h::kConstArithMoveAdd + d[1].Handler;
      }
    }
    for (int32_t i = 0; i + 3 < count_; ++i) {
      TDecodedItem* d = &d_[i];
      const int32_t group = d[1].Handler - h::kConstArithMoveAdd;
      if (h::IsArith(d[0].Handler) && group >= 0 && group < h::kArithCount && d[2].A == d[0].A)
        d[0].Handler = h::kAddThenConstArithMoveAdd + d[0].Handler * h::kArithCount + group;
    }
  }

  // The first ones of the pairs neither jump nor have data words, so the
  // second always runs right after; the fused handler goes on to the
  // second's handler as it was when the pair was fused.
  void Pairs() {
    for (int32_t i = 0; i + 1 < count_; ++i) {
      for (const TPairFusion& pair : kPairFusions) {
        if (d_[i].Handler == pair.first && d_[i + 1].Handler == pair.second) {
          d_[i].Handler = pair.fused;
          break;
        }
      }
    }
  }

  // The handler runs the instructions at the loop's head as they stand, so
  // only their kinds are matched here; their operands were checked when they
  // were decoded (none of them holds a fault handler). B (unused by opInc
  // and opDec) holds what the handler needs to know about the head.
  void ForSteps() {
    for (int32_t i = 0; i + 1 < count_; ++i) {
      TDecodedItem& d = d_[i];
      const bool up = d.Handler == h::kIncThenGoto;
      if (!up && d.Handler != h::kDecThenGoto) continue;
      const int32_t head = d_[i + 1].A;
      if (head + 2 >= count_) continue;
      const int32_t test = up ? h::kLessEqJump : h::kGreaterEqJump;
      if ((code_[head].Op == opLoadConst || code_[head].Op == opMove) && code_[head + 1].Op == opMove &&
          !h::IsFault(d_[head].Handler) && !h::IsFault(d_[head + 1].Handler) && d_[head + 2].Handler == test) {
        d.Handler = up ? h::kForStepUp : h::kForStepDown;
        d.Target = head;
        // Bit 0: the limit is a constant load. Bit 1: the head has the shape
        // the compiler gives it (opMove t,x and the test of t against the
        // limit's slot u; t, u and x distinct but for x = t), whose test is
        // computed at once. Bit 2: both, and the constant is an integer.
        // Bit 3: the head copies the variable this instruction steps.
        const TDecodedItem* h = &d_[head];
        const bool plain = h[2].A == h[1].A && h[2].B == h[0].A && h[0].A != h[1].A && h[1].B != h[0].A;
        const bool constant = code_[head].Op == opLoadConst;
        d.B = (constant ? 1 : 0) | (plain ? 2 : 0) | (plain && constant && LoadsInteger(d_[head]) ? 4 : 0) |
              (h[1].B == d.A ? 8 : 0);
      }
    }
  }

  // opMove t,y and the group u := z op1 c (kMoveThenMoveConstArith...),
  // then an operator on t,u, alone or starting a kXThenConstArithMove...
  // group: the whole statement runs as one kChain... handler, which finds
  // op1 in the copy's Target. t must differ from u, from c's slot and from
  // z, so the values computed at once are the ones the instructions leave.
  void Chains() {
    for (int32_t i = 0; i + 4 < count_; ++i) {
      TDecodedItem* d = &d_[i];
      const int32_t op1 = d[0].Handler - h::kMoveThenMoveConstArithAdd;
      if (op1 < 0 || op1 >= h::kArithCount) continue;
      const int32_t t = d[0].A, u = d[1].A;
      if (d[4].A != t || d[4].B != u || t == u || t == d[2].A || t == d[1].B) continue;
      const int32_t group = d[4].Handler - h::kAddThenConstArithMoveAdd;
      if (h::IsArith(d[4].Handler)) {
        d[0].Handler = h::kChainAdd + d[4].Handler;
      } else if (group >= 0 && group < h::kArithCount * h::kArithCount) {
        d[0].Handler = h::kChainAddThenConstArithAdd + group;
      } else {
        continue;
      }
      d[0].Target = op1;
    }
  }

  // Whether the opLoadConst `load` loads an integer; if so, its Target
  // receives the number, which the constant-operand handlers read from there.
  bool LoadsInteger(TDecodedItem& load) const {
    const Variant& c = constants_[static_cast<size_t>(load.B)];
    if (c.Type() != varInteger) return false;
    load.Target = c.IntegerField();
    return true;
  }

  const std::vector<Variant>& constants_;
  const std::vector<TProgItem>& code_;
  std::vector<TDecodedItem>& d_;
  const int32_t count_;
};

}  // namespace

std::vector<TDecodedItem> DecodeProgram(const std::vector<Variant>& constants, const std::vector<TProgItem>& code,
                                        const std::vector<int32_t>& labels) {
  std::vector<TDecodedItem> decoded(code.size() + 1, TDecodedItem{0, 0, h::kFaultEnd, 0});
  SingleDecoder single(constants, code, labels);
  for (int32_t i = 0; i < static_cast<int32_t>(code.size()); ++i) decoded[i] = single.Decode(i);
  Fuser(constants, code, decoded).Run();
  return decoded;
}

}  // namespace orv
