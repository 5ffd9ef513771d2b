// Division of 32-bit integers by a constant without a division instruction:
// the loader computes a multiplier for each integer constant once, and the
// runner's `div` and `mod` by that constant multiply instead of dividing
// (the method of Lemire, Kaser and Kurz, exact for every 32-bit operand).
#pragma once

#include <cstdint>

namespace orv {

// An integer constant that div or mod divides by, of magnitude 2 or more,
// with what dividing by it takes: its magnitude and the multiplier.
struct TDivisor {
  int32_t Value = 0;
  uint32_t Magnitude = 0;
  uint64_t Multiplier = 0;
};

// Whether `divisor` can be divided by with a multiplier: a magnitude of 2
// or more (division by 0, 1 and -1 stays with the operators).
inline bool HasMultiplier(int32_t divisor) { return divisor < -1 || divisor > 1; }

// The divisor record of `divisor`, for which HasMultiplier holds.
inline TDivisor MakeDivisor(int32_t divisor) {
  const uint32_t magnitude = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
  return TDivisor{divisor, magnitude, UINT64_MAX / magnitude + 1};
}

// x div d (truncated) or x mod d (the sign of x), as the integer operators
// give them. The quotient's magnitude is at most 2^30 and the remainder's
// below 2^31, so negating either cannot overflow.
template <bool kModulo>
inline int32_t DivideByConstant(int32_t x, const TDivisor& d) {
  const uint32_t ux = x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
  if constexpr (kModulo) {
    const uint64_t fraction = d.Multiplier * ux;
    const auto r = static_cast<uint32_t>((static_cast<unsigned __int128>(fraction) * d.Magnitude) >> 64);
    return x < 0 ? -static_cast<int32_t>(r) : static_cast<int32_t>(r);
  } else {
    const auto q = static_cast<uint32_t>((static_cast<unsigned __int128>(d.Multiplier) * ux) >> 64);
    return (x < 0) != (d.Value < 0) ? -static_cast<int32_t>(q) : static_cast<int32_t>(q);
  }
}

}  // namespace orv
