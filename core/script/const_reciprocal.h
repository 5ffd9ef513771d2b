// Division of reals by a constant power of two without a division
// instruction: the loader keeps the constant's reciprocal in the
// instruction, and the runner multiplies by it. The reciprocal of a power
// of two is exact, so x / c and x * (1 / c) are the same real result rounded
// once, whatever x is (signed zeros, infinities, NaN and results too small
// to be normal included).
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace orv {

// The upper 32 bits of 1 / c when c is a normal power of two, of either
// sign, whose reciprocal is normal too (the lower 32 bits of a power of two
// are zero); nothing for any other c.
inline std::optional<int32_t> ReciprocalBits(double c) {
  int exponent;
  if (!std::isnormal(c) || std::fabs(std::frexp(c, &exponent)) != 0.5) return std::nullopt;
  const double reciprocal = 1 / c;
  if (!std::isnormal(reciprocal)) return std::nullopt;
  return static_cast<int32_t>(static_cast<uint32_t>(std::bit_cast<uint64_t>(reciprocal) >> 32));
}

// The reciprocal whose upper bits ReciprocalBits gave.
inline double ReciprocalFromBits(int32_t upper) {
  return std::bit_cast<double>(static_cast<uint64_t>(static_cast<uint32_t>(upper)) << 32);
}

}  // namespace orv
