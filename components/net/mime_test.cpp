#include "components/net/mime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace orv::net {
namespace {

// A strict reader of quoted-printable: fails the test on a line longer than
// 76 characters, a character that must not appear, a blank at a line's end
// or a malformed "=", and returns the decoded lines.
std::vector<std::string> Decode(const std::vector<std::string>& encoded) {
  auto hex = [](char c) { return std::string("0123456789ABCDEF").find(c); };
  std::vector<std::string> lines;
  std::string current;
  for (const std::string& line : encoded) {
    EXPECT_LE(line.size(), 76u) << line;
    EXPECT_TRUE(line.empty() || (line.back() != ' ' && line.back() != '\t')) << line;
    bool soft_break = false;
    for (size_t i = 0; i < line.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      EXPECT_TRUE((c >= 32 && c <= 126) || c == '\t') << "byte " << int(c) << " in " << line;
      if (c != '=') {
        current += static_cast<char>(c);
      } else if (i + 1 == line.size()) {
        soft_break = true;
      } else if (i + 2 < line.size() && hex(line[i + 1]) != std::string::npos &&
                 hex(line[i + 2]) != std::string::npos) {
        current += static_cast<char>(hex(line[i + 1]) * 16 + hex(line[i + 2]));
        i += 2;
      } else {
        ADD_FAILURE() << "malformed = in " << line;
      }
    }
    if (!soft_break) {
      lines.push_back(current);
      current.clear();
    }
  }
  EXPECT_TRUE(current.empty()) << "a soft break on the last line";
  return lines;
}

TEST(MimeTest, QuotedPrintableKeepsPlainLinesReadable) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"Error Message: boom", {"Error Message: boom"}},
      {"ORV File=/opt/editor", {"ORV File=3D/opt/editor"}},
      {"caf\xc3\xa9", {"caf=C3=A9"}},
      {"ends in a blank ", {"ends in a blank=20"}},
      {"tab\tinside\t", {"tab\tinside=09"}},
      {"", {""}},
      {".", {"."}},
      {std::string(80, 'x'), {std::string(75, 'x') + "=", "xxxxx"}},
      {std::string(74, 'x') + "\xff", {std::string(74, 'x') + "=", "=FF"}},
  };
  for (const auto& [line, encoded] : cases) EXPECT_EQ(QuotedPrintableLines({line}), encoded) << line;
}

// Any text, long lines and every byte included, is encoded into lines a
// strict reader takes and decoded back unchanged.
TEST(MimeTest, QuotedPrintableRoundTripsAnyText) {
  std::mt19937 random(14);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> lines(1 + random() % 4);
    for (std::string& line : lines) {
      const size_t length = random() % 4 == 0 ? 3000 : random() % 100;
      for (size_t i = 0; i < length; ++i) {
        const unsigned pick = random() % 8;
        line += pick < 4 ? static_cast<char>('a' + random() % 26)
                : pick == 4 ? ' '
                : pick == 5 ? '='
                            : static_cast<char>(random() % 256);
      }
      line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }), line.end());
    }
    ASSERT_EQ(Decode(QuotedPrintableLines(lines)), lines) << "round " << round;
  }
}

TEST(MimeTest, SevenBitTextIsAsciiInShortEnoughLines) {
  EXPECT_TRUE(IsSevenBitText({"plain", "", "with\ttab", std::string(998, 'x')}));
  EXPECT_FALSE(IsSevenBitText({std::string(999, 'x')}));
  EXPECT_FALSE(IsSevenBitText({"caf\xc3\xa9"}));
  EXPECT_FALSE(IsSevenBitText({std::string("nul\0", 4)}));
  EXPECT_FALSE(IsSevenBitText({"bell\a"}));
}

TEST(MimeTest, HeaderTextBeyondAsciiBecomesEncodedWords) {
  EXPECT_EQ(HeaderText("ORV Bug Report"), "ORV Bug Report");
  EXPECT_EQ(HeaderText("Jos\xc3\xa9 M\xc3\xbcller"), "=?UTF-8?Q?Jos=C3=A9_M=C3=BCller?=");
  EXPECT_EQ(HeaderText("a_b?=\xc3\xa9"), "=?UTF-8?Q?a=5Fb=3F=3D=C3=A9?=");
  std::string long_name;
  for (int i = 0; i < 40; ++i) long_name += "\xc3\xa9";
  const std::string words = HeaderText(long_name);
  size_t start = 0;
  int count = 0;
  for (size_t end = words.find(' '); start < words.size(); end = words.find(' ', start)) {
    const std::string word = words.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_LE(word.size(), 75u) << word;
    EXPECT_EQ(word.substr(0, 10), "=?UTF-8?Q?");
    EXPECT_EQ(word.find("=C3?="), std::string::npos) << "a character is split: " << word;
    ++count;
    start = end == std::string::npos ? words.size() : end + 1;
  }
  EXPECT_GT(count, 1);
  EXPECT_EQ(HeaderMailbox("Jos\xc3\xa9 <jose@example.org>"), "=?UTF-8?Q?Jos=C3=A9?= <jose@example.org>");
  EXPECT_EQ(HeaderMailbox("Joe User <joe@example.org>"), "Joe User <joe@example.org>");
  EXPECT_EQ(HeaderMailbox("<joe@example.org>"), "<joe@example.org>");
  EXPECT_EQ(HeaderMailbox("joe@example.org"), "joe@example.org");
}

}  // namespace
}  // namespace orv::net
