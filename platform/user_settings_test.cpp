#include "platform/user_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/exception.h"
#include "platform/files.h"

namespace orv {
namespace {

std::string Le32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
  return s;
}

std::string Record(const std::string& name, const std::string& value) {
  return Le32(static_cast<uint32_t>(name.size())) + name + Le32(static_cast<uint32_t>(value.size())) + value;
}

TEST(UserSettingListTest, FindIsExactAndFirstMatch) {
  TUserSettingList list;
  list.Add("Title", "first");
  list.Add("title", "lower");
  list.Add("Title", "second");
  ASSERT_NE(list.Find("Title"), nullptr);
  EXPECT_EQ(list.Find("Title")->Value, "first");
  EXPECT_EQ(list.Find("title")->Value, "lower");
  EXPECT_EQ(list.Find("TITLE"), nullptr);
  EXPECT_EQ(list.Find("Title")->Owner, &list);
}

TEST(UserSettingListTest, DeleteRemovesFirstOfNameOnly) {
  TUserSettingList list;
  list.Add("a", "1");
  list.Add("b", "2");
  list.Add("a", "3");
  list.Delete("a");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0).Name, "b");
  EXPECT_EQ(list.Find("a")->Value, "3");
  list.Delete("missing");
  EXPECT_EQ(list.Count(), 2);
}

TEST(UserSettingListTest, FileLayoutIsExact) {
  TUserSettingList list;
  list.Add("Tool", "/usr/bin/x");
  list.Add("", "");
  EXPECT_EQ(list.SaveToBytes(), Le32(2) + Record("Tool", "/usr/bin/x") + Record("", ""));
}

TEST(UserSettingListTest, RoundTripThroughFile) {
  std::string path = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/round.dat";
  TUserSettingList list;
  list.Add("n\xc3\xa9me with blank", "v\r\nline");
  list.Add("second", std::string(1000, 'x'));
  list.SaveToFile(path);
  TUserSettingList loaded;
  loaded.Add("old", "gone");
  loaded.LoadFromFile(path);
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Items(0).Name, "n\xc3\xa9me with blank");
  EXPECT_EQ(loaded.Items(0).Value, "v\r\nline");
  EXPECT_EQ(loaded.Items(1).Value, std::string(1000, 'x'));
  EXPECT_EQ(loaded.Items(1).Owner, &loaded);
  std::filesystem::remove(path);
}

TEST(UserSettingListTest, ZeroByteCutsText) {
  TUserSettingList list;
  list.LoadFromBytes(Le32(1) + Record(std::string("ab\0cd", 5), "v"), "x");
  EXPECT_EQ(list.Items(0).Name, "ab");
}

TEST(UserSettingListTest, CorruptFilesAreRejectedAndListKept) {
  const std::string cases[] = {
      "",                                         // no count
      "\x01\x00",                                 // short count
      Le32(1),                                    // count past end
      Le32(0x7fffffff) + Record("a", "b"),        // huge count
      Le32(static_cast<uint32_t>(-1)),            // negative count
      Le32(1) + Le32(10) + "abc",                 // name past end
      Le32(1) + Record("a", "b").substr(0, 7),    // value length cut
      Le32(1) + Le32(1) + "a" + Le32(0x80000000), // negative value length
      Le32(2) + Record("a", "b") + Le32(5) + "ab",
  };
  for (const std::string& bytes : cases) {
    TUserSettingList list;
    list.Add("keep", "me");
    EXPECT_THROW(list.LoadFromBytes(bytes, "f.dat"), EInOutError) << testing::PrintToString(bytes);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Name, "keep");
  }
}

TEST(UserSettingListTest, CorruptErrorNamesTheFile) {
  TUserSettingList list;
  try {
    list.LoadFromBytes(Le32(3), "/d/tools.dat");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Setting-list file \"/d/tools.dat\" is corrupt: the count runs past the end of the file");
  }
}

TEST(UserSettingListTest, MissingFileIsFileOpenError) {
  TUserSettingList list;
  try {
    list.LoadFromFile("/nonexistent/orv/tools.dat");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"/nonexistent/orv/tools.dat\". No such file or directory");
  }
}

}  // namespace
}  // namespace orv
