// The operators of script values: arithmetic, bitwise and logical operators,
// negation and comparison, by the OLE variant rules described in variant.h.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/script/text_number.h"
#include "core/script/variant.h"

namespace orv {
namespace {

const char* OpSymbol(VarOp op) {
  switch (op) {
    case VarOp::Add: return "+";
    case VarOp::Sub: return "-";
    case VarOp::Mul: return "*";
    case VarOp::IntDiv: return "div";
    case VarOp::Mod: return "mod";
    case VarOp::Divide: return "/";
    case VarOp::Shl: return "shl";
    case VarOp::Shr: return "shr";
    case VarOp::Or: return "or";
    case VarOp::Xor: return "xor";
    case VarOp::And: return "and";
  }
  return "?";
}

[[noreturn]] void InvalidOperation(const std::string& what) {
  throw EVariantError("Invalid variant operation: " + what);
}

[[noreturn]] void InvalidBinary(VarOp op, const Variant& a, const Variant& b) {
  InvalidOperation("(" + Variant::TypeName(a.Type()) + ") " + OpSymbol(op) + " (" +
                   Variant::TypeName(b.Type()) + ")");
}

[[noreturn]] void DivisionByZero() { throw EVariantError("Division by zero"); }

// A value taken as a number for arithmetic.
struct Number {
  bool is_int;
  bool is_date;
  int32_t i;
  double d;
};

Number ToNumber(const Variant& v) {
  if (v.IsString()) return ToNumber(TextToNumber(v.StringView(), varDouble));
  if (v.IsReal()) return {false, v.Type() == varDate, 0, v.AsReal()};
  // Empty, the integer kinds and Boolean: their value field is the number.
  int32_t i = static_cast<int32_t>(v.ValueField());
  if (v.IsEmpty()) i = 0;
  return {true, false, i, static_cast<double>(i)};
}

Variant FromWideInteger(int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) return Variant(static_cast<int32_t>(value));
  return Variant(static_cast<double>(value));
}

// Add, Sub, Mul.
Variant Arithmetic(VarOp op, const Variant& a, const Variant& b) {
  Number x = ToNumber(a), y = ToNumber(b);
  if (x.is_int && y.is_int) {
    int64_t l = x.i, r = y.i;
    switch (op) {
      case VarOp::Add: return FromWideInteger(l + r);
      case VarOp::Sub: return FromWideInteger(l - r);
      default: return FromWideInteger(l * r);
    }
  }
  switch (op) {
    case VarOp::Add: {
      double sum = x.d + y.d;
      return x.is_date != y.is_date ? Variant::Date(sum) : Variant(sum);
    }
    case VarOp::Sub: {
      double difference = x.d - y.d;
      return x.is_date && !y.is_date ? Variant::Date(difference) : Variant(difference);
    }
    default: return Variant(x.d * y.d);
  }
}

// IntDiv, Mod, Shl, Shr and the bitwise forms of And, Or, Xor.
Variant IntegerOperation(VarOp op, const Variant& a, const Variant& b) {
  int32_t l = a.AsInteger(), r = b.AsInteger();
  uint32_t ul = static_cast<uint32_t>(l), ur = static_cast<uint32_t>(r);
  switch (op) {
    case VarOp::IntDiv:
      if (r == 0) DivisionByZero();
      return FromWideInteger(static_cast<int64_t>(l) / r);
    case VarOp::Mod:
      if (r == 0) DivisionByZero();
      return Variant(static_cast<int32_t>(static_cast<int64_t>(l) % r));
    case VarOp::Shl: return Variant(static_cast<int32_t>(ul << (ur & 31)));
    case VarOp::Shr: return Variant(static_cast<int32_t>(ul >> (ur & 31)));
    case VarOp::Or: return Variant(static_cast<int32_t>(ul | ur));
    case VarOp::Xor: return Variant(static_cast<int32_t>(ul ^ ur));
    default: return Variant(static_cast<int32_t>(ul & ur));
  }
}

bool IsTextLike(const Variant& v) { return v.IsString() || v.IsEmpty(); }

}  // namespace

Variant BinaryOp(VarOp op, const Variant& left, const Variant& right) {
  if (left.IsArray() || right.IsArray()) InvalidBinary(op, left, right);
  if (left.IsNull() || right.IsNull()) return Variant::Null();
  switch (op) {
    case VarOp::Add:
      if (IsTextLike(left) && IsTextLike(right) && (left.IsString() || right.IsString())) {
        std::string text(left.StringView());
        text.append(right.StringView());
        return Variant(text);
      }
      return Arithmetic(op, left, right);
    case VarOp::Sub:
    case VarOp::Mul: return Arithmetic(op, left, right);
    case VarOp::Divide: {
      double divisor = ToNumber(right).d, dividend = ToNumber(left).d;
      if (divisor == 0) DivisionByZero();
      return Variant(dividend / divisor);
    }
    case VarOp::And:
    case VarOp::Or:
    case VarOp::Xor:
      if (left.Type() == varBoolean && right.Type() == varBoolean) {
        bool l = left.AsBoolean(), r = right.AsBoolean();
        if (op == VarOp::And) return Variant(l && r);
        if (op == VarOp::Or) return Variant(l || r);
        return Variant(l != r);
      }
      return IntegerOperation(op, left, right);
    case VarOp::IntDiv:
    case VarOp::Mod:
    case VarOp::Shl:
    case VarOp::Shr: return IntegerOperation(op, left, right);
  }
  InvalidBinary(op, left, right);
}

void ApplyBinary(VarOp op, Variant& left, const Variant& right) {
  if (left.type_ == varInteger && right.type_ == varInteger &&
      (op == VarOp::Add || op == VarOp::Sub)) {
    int64_t result = op == VarOp::Add ? int64_t{left.u_.i} + right.u_.i : int64_t{left.u_.i} - right.u_.i;
    if (result >= INT32_MIN && result <= INT32_MAX) {
      left.SetInteger(static_cast<int32_t>(result));
    } else {
      left = Variant(static_cast<double>(result));
    }
    return;
  }
  if (op == VarOp::Add && left.type_ == varString && IsTextLike(right)) {
    left.AppendText(right.StringView());
    return;
  }
  left = BinaryOp(op, left, right);
}

void ApplyNeg(Variant& value) {
  if (value.IsArray()) InvalidOperation("-(Array)");
  if (value.IsNull()) return;
  switch (value.Type()) {
    case varSingle: value = Variant::Single(-static_cast<float>(value.AsReal())); return;
    case varDouble: value = Variant(-value.AsReal()); return;
    case varDate: value = Variant::Date(-value.AsReal()); return;
    default: break;
  }
  Number n = ToNumber(value);
  value = n.is_int ? FromWideInteger(-int64_t{n.i}) : Variant(-n.d);
}

void ApplyNot(Variant& value) {
  if (value.IsArray()) InvalidOperation("not (Array)");
  if (value.IsNull()) return;
  bool flag;
  if (value.Type() == varBoolean || (value.IsString() && ParseBooleanWord(value.StringView(), flag))) {
    value = Variant(!value.AsBoolean());
    return;
  }
  value = Variant(~value.AsInteger());
}

VarOrder Compare(const Variant& left, const Variant& right) {
  if (left.IsArray() || right.IsArray()) {
    InvalidOperation("(" + Variant::TypeName(left.Type()) + ") compared with (" +
                     Variant::TypeName(right.Type()) + ")");
  }
  if (left.IsNull() || right.IsNull()) {
    if (left.IsNull() && right.IsNull()) return VarOrder::Equal;
    return left.IsNull() ? VarOrder::Less : VarOrder::Greater;
  }
  if (left.IsEmpty() && right.IsEmpty()) return VarOrder::Equal;
  if (IsTextLike(left) && IsTextLike(right)) {
    int c = left.StringView().compare(right.StringView());
    return c < 0 ? VarOrder::Less : c > 0 ? VarOrder::Greater : VarOrder::Equal;
  }
  bool left_flag = left.Type() == varBoolean, right_flag = right.Type() == varBoolean;
  if ((left_flag && (right_flag || IsTextLike(right))) || (right_flag && IsTextLike(left))) {
    bool l = left.AsBoolean(), r = right.AsBoolean();
    return l == r ? VarOrder::Equal : l ? VarOrder::Greater : VarOrder::Less;
  }
  Number x = ToNumber(left), y = ToNumber(right);
  if (x.is_int && y.is_int) {
    return x.i < y.i ? VarOrder::Less : x.i > y.i ? VarOrder::Greater : VarOrder::Equal;
  }
  if (x.d < y.d) return VarOrder::Less;
  if (x.d > y.d) return VarOrder::Greater;
  return x.d == y.d ? VarOrder::Equal : VarOrder::Unordered;
}

bool CompareOp(VarCompareOp op, const Variant& left, const Variant& right) {
  switch (op) {
    case VarCompareOp::Equal:
    case VarCompareOp::NotEqual: {
      bool equal = left.Type() == right.Type() &&
                   (left.IsEmpty() ? left.ValueField() == right.ValueField()
                                   : Compare(left, right) == VarOrder::Equal);
      return equal == (op == VarCompareOp::Equal);
    }
    case VarCompareOp::Less: return Compare(left, right) == VarOrder::Less;
    case VarCompareOp::Greater: return Compare(left, right) == VarOrder::Greater;
    case VarCompareOp::LessEq: {
      VarOrder order = Compare(left, right);
      return order == VarOrder::Less || order == VarOrder::Equal;
    }
    case VarCompareOp::GreaterEq: {
      VarOrder order = Compare(left, right);
      return order == VarOrder::Greater || order == VarOrder::Equal;
    }
  }
  return false;
}

bool IsFalse(const Variant& value) {
  static const Variant kFalse(false);
  return Compare(value, kFalse) == VarOrder::Equal;
}

}  // namespace orv
