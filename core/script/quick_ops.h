// The runner's quick paths: integer and real arithmetic and comparisons done
// in place, for the cases that the value operators (variant.h) would give
// the same result for. Each returns false, having changed nothing, for every
// other case (other kinds, an integer overflow, a division by zero), which
// the runner then hands to the value operators, so results and error texts
// never depend on which path ran.
#pragma once

#include <climits>
#include <cstdint>
#include <new>

#include "core/script/variant.h"

namespace orv::quick {

inline bool IsInt(const Variant& v) { return v.Type() == varInteger; }
// Whether the value is an Integer or a Double.
inline bool IsNumber(const Variant& v) { return v.Type() == varInteger || v.Type() == varDouble; }
// Whether both values are of `kind`, both kinds tested at once with one
// branch: the two loads do not wait on each other, and a handler's quick
// path stays one straight run of code.
template <VarType kind>
inline bool Both(const Variant& a, const Variant& b) {
  return ((a.Type() ^ kind) | (b.Type() ^ kind)) == 0;
}
inline bool BothInts(const Variant& a, const Variant& b) { return Both<varInteger>(a, b); }
inline bool BothBooleans(const Variant& a, const Variant& b) { return Both<varBoolean>(a, b); }
// The number of a value known to be an Integer.
inline int32_t IntOf(const Variant& v) { return v.IntegerField(); }

// x op y for Add, Sub, Mul, IntDiv and Mod on integers: true, with the
// result in r, when the result is an integer too.
template <VarOp op>
[[gnu::always_inline]] inline bool Int(int32_t x, int32_t y, int32_t& r) {
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

// The bitwise and shift operators on two integers (never fail).
template <VarOp op>
[[gnu::always_inline]] inline int32_t Bits(int32_t x, int32_t y) {
  const auto ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
  if constexpr (op == VarOp::Shl) return static_cast<int32_t>(ux << (uy & 31));
  if constexpr (op == VarOp::Shr) return static_cast<int32_t>(ux >> (uy & 31));
  if constexpr (op == VarOp::Or) return static_cast<int32_t>(ux | uy);
  if constexpr (op == VarOp::Xor) return static_cast<int32_t>(ux ^ uy);
  return static_cast<int32_t>(ux & uy);
}

// And, or and xor of two Booleans (logical).
template <VarOp op>
[[gnu::always_inline]] inline bool Logic(bool x, bool y) {
  if constexpr (op == VarOp::And) return x && y;
  if constexpr (op == VarOp::Or) return x || y;
  return x != y;
}

// A Double or an Integer as a real: true, with the number in x, for these
// kinds, which real arithmetic takes as they are.
[[gnu::always_inline]] inline bool RealOf(const Variant& v, double& x) {
  if (v.Type() == varDouble) [[likely]] {
    x = v.DoubleField();
    return true;
  }
  if (!IsInt(v)) return false;
  x = IntOf(v);
  return true;
}

// Both values as reals when each is an Integer or a Double: the operands of
// real arithmetic, which gives a Double for these kinds.
[[gnu::always_inline]] inline bool Reals(const Variant& a, const Variant& b, double& x, double& y) {
  return RealOf(a, x) && RealOf(b, y);
}

// x op y for Add, Sub, Mul and Divide on reals; false for a division by zero.
template <VarOp op>
[[gnu::always_inline]] inline bool Real(double x, double y, double& r) {
  if constexpr (op == VarOp::Add) r = x + y;
  if constexpr (op == VarOp::Sub) r = x - y;
  if constexpr (op == VarOp::Mul) r = x * y;
  if constexpr (op == VarOp::Divide) {
    if (y == 0) return false;
    r = x / y;
  }
  return true;
}

template <VarCompareOp op, class T>
[[gnu::always_inline]] inline bool Holds(T x, T y) {
  if constexpr (op == VarCompareOp::GreaterEq) return x >= y;
  if constexpr (op == VarCompareOp::Equal) return x == y;
  if constexpr (op == VarCompareOp::LessEq) return x <= y;
  if constexpr (op == VarCompareOp::NotEqual) return x != y;
  if constexpr (op == VarCompareOp::Greater) return x > y;
  return x < y;
}

// The comparison `a op b`: true, with the answer in r, when both are
// Integers, both texts (compared byte by byte), both Doubles, or for an
// ordering an Integer and a Double (values of different kinds are never
// equal, which the value operators decide).
template <VarCompareOp op>
[[gnu::always_inline]] inline bool Compare(const Variant& a, const Variant& b, bool& r) {
  constexpr bool kEquality = op == VarCompareOp::Equal || op == VarCompareOp::NotEqual;
  if (BothInts(a, b)) [[likely]] {
    r = Holds<op>(IntOf(a), IntOf(b));
    return true;
  }
  if (Both<varString>(a, b)) {
    const std::string_view x = a.StringView(), y = b.StringView();
    // Texts of different lengths are never equal: no bytes to compare.
    if constexpr (kEquality)
      if (x.size() != y.size()) {
        r = op == VarCompareOp::NotEqual;
        return true;
      }
    r = Holds<op>(x.compare(y), 0);
    return true;
  }
  double x, y;
  if ((kEquality && a.Type() != b.Type()) || !Reals(a, b, x, y)) return false;
  r = Holds<op>(x, y);
  return true;
}

}  // namespace orv::quick
