// UnchangedFiles on real folders: when the word "unchanged" is given, and
// every kind of change that must take it back — through another name of the
// file, by a save that renames, in a folder on the way — before the next
// build. inotify queues an event before the call that caused it returns.
#include "cc/unchanged_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class UnchangedFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("orv_unchanged_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    for (const char* folder : {"site/src/sub", "elsewhere", "linked"}) fs::create_directories(dir_ + folder);
    for (const char* file : {"site/src/a.hts", "site/src/sub/b.hsn", "linked/c.hsn"}) WriteFileBytes(dir_ + file, "x");
    fs::create_hard_link(dir_ + "site/src/a.hts", dir_ + "elsewhere/a-link.hts");
    fs::create_directory_symlink(dir_ + "linked", dir_ + "site/src/through");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A build that depends on the files of the site: it begins, and its
  // inputs are followed afterwards.
  void Build() { Build(unchanged_); }
  void Build(UnchangedFiles& unchanged) {
    unchanged.BuildBegins();
    for (const char* file : {"site/src/a.hts", "site/src/sub/b.hsn", "site/src/missing.hsn",
                             "site/src/gone/deep.hsn", "site/src/through/c.hsn"})
      unchanged.Follow(file, dir_ + file);
  }
  bool Unchanged(const char* file) const { return unchanged_.Unchanged(file); }

  std::string dir_;
  UnchangedFiles unchanged_;
};

TEST_F(UnchangedFilesTest, AFileIsVouchedForOnceWatchedThroughAWholeBuild) {
  Build();
  EXPECT_FALSE(Unchanged("site/src/a.hts"));
  // Followed after the first build: the second build found what the files
  // held with the watches in place.
  Build();
  EXPECT_FALSE(Unchanged("site/src/a.hts"));
  unchanged_.BuildBegins();
  EXPECT_TRUE(Unchanged("site/src/a.hts"));
  EXPECT_TRUE(Unchanged("site/src/sub/b.hsn"));
  EXPECT_TRUE(Unchanged("site/src/missing.hsn"));
  EXPECT_TRUE(Unchanged("site/src/gone/deep.hsn"));
  // A path through a symbolic link is looked at every time.
  EXPECT_FALSE(Unchanged("site/src/through/c.hsn"));
  EXPECT_FALSE(Unchanged("site/src/never-followed.hts"));
}

TEST_F(UnchangedFilesTest, EveryChangeTakesTheWordBack) {
  const struct {
    const char* what;
    std::function<void(const std::string&)> change;
    const char* changed;
    bool others_kept;  // the other files are still vouched for
  } cases[] = {
      {"written", [](const std::string& d) { WriteFileBytes(d + "site/src/a.hts", "new"); }, "site/src/a.hts", true},
      {"written through a hard link in a folder not watched",
       [](const std::string& d) {
         const int fd = ::open((d + "elsewhere/a-link.hts").c_str(), O_WRONLY | O_APPEND);
         ASSERT_GE(fd, 0);
         ASSERT_EQ(::write(fd, "+", 1), 1);
         ::close(fd);
       },
       "site/src/a.hts", true},
      {"saved by rename",
       [](const std::string& d) {
         WriteFileBytes(d + "site/src/sub/b.hsn.new", "v2");
         fs::rename(d + "site/src/sub/b.hsn.new", d + "site/src/sub/b.hsn");
       },
       "site/src/sub/b.hsn", true},
      {"its time touched",
       [](const std::string& d) { fs::last_write_time(d + "site/src/a.hts", fs::file_time_type::clock::now()); },
       "site/src/a.hts", true},
      {"made unreadable", [](const std::string& d) { ::chmod((d + "site/src/a.hts").c_str(), 0); }, "site/src/a.hts",
       true},
      {"deleted", [](const std::string& d) { fs::remove(d + "site/src/a.hts"); }, "site/src/a.hts", true},
      {"a missing file made", [](const std::string& d) { WriteFileBytes(d + "site/src/missing.hsn", "m"); },
       "site/src/missing.hsn", true},
      {"a missing folder made", [](const std::string& d) { fs::create_directory(d + "site/src/gone"); },
       "site/src/gone/deep.hsn", false},
      {"a folder on the way replaced",
       [](const std::string& d) {
         fs::rename(d + "site/src/sub", d + "site/src/sub.old");
         fs::create_directory(d + "site/src/sub");
         WriteFileBytes(d + "site/src/sub/b.hsn", "x");
       },
       "site/src/sub/b.hsn", false},
      {"a folder above the site renamed",
       [](const std::string& d) {
         fs::rename(d + "site", d + "site.old");
         fs::create_directories(d + "site/src/sub");
       },
       "site/src/a.hts", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    UnchangedFiles unchanged;
    Build(unchanged);
    Build(unchanged);
    unchanged.BuildBegins();
    ASSERT_TRUE(unchanged.Unchanged(c.changed));
    c.change(dir_);
    unchanged.BuildBegins();
    EXPECT_FALSE(unchanged.Unchanged(c.changed));
    const char* other = std::string(c.changed) == "site/src/missing.hsn" ? "site/src/a.hts" : "site/src/missing.hsn";
    EXPECT_EQ(unchanged.Unchanged(other), c.others_kept);
  }
}

TEST_F(UnchangedFilesTest, AChangedFileIsVouchedForAgainAfterABuildFoundItsNewState) {
  Build();
  Build();
  WriteFileBytes(dir_ + "site/src/a.hts", "new");
  Build();  // sees the change, finds the new state
  EXPECT_FALSE(Unchanged("site/src/a.hts"));
  Build();
  EXPECT_TRUE(Unchanged("site/src/a.hts"));
}

}  // namespace
}  // namespace orv
