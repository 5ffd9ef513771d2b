#include "platform/staging_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/test_folder.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class StagingFolderTest : public ::testing::Test {
 protected:
  // Every file below `folder`, by its path there, with its contents.
  static std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
    return files;
  }
  // The names in the project folder.
  std::map<std::string, bool> Names() const {
    std::map<std::string, bool> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names[entry.path().filename().string()] = entry.is_directory();
    return names;
  }
  void Put(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteFileBytes(path, text);
  }

  test::TestFolder folder_{"staging-folder-" + std::to_string(::getpid())};
  const std::string dir_ = folder_.Path();
  const std::string out_ = dir_ + "out";
};

TEST_F(StagingFolderTest, StandsInOnlyForAFolderThatIsMissingWhereItCouldBe) {
  fs::create_directories(dir_ + "there");
  for (const std::string& target : {dir_ + "there", dir_ + "no/such/out", std::string(), std::string("/")}) {
    StagingFolder staging;
    EXPECT_FALSE(staging.Begin(target)) << target;
    EXPECT_FALSE(staging.Active());
  }
  EXPECT_EQ(Names(), (std::map<std::string, bool>{{"there", true}})) << "nothing made";

  StagingFolder staging;
  ASSERT_TRUE(staging.Begin(out_ + "/"));
  EXPECT_EQ(staging.Hidden(), dir_ + ".out.orv-" + std::to_string(::getpid()) + "-0");
  EXPECT_TRUE(fs::is_directory(staging.Hidden()));
  EXPECT_FALSE(fs::exists(out_));
  StagingFolder second;
  ASSERT_TRUE(second.Begin(out_)) << "another stand-in of this process gets the next name";
  EXPECT_EQ(second.Hidden(), dir_ + ".out.orv-" + std::to_string(::getpid()) + "-1");
}

TEST_F(StagingFolderTest, RedirectsWhatLiesInTheTargetAndCoversWhatALookWouldSeeDifferently) {
  StagingFolder staging;
  ASSERT_TRUE(staging.Begin(out_));
  const std::string& hidden = staging.Hidden();
  EXPECT_EQ(staging.Redirect(out_ + "/a.html"), hidden + "/a.html");
  EXPECT_EQ(staging.Redirect(out_ + "/sub/b.html"), hidden + "/sub/b.html");
  EXPECT_EQ(staging.Redirect(out_), hidden);
  EXPECT_EQ(staging.Redirect(out_ + "-old/a.html"), out_ + "-old/a.html");
  EXPECT_EQ(staging.Redirect(dir_ + "src/a.hts"), dir_ + "src/a.hts");

  const std::string relative = fs::relative(out_ + "/x.html", fs::current_path()).string();
  const struct {
    std::string path;
    bool covered;
  } cases[] = {
      {out_, true},           {out_ + "/", true},       {out_ + "/sub/x.html", true}, {out_ + "/../out/x", true},
      {dir_, true},           {"/", true},              {relative, true},             {out_ + "-old/x", false},
      {dir_ + "src/a.hts", false}, {dir_ + "outer", false}, {hidden + "/x", false},       {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(staging.Covers(c.path), c.covered) << c.path;
  staging.Publish();
  EXPECT_FALSE(staging.Covers(out_)) << "nothing is covered once published";
  EXPECT_EQ(staging.Redirect(out_ + "/a.html"), out_ + "/a.html");
}

TEST_F(StagingFolderTest, PublishingGivesTheFolderItsName) {
  StagingFolder staging;
  ASSERT_TRUE(staging.Begin(out_));
  Put(staging.Redirect(out_ + "/a.html"), "A");
  Put(staging.Redirect(out_ + "/sub/deeper/b.html"), "B");
  staging.Publish();
  EXPECT_FALSE(staging.Active());
  EXPECT_EQ(Files(out_), (std::map<std::string, std::string>{{"a.html", "A"}, {"sub/deeper/b.html", "B"}}));
  EXPECT_EQ(Names(), (std::map<std::string, bool>{{"out", true}})) << "the hidden folder is gone";
  staging.Publish();
  EXPECT_TRUE(fs::exists(out_ + "/a.html")) << "publishing again does nothing";
}

// When the output folder was made while the pages were written, the pages
// join what is there: a file of the same name is replaced, the rest stays.
TEST_F(StagingFolderTest, PublishingIntoAFolderMadeMeanwhileMovesEachFile) {
  StagingFolder staging;
  ASSERT_TRUE(staging.Begin(out_));
  Put(staging.Redirect(out_ + "/a.html"), "new A");
  Put(staging.Redirect(out_ + "/sub/b.html"), "B");
  Put(staging.Redirect(out_ + "/fresh/c.html"), "C");
  Put(out_ + "/a.html", "old A");
  Put(out_ + "/keep.html", "K");
  Put(out_ + "/sub/old.html", "O");
  staging.Publish();
  EXPECT_EQ(Files(out_), (std::map<std::string, std::string>{{"a.html", "new A"},
                                                             {"fresh/c.html", "C"},
                                                             {"keep.html", "K"},
                                                             {"sub/b.html", "B"},
                                                             {"sub/old.html", "O"}}));
  EXPECT_EQ(Names(), (std::map<std::string, bool>{{"out", true}}));
}

// A page that cannot take its place is not lost: it stays in the hidden
// folder, which the error names, while the others are moved.
TEST_F(StagingFolderTest, APageThatCannotBeMovedStaysHiddenAndIsReported) {
  StagingFolder staging;
  ASSERT_TRUE(staging.Begin(out_));
  const std::string hidden = staging.Hidden();
  Put(staging.Redirect(out_ + "/x"), "page x");
  Put(staging.Redirect(out_ + "/y.html"), "Y");
  fs::create_directories(out_ + "/x/taken");
  try {
    staging.Publish();
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + hidden + "\""), std::string::npos) << e.what();
  }
  EXPECT_FALSE(staging.Active());
  EXPECT_EQ(Files(hidden), (std::map<std::string, std::string>{{"x", "page x"}}));
  EXPECT_EQ(Files(out_), (std::map<std::string, std::string>{{"y.html", "Y"}}));
}

}  // namespace
}  // namespace orv
