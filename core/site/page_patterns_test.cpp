#include "core/site/page_patterns.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(PagePatternsTest, MatchName) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.hts", "index.hts", true},     {"*.hts", "index.htsx", false},  {"*.hts", ".hts", false},
      {".*", ".hidden", true},          {"*", ".git", false},            {"?", "\xc3\xa9", true},
      {"??", "\xc3\xa9", false},        {"a?c", "abc", true},            {"a?c", "ac", false},
      {"*a*b*", "xaybz", true},         {"*a*b", "ab_ab_a", false},      {"a**b", "axxb", true},
      {"*", "", true},                  {"", "", true},                  {"", "a", false},
      {"[ab].hts", "[ab].hts", true},   {"[ab].hts", "a.hts", false},    {"*.HTS", "a.hts", false},
      {"*x*x*x*x*x*y", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchName(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
  EXPECT_TRUE(IsPagePattern("src/*.hts"));
  EXPECT_TRUE(IsPagePattern("a?.hts"));
  EXPECT_FALSE(IsPagePattern("src/[a].hts"));
}

class PatternExpandTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = (fs::temp_directory_path() / ("orv_patterns_" + std::to_string(::getpid()))).string() + "/";
    for (const char* name : {"src/b.hts", "src/a.hts", "src/B.hts", "src/a.txt", "src/.lock.hts",
                             "src/news/first.hts", "src/news/2024/x.hts", "src/.git/c.hts", "src/ab.hts",
                             "src/news/notes/keep.txt"}) {
      fs::create_directories(fs::path(root_ + name).parent_path());
      std::ofstream(root_ + name) << "x";
    }
    fs::create_directories(root_ + "src/folder.hts");  // a folder is no page
    fs::create_directory_symlink(root_ + "src", root_ + "src/news/loop");
  }
  void TearDown() override { fs::remove_all(root_); }

  std::vector<std::string> Expand(const std::string& pattern) {
    std::vector<std::string> found = ExpandPagePattern(root_ + pattern);
    for (std::string& path : found) path.erase(0, root_.size());
    return found;
  }

  std::string root_;
};

TEST_F(PatternExpandTest, MatchesInNameOrder) {
  using List = std::vector<std::string>;
  EXPECT_EQ(Expand("src/*.hts"), (List{"src/B.hts", "src/a.hts", "src/ab.hts", "src/b.hts"}));
  EXPECT_EQ(Expand("src/?.hts"), (List{"src/B.hts", "src/a.hts", "src/b.hts"}));
  EXPECT_EQ(Expand("src/**/*.hts"), (List{"src/B.hts", "src/a.hts", "src/ab.hts", "src/b.hts",
                                          "src/news/2024/x.hts", "src/news/first.hts"}));
  EXPECT_EQ(Expand("src/news/**"), (List{"src/news/2024/x.hts", "src/news/first.hts", "src/news/notes/keep.txt"}));
  EXPECT_EQ(Expand("src/**/**/x.hts"), (List{"src/news/2024/x.hts"}));  // once, however it is reached
  EXPECT_EQ(Expand("src/*/first.hts"), (List{"src/news/first.hts"}));
  EXPECT_EQ(Expand("src/.*.hts"), (List{"src/.lock.hts"}));
  EXPECT_EQ(Expand("src/./news/../a?.hts"), (List{"src/news/../ab.hts"}));
  // A folder named in the pattern is followed even when it is a link.
  EXPECT_EQ(Expand("src/news/loop/a*.hts"), (List{"src/news/loop/a.hts", "src/news/loop/ab.hts"}));
  EXPECT_EQ(Expand("src/*.htm"), List{});
  EXPECT_EQ(Expand("nowhere/*.hts"), List{});
  EXPECT_EQ(Expand("src/a.hts/*"), List{});
  // The system would read this as src/ only, over and over.
  EXPECT_EQ(Expand(std::string("src\0/**/*.hts", 13)), List{});
}

}  // namespace
}  // namespace orv
