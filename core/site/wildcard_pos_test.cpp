#include "core/site/wildcard_pos.h"

#include <gtest/gtest.h>

#include <climits>

namespace orv {
namespace {

TEST(WildcardPosTest, Table) {
  struct Case {
    const char* source;
    const char* pattern;
    int start;
    int expected;
  };
  const Case cases[] = {
      {"abcABC", "ABC", 1, 4},
      {"abcABC", "ABC", -1, 1},
      {"abcABC", "ABC", -2, 4},
      {"a-b", "a?b", 1, 1},
      {"xx<%a%>", "<%", 1, 3},
      {"xx<%a%>", "<%", 3, 3},
      {"xx<%a%>", "<%", 4, 0},
      {"abc", "abc", 0, 0},         // start 0
      {"", "a", 1, 0},              // empty source
      {"abc", "", 1, 0},            // empty pattern
      {"abc", "c", 3, 3},
      {"abc", "c", 4, 0},           // start beyond the end
      {"abc", "bc", 3, 0},          // fewer characters left than the pattern
      {"abc", "c", -4, 0},
      {"abc", "c", INT_MIN, 0},
      {"ab?", "?", 1, 1},           // "?" in the pattern matches anything
      {"abc", "B", 1, 0},           // exact case with a positive start
      {"a`c", "A@C", -1, 1},        // '`' (96) xor 32 is '@' (64)
      {"a[c", "A{C", -1, 0},        // '{' is 123: beyond "z", never folded
      {"A{c", "a[C", -1, 0},        // '{' in the source lies outside 65..122
      {"\xe9", "\xc9", -1, 0},      // only codes 65..122 fold
      {"Z", "z", -1, 1},
      {"z", "Z", -1, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WildcardPos(c.source, c.pattern, c.start), c.expected)
        << '"' << c.source << "\" \"" << c.pattern << "\" " << c.start;
}

TEST(WildcardPosTest, FoldedSearchIsNotFooledByPartialMatches) {
  EXPECT_EQ(WildcardPos("{$defin {$DEFINE x}", "{$DEFINE", -1), 9);
  EXPECT_EQ(WildcardPos("aaab", "aab", 1), 2);
  EXPECT_EQ(WildcardPos("aaab", "AAB", -1), 2);
}

}  // namespace
}  // namespace orv
