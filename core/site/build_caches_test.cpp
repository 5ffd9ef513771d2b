// The caches of a build: the variable index agrees with the lists' own Find
// as the lists change, and the snippet folders are worked out once.
#include "core/site/build_caches.h"

#include <gtest/gtest.h>

#include "platform/folders.h"

namespace orv {
namespace {

// The answer FindVariable must give.
const TUserSetting* Expected(const TUserSettingList& builtin, const TUserSettingList& user, const std::string& name) {
  const TUserSetting* var = builtin.Find(name);
  return var ? var : user.Find(name);
}

TEST(BuildCachesTest, VariableIndexAgreesWithFindAsTheListsChange) {
  BuildCaches caches;
  TUserSettingList builtin, user;
  builtin.Add("SourceDir", "builtin");
  user.Add("SourceDir", "project");
  user.Add("Title", "first");
  user.Add("Title", "second");
  user.Add("title", "lower");
  const std::vector<std::string> names = {"SourceDir", "Title", "title", "New", "Later", "", "TITLE"};
  auto check = [&](const char* when) {
    for (const std::string& name : names)
      EXPECT_EQ(caches.FindVariable(builtin, user, name), Expected(builtin, user, name)) << when << " " << name;
  };
  check("at first");
  user.Add("New", "added while the build runs");
  user.Add("Title", "a third");
  check("after adding");
  user.Delete("Title");
  check("after deleting");
  user.Clear();
  user.Add("Later", "x");
  user.Add("Title", "y");
  user.Add("SourceDir", "z");
  check("after clearing");
  builtin.Add("Later", "builtin later");
  check("after a built-in was added");
  TUserSettingList other;
  other.Add("Title", "other list");
  EXPECT_EQ(caches.FindVariable(builtin, other, "Title"), other.Find("Title"));
}

TEST(BuildCachesTest, SnippetFoldersAreTheDataFolders) {
  BuildCaches caches;
  EXPECT_EQ(caches.SnippetsDir(), DataDir() + "snippets/");
  EXPECT_EQ(caches.SharedSnippetsDir(), SharedDataDir() + "snippets/");
}

}  // namespace
}  // namespace orv
