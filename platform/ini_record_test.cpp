#include "platform/ini_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orv {
namespace {

// A record with a key of every kind and defaults of its own.
struct TSampleRecord {
  bool Flag = true;
  int Count = 7;
  std::string Name = "none";
  std::string Other;
};

constexpr TIniKey<TSampleRecord> kSampleKeys[] = {
    {"Main", "Name", &TSampleRecord::Name},
    {"Main", "Flag", &TSampleRecord::Flag},
    {"Extra", "count", &TSampleRecord::Count},
    {"Extra", "other", &TSampleRecord::Other},
};

class IniRecordTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() /
             ("ini_record_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini"))
                .string();
    std::filesystem::remove(path_);
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::string Text() const {
    std::ostringstream text;
    text << std::ifstream(path_).rdbuf();
    return text.str();
  }
  std::string path_;
};

TEST_F(IniRecordTest, MissingKeysKeepTheDefaultsAndWritingFollowsTheDeclaredOrder) {
  EXPECT_EQ(ReadIniRecord<TSampleRecord>(TIniFile(path_), kSampleKeys).Name, "none");
  TSampleRecord changed;
  changed.Flag = false;
  changed.Count = -3;
  changed.Name = "x y";
  TIniFile ini(path_);
  WriteIniRecord<TSampleRecord>(ini, kSampleKeys, changed);
  EXPECT_EQ(Text(), "[Main]\nName=x y\nFlag=0\n\n[Extra]\ncount=-3\nother=\n");
  const TSampleRecord read = ReadIniRecord<TSampleRecord>(TIniFile(path_), kSampleKeys);
  EXPECT_FALSE(read.Flag);
  EXPECT_EQ(read.Count, -3);
  EXPECT_EQ(read.Name, "x y");
  // Defaults of the caller's choice stand for the keys a file lacks.
  std::ofstream(path_) << "[Main]\nFlag=1\n";
  TSampleRecord defaults;
  defaults.Name = "given";
  const TSampleRecord partial = ReadIniRecord<TSampleRecord>(TIniFile(path_), kSampleKeys, defaults);
  EXPECT_TRUE(partial.Flag);
  EXPECT_EQ(partial.Name, "given");
  EXPECT_EQ(partial.Count, 7);
}

}  // namespace
}  // namespace orv
