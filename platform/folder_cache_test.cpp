#include "platform/folder_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/test_folder.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own under ORV_HOME (or /tmp).
class FolderCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ + "src");
    fs::create_directories(dir_ + "out");
  }

  // The names in `folder`.
  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ + folder)) names.insert(entry.path().filename().string());
    return names;
  }

  test::TestFolder folder_{"folder-cache-" + std::to_string(::getpid())};
  const std::string dir_ = folder_.Path();
};

TEST_F(FolderCacheTest, WritesNewAndExistingPagesWholeAndLeavesNothingElse) {
  TFolderCache folders;
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/a.html", "first a"));
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/b.html", "first b"));
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/a.html", "second a"));  // replaces
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/c.html", ""));          // after a replacement
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/b.html", "second b"));
  EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "second a");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/b.html"), "second b");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/c.html"), "");
  EXPECT_EQ(Names("out"), (std::set<std::string>{"a.html", "b.html", "c.html"}));
  // New files get the usual permissions (not those of a temporary file).
  struct stat st {};
  ASSERT_EQ(::stat((dir_ + "out/c.html").c_str(), &st), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
  // A folder that does not exist is a failure that leaves nothing behind.
  EXPECT_FALSE(folders.WriteFileAtomic(dir_ + "missing/d.html", "x"));
  EXPECT_FALSE(fs::exists(dir_ + "missing"));
}

// The stamp a write gives is the one the file has once it is in place, for
// a new name, a taken one, after a replacement and through the path when
// the folder is not held: a later look at the file finds it unchanged.
TEST_F(FolderCacheTest, AWriteStampsTheFileAsItIsInPlace) {
  TFolderCache folders;
  const std::string writes[] = {"out/a.html", "out/b.html", "out/a.html", "out/c.html", "src/d.html", "out/c.html"};
  for (const std::string& name : writes) {
    SCOPED_TRACE(name);
    FileStamp written{}, now{};
    ASSERT_TRUE(folders.WriteFileAtomic(dir_ + name, "text of " + name, &written));
    ASSERT_TRUE(StatFile(dir_ + name, now));
    EXPECT_EQ(written, now);
    EXPECT_EQ(written.size, static_cast<long long>(("text of " + name).size()));
  }
  FileStamp by_path{}, now{};
  ASSERT_TRUE(WriteFileAtomicAt(AT_FDCWD, dir_ + "out/e.html", "e", false, &by_path) != AtomicWrite::kFailed);
  ASSERT_TRUE(StatFile(dir_ + "out/e.html", now));
  EXPECT_EQ(by_path, now);
  ASSERT_TRUE(WriteFileAtomicAt(AT_FDCWD, dir_ + "out/e.html", "ee", true, &by_path) != AtomicWrite::kFailed);
  ASSERT_TRUE(StatFile(dir_ + "out/e.html", now));
  EXPECT_EQ(by_path, now);
}

// Written into the open folder directly, each way of making the file
// visible gives the same file.
TEST_F(FolderCacheTest, EveryWayOfNamingTheFileGivesTheSameFile) {
  const int folder = ::open((dir_ + "out").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  const AtomicWrite fresh = WriteFileAtomicAt(folder, "new.html", "one", false);
  EXPECT_NE(fresh, AtomicWrite::kFailed);  // named where the system allows it, renamed otherwise
  EXPECT_EQ(WriteFileAtomicAt(folder, "new.html", "two", false), AtomicWrite::kReplaced);  // the name was taken
  EXPECT_EQ(WriteFileAtomicAt(folder, "new.html", "three", true), AtomicWrite::kReplaced);
  EXPECT_EQ(WriteFileAtomicAt(folder, "other.html", "four", true), AtomicWrite::kReplaced);
  EXPECT_EQ(WriteFileAtomicAt(folder, "no/such.html", "x", false), AtomicWrite::kFailed);
  ::close(folder);
  EXPECT_EQ(ReadFileBytes(dir_ + "out/new.html"), "three");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/other.html"), "four");
  EXPECT_EQ(Names("out"), (std::set<std::string>{"new.html", "other.html"}));
  // The path form works the same way relative to the working folder.
  EXPECT_TRUE(WriteFileAtomic(dir_ + "out/path.html", "five"));
  EXPECT_EQ(ReadFileBytes(dir_ + "out/path.html"), "five");
}

TEST_F(FolderCacheTest, ReadsRegularFilesOnly) {
  WriteFileBytes(dir_ + "src/page.hts", "text");
  ASSERT_EQ(::mkfifo((dir_ + "src/pipe.hts").c_str(), 0600), 0);
  fs::create_directories(dir_ + "src/folder.hts");
  TFolderCache folders;
  std::string bytes;
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/page.hts", bytes), FileRead::Read);
  EXPECT_EQ(bytes, "text");
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/missing.hts", bytes), FileRead::NoFile);
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/pipe.hts", bytes), FileRead::NoFile);
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/folder.hts", bytes), FileRead::NoFile);
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/", bytes), FileRead::NoFile);
  EXPECT_EQ(folders.ReadRegularFile("", bytes), FileRead::NoFile);
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/page.hts", bytes), FileRead::Read);
  EXPECT_EQ(bytes, "text");
}

// A folder removed and made again while it is held is found again by its
// path; one renamed is found by its path once the cache forgets it.
TEST_F(FolderCacheTest, FoldersThatMovedAreFoundAgain) {
  TFolderCache folders;
  std::string bytes;
  WriteFileBytes(dir_ + "src/page.hts", "old text");
  ASSERT_EQ(folders.ReadRegularFile(dir_ + "src/page.hts", bytes), FileRead::Read);
  ASSERT_TRUE(folders.WriteFileAtomic(dir_ + "out/page.html", "old page"));

  fs::remove_all(dir_ + "src");
  fs::remove_all(dir_ + "out");
  fs::create_directories(dir_ + "src");
  fs::create_directories(dir_ + "out");
  WriteFileBytes(dir_ + "src/page.hts", "new text");
  EXPECT_EQ(folders.ReadRegularFile(dir_ + "src/page.hts", bytes), FileRead::Read);
  EXPECT_EQ(bytes, "new text");
  EXPECT_TRUE(folders.WriteFileAtomic(dir_ + "out/page.html", "new page"));
  EXPECT_EQ(ReadFileBytes(dir_ + "out/page.html"), "new page");

  fs::rename(dir_ + "out", dir_ + "moved");
  fs::create_directories(dir_ + "out");
  folders.Forget();
  EXPECT_TRUE(folders.WriteFileAtomic(dir_ + "out/page.html", "newest page"));
  EXPECT_EQ(ReadFileBytes(dir_ + "out/page.html"), "newest page");
  EXPECT_EQ(ReadFileBytes(dir_ + "moved/page.html"), "new page");
}

}  // namespace
}  // namespace orv
