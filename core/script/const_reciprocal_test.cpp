#include "core/script/const_reciprocal.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace orv {
namespace {

// Every power of two whose reciprocal is normal gives its exact reciprocal,
// and multiplying by it gives the quotient to the last bit: for ordinary
// numbers, signed zeros, infinities, NaN, the largest real and quotients
// too small to be normal.
TEST(ConstReciprocal, PowersOfTwoDivideByMultiplying) {
  const std::vector<double> numbers = {1.0, -1.0, 3.0, 0.1, 1e300, -2.5e-300, 0.0, -0.0, DBL_MAX, DBL_MIN, 5e-324,
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(), 123456789.123456789, INT32_MIN};
  int powers = 0;
  for (int k = -1100; k <= 1100; ++k) {
    for (double sign : {1.0, -1.0}) {
      const double c = sign * std::ldexp(1.0, k);
      const auto bits = ReciprocalBits(c);
      // 2^-1022 is the smallest normal real and 2^1022 the largest power
      // whose reciprocal is normal.
      ASSERT_EQ(bits.has_value(), k >= -1022 && k <= 1022) << k;
      if (!bits) continue;
      ++powers;
      const double reciprocal = ReciprocalFromBits(*bits);
      ASSERT_EQ(reciprocal, 1 / c) << k;
      for (double x : numbers) {
        ASSERT_EQ(std::bit_cast<uint64_t>(x * reciprocal), std::bit_cast<uint64_t>(x / c)) << x << " / 2^" << k;
      }
      ASSERT_TRUE(std::isnan(std::nan("") * reciprocal));
    }
  }
  EXPECT_EQ(powers, 2 * 2045);
}

TEST(ConstReciprocal, OtherNumbersHaveNone) {
  for (double c : {0.0, -0.0, 3.0, 0.75, -6.0, 1.0000000000000002, DBL_MAX, 5e-324, std::ldexp(1.0, -1030),
                   std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_FALSE(ReciprocalBits(c).has_value()) << c;
  }
  // Integer divisors come as reals: every power of two of 32 bits has one.
  for (int k = 0; k < 31; ++k) EXPECT_TRUE(ReciprocalBits(static_cast<double>(int32_t{1} << k)).has_value()) << k;
  EXPECT_EQ(ReciprocalFromBits(*ReciprocalBits(static_cast<double>(INT32_MIN))), -1.0 / 2147483648.0);
}

}  // namespace
}  // namespace orv
