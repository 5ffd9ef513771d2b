// Division of 32-bit integers by a constant without a division instruction:
// the loader computes a multiplier for each integer constant once, and the
// runner's `div` and `mod` by that constant multiply instead of dividing
// (the method of Lemire, Kaser and Kurz, exact for every 32-bit operand).
#pragma once

#include <cstdint>

namespace orv {

// The multiplier for dividing by `divisor`; 0 (no quick path) when its
// magnitude is below 2.
inline uint64_t DivisorMultiplier(int32_t divisor) {
  const uint32_t magnitude = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
  return magnitude < 2 ? 0 : UINT64_MAX / magnitude + 1;
}

// x div divisor (truncated) or x mod divisor (the sign of x), as the integer
// operators give them; `multiplier` is DivisorMultiplier(divisor), not 0.
template <bool kModulo>
inline int32_t DivideByConstant(int32_t x, int32_t divisor, uint64_t multiplier) {
  const uint32_t ux = x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
  uint32_t r;
  if constexpr (kModulo) {
    const uint32_t ud = divisor < 0 ? 0u - static_cast<uint32_t>(divisor) : static_cast<uint32_t>(divisor);
    r = static_cast<uint32_t>((static_cast<unsigned __int128>(multiplier * ux) * ud) >> 64);
    return x < 0 ? -static_cast<int32_t>(r) : static_cast<int32_t>(r);
  } else {
    r = static_cast<uint32_t>((static_cast<unsigned __int128>(multiplier) * ux) >> 64);
    return (x < 0) != (divisor < 0) ? -static_cast<int32_t>(r) : static_cast<int32_t>(r);
  }
}

}  // namespace orv
