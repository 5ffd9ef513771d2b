#include "platform/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/test_folder.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class ReplacingFileTest : public testing::Test {
 protected:
  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TestFolder folder_{"replacing_file_test"};
  const std::string dir_ = folder_.Path();
};

TEST_F(ReplacingFileTest, TheOldFileStaysUntilTheNewOneIsCommitted) {
  WriteFileBytes(dir_ + "page.html", "old");
  ::chmod((dir_ + "page.html").c_str(), 0640);
  {
    TReplacingFile file(dir_ + "page.html");
    file.Stream() << "new content";
    EXPECT_EQ(file.Size(), 11);
    EXPECT_EQ(ReadFileBytes(dir_ + "page.html"), "old");
    EXPECT_EQ(Names().size(), 2u) << "the new version is written beside the old one";
    file.Commit();
  }
  EXPECT_EQ(ReadFileBytes(dir_ + "page.html"), "new content");
  EXPECT_EQ(Names(), std::vector<std::string>{"page.html"});
  struct stat st;
  ASSERT_EQ(::stat((dir_ + "page.html").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
}

TEST_F(ReplacingFileTest, WithoutCommitNothingChanges) {
  WriteFileBytes(dir_ + "keep.html", "keep");
  {
    TReplacingFile file(dir_ + "keep.html");
    file.Stream() << "half a page";
  }
  { TReplacingFile fresh(dir_ + "fresh.html"); }
  EXPECT_EQ(ReadFileBytes(dir_ + "keep.html"), "keep");
  EXPECT_EQ(Names(), std::vector<std::string>{"keep.html"}) << "no temporary file and no new file is left";
}

TEST_F(ReplacingFileTest, ALinkIsFollowed) {
  WriteFileBytes(dir_ + "real.html", "old");
  fs::create_symlink(dir_ + "real.html", dir_ + "link.html");
  TReplacingFile file(dir_ + "link.html");
  file.Stream() << "new";
  file.Commit();
  EXPECT_TRUE(fs::is_symlink(dir_ + "link.html"));
  EXPECT_EQ(ReadFileBytes(dir_ + "real.html"), "new");
}

TEST_F(ReplacingFileTest, NamesThatCannotBeWrittenFailAtOnce) {
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {dir_, "Is a directory"},
      {dir_ + "missing/page.html", "No such file or directory"},
      {"", "No such file or directory"},
  };
  for (const auto& c : cases) {
    try {
      TReplacingFile file(c.path);
      ADD_FAILURE() << c.path << " was accepted";
    } catch (const EInOutError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + c.path + "\". " + c.reason);
    }
  }
  EXPECT_TRUE(Names().empty());
}

}  // namespace
}  // namespace orv
