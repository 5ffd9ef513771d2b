#include "core/site/hash_keyed_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>

namespace orv {
namespace {

// Keys that share their low bits (they all start probing at one slot), the
// key 0, and the largest key are kept apart through every growth.
TEST(HashKeyedMapTest, KeysThatCollideAndEdgeKeysStayApart) {
  HashKeyedMap<int> map;
  std::vector<uint64_t> keys = {0, ~uint64_t{0}};
  for (uint64_t high = 1; high <= 200; ++high) keys.push_back(high << 40 | 5);
  for (size_t i = 0; i < keys.size(); ++i) {
    auto [value, made] = map.TryEmplace(keys[i], static_cast<int>(i));
    EXPECT_TRUE(made);
    EXPECT_EQ(*value, static_cast<int>(i));
  }
  EXPECT_EQ(map.Size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    auto [value, made] = map.TryEmplace(keys[i], -1);
    EXPECT_FALSE(made);
    EXPECT_EQ(*value, static_cast<int>(i));
    ASSERT_NE(map.Find(keys[i]), nullptr);
    EXPECT_EQ(*map.Find(keys[i]), static_cast<int>(i));
  }
  EXPECT_FALSE(map.Contains(5));
  EXPECT_FALSE(map.Contains(uint64_t{201} << 40 | 5));
  EXPECT_EQ(map.Size(), keys.size());
}

TEST(HashKeyedMapTest, AnEmptyMapFindsNothing) {
  const HashKeyedMap<int> map;
  EXPECT_EQ(map.Find(0), nullptr);
  EXPECT_EQ(map.Find(12345), nullptr);
  EXPECT_EQ(map.Size(), 0u);
}

// Random keys with counts, against the standard map.
TEST(HashKeyedMapTest, CountsAsTheStandardMapDoes) {
  std::mt19937_64 random(7);
  HashKeyedMap<uint32_t> map;
  map.Reserve(100);
  std::unordered_map<uint64_t, uint32_t> expected;
  for (int i = 0; i < 20000; ++i) {
    // Few distinct keys at first, so that many repeat.
    const uint64_t key = random() % (i < 10000 ? 3000 : ~uint64_t{0});
    ++*map.TryEmplace(key).first;
    ++expected[key];
  }
  EXPECT_EQ(map.Size(), expected.size());
  for (const auto& [key, count] : expected) {
    ASSERT_NE(map.Find(key), nullptr);
    EXPECT_EQ(*map.Find(key), count);
  }
}

}  // namespace
}  // namespace orv
