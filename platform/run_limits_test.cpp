// The limits of script runs: how scopes nest, the memory budget measured on
// the process, and the searches that keep to the limits.
#include "platform/run_limits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/text_search.h"

namespace orv {
namespace {

TEST(RunLimitsTest, ScopesNestAndOnlyTighten) {
  EXPECT_EQ(CurrentRunSeconds(), 0u);
  EXPECT_EQ(CurrentRunMemoryBytes(), 0u);
  EXPECT_LT(RunTimeLeft().count(), 0);
  CheckRunLimits();  // nothing in force: nothing happens
  ReserveRunMemory(size_t{1} << 40);
  {
    ScriptRunLimits outer(100, uint64_t{1} << 30);
    EXPECT_EQ(CurrentRunSeconds(), 100u);
    EXPECT_EQ(CurrentRunMemoryBytes(), uint64_t{1} << 30);
    EXPECT_GT(RunTimeLeft().count(), 90000);
    {
      ScriptRunLimits none(0, 0);  // keeps the outer limits
      EXPECT_EQ(CurrentRunSeconds(), 100u);
      ScriptRunLimits later(1000, uint64_t{1} << 40);  // cannot loosen them
      EXPECT_EQ(CurrentRunSeconds(), 100u);
      EXPECT_EQ(CurrentRunMemoryBytes(), uint64_t{1} << 30);
      ScriptRunLimits sooner(5, uint64_t{1} << 20);
      EXPECT_EQ(CurrentRunSeconds(), 5u);
      EXPECT_EQ(CurrentRunMemoryBytes(), uint64_t{1} << 20);
      EXPECT_LE(RunTimeLeft().count(), 5000);
      EXPECT_FALSE(RunDeadlinePassed());
      EXPECT_EQ(RunDeadlineText(), "Script ran longer than 5 seconds");
    }
    EXPECT_EQ(CurrentRunSeconds(), 100u);
    EXPECT_EQ(CurrentRunMemoryBytes(), uint64_t{1} << 30);
  }
  EXPECT_EQ(CurrentRunSeconds(), 0u);
  EXPECT_LT(RunTimeLeft().count(), 0);
}

// The budget counts what the process grows by once the limit began, and
// large texts are weighed before they are made.
TEST(RunLimitsTest, MemoryBudgetMeasuresTheProcess) {
  ScriptRunLimits limits(0, uint64_t{16} << 20);
  ReserveRunMemory(size_t{1} << 20);
  ReserveRunMemory(100);
  try {
    ReserveRunMemory(size_t{32} << 20);
    ADD_FAILURE() << "a reservation beyond the budget passed";
  } catch (const EOutOfMemory& e) {
    EXPECT_STREQ(e.what(), "Memory ran out while running the script");
  }
  std::vector<std::vector<char>> grown;
  bool ended = false;
  while (!ended && grown.size() < 64) {
    grown.emplace_back(size_t{1} << 20);
    std::memset(grown.back().data(), 1, grown.back().size());  // resident, not only reserved
    // Memory is measured at most once a millisecond: ask for a little longer.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
    try {
      while (std::chrono::steady_clock::now() < until) CheckRunMemory();
    } catch (const EOutOfMemory&) {
      ended = true;
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_GE(grown.size(), 8u);
  EXPECT_LT(grown.size(), 64u);
}

// FindText finds what std::string_view::find finds, across the stretches it
// searches one by one.
TEST(TextSearchTest, FindsWhatFindFinds) {
  std::mt19937 random(7);
  auto text_of = [&](size_t size, const char* alphabet) {
    std::string text(size, 'a');
    const size_t letters = std::strlen(alphabet);
    for (char& c : text) c = alphabet[random() % letters];
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    std::string text = text_of(random() % 64, "ab");
    std::string pattern = text_of(random() % 5, "ab");
    size_t from = random() % 70;
    EXPECT_EQ(FindText(text, pattern, from), std::string_view(text).find(pattern, from))
        << text << " / " << pattern << " from " << from;
  }
  // Matches that straddle the 4 MiB stretches, and a long pattern.
  std::string big(size_t{9} << 20, 'x');
  for (size_t at : {(size_t{4} << 20) - 3, (size_t{8} << 20) - 1, big.size() - 6}) {
    std::string copy = big;
    copy.replace(at, 6, "needle");
    EXPECT_EQ(FindText(copy, "needle"), at);
    EXPECT_EQ(FindText(copy, "needle", at + 1), std::string_view::npos);
  }
  std::string pattern(100000, 'x');
  pattern += 'y';
  EXPECT_EQ(FindText(big, pattern), std::string_view::npos);
  big.replace(big.size() - pattern.size(), pattern.size(), pattern);
  EXPECT_EQ(FindText(big, pattern), big.size() - pattern.size());
  EXPECT_EQ(FindText("abc", "", 3), 3u);
  EXPECT_EQ(FindText("abc", "", 4), std::string_view::npos);
  EXPECT_EQ(FindText("abc", "abcd"), std::string_view::npos);
}

// Past the deadline a search in a short text still ends with its answer (it
// takes moments and never looks at the clock); one in a long text ends with
// the time-limit error.
TEST(TextSearchTest, OnlySearchesInLongTextsLookAtTheDeadline) {
  const std::string big(size_t{1} << 20, 'x');
  ScriptRunLimits limits(1, 0);
  while (!RunDeadlinePassed()) {
  }
  EXPECT_EQ(FindText("hello world", "wor"), 6u);
  EXPECT_EQ(FindText(std::string_view(big).substr(0, 65536), "y"), std::string_view::npos);
  EXPECT_EQ(FindText(big, "x", big.size() - 65536), big.size() - 65536);
  EXPECT_THROW(FindText(big, "y"), ETimeLimit);
  EXPECT_THROW(FindText(big, "x", big.size() - 65537), ETimeLimit);
}

}  // namespace
}  // namespace orv
