#include "core/site/markup_scan.h"

#include <gtest/gtest.h>

#include <random>

#include "core/site/markup_scan_reference.h"

namespace orv {
namespace {

std::string Lookup(const std::string& name) {
  if (name == "e") return "";
  if (name == "s") return "x";
  if (name == "long") return "a fairly long value text";
  if (name == "ref") return "<%s%> and <%long%>";
  if (name == "self") return "<%self%>";
  return "<!-- ERROR: " + name + " -->";
}

ScanOutcome Fast(std::string& text) { return ScanMarkup(text, "<%", "%>", Lookup, 1u << 30); }

TEST(MarkupScanTest, ExamplesAgreeWithLiteralLoop) {
  const char* pages[] = {
      "plain",
      "<%s%>",
      "a<%long%>b<%s%>c",
      "<%e%><%s%>",           // an empty value skips the next characters
      "<%long%><%s%>",
      "<%ref%>tail<%s%>",     // markup inside a value is found after the resume point
      "<% s %>",
      "<%%>",
      "<%s%",                 // unclosed
      "<%s%><%unclosed",
      "%><%<%s%>%>",
      "<%self%>",
  };
  for (const char* page : pages) {
    std::string fast = page, literal = page;
    bool fast_found = Fast(fast).found;
    bool literal_found = LiteralScanMarkup(literal, "<%", "%>", Lookup);
    EXPECT_EQ(fast, literal) << page;
    EXPECT_EQ(fast_found, literal_found) << page;
  }
}

TEST(MarkupScanTest, GeneratedPagesAgreeWithLiteralLoop) {
  std::mt19937 random(12345);
  const char* pieces[] = {"<%", "%>", "<%s%>", "<%e%>", "<%long%>", "<%ref%>", "<%nope%>",
                          "a", "bc", "%", "<", ">", "\r\n", "<%self%>"};
  for (int round = 0; round < 2000; ++round) {
    std::string page;
    int count = static_cast<int>(random() % 24);
    for (int i = 0; i < count; ++i) page += pieces[random() % (sizeof pieces / sizeof *pieces)];
    std::string fast = page, literal = page;
    bool fast_found = Fast(fast).found;
    bool literal_found = LiteralScanMarkup(literal, "<%", "%>", Lookup);
    ASSERT_EQ(fast, literal) << page;
    ASSERT_EQ(fast_found, literal_found) << page;
  }
}

TEST(MarkupScanTest, ResumesOneBeforeTheOldClosingDelimiter) {
  // The value of s is shorter than its name: the character after the markup
  // is skipped, so the second markup waits for the next pass.
  std::string text = "<%long%>!<%s%>";
  Fast(text);
  EXPECT_EQ(text, "a fairly long value text!x");
  text = "<%s%><%s%>";
  Fast(text);
  EXPECT_EQ(text, "x<%s%>");
}

TEST(MarkupScanTest, UnclosedMarkupEndsTheStageAndStays) {
  std::string text = "<%s%> then <%open and <%s";
  ScanOutcome outcome = Fast(text);
  EXPECT_TRUE(outcome.found);
  EXPECT_EQ(text, "x then <%open and <%s");
  text = "only <%open";
  EXPECT_FALSE(Fast(text).found);
  EXPECT_EQ(text, "only <%open");
}

TEST(MarkupScanTest, GrowthStopsAtTheBound) {
  auto doubling = [](const std::string&) { return std::string("<%d%><%d%>"); };
  std::string text = "head <%d%> tail";
  ScanOutcome outcome = ScanMarkup(text, "<%", "%>", doubling, 4096);
  EXPECT_TRUE(outcome.size_limited);
  EXPECT_LE(text.size(), 4096u + std::string(kPageTooLargeComment).size());
  EXPECT_NE(text.find(kPageTooLargeComment), std::string::npos);
  EXPECT_EQ(text.substr(0, 5), "head ");
  EXPECT_EQ(text.substr(text.size() - 5), " tail");
}


// FindDelimiter finds what std::string_view::find finds, from every start.
TEST(MarkupScanTest, FindDelimiterAgreesWithFind) {
  const char* texts[] = {"",         "<",      "<%",    "%<%",     "<<%",      "a<b<%c%>d<", "<%%>", "<%<%<%",
                         "x%",       "<%\n%>", "%%<<%%", "&<&amp;<&", "<<<", "%", "a%b<%", "%%%><%>"};
  const char* delimiters[] = {"<%", "%>", "<&", "<<", "<", "<%x", ""};
  for (std::string_view text : texts) {
    for (std::string_view delimiter : delimiters) {
      for (size_t from = 0; from <= text.size() + 1; ++from) {
        EXPECT_EQ(FindDelimiter(text, delimiter, from), text.find(delimiter, from))
            << "'" << text << "' '" << delimiter << "' from " << from;
      }
    }
  }
}

}  // namespace
}  // namespace orv
