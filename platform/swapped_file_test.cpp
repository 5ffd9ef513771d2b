#include "platform/swapped_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/test_folder.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class SwappedFileTest : public testing::Test {
 protected:

  static std::string Read(const std::string& path) {
    std::string bytes;
    return ReadRegularFile(path, bytes) == FileRead::Read ? bytes : "(unread)";
  }
  static ino_t Inode(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
  }

  test::TestFolder folder_{"swapped_file_test"};
  const std::string dir_ = folder_.Path();
  const std::string path_ = dir_ + "record.rec";
};

// The spare and the file trade places: the old contents become the spare,
// no file is made or freed after the first two writes, and a shorter write
// leaves nothing of a longer one.
TEST_F(SwappedFileTest, TheFileAndItsSpareTradePlaces) {
  ASSERT_TRUE(WriteFileSwapped(path_, "first, the longest of the three"));
  EXPECT_EQ(Read(path_), "first, the longest of the three");
  EXPECT_FALSE(fs::exists(SpareFileOf(path_)));

  ASSERT_TRUE(WriteFileSwapped(path_, "second"));
  EXPECT_EQ(Read(path_), "second");
  EXPECT_EQ(Read(SpareFileOf(path_)), "first, the longest of the three");
  const ino_t second = Inode(path_), first = Inode(SpareFileOf(path_));

  ASSERT_TRUE(WriteFileSwapped(path_, "third"));
  EXPECT_EQ(Read(path_), "third");
  EXPECT_EQ(Read(SpareFileOf(path_)), "second");
  EXPECT_EQ(Inode(path_), first);
  EXPECT_EQ(Inode(SpareFileOf(path_)), second);

  ASSERT_TRUE(WriteFileSwapped(path_, ""));
  EXPECT_EQ(Read(path_), "");
}

// A spare that is not a plain file of its own is left alone: the file is
// written as any atomic write does, and what the spare points to or holds
// is untouched.
TEST_F(SwappedFileTest, ASpareThatIsNotAPlainFileIsLeftAlone) {
  struct Case {
    const char* what;
    void (*make)(const std::string& spare, const std::string& other);
  };
  const Case cases[] = {
      {"a symbolic link", [](const std::string& spare, const std::string& other) { fs::create_symlink(other, spare); }},
      {"a hard link", [](const std::string& spare, const std::string& other) { fs::create_hard_link(other, spare); }},
      {"a folder", [](const std::string& spare, const std::string&) { fs::create_directory(spare); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(SpareFileOf(path_));
    const std::string other = dir_ + "other.txt";
    WriteFileBytes(other, "someone else's");
    WriteFileBytes(path_, "old");
    c.make(SpareFileOf(path_), other);
    ASSERT_TRUE(WriteFileSwapped(path_, "new"));
    EXPECT_EQ(Read(path_), "new");
    EXPECT_EQ(Read(other), "someone else's");
    EXPECT_TRUE(fs::exists(fs::symlink_status(SpareFileOf(path_))));
    fs::remove(other);
  }
}

TEST_F(SwappedFileTest, AFileThatCannotBeWrittenIsAFailure) {
  EXPECT_FALSE(WriteFileSwapped(dir_ + "missing/record.rec", "bytes"));
  EXPECT_FALSE(WriteFileSwapped(std::string("bad\0name", 8), "bytes"));
  fs::create_directory(path_);
  EXPECT_FALSE(WriteFileSwapped(path_, "bytes"));
  EXPECT_TRUE(fs::is_directory(path_));
}

// Writers at once (each with its own descriptors, as separate processes
// would have): every write completes, and the file ends whole, holding one
// of the writes; so does its spare.
TEST_F(SwappedFileTest, WritersAtOnceEachLeaveAWholeFile) {
  constexpr int kWriters = 4, kWrites = 50;
  std::set<std::string> written;
  for (int w = 0; w < kWriters; ++w)
    for (int i = 0; i < kWrites; ++i) written.insert(std::string(1000 + 37 * w + i, static_cast<char>('a' + w)));
  std::vector<std::thread> writers;
  std::vector<int> failures(kWriters, 0);
  for (int w = 0; w < kWriters; ++w)
    writers.emplace_back([&, w] {
      for (int i = 0; i < kWrites; ++i)
        if (!WriteFileSwapped(path_, std::string(1000 + 37 * w + i, static_cast<char>('a' + w)))) ++failures[w];
    });
  for (std::thread& writer : writers) writer.join();
  EXPECT_EQ(failures, std::vector<int>(kWriters, 0));
  EXPECT_EQ(written.count(Read(path_)), 1u);
  EXPECT_EQ(written.count(Read(SpareFileOf(path_))), 1u);
}

}  // namespace
}  // namespace orv
