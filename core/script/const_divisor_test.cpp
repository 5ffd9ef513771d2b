#include "core/script/const_divisor.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

namespace orv {
namespace {

// Division by a multiplier gives C++'s truncated quotient and remainder for
// every divisor of magnitude 2 or more: the edges of the range, powers of
// two and their neighbours, and random pairs.
TEST(ConstDivisor, MatchesTheDivisionInstruction) {
  std::vector<int32_t> divisors = {2, 3, 7, 10, 1000003, INT32_MAX, INT32_MIN, INT32_MIN + 1};
  std::vector<int32_t> numbers = {0, 1, -1, 2, -2, INT32_MAX, INT32_MIN, INT32_MIN + 1, INT32_MAX - 1};
  for (int shift = 1; shift < 31; ++shift) {
    const int32_t power = int32_t{1} << shift;
    for (int32_t n : {power - 1, power, power + 1}) {
      divisors.push_back(n);
      numbers.push_back(n);
      numbers.push_back(-n);
    }
  }
  std::mt19937 random(28);
  std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 200; ++i) {
    divisors.push_back(any(random));
    numbers.push_back(any(random));
  }
  const size_t count = divisors.size();
  for (size_t i = 0; i < count; ++i) divisors.push_back(divisors[i] == INT32_MIN ? INT32_MIN : -divisors[i]);
  for (int32_t d : divisors) {
    if (!HasMultiplier(d)) continue;
    const TDivisor divisor = MakeDivisor(d);
    for (int32_t x : numbers) {
      ASSERT_EQ(DivideByConstant<false>(x, divisor), x / d) << x << " div " << d;
      ASSERT_EQ(DivideByConstant<true>(x, divisor), x % d) << x << " mod " << d;
    }
  }
}

TEST(ConstDivisor, NoMultiplierBelowMagnitudeTwo) {
  for (int32_t d : {-1, 0, 1}) EXPECT_FALSE(HasMultiplier(d)) << d;
  for (int32_t d : {-2, 2, INT32_MIN, INT32_MAX}) EXPECT_TRUE(HasMultiplier(d)) << d;
}

}  // namespace
}  // namespace orv
