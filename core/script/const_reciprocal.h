// Division of reals by a constant power of two without a division
// instruction: the loader keeps the constant's reciprocal in the
// instruction, and the runner multiplies by it. The reciprocal of a power
// of two is exact, so x / c and x * (1 / c) are the same real result rounded
// once, whatever x is (signed zeros, infinities, NaN and results too small
// to be normal included).
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

namespace orv {

// The upper 32 bits of 1 / c when c is a power of two, of either sign, whose
// reciprocal is a normal real (the lower 32 bits are then zero); nothing for
// any other c.
inline std::optional<int32_t> ReciprocalBits(double c) {
  constexpr uint64_t kSign = uint64_t{1} << 63;
  constexpr uint64_t kMantissa = (uint64_t{1} << 52) - 1;
  const uint64_t bits = std::bit_cast<uint64_t>(c);
  const uint64_t exponent = (bits >> 52) & 0x7FF;
  // c = 2^k with the biased exponent k + 1023 and no mantissa bits; its
  // reciprocal has the biased exponent 2046 - (k + 1023), normal from 1 to
  // 2046, and c itself is normal from 1 (so 2^1023, whose reciprocal is
  // not normal, is left out).
  if ((bits & kMantissa) != 0 || exponent < 1 || exponent > 2045) return std::nullopt;
  const uint64_t reciprocal = (bits & kSign) | ((2046 - exponent) << 52);
  return static_cast<int32_t>(static_cast<uint32_t>(reciprocal >> 32));
}

// The reciprocal whose upper bits ReciprocalBits gave.
inline double ReciprocalFromBits(int32_t upper) {
  return std::bit_cast<double>(static_cast<uint64_t>(static_cast<uint32_t>(upper)) << 32);
}

}  // namespace orv
