// The watcher of orvcc --watch on real folders: which changes count, and the
// build's own writes, temporary files and an editor's leftovers that do
// not. inotify queues an event before the call that caused it returns, so
// each change is read at once.
#include "cc/file_watcher.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class FileWatcherTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("orv_watch_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    for (const char* folder : {"src/sub", "src/out", "img", "other", "data", "src/.git"})
      fs::create_directories(dir_ + folder);
    for (const char* file : {"src/a.hts", "src/sub/b.hts", "other/inc.hsn", "other/unrelated.txt", "img/x.png"})
      WriteFileBytes(dir_ + file, "x");
    inputs_.Trees = {dir_ + "src/", dir_ + "img/"};
    inputs_.Files = {dir_ + "src/a.hts", dir_ + "other/inc.hsn", dir_ + "later/deep/inc.hsn"};
    inputs_.Output = dir_ + "src/out/";
    inputs_.Written = {dir_ + "src/out/a.html", dir_ + "src/a.html"};
    inputs_.Ignored = {dir_ + "data/"};
    watcher_.Watch(inputs_);
    ASSERT_FALSE(watcher_.ReadChanges(false));
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Whether `change` made a change that counts, between builds or (with
  // `during_build`) while one ran; what it named is taken.
  bool Counts(const std::function<void()>& change, bool during_build = false) {
    change();
    const bool counted = watcher_.ReadChanges(during_build);
    changed_ = watcher_.TakeChanged();
    return counted;
  }
  void Write(const std::string& file, const std::string& text = "y") { WriteFileBytes(dir_ + file, text); }

  std::string dir_;
  WatchInputs inputs_;
  FileWatcher watcher_;
  std::string changed_;
};

TEST_F(FileWatcherTest, ChangesInTreesAndToInputFilesCount) {
  const struct {
    const char* what;
    std::function<void(const std::string&)> change;
    bool counts;
    const char* named;
  } cases[] = {
      {"a page written", [](const std::string& d) { WriteFileBytes(d + "src/a.hts", "new"); }, true, "src/a.hts"},
      {"a page in a sub-folder", [](const std::string& d) { WriteFileBytes(d + "src/sub/b.hts", "b"); }, true,
       "src/sub/b.hts"},
      {"a new file in a tree", [](const std::string& d) { WriteFileBytes(d + "src/new.hts", "n"); }, true,
       "src/new.hts"},
      {"a file deleted", [](const std::string& d) { fs::remove(d + "src/sub/b.hts"); }, true, "src/sub/b.hts"},
      {"a save by rename",
       [](const std::string& d) {
         WriteFileBytes(d + "other/inc.hsn.new", "v2");
         fs::rename(d + "other/inc.hsn.new", d + "other/inc.hsn");
       },
       true, "other/inc.hsn"},
      {"an image's time touched", [](const std::string& d) { fs::last_write_time(d + "img/x.png", fs::file_time_type::clock::now()); },
       true, "img/x.png"},
      {"another file beside an input", [](const std::string& d) { WriteFileBytes(d + "other/unrelated.txt", "u"); },
       false, ""},
      {"a page the build wrote, changed by someone else",
       [](const std::string& d) { WriteFileBytes(d + "src/out/a.html", "p"); }, true, "src/out/a.html"},
      {"another file in the output folder", [](const std::string& d) { WriteFileBytes(d + "src/out/other.html", "o"); },
       false, ""},
      {"a temporary file of the build",
       [](const std::string& d) {
         WriteFileBytes(d + "src/page.html.~orv123-4", "t");
         fs::remove(d + "src/page.html.~orv123-4");
       },
       false, ""},
      {"the data folder", [](const std::string& d) { WriteFileBytes(d + "data/record", "r"); }, false, ""},
      {"an editor's backup and swap file",
       [](const std::string& d) {
         WriteFileBytes(d + "src/a.hts~", "b");
         WriteFileBytes(d + "src/.a.hts.swp", "s");
       },
       false, ""},
      {"a hidden folder in a tree", [](const std::string& d) { WriteFileBytes(d + "src/.git/index", "i"); }, false,
       ""},
      {"a folder on the way to a missing input", [](const std::string& d) { fs::create_directory(d + "later"); },
       true, "later"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Counts([&] { c.change(dir_); }), c.counts) << c.what;
    EXPECT_EQ(changed_.empty() ? "" : changed_.substr(dir_.size()), c.named) << c.what;
  }
}

TEST_F(FileWatcherTest, NewFoldersAreWatchedAndTheirFilesCount) {
  // A folder made with a file already in it (as a copy or an unpacked
  // archive makes it): the file counts, and later changes in the folder too.
  EXPECT_TRUE(Counts([&] {
    fs::create_directories(dir_ + "src/news");
    Write("src/news/first.hts");
  }));
  EXPECT_TRUE(Counts([&] { Write("src/news/first.hts", "edited"); }));
  EXPECT_EQ(changed_, dir_ + "src/news/first.hts");
  // An empty folder made or removed by the build is no change.
  EXPECT_FALSE(Counts([&] { fs::create_directory(dir_ + "src/empty"); }));
  EXPECT_FALSE(Counts([&] { fs::remove(dir_ + "src/empty"); }));
  // A folder renamed moves its pages: that counts.
  EXPECT_TRUE(Counts([&] { fs::rename(dir_ + "src/news", dir_ + "src/posts"); }));
}

TEST_F(FileWatcherTest, TheBuildsOwnWritesDoNotCount) {
  // What the build wrote is read right after it: its pages are its own, and
  // so are those of the build before (a page removed from the project is
  // deleted by the next build).
  WatchInputs next = inputs_;
  next.Written = {dir_ + "src/out/b.html"};
  watcher_.Watch(next);
  EXPECT_FALSE(Counts([&] { Write("src/out/b.html"); }, true));
  EXPECT_FALSE(Counts([&] { fs::remove(dir_ + "src/out/a.html"); }, true));
  // Between builds a page deleted or changed by someone else is built again.
  EXPECT_TRUE(Counts([&] { fs::remove(dir_ + "src/out/b.html"); }));
  EXPECT_EQ(changed_, dir_ + "src/out/b.html");
}

TEST_F(FileWatcherTest, NewOutputFoldersAreWatchedForPages) {
  WatchInputs next = inputs_;
  next.Written = {dir_ + "src/out/news/a.html"};
  // The build makes the folder and the page in it.
  EXPECT_FALSE(Counts([&] {
    fs::create_directories(dir_ + "src/out/news");
    Write("src/out/news/a.html");
  }, true));
  watcher_.Watch(next);
  EXPECT_FALSE(Counts([&] { Write("src/out/news/notes.txt"); }));
  EXPECT_TRUE(Counts([&] { Write("src/out/news/a.html", "edited"); }));
}

TEST_F(FileWatcherTest, AMissingInputFolderIsFollowedDownToTheFile) {
  EXPECT_TRUE(Counts([&] { fs::create_directories(dir_ + "later/deep"); }));
  watcher_.Watch(inputs_);
  EXPECT_TRUE(Counts([&] { Write("later/deep/inc.hsn"); }));
  EXPECT_EQ(changed_, dir_ + "later/deep/inc.hsn");
}

TEST_F(FileWatcherTest, ATreeThatGoesAwayCountsAndIsWatchedAgainWhenBack) {
  EXPECT_TRUE(Counts([&] { fs::remove_all(dir_ + "img"); }));
  fs::create_directories(dir_ + "img");
  watcher_.Watch(inputs_);
  EXPECT_TRUE(Counts([&] { Write("img/y.png"); }));
}

// orvcc --watch 2> src/build.log: the log is no input, or every line the
// build printed would start another build.
TEST_F(FileWatcherTest, TheFileStandardErrorGoesToDoesNotCount) {
  const std::string log = dir_ + "src/build.log";
  const int saved = ::dup(STDERR_FILENO);
  const int file = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(file, 0);
  ::dup2(file, STDERR_FILENO);
  ::close(file);
  const std::vector<std::string> own = OwnOutputFiles();
  ::dup2(saved, STDERR_FILENO);
  ::close(saved);
  EXPECT_EQ(own, std::vector<std::string>{log});

  WatchInputs next = inputs_;
  next.Ignored.insert(next.Ignored.end(), own.begin(), own.end());
  watcher_.Watch(next);
  EXPECT_FALSE(Counts([&] { Write("src/build.log", "1 page: 1 built, 0 up to date\n"); }));
  EXPECT_TRUE(Counts([&] { Write("src/a.hts", "edited"); }));
}

TEST_F(FileWatcherTest, ASaveThatEndedIsTold) {
  // Each change gives the descriptor it leaves open (-1: none), closed once
  // the watcher has read what happened.
  const struct {
    const char* what;
    std::function<int(const std::string&)> change;
    bool ended;
  } cases[] = {
      {"written and closed", [](const std::string& d) { WriteFileBytes(d + "src/a.hts", "new"); return -1; }, true},
      {"renamed into place",
       [](const std::string& d) {
         WriteFileBytes(d + "src/a.hts.new", "v2");
         fs::rename(d + "src/a.hts.new", d + "src/a.hts");
         return -1;
       },
       true},
      {"still open for writing",
       [](const std::string& d) {
         const int fd = ::open((d + "src/a.hts").c_str(), O_WRONLY | O_APPEND);
         if (fd >= 0 && ::write(fd, "+", 1) != 1) ADD_FAILURE() << "cannot write";
         return fd;
       },
       false},
      {"deleted", [](const std::string& d) { fs::remove(d + "src/sub/b.hts"); return -1; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int open_fd = -1;
    ASSERT_TRUE(Counts([&] { open_fd = c.change(dir_); }));
    EXPECT_EQ(watcher_.LastChangeEndedASave(), c.ended);
    if (open_fd >= 0) ::close(open_fd);
    watcher_.ReadChanges(false);
  }
}

}  // namespace
}  // namespace orv
