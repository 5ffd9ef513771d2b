// The caches of a build: the variable index agrees with the lists' own Find
// as the lists change, kept files are read again when they may have changed
// (a new stamp, or a recent stamp and a script or command run since), and
// the snippet folders are the data folders'.
#include "core/site/build_caches.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/files.h"
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

// Writes `text` to `path` with a modification time of an hour before the
// test started.
FileStamp WriteOld(const std::string& path, const std::string& text) {
  static const auto hour_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  WriteFileBytes(path, text);
  std::filesystem::last_write_time(path, hour_ago);
  FileStamp stamp;
  EXPECT_TRUE(StatFile(path, stamp));
  return stamp;
}

TEST(BuildCachesTest, AFileWithANewStampIsReadAgain) {
  const std::string path = DataDir() + "cached include.hsn";
  BuildCaches caches;
  FileStamp stamp = WriteOld(path, "old text");
  EXPECT_EQ(caches.IncludeText(path, stamp), "old text\r\n");
  // Same size and modification time: the status-change time and the inode
  // (a new file behind the name) still tell that it changed.
  FileStamp rewritten = WriteOld(path, "new text");
  EXPECT_EQ(rewritten.mtime_ns, stamp.mtime_ns);
  EXPECT_NE(rewritten, stamp);
  EXPECT_EQ(caches.IncludeText(path, rewritten), "new text\r\n");
  std::filesystem::remove(path);
}

// A rewrite within the clock tick of the last one leaves the stamp as it
// was: each case reads a file, rewrites it with text of the same size, and
// asks again with the first stamp, as the file system would give it.
TEST(BuildCachesTest, AnUnchangedStampStandsUntilOutsideCodeRunsUnlessItIsSettled) {
  struct Case {
    const char* name;
    bool old;                 // modified an hour before
    const char* before_code;  // the text given before OutsideCodeRuns
    const char* after_code;   // and after it
    bool settled;
  } cases[] = {
      {"recent.hsn", false, "first\r\n", "again\r\n", false},
      {"recent.txt", false, "first\r\n", "again\r\n", false},
      // The build writes pages of these kinds.
      {"recent.htm", false, "again\r\n", "again\r\n", false},
      {"recent.HTML", false, "again\r\n", "again\r\n", false},
      // A settled stamp moves with any change.
      {"old.hsn", true, "first\r\n", "first\r\n", true},
      {"old.html", true, "first\r\n", "first\r\n", true},
  };
  for (const Case& c : cases) {
    const std::string path = DataDir() + c.name;
    BuildCaches caches;
    FileStamp stamp;
    if (c.old) {
      stamp = WriteOld(path, "first");
    } else {
      WriteFileBytes(path, "first");
      ASSERT_TRUE(StatFile(path, stamp));
    }
    bool settled = !c.settled;
    EXPECT_EQ(caches.IncludeText(path, stamp, &settled), "first\r\n") << c.name;
    EXPECT_EQ(settled, c.settled) << c.name;
    WriteFileBytes(path, "again");
    settled = !c.settled;
    EXPECT_EQ(caches.IncludeText(path, stamp, &settled), c.before_code) << c.name;
    EXPECT_EQ(settled, c.settled) << c.name;
    caches.OutsideCodeRuns();
    EXPECT_EQ(caches.IncludeText(path, stamp), c.after_code) << c.name;
    std::filesystem::remove(path);
  }
}

TEST(BuildCachesTest, ImagesAreMeasuredOncePerStamp) {
  const std::string path = DataDir() + "cached image.gif";
  BuildCaches caches;
  int measured = 0;
  auto measure = [&measured](const std::string&) {
    ++measured;
    return std::optional<TImageSize>(TImageSize{static_cast<uint32_t>(measured), 1});
  };
  FileStamp stamp = WriteOld(path, "GIF");
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 1u);
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 1u);
  stamp = WriteOld(path, "GIF, longer");
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 2u);
  caches.OutsideCodeRuns();
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 2u);
  // A recent image is measured again only after outside code ran.
  WriteFileBytes(path, "GIF, recent");
  ASSERT_TRUE(StatFile(path, stamp));
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 3u);
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 3u);
  caches.OutsideCodeRuns();
  EXPECT_EQ(caches.ImageSize(path, stamp, measure)->Width, 4u);
  std::filesystem::remove(path);
}

TEST(BuildCachesTest, SnippetFoldersAreTheDataFolders) {
  BuildCaches caches;
  EXPECT_EQ(caches.SnippetsDir(), DataDir() + "snippets/");
  EXPECT_EQ(caches.SharedSnippetsDir(), SharedDataDir() + "snippets/");
}

}  // namespace
}  // namespace orv
