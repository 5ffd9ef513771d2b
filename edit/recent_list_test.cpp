#include "edit/recent_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"

namespace orv::edit {
namespace {

TEST(RecentListTest, NewestFirstWithoutRepeatsUpToTheCapacity) {
  const std::string file =
      std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/recent_test.ini";
  std::filesystem::remove(file);
  RecentList files(file, "Recent Files", 3);
  RecentList projects(file, "Recent Projects", 3);
  EXPECT_TRUE(files.Items().empty());
  for (const char* path : {"/a", "/b", "/c", "/b", "/d"}) files.Add(path);
  projects.Add("/p.orv");
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"/d", "/b", "/c"}));
  EXPECT_EQ(RecentList(file, "recent files", 3).Items(), files.Items());
  files.Remove("/b");
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"/d", "/c"}));
  EXPECT_EQ(projects.Items(), (std::vector<std::string>{"/p.orv"}));
  // A file edited by hand: empty and repeated entries are left out.
  WriteFileBytes(file, "[Recent Files]\n1=/x\n2=\n3=/x\n4=/y\n");
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"/x", "/y"}));
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace orv::edit
