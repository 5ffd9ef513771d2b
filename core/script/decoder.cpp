#include "core/script/decoder.h"

#include "core/script/const_divisor.h"
#include "core/script/const_reciprocal.h"
#include "core/script/handlers.h"
#include "core/script/host_registry.h"

namespace orv {
namespace {

namespace h = handler;

constexpr int32_t kRegisterSize = static_cast<int32_t>(sizeof(Variant));
static_assert(kRegisterSize > kTakenOffsetBit, "register offsets leave the taken bit free");

// Decodes one instruction at a time: its handler and checked operands.
class Decoder {
 public:
  Decoder(int32_t slots, const std::vector<Variant>& constants, const std::vector<TProgItem>& code,
          const std::vector<int32_t>& labels, std::vector<TDivisor>& divisors)
      : slots_(slots), constants_(constants), code_(code), labels_(labels), divisors_(divisors) {}

  // Decodes instruction `i` into `out[i]` and its data words into the items
  // after it; returns the number of words it took (1 and its data words).
  int32_t Decode(int32_t i, std::vector<TDecodedItem>& out) const {
    const TProgItem& item = code_[i];
    TDecodedItem& d = out[i];
    const TOpInfo* info = FindOpInfo(item.Op);
    if (info == nullptr) {
      d.Handler = h::kFaultInvalidOp;
      return 1;
    }
    d.A = item.A;
    d.B = item.B;
    d.C = item.C;
    int32_t fault = Check(info->a, i, d.A);
    if (fault == 0) fault = Check(info->b, i, d.B);
    if (fault == 0) fault = Check(info->c, i, d.C);
    int32_t words = 0;
    bool taking = false;
    if (fault == 0 && info->data_words < 0) {
      words = CallDataWords(item.C);
      fault = DataWords(i, words, item.C, out, taking);
    }
    d.Handler = fault != 0 ? fault : taking ? h::kCallTaking : h::ForOpCode(item.Op);
    if (fault == 0 && info->c == TOperand::kValue) Specialise(*info, item, d);
    return 1 + (fault == 0 ? words : 0);
  }

 private:
  bool ValidSlot(int32_t v) const { return v >= 0 && v < slots_; }
  int32_t Count() const { return static_cast<int32_t>(code_.size()); }

  // Checks one field of instruction `at`; returns the fault, or 0 with `v`
  // made ready to run.
  int32_t Check(TOperand kind, int32_t at, int32_t& v) const {
    switch (kind) {
      case TOperand::kSlot:
        if (!ValidSlot(v)) return h::kFaultSlot;
        v *= kRegisterSize;
        return 0;
      case TOperand::kValue:
        return Value(v);
      case TOperand::kLabel:
        if (v < 0 || v >= static_cast<int32_t>(labels_.size())) return h::kFaultLabel;
        v = labels_[v];
        if (v < 0 || v > Count()) return h::kFaultTarget;
        v = (v - at) * static_cast<int32_t>(sizeof(TDecodedItem));
        return 0;
      case TOperand::kCount:
        return v >= 0 && v <= kMaxParams ? 0 : h::kFaultCount;
      default:
        return 0;
    }
  }

  // A value operand: a slot, or a constant, whose register follows the slots.
  int32_t Value(int32_t& v) const {
    if (IsConstOperand(v)) {
      const int32_t number = ConstNumber(v);
      if (number >= static_cast<int32_t>(constants_.size())) return h::kFaultConst;
      v = (slots_ + number) * kRegisterSize;
      return 0;
    }
    if (!ValidSlot(v)) return h::kFaultSlot;
    v *= kRegisterSize;
    return 0;
  }

  // The `words` data words after the host call `i` with `count` arguments:
  // each holds three argument values in A, B and C, a value or a taken
  // temporary (its offset marked with kTakenOffsetBit); unused fields are
  // not checked. They keep the fault handler, so a jump to one fails.
  // `taking` tells whether the call takes any argument.
  int32_t DataWords(int32_t i, int32_t words, int32_t count, std::vector<TDecodedItem>& out, bool& taking) const {
    if (words > Count() - i - 1) return h::kFaultDataWord;
    for (int32_t w = 0; w < words; ++w) {
      const TProgItem& item = code_[i + 1 + w];
      TDecodedItem& d = out[i + 1 + w];
      d.Handler = h::kFaultInvalidOp;
      int32_t* fields[3] = {&d.A, &d.B, &d.C};
      const int32_t values[3] = {item.A, item.B, item.C};
      for (int32_t k = 0; k < 3 && w * 3 + k < count; ++k) {
        const int32_t value = values[k];
        *fields[k] = ArgumentOperand(value);
        if (int32_t fault = Value(*fields[k])) return fault;
        if (IsTakenArgument(value)) {
          *fields[k] |= kTakenOffsetBit;
          taking = true;
        }
      }
    }
    return 0;
  }

  // The constant form when the value operand C names an integer or a real
  // constant, or else when the value operand B does (`item` is the
  // instruction as written in the image, already checked).
  void Specialise(const TOpInfo& info, const TProgItem& item, TDecodedItem& d) const {
    if (IsConstOperand(item.C)) {
      SpecialiseC(item.Op, Constant(item.C), d);
      return;
    }
    if (info.b != TOperand::kValue || !IsConstOperand(item.B)) return;
    const Variant& constant = Constant(item.B);
    if (constant.Type() == varDouble && h::LeadingRealForm(item.Op) >= 0) d.Handler = h::LeadingRealForm(item.Op);
    if (constant.Type() == varInteger && h::LeadingImmediateForm(item.Op) >= 0) {
      d.Handler = h::LeadingImmediateForm(item.Op);
      d.B = constant.IntegerField();
    }
  }

  const Variant& Constant(int32_t field) const { return constants_[static_cast<size_t>(ConstNumber(field))]; }

  void SpecialiseC(int32_t op, const Variant& constant, TDecodedItem& d) const {
    if (op == opDivide && PowerOfTwoDivisor(constant, d)) return;
    if (constant.Type() == varDouble && h::RealForm(op) >= 0) d.Handler = h::RealForm(op);
    const int32_t form = h::ImmediateForm(op);
    if (form < 0 || constant.Type() != varInteger) return;
    const int32_t n = constant.IntegerField();
    if (op == opIntDiv || op == opMod) {
      // By 0, 1 or -1 the register form does what the operators do.
      if (!HasMultiplier(n)) return;
      d.Handler = form;
      divisors_.push_back(MakeDivisor(n));
      d.C = static_cast<int32_t>(divisors_.size() - 1);
      return;
    }
    d.Handler = form;
    d.C = n;
  }

  // `/` by an integer or a real constant that is a power of two: the
  // handler that multiplies by its reciprocal; false for another divisor.
  static bool PowerOfTwoDivisor(const Variant& constant, TDecodedItem& d) {
    const bool integer = constant.Type() == varInteger;
    if (!integer && constant.Type() != varDouble) return false;
    const std::optional<int32_t> bits = ReciprocalBits(integer ? constant.IntegerField() : constant.DoubleField());
    if (!bits) return false;
    d.Handler = integer ? h::kDividePow2I : h::kDividePow2R;
    d.C = *bits;
    return true;
  }

  const int32_t slots_;
  const std::vector<Variant>& constants_;
  const std::vector<TProgItem>& code_;
  const std::vector<int32_t>& labels_;
  std::vector<TDivisor>& divisors_;
};

}  // namespace

std::vector<TDecodedItem> DecodeProgram(int32_t slots, const std::vector<Variant>& constants,
                                        const std::vector<TProgItem>& code, const std::vector<int32_t>& labels,
                                        std::vector<TDivisor>& divisors) {
  std::vector<TDecodedItem> decoded(code.size() + 1, TDecodedItem{h::kFaultEnd, 0, 0, 0});
  Decoder decoder(slots, constants, code, labels, divisors);
  for (int32_t i = 0; i < static_cast<int32_t>(code.size());) i += decoder.Decode(i, decoded);
  return decoded;
}

}  // namespace orv
