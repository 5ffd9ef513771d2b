#include "platform/paths.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(PathsTest, SplitsAndJoins) {
  struct Case { const char* path; const char* dir; const char* name; const char* ext; };
  const Case cases[] = {
      {"/site/src/a.hts", "/site/src/", "a.hts", ".hts"},
      {"a.tar.gz", "", "a.tar.gz", ".gz"},
      {"/site/v1.2/readme", "/site/v1.2/", "readme", ""},
      {"/site/", "/site/", "", ""},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.dir) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
  }
}

TEST(PathsTest, ChangesExtensionOfLastElementOnly) {
  EXPECT_EQ(ChangeFileExt("/s/a.hts", ".html"), "/s/a.html");
  EXPECT_EQ(ChangeFileExt("/s.d/a", ".html"), "/s.d/a.html");
  EXPECT_EQ(ChangeFileExt("/s/a.b.c", ""), "/s/a.b");
}

TEST(PathsTest, TrailingSlash) {
  EXPECT_EQ(IncludeTrailingSlash("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingSlash("/a/"), "/a/");
  EXPECT_EQ(IncludeTrailingSlash(""), "");
  EXPECT_EQ(ExcludeTrailingSlash("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingSlash("/"), "/");
}

TEST(PathsTest, CaseFoldingIsAsciiOnly) {
  EXPECT_EQ(UpperCase("abc\xe9z"), "ABC\xe9Z");
  EXPECT_EQ(LowerCase("ABC\xc9Z"), "abc\xc9z");
  EXPECT_TRUE(SameText("TStrings.Add", "TSTRINGS.ADD"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_FALSE(SameText("\xe9", "\xc9"));
}

}  // namespace
}  // namespace orv
