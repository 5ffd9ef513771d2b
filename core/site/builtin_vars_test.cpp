#include "core/site/builtin_vars.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(RootPathTest, FromThePageToTheOutputFolder) {
  const struct {
    const char* output_dir;
    const char* out_file;
    const char* root_path;
  } cases[] = {
      {"/site/out", "/site/out/index.html", ""},
      {"/site/out/", "/site/out/index.html", ""},
      {"/site/out", "/site/out/news/a.html", "../"},
      {"/site/out/", "/site/out/news/2024/a.html", "../../"},
      {"/site/out", "/site/out/./news//a.html", "../"},
      {"/site/out", "/site/src/a.htm", "../out/"},  // a preview beside its source
      {"/site/out", "/site/src/news/a.htm", "../../out/"},
      {"/", "/a.html", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RootPathOf(c.output_dir, c.out_file), c.root_path) << c.out_file;
}

}  // namespace
}  // namespace orv
