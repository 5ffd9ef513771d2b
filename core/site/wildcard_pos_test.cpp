#include "core/site/wildcard_pos.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "components/string_list.h"
#include "platform/run_limits.h"

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

// Searches whose work grows with the product of both lengths, and sorts of
// long lists, end with the run's time-limit error once it has expired; a
// sort that ends so leaves the list as it was.
TEST(WildcardPosTest, LongSearchesAndSortsEndAtTheDeadline) {
  const std::string source(size_t{1} << 22, ' ');
  const std::string pattern = "?" + std::string(20000, ' ') + "x";
  TStringList list;
  for (int i = 0; i < 200000; ++i) list.Add(std::to_string((i * 7919) % 200000));
  const std::string before = list.Text();
  ScriptRunLimits limits(1, 0);
  while (!RunDeadlinePassed()) {
  }
  EXPECT_THROW(WildcardPos(source, pattern, 1), ETimeLimit);
  EXPECT_THROW(WildcardPos(source, pattern.substr(1), -1), ETimeLimit);
  EXPECT_THROW(WildcardPos(source, pattern.substr(1), 1), ETimeLimit);
  EXPECT_EQ(WildcardPos("ab", "?b", 1), 1);  // short work ends before it looks
  try {
    list.Sort();
    ADD_FAILURE() << "the sort ran past the deadline";
  } catch (const ETimeLimit& e) {
    EXPECT_STREQ(e.what(), "Script ran longer than 1 seconds");
  }
  EXPECT_EQ(list.Text(), before);
}

}  // namespace
}  // namespace orv
